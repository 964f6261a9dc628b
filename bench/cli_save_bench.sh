#!/usr/bin/env bash
# Usage: bench/cli_save_bench.sh BUILD_DIR
#
# Times "skirvane-cli save" on a 64 MiB model (10,000 materials and mesh
# bytes, written by make-big-model) against copying the file with cp, and
# prints both means and their ratio. The goal is a save that takes at most
# 1.5 times as long as the copy. Needs hyperfine (Debian package hyperfine).
set -euo pipefail

source "$(dirname "$0")/cli_bench_setup.sh" "${1:-}" make-big-model big.4ds
echo "Model: $(stat -c %s big.4ds) bytes in $work ($(df -T . | awk 'NR == 2 { print $2 }'))"

hyperfine --warmup 3 --runs 15 --export-csv times.csv \
  "'$cli' save big.4ds out.4ds" \
  "cp big.4ds copy.4ds"

# times.csv: command,mean,stddev,median,user,system,min,max (seconds)
awk -F, 'NR == 2 { save = $2 } NR == 3 { copy = $2 }
         END { printf "save %.1f ms, cp %.1f ms, ratio %.2f (goal at most 1.50)\n",
                      save * 1000, copy * 1000, save / copy }' times.csv
