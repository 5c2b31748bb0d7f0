#!/usr/bin/env bash
# The main job on a fresh machine: install what is needed, build, and run
# `cimhttp demo`, which starts the bundled test CIMOM on a free loopback
# address, tours the commands against it and stops it again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh release
build/release/bin/cimhttp demo
