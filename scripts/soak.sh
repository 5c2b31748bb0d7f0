#!/usr/bin/env bash
# The full soak: the release build's plugin-soak, 2,000 cycles of a
# namespace's whole life in one host process, resident memory compared
# between cycle 100 and the last (less than 5% apart), descriptors and
# threads back where they started. ctest runs a short one (60 cycles).
#
#   scripts/soak.sh [CYCLES]      default 2000
set -euo pipefail
cd "$(dirname "$0")/.."
cycles=${1:-2000}
cmake --preset release >/dev/null
cmake --build --preset release --target plugin-soak -- -j"$(nproc)"
build/release/bin/plugin-soak --cycles "$cycles" --baseline 100
