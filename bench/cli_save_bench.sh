#!/usr/bin/env bash
# Usage: bench/cli_save_bench.sh [BUILD_DIR]
#
# Times "skirvane-cli save" of a 64 MiB model (10,000 materials and mesh
# bytes, written by make-big-model) against two copies that also end on the
# disk: cp followed by sync, and the true floor of a program that holds the
# model in memory, dd reading the file in one call and writing it in one
# with an fsync. The save and each copy run in pairs, one right after the
# other, and each ratio printed is the median of the pairs' ratios. The goal
# is a save within 1.05 times the floor. BUILD_DIR is the host tree
# (build/host when not given); what is missing is installed and built.
set -euo pipefail

source "$(dirname "$0")/cli_bench_setup.sh" "${1:-}" make-big-model big.4ds
echo "Model: $(stat -c %s big.4ds) bytes in $work ($(df -T . | awk 'NR == 2 { print $2 }'))"

# The microseconds a command takes.
microseconds() {
  local start
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  echo $((($(date +%s%N) - start) / 1000))
}
save() { "$cli" save big.4ds out.4ds; }
copy() { cp big.4ds copy.4ds && sync copy.4ds; }
floor() { dd if=big.4ds of=floor.4ds bs=64M iflag=fullblock conv=fsync; }

pairs=11
for _ in 1 2 3; do save; copy; floor; done >/dev/null 2>&1  # warm up the page cache and the disk
: >pairs.txt
for ((i = 0; i < pairs; i++)); do
  echo "$(microseconds save) $(microseconds copy) $(microseconds floor)" >>pairs.txt
done

# pairs.txt: save, cp and sync, floor (microseconds), one run of each a line.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
save_ms=$(awk '{ print $1 / 1000 }' pairs.txt | median)
copy_ms=$(awk '{ print $2 / 1000 }' pairs.txt | median)
floor_ms=$(awk '{ print $3 / 1000 }' pairs.txt | median)
to_copy=$(awk '{ print $1 / $2 }' pairs.txt | median)
to_floor=$(awk '{ print $1 / $3 }' pairs.txt | median)
printf 'medians of %d pairs: save %.1f ms, cp and sync %.1f ms, floor (dd, one read, one write, fsync) %.1f ms\n' \
  "$pairs" "$save_ms" "$copy_ms" "$floor_ms"
printf 'save / (cp and sync) %.2f; save / floor %.2f (goal at most 1.05)\n' "$to_copy" "$to_floor"
