#!/usr/bin/env bash
# Runs the real skirvane-cli program as a script would: every command on a
# small model written here byte by byte, with the exit statuses, the files
# left behind and what a refusal keeps.
#
# Usage: tests/cli/cli_script_test.sh [RUNNER...] SKIRVANE-CLI
# (RUNNER is Wine's loader for the Windows build.) Prints "N passed,
# M failed"; with GTEST_OUTPUT=xml:DIR/ also writes DIR/cli_script_test.xml
# in the form of the GoogleTest reports, so that its cases are counted.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "Usage: $0 [RUNNER...] SKIRVANE-CLI" >&2
  exit 2
fi
cli=("$@")
program=${cli[-1]}
[[ $program == /* ]] || cli[-1]=$PWD/$program  # the cases run in a folder of their own
work=$(mktemp -d "${TMPDIR:-/tmp}/skirvane-cli-script-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0
failed=0
cases=()

# check NAME COMMAND...: one case, passed when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    cases+=("<testcase name=\"$name\" classname=\"cli_script_test\"/>")
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
    cases+=("<testcase name=\"$name\" classname=\"cli_script_test\"><failure message=\"failed\"/></testcase>")
  fi
}

# run [EXPECTED-STATUS] ARGS...: runs the program with stdout in out.txt and
# stderr in err.txt; true when it exits with EXPECTED-STATUS.
run() {
  local expected=$1
  shift
  "${cli[@]}" "$@" >out.txt 2>err.txt </dev/null
  local status=$?
  [ "$status" -eq "$expected" ] && return 0
  echo "skirvane-cli $* exited with $status, not $expected; stderr:" >&2
  cat err.txt >&2
  return 1
}

has() { grep -qF -- "$2" "$1" || { echo "'$2' is not in $1:" >&2; cat "$1" >&2; return 1; }; }
no_leftovers() { [ -z "$(find . -name '.skirvane-*')" ]; }

# The model: version 29, eight header bytes 1..8, two materials and four
# bytes of mesh. Material 1: diffuse texture WOOD01.BMP, ambient 0.5 each,
# density 1. Material 2: animated SEA00.BMP, 4 frames, delay 100.
write_model() {
  {
    printf '4DS\0\x1d\0\x01\x02\x03\x04\x05\x06\x07\x08\x02\0'
    printf '\0\0\x04\0' && printf '\0\0\0\x3f%.0s' 1 2 3 && printf '\0\0\0\0%.0s' 1 2 3 4 5 6
    printf '\0\0\x80\x3f\x0aWOOD01.BMP'
    printf '\0\0\x04\x04' && printf '\0\0\0\0%.0s' 1 2 3 4 5 6 7 8 9 10
    printf '\x09SEA00.BMP\x04\0\0\0\0\0\x64\0\0\0\0\0\0\0\0\0\0\0'
    printf 'MESH'
  } >"$1"
}

# A 2 x 1 bitmap of 24 bits per pixel.
write_bitmap() {
  {
    printf 'BM\x3e\0\0\0\0\0\0\0\x36\0\0\0'
    printf '\x28\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x08\0\0\0'
    printf '\0\0\0\0%.0s' 1 2 3 4
    printf '\x10\x20\x30\x40\x50\x60\0\0'
  } >"$1"
}

# Whether FILE is MODEL as saved: bytes 6..13 are 0xFF, the rest the same.
saved_copy_of() {
  cmp -s <(head -c 6 "$2") <(head -c 6 "$1") &&
    [ "$(od -An -tx1 -j6 -N8 "$1" | tr -d ' \n')" = ffffffffffffffff ] &&
    cmp -s <(tail -c +15 "$2") <(tail -c +15 "$1")
}

write_model m.4ds
cp m.4ds original.4ds

check show_prints_the_materials \
  eval 'run 0 show m.4ds && has out.txt "\"diffuseName\": \"WOOD01.BMP\"" && has out.txt "\"frames\": 4"'
cp out.txt shown.json

check show_then_import_changes_nothing \
  eval 'run 0 import m.4ds shown.json -o same.4ds && saved_copy_of same.4ds m.4ds && no_leftovers'

check set_writes_the_changes_to_the_output \
  eval 'run 0 set m.4ds 1 --density 0.25 --diffuse-name STONE --flag +DoubleSided -o set.4ds &&
        run 0 show set.4ds && has out.txt "\"diffuseName\": \"STONE.BMP\"" && has out.txt "\"density\": 0.25" &&
        has out.txt "\"flags\": 268697600" && cmp -s m.4ds original.4ds'

check set_without_output_saves_in_place \
  eval 'cp original.4ds place.4ds && run 0 set place.4ds 2 --no-animation &&
        run 0 show place.4ds && ! has out.txt "\"frames\"" 2>/dev/null && no_leftovers'

check refused_set_writes_nothing \
  eval 'run 1 set m.4ds 1 --density 1.5 --animation 300,1 -o refused.4ds && has err.txt "material 1, density:" &&
        has err.txt "material 1, animation:" && [ ! -e refused.4ds ] && cmp -s m.4ds original.4ds && no_leftovers'

check wrong_usage_exits_with_two \
  eval 'run 2 set m.4ds 1 && has err.txt "Usage: skirvane-cli set" && run 2 frobnicate && run 2 import m.4ds'

printf '{"materials": [{"number": 1, "density": 0.5}, {"number": 2, "ambient": [2, 0, 0]}, {"number": 7}]}' \
  >partly-bad.json
check refused_import_writes_nothing_and_lists_every_refusal \
  eval 'run 1 import m.4ds partly-bad.json && has err.txt "material 2, ambient:" &&
        has err.txt "materials[2], number:" && cmp -s m.4ds original.4ds && no_leftovers'

printf '{"materials": [{"number": 1, "density": 1e40}]}' >beyond-float.json
check import_refuses_a_number_beyond_a_float \
  eval 'run 1 import m.4ds beyond-float.json && has err.txt "material 1, density:" && cmp -s m.4ds original.4ds'

printf '{"materials": [{"number": 2, "animation": {"frames": 9, "delay": 5}, "reflectionName": "SKY"}]}' \
  >good.json
check import_applies_the_edits \
  eval 'run 0 import m.4ds good.json -o imported.4ds && run 0 show imported.4ds &&
        has out.txt "\"frames\": 9" && has out.txt "\"reflectionName\": \"SKY.BMP\""'

check find_lists_the_matching_rows \
  eval 'run 0 find m.4ds SEA && [ "$(cat out.txt)" = "[2] |SEA00.BMP|" ] && run 0 find m.4ds "" && [ ! -s out.txt ]'

mkdir maps
write_bitmap maps/WOOD01.BMP
check textures_reports_shown_and_missing \
  eval 'run 1 textures m.4ds --maps maps && has out.txt "[1] Diff WOOD01.BMP: shown" &&
        has out.txt "[2] Diff SEA00.BMP: missing"'
write_bitmap maps/SEA00.BMP
check textures_passes_when_all_are_shown \
  eval 'run 0 textures m.4ds --maps maps --json && has out.txt "\"status\": \"shown\""'

# Folders of models: the Windows build joins the names it finds with "\".
sep=/
[ ${#cli[@]} -gt 1 ] && sep='\'
mkdir -p mod/sub
write_model mod/a.4ds
printf '4DS\0' >mod/broken.4ds  # ends inside its header
write_model mod/sub/B.4DS
printf 'notes' >mod/notes.txt
check find_over_a_folder_groups_lines_by_model_and_passes_an_unreadable_one \
  eval 'run 1 find mod SEA && has err.txt "Can'"'"'t read file: mod${sep}broken.4ds" &&
        [ "$(cat out.txt)" = "$(printf "%s\n" "mod${sep}a.4ds" "[2] |SEA00.BMP|" "mod${sep}sub${sep}B.4DS" "[2] |SEA00.BMP|")" ] &&
        ! grep -q " models" err.txt'

check textures_over_a_folder_names_the_model_in_json \
  eval 'run 1 textures --maps maps mod --json && has out.txt "\"model\": \"mod" && has out.txt "B.4DS\"" &&
        [ "$(grep -c "\"status\": \"shown\"" out.txt)" -eq 4 ] && has err.txt "broken.4ds"'

mkdir -p ren/sub
write_model ren/a.4ds
write_model ren/sub/b.4ds
"${cli[@]}" set m.4ds 1 --diffuse-name STONE -o ren/other.4ds
cp ren/other.4ds other-before.4ds
check rename_texture_dry_run_writes_nothing \
  eval 'run 0 rename-texture wood01.bmp OAK ren --dry-run && has out.txt "[1] Diff WOOD01.BMP -> OAK.BMP" &&
        has out.txt "models scanned: 3, models changed: 2, names changed: 2, models refused: 0 (dry run: nothing written)" &&
        cmp -s ren/a.4ds original.4ds && cmp -s ren/sub/b.4ds original.4ds && no_leftovers'

check rename_texture_renames_in_every_model_and_keeps_the_rest \
  eval 'run 0 rename-texture wood01.bmp OAK ren &&
        has out.txt "models scanned: 3, models changed: 2, names changed: 2, models refused: 0" &&
        run 0 show ren/sub/b.4ds && has out.txt "\"diffuseName\": \"OAK.BMP\"" && has out.txt "\"frames\": 4" &&
        [ "$(tail -c 4 ren/a.4ds)" = MESH ] && cmp -s ren/other.4ds other-before.4ds && no_leftovers'

cp ren/a.4ds ren-before.4ds
check rename_texture_refuses_to_drop_an_animation \
  eval 'run 1 rename-texture SEA00.BMP SEA ren && has err.txt "Not written: ren${sep}a.4ds" &&
        has err.txt "material 2, diffuse-name: the diffuse texture is animated" &&
        has out.txt "models changed: 0, names changed: 0, models refused: 3" && cmp -s ren/a.4ds ren-before.4ds &&
        run 1 rename-texture SEA00.BMP "A|B" ren && has err.txt "NEW: " && cmp -s ren/a.4ds ren-before.4ds'

# Progress goes to standard error only when that is a terminal; script(1)
# gives the program one. Native build only: under Wine, whether a terminal
# reaches the program as one is up to Wine's console.
if [ ${#cli[@]} -eq 1 ]; then
  check progress_shows_on_a_terminal \
    eval 'script -qec "$(printf "%q " "${cli[@]}") find mod SEA" /dev/null </dev/null >tty.txt; has tty.txt "0 of 3 models"'
fi

check every_command_has_help \
  eval 'for command in show save set import textures find usage rename-texture; do
          run 0 "$command" --help && has out.txt "Usage: skirvane-cli $command" || return 1
        done'

echo "$passed passed, $failed failed"
if [ -n "${GTEST_OUTPUT:-}" ]; then
  reports=${GTEST_OUTPUT#xml:}
  reports=${reports#Z:}
  mkdir -p "$reports"
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo "<testsuites tests=\"$((passed + failed))\" failures=\"$failed\" name=\"cli_script_test\">"
    echo "<testsuite name=\"cli_script_test\" tests=\"$((passed + failed))\" failures=\"$failed\">"
    printf '%s\n' "${cases[@]}"
    echo '</testsuite>'
    echo '</testsuites>'
  } >"$reports/cli_script_test.xml"
fi
[ "$failed" -eq 0 ]
