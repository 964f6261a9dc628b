#!/usr/bin/env bash
# Builds the Windows release and packs it: build/windows/skirvane-VERSION-windows.zip
# holds skirvane.exe, skirvane-cli.exe, README.txt and LICENSE.txt in one
# folder, and needs nothing else to run.
#
#   ./package.sh
set -euo pipefail
cd "$(dirname "$0")"
source tools/common.sh
ensure_packages "${SKIRVANE_PACKAGES[@]}" || { echo "Could not install the packages" >&2; exit 1; }
mkdir -p build
echo "Building the Windows release (log in build/package.log)" >&2
if ! { cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake &&
       cmake --build build/windows -j"$(nproc)" --target skirvane skirvane-cli &&
       (cd build/windows && cpack -B "$PWD"); } >build/package.log 2>&1; then
  tail -n 30 build/package.log
  echo "Packing failed; see build/package.log" >&2
  exit 1
fi
ls "$PWD"/build/windows/skirvane-*-windows.zip
