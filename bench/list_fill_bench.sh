#!/usr/bin/env bash
# Usage: bench/list_fill_bench.sh WINDOWS_BUILD_DIR
#
# Runs list-fill-bench under Wine on a virtual display, in a Wine prefix of
# its own under the build folder, and prints its figures.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "Usage: $0 WINDOWS_BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
program=$build/bench/list-fill-bench.exe
[ -f "$program" ] || { echo "Missing $program; build the Windows tree first" >&2; exit 1; }
cd "$(dirname "$0")/.."
source tools/common.sh  # for $WINE
xvfb-run -a tools/in_wine.sh "$build/bench-wine-prefix" "$WINE" "$program"
