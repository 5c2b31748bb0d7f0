#!/usr/bin/env bash
# The whole test suite: the release and the sanitizer builds under ctest,
# a bounded fuzzing run of the client library, and the connection layer's
# tests under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in release asan; do
  echo "== $preset: build"
  bash scripts/build.sh "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
done
echo "== fuzz"
bash scripts/fuzz.sh
echo "== valgrind"
bash scripts/valgrind.sh
