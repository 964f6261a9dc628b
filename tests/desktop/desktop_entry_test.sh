#!/usr/bin/env bash
# The desktop entry of ./run.sh --install-desktop, in a home folder of its
# own: it validates, the .4ds type is known and opens in it, the launcher
# hands Wine the model as Windows names it, and uninstalling leaves nothing.
#
#   tests/desktop/desktop_entry_test.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_DATA_DIRS=/usr/share
failures=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then echo "ok    $description"; else echo "FAIL  $description"; failures=$((failures + 1)); fi
}

# Wine stands in as a program that prints what it was given.
WINE=$home/wine
printf '#!/bin/sh\nprintf "%%s\\n" "$*"\n' >"$WINE"
chmod +x "$WINE"
echo "not really a program" >"$home/skirvane.exe"
source "$root/tools/desktop_entry.sh"
install_desktop "$home/skirvane.exe" "$root/src/editor/resources/skirvane.ico"

entry=$XDG_DATA_HOME/applications/skirvane.desktop
check "the entry validates" desktop-file-validate "$entry"
check "the icon is a 48 x 48 picture" test "$(identify -format %wx%h "$XDG_DATA_HOME/icons/hicolor/48x48/apps/skirvane.png")" = 48x48
printf '4DS\0' >"$home/car.4ds"
check "a .4ds file is a 4DS model" test "$(xdg-mime query filetype "$home/car.4ds")" = application/x-4ds-model
check "4DS models open in Skirvane" test "$(xdg-mime query default application/x-4ds-model)" = skirvane.desktop
check "the launcher gives Wine the model on drive Z:" \
  test "$("$XDG_DATA_HOME/skirvane/skirvane" "$home/car.4ds")" = "$XDG_DATA_HOME/skirvane/skirvane.exe Z:${home//\//\\}\\car.4ds"

uninstall_desktop
check "uninstalling removes the entry and the program" test ! -e "$entry" -a ! -e "$XDG_DATA_HOME/skirvane"
check "4DS models no longer open in Skirvane" test -z "$(xdg-mime query default application/x-4ds-model)"
[ "$failures" -eq 0 ]
