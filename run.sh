#!/usr/bin/env bash
# Builds the editor and starts it under Wine on Linux with the bundled
# sample open, or with the model given:
#
#   ./run.sh [MODEL.4ds]
#
# With a display the editor's window opens there; without one (a server,
# CI) it runs on a virtual display and a screenshot of it is saved.
#
#   ./run.sh --install-desktop     puts "Skirvane" into the desktop's
#                                  application menu and opens .4ds files in it
#   ./run.sh --uninstall-desktop   takes both out again
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
source tools/common.sh
source tools/desktop_entry.sh
if [ "${1:-}" = --uninstall-desktop ]; then
  uninstall_desktop
  echo "Skirvane is no longer in the desktop's menu" >&2
  exit 0
fi
install=0
if [ "${1:-}" = --install-desktop ]; then
  install=1
else
  model=$(realpath -m -- "${1:-samples/sample.4ds}")
  [ -f "$model" ] || { echo "No such model: $model" >&2; exit 2; }
fi

packages=("${SKIRVANE_PACKAGES[@]}")
[ $install -eq 1 ] && packages+=("${SKIRVANE_DESKTOP_PACKAGES[@]}")
ensure_packages "${packages[@]}" || { echo "Could not install the packages" >&2; exit 1; }
mkdir -p build
echo "Building skirvane.exe (log in build/run.build.log)" >&2
if ! { cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake &&
       cmake --build build/windows -j"$(nproc)" --target skirvane; } >build/run.build.log 2>&1; then
  tail -n 30 build/run.build.log
  echo "The build failed; see build/run.build.log" >&2
  exit 1
fi
program=$root/build/windows/src/editor/skirvane.exe
if [ $install -eq 1 ]; then
  install_desktop "$program" src/editor/resources/skirvane.ico
  echo "Skirvane is in the desktop's menu, and .4ds files open in it" >&2
  exit 0
fi

# The prefix lives in the user's cache, apart from the test runs.
wine_setup "${XDG_CACHE_HOME:-$HOME/.cache}/skirvane/wine-prefix"

# The editor keeps its texture folder in Skirvane.ini beside itself; the
# first run points it at the sample's textures (drive Z: is the root).
settings=$(dirname "$program")/Skirvane.ini
if [ ! -f "$settings" ]; then
  maps="Z:${root//\//\\}\\samples\\maps"
  printf '[Paths]\r\nMAPS=%s\r\n' "$maps" >"$settings"
fi

# The model as the editor names files: on drive Z:, the file system's root.
windows_model="Z:${model//\//\\}"
# Started from the samples folder, the open dialog starts there.
cd samples
if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the editor on $model" >&2
  "$WINE" "$program" "$windows_model"
else
  shot=$root/build/run-screenshot.png
  echo "No display: running the editor on a virtual one for a screenshot" >&2
  "$root/tools/screenshot.sh" --delay 6 "$shot" "$program" "$windows_model" >/dev/null
  echo "Screenshot of the editor's main window: $shot"
fi
