#!/usr/bin/env bash
# Builds the program on this machine (installing missing Debian packages
# first) and shows the bundled sample model as JSON.
set -euo pipefail
cd "$(dirname "$0")"
source tools/common.sh

ensure_packages "${SKIRVANE_PACKAGES[@]}" || { echo "Could not install the packages" >&2; exit 1; }
mkdir -p build
echo "Building build/host (log in build/host.build.log)" >&2
if ! { cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Release && cmake --build build/host -j"$(nproc)"; } \
       >build/host.build.log 2>&1; then
  tail -n 30 build/host.build.log
  echo "The build failed; see build/host.build.log" >&2
  exit 1
fi
build/host/src/cli/skirvane-cli show samples/sample.4ds
