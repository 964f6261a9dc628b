#!/usr/bin/env bash
# Usage: bench/cli_find_bench.sh [BUILD_DIR]
#
# Times "skirvane-cli find" over a mod's folder of 1,000 models of 1 MiB
# each (30 materials and mesh bytes, written by make-mod-folder) against
# reading every file with cat to /dev/null, both with the files in the page
# cache, and prints both means and their ratio. The goal is a find at least
# 10 times faster than the cat: it reads the header and the materials of
# each model, never the rest. textures and rename-texture --dry-run, which
# read as little, are timed beside them. BUILD_DIR is the host tree
# (build/host when not given); what is missing is installed and built.
set -euo pipefail

source "$(dirname "$0")/cli_bench_setup.sh" "${1:-}" make-mod-folder mod
find mod -type f -print0 | sort -z >files.list
mkdir maps

# Each command must do its whole work, or the times mean nothing: find
# lists rows of all models, textures reports every texture missing (exit
# status 1), the dry run would rename in many models.
fail() { echo "$1" >&2; exit 1; }
count=$(tr -cd '\0' <files.list | wc -c)
[ "$("$cli" find mod WOOD1 | grep -c '^mod/')" -gt 100 ] || fail "find listed too few models"
status=0
"$cli" textures --maps maps mod >textures.txt || status=$?
[ "$status" -eq 1 ] && [ "$(grep -c '^mod/' textures.txt)" -eq "$count" ] || fail "textures did not check every model"
"$cli" rename-texture WOOD10.BMP OAK10 mod --dry-run | tail -n 1 | grep -q 'models scanned: 1000, models changed: [1-9]' ||
  fail "rename-texture --dry-run did not scan every model"
echo "Mod: $count files, $(du -sb mod | cut -f1) bytes in $work ($(df -T . | awk 'NR == 2 { print $2 }'))"

hyperfine -N --warmup 3 --runs 20 --export-csv times.csv \
  "'$cli' find mod WOOD1" \
  "xargs -0 -a files.list cat" \
  "'$cli' rename-texture WOOD10.BMP OAK10 mod --dry-run"
# textures exits with 1 here, which hyperfine takes for a failure.
hyperfine -N --warmup 3 --runs 20 --ignore-failure --export-csv textures.csv "'$cli' textures --maps maps mod"

# times.csv: command,mean,stddev,median,user,system,min,max (seconds)
awk -F, 'NR == 2 { find = $2 } NR == 3 { cat = $2 } NR == 4 { rename = $2 }
         END { printf "find %.1f ms, cat %.1f ms, ratio %.1f (goal at least 10); rename-texture --dry-run %.1f ms\n",
                      find * 1000, cat * 1000, cat / find, rename * 1000 }' times.csv
awk -F, 'NR == 2 { printf "textures %.1f ms\n", $2 * 1000 }' textures.csv
