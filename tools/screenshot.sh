#!/usr/bin/env bash
# Takes a picture of a Windows program: runs it in Wine's virtual desktop on
# a virtual X display, waits, captures the whole screen as a PNG, ends the
# program and prints the PNG's path.
#
#   tools/screenshot.sh [--delay SECONDS] [--size WxH] OUTPUT.png PROGRAM.exe [ARGS...]
#
# --delay  seconds to wait before the capture (default 3)
# --size   size of the virtual desktop (default 1024x768)
# Uses the project's Wine prefix build/wine-prefix unless WINEPREFIX is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/common.sh"

usage() {
  echo "usage: tools/screenshot.sh [--delay SECONDS] [--size WxH] OUTPUT.png PROGRAM.exe [ARGS...]" >&2
  exit 2
}

delay=3
size=1024x768
while [ $# -gt 0 ]; do
  case $1 in
    --delay) [ $# -ge 2 ] || usage; delay=$2; shift 2 ;;
    --size) [ $# -ge 2 ] || usage; size=$2; shift 2 ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || usage
[[ $delay =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "Not a number of seconds: $delay" >&2; exit 2; }
[[ $size =~ ^([0-9]+)x([0-9]+)$ ]] || { echo "Not a size of the form WIDTHxHEIGHT: $size" >&2; exit 2; }
width=${BASH_REMATCH[1]}
height=${BASH_REMATCH[2]}
output=$(realpath -m -- "$1")
program=$(realpath -m -- "$2")
shift 2
[ -f "$program" ] || { echo "No such program: $program" >&2; exit 2; }
mkdir -p "$(dirname "$output")"
rm -f "$output"

wine_setup "${WINEPREFIX:-$root/build/wine-prefix}"

# Runs inside the virtual display: starts the program in a virtual desktop
# of its own (named after this script's process, so that two captures at
# the same time do not share one), captures the screen, then ends the
# program and the desktop.
capture() {
  local output=$1 program=$2 delay=$3 desktop=$4
  shift 4
  # Drive Z: is the file system's root in a Wine prefix.
  "$WINE" explorer "/desktop=$desktop" "Z:${program//\//\\}" "$@" </dev/null >/dev/null 2>&1 &
  sleep "$delay"
  local status=0 pid command started=() running=0
  # The Wine processes of this display: the desktop and the program.
  for pid in $(grep -l -s -z -x -F "DISPLAY=$DISPLAY" /proc/[0-9]*/environ | cut -d/ -f3); do
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == */wine* ]] || continue
    command=$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline") || continue
    if [[ $command == *"/desktop=$desktop"* ]]; then
      started+=("$pid")
    elif [[ $command == *"$(basename "$program")"* ]]; then
      started+=("$pid")
      running=1
    fi
  done
  if [ $running -eq 0 ]; then
    echo "The program ended before the screen was captured" >&2
    status=1
  fi
  timeout 30 import -window root "$output" || status=1
  [ ${#started[@]} -eq 0 ] || kill -TERM "${started[@]}" 2>/dev/null || true
  sleep 1
  # Whatever is left is ended for good, once it is sure to be still ours.
  for pid in "${started[@]}"; do
    grep -q -s -z -x -F "DISPLAY=$DISPLAY" "/proc/$pid/environ" && kill -KILL "$pid" 2>/dev/null
  done
  return $status
}
export WINE

status=0
timeout --kill-after=10 "$(awk -v d="$delay" 'BEGIN { printf "%d", d + 90 }')" \
  xvfb-run -a -s "-screen 0 $((width + 64))x$((height + 64))x24" \
  bash -c "$(declare -f capture)"' && capture "$@"' capture \
  "$output" "$program" "$delay" "shot$$,${width}x${height}" "$@" || status=$?
[ -f "$output" ] || { echo "No picture was taken" >&2; exit 1; }
echo "$output"
exit $status
