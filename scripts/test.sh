#!/usr/bin/env bash
# The whole test suite: the release and the sanitizer builds under ctest
# (one process per test), the plug-in's test binaries once more as single
# processes in shuffled order (so no test leans on another's state), a
# bounded fuzzing run of the client library, and the connection layer's
# tests under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in release asan; do
  echo "== $preset: build"
  bash scripts/build.sh "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
  echo "== $preset: plug-in tests, whole processes, shuffled"
  for binary in plugin_tests fault_tests; do
    "build/$preset/bin/$binary" --gtest_shuffle --gtest_brief=1
  done
done
echo "== fuzz"
bash scripts/fuzz.sh
echo "== valgrind"
bash scripts/valgrind.sh
