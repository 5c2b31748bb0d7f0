#!/usr/bin/env bash
# The main job on a fresh machine: install what is needed, build, start the
# demo CIMOM on loopback, run the example client against it over HTTPS and
# stop the CIMOM again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh release
bin=build/release/bin

"$bin/cimtestserver" --data demo --address 127.0.0.1 >build/release/demo-cimom.log 2>&1 &
cimom=$!
trap 'kill "$cimom" 2>/dev/null; wait "$cimom" 2>/dev/null || true' EXIT
# Wait until it listens.
for _ in $(seq 1 50); do
  grep -q 5989 build/release/demo-cimom.log 2>/dev/null && break
  sleep 0.1
done

"$bin/cimclient-example" 127.0.0.1 5989 --https --namespace root/cimv2 --class CIM_ComputerSystem
