#!/usr/bin/env bash
# Usage: bench/list_fill_bench.sh [WINDOWS_BUILD_DIR]
#
# Runs list-fill-bench under Wine on a virtual display, in a Wine prefix of
# its own under the Windows tree (build/windows when not given), and prints
# its figures; what is missing is installed and built.
set -euo pipefail
source "$(dirname "$0")/bench_build.sh" windows "${1:-}" list-fill-bench
cd "$root"
xvfb-run -a tools/in_wine.sh "$build/bench-wine-prefix" "$WINE" "$build/bench/list-fill-bench.exe"
