#!/usr/bin/env bash
# Usage: bench/bitmap_load_bench.sh [BUILD_DIR]
#
# Runs bitmap-load-bench (loading 4096 x 4096 bitmaps, against stb_image)
# from the host tree (build/host when not given) and prints its figures;
# what is missing is installed and built.
set -euo pipefail
source "$(dirname "$0")/bench_build.sh" host "${1:-}" bitmap-load-bench
"$build/bench/bitmap-load-bench"
