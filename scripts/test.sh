#!/usr/bin/env bash
# The whole test suite: the release, sanitizer and 32-bit x86 builds under
# ctest (one process per test), every test binary of the release build once
# more as a single process in shuffled order (so no test leans on another's
# state), a bounded fuzzing run, and the connection layer's tests under
# valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh i386
for preset in release asan i386; do
  echo "== $preset: build"
  bash scripts/build.sh "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
done
echo "== release: every test binary as one process, shuffled"
for binary in build/release/bin/*_tests; do
  echo "-- $(basename "$binary")"
  "$binary" --gtest_shuffle --gtest_brief=1
done
echo "== fuzz"
bash scripts/fuzz.sh
echo "== valgrind"
bash scripts/valgrind.sh
