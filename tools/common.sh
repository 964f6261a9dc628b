# Shared by test.sh, run.sh and the tools: installing what is missing and
# preparing Wine. Meant to be sourced from the project's root.

# The Debian packages the project builds, tests and runs with.
SKIRVANE_PACKAGES=(
  cmake g++ make git googletest libgtest-dev libgmock-dev libbenchmark-dev libstb-dev nlohmann-json3-dev libcli11-dev
  g++-mingw-w64-x86-64-posix wine64 fonts-wine fonts-liberation xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev
)
# What the desktop entry of ./run.sh --install-desktop needs (and its test).
SKIRVANE_DESKTOP_PACKAGES=(desktop-file-utils shared-mime-info xdg-utils imagemagick)
# What the benchmark scripts need beyond the build.
SKIRVANE_BENCH_PACKAGES=(hyperfine)

# Installs the packages that are not installed yet; says nothing when all are.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq >/dev/null &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine's programs by their own paths: the names on PATH come from the package
# "wine", which wine64 only recommends, so it is not installed here.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

# Exports a quiet Wine environment with its prefix in $1, creates the prefix
# when it is missing and starts one persistent server for all Wine
# processes that follow. Windows open inside one virtual desktop: without a
# window manager (as under xvfb) Wine would otherwise wait for one at every
# activation.
wine_setup() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine writes file names in the locale's character set: in a locale that
  # is not UTF-8 no name outside ASCII could be created or opened.
  [ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # Refused when a server of this prefix already runs, which is as good.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/.skirvane-desktop" ]; then
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 &&
      "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.skirvane-desktop"
  fi
  # Start the prefix's services now, away from any output a caller waits on:
  # a service started by a test would keep that test's output open.
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  # Debian's Wine does not find the fonts it brings (Tahoma, and Marlett for
  # the title bar buttons); the prefix gets links to them.
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] || continue
    ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
}

wine_teardown() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
}
