#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; only what is
# missing. With the argument i386 it adds what the 32-bit x86 build needs:
# g++-multilib and the i386 multiarch libraries (header-only packages such as
# CLI11 and nlohmann-json serve both builds and need no i386 variant).
#   scripts/install-deps.sh          # the 64-bit builds
#   scripts/install-deps.sh i386     # and the i386 build
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  libboost-dev libboost-system-dev libssl-dev libxml2-dev libxml2-utils libc-ares-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  valgrind
  sblim-wbemcli
  clang libclang-rt-14-dev
)
i386_libraries=(libboost-dev libboost-system-dev libssl-dev libxml2-dev libc-ares-dev libgtest-dev libgmock-dev
  libbenchmark-dev)

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

if [ "${1:-}" = i386 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
    "${as_root[@]}" apt-get update -q
  fi
  packages+=(g++-multilib "${i386_libraries[@]/%/:i386}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
