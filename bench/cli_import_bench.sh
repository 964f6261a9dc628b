#!/usr/bin/env bash
# Usage: bench/cli_import_bench.sh [BUILD_DIR]
#
# Times "skirvane-cli import" of edits to every one of the 10,000 materials
# of the 64 MiB model that make-big-model writes, against "skirvane-cli
# save" of the same model alone, and prints the means and their ratios. Two
# edits files: the whole show output with every material's density changed
# and its alpha name where it has one, and a short one giving each
# material's number, density and diffuse colour only. The goal is an import that takes at most 1.5
# times as long as the save. BUILD_DIR is the host tree (build/host when not
# given); what is missing is installed and built.
set -euo pipefail

source "$(dirname "$0")/cli_bench_setup.sh" "${1:-}" make-big-model big.4ds
"$cli" show big.4ds |
  sed -e 's/^\(      "density": \).*,$/\10.5,/' -e 's/^\(      "alphaName": \)".\+",$/\1"MASK.BMP",/' >full.json
count=$(grep -c '"number"' full.json)
awk -v count="$count" 'BEGIN {
  printf "{\"materials\": [\n"
  for (n = 1; n <= count; n++)
    printf "{\"number\": %d, \"density\": 0.25, \"diffuse\": [0.5, 0.25, 1.0]}%s\n", n, n < count ? "," : ""
  printf "]}\n"
}' >short.json
# Both files must be taken whole, or the times mean nothing.
"$cli" import big.4ds full.json -o check.4ds
"$cli" import big.4ds short.json -o check.4ds
echo "Model: $(stat -c %s big.4ds) bytes, $count materials, in $work ($(df -T . | awk 'NR == 2 { print $2 }'))"
echo "Edits: full.json $(stat -c %s full.json) bytes, short.json $(stat -c %s short.json) bytes"

hyperfine --warmup 3 --runs 20 --export-csv times.csv \
  "'$cli' save big.4ds out.4ds" \
  "'$cli' import big.4ds full.json -o out.4ds" \
  "'$cli' import big.4ds short.json -o out.4ds"

# times.csv: command,mean,stddev,median,user,system,min,max (seconds). The
# medians are printed too: the save's time is mostly the disk's, whose
# stalls spread the means.
awk -F, 'NR > 1 { mean[NR] = $2; median[NR] = $4 }
         END { printf "means: save %.1f ms, import of full.json %.1f ms (ratio %.2f), of short.json %.1f ms (ratio %.2f)\n",
                      mean[2] * 1000, mean[3] * 1000, mean[3] / mean[2], mean[4] * 1000, mean[4] / mean[2]
               printf "medians: save %.1f ms, import of full.json %.1f ms (ratio %.2f), of short.json %.1f ms (ratio %.2f)\n",
                      median[2] * 1000, median[3] * 1000, median[3] / median[2], median[4] * 1000, median[4] / median[2]
               print "goal: ratio at most 1.50" }' times.csv
