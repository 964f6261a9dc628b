#!/usr/bin/env bash
# Usage: fuzz/run.sh BUILD_DIR REPORT_DIR
#
# Runs every fuzz target of a fuzz build tree (the executables BUILD_DIR/fuzz/*_fuzz):
# first over its regression inputs, fuzz/corpus/<target without _fuzz>/ (for
# bitmap_fuzz also the BMP and TGA images in tests/data/), then fuzzing for a
# bounded time. New inputs go into a copy of the regression inputs in
# REPORT_DIR/<target>/corpus, crash inputs and logs into REPORT_DIR/<target>/;
# the repository is not written.
# Prints one line per target and exits non-zero when any target failed.
# A target with a dictionary, fuzz/<target without _fuzz>.dict, fuzzes with
# it. SKIRVANE_FUZZ_SECONDS sets the fuzzing time per target (default 30).
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "Usage: $0 BUILD_DIR REPORT_DIR" >&2
  exit 2
fi
fuzz_folder=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" 2>/dev/null && pwd) || { echo "No build folder $1" >&2; exit 2; }
mkdir -p "$2" && reports=$(cd "$2" && pwd) || { echo "Cannot create $2" >&2; exit 2; }
fuzz_seconds=${SKIRVANE_FUZZ_SECONDS:-30}

# run_target LOG EXECUTABLE ARGUMENTS...: runs a target and removes the
# scratch folder a target keeps under its process id (skirvane-fuzz-PID in
# /dev/shm or /tmp), which a crash leaves behind. Gives the target's status.
run_target() {
  local log=$1 pid status
  shift
  "$@" >"$log" 2>&1 &
  pid=$!
  wait "$pid"
  status=$?
  rm -rf "/dev/shm/skirvane-fuzz-$pid" "/tmp/skirvane-fuzz-$pid"
  return "$status"
}

# A summary figure from a libFuzzer log ("stat::NAME: VALUE").
final_stat() {
  grep -o "^stat::$1: *[0-9]*" "$2" | grep -o '[0-9]*$' | tail -n 1
}

targets=0
failures=0
for executable in "$build"/fuzz/*_fuzz; do
  [ -f "$executable" ] && [ -x "$executable" ] || continue
  targets=$((targets + 1))
  target=$(basename "$executable")
  out=$reports/$target
  rm -rf "$out"
  mkdir -p "$out/corpus"
  regression=$fuzz_folder/corpus/${target%_fuzz}
  dictionary=()
  [ -f "$fuzz_folder/${target%_fuzz}.dict" ] && dictionary=(-dict="$fuzz_folder/${target%_fuzz}.dict")

  summary=""
  sources=("$regression"/*)
  # The BMP and TGA images of the tests' data are the bitmap target's
  # regression inputs too; its corpus folder does not copy them.
  [ "$target" = bitmap_fuzz ] && sources+=("$fuzz_folder"/../tests/data/bmp/*/*.bmp "$fuzz_folder"/../tests/data/tga/*.tga)
  inputs=()
  for input in "${sources[@]}"; do
    [ -f "$input" ] && inputs+=("$input")
  done
  if [ ${#inputs[@]} -gt 0 ]; then
    if ! run_target "$out/regression.log" "$executable" "${inputs[@]}"; then
      echo "$target: FAILED on a regression input; see $out/regression.log"
      failures=$((failures + 1))
      continue
    fi
    cp "${inputs[@]}" "$out/corpus/"
    summary="${#inputs[@]} regression inputs passed; "
  fi

  if run_target "$out/fuzz.log" "$executable" -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$out/" "${dictionary[@]}" "$out/corpus"; then
    echo "$target: ${summary}fuzzed ${fuzz_seconds} s, $(final_stat number_of_executed_units "$out/fuzz.log") runs," \
         "$(find "$out/corpus" -type f | wc -l) corpus inputs, no crash"
  else
    artifact=$(find "$out" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
                 -o -name 'oom-*' \) | head -n 1)
    echo "$target: FAILED while fuzzing; input ${artifact:-not saved}, log $out/fuzz.log"
    failures=$((failures + 1))
  fi
done

if [ "$targets" -eq 0 ]; then
  echo "No fuzz targets in $build/fuzz" >&2
  exit 1
fi
[ "$failures" -eq 0 ]
