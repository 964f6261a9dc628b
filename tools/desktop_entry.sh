# Sourced by run.sh: puts the editor into the user's desktop (an entry
# "Skirvane" in the application menu with the program's own icon, and the
# file type of .4ds models opening in it) and takes it out again. Only the
# user's own folders are written (XDG_DATA_HOME, XDG_CONFIG_HOME). What it
# needs is in SKIRVANE_DESKTOP_PACKAGES (tools/common.sh).

readonly skirvane_mime_type=application/x-4ds-model

desktop_data=${XDG_DATA_HOME:-$HOME/.local/share}
desktop_config=${XDG_CONFIG_HOME:-$HOME/.config}
desktop_home=$desktop_data/skirvane

# install_desktop EDITOR.EXE ICON.ICO: copies the editor beside a launcher
# that runs it under Wine, and registers the entry, the icon and the type.
install_desktop() {
  local program=$1 icon=$2
  mkdir -p "$desktop_home" "$desktop_data/applications" "$desktop_data/mime/packages" \
    "$desktop_data/icons/hicolor/48x48/apps" "$desktop_config"
  cp "$program" "$desktop_home/skirvane.exe"
  # The launcher gives the model as Windows names it: on drive Z:, the root.
  cat >"$desktop_home/skirvane" <<LAUNCHER
#!/bin/sh
# Starts the Skirvane editor under Wine, with the model given (if any).
export WINEPREFIX="\${WINEPREFIX:-\${XDG_CACHE_HOME:-\$HOME/.cache}/skirvane/wine-prefix}" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ \$# -gt 0 ]; then
  model=\$(realpath -m -- "\$1" | sed 's|/|\\\\|g')
  exec $WINE "$desktop_home/skirvane.exe" "Z:\$model"
fi
exec $WINE "$desktop_home/skirvane.exe"
LAUNCHER
  chmod +x "$desktop_home/skirvane"
  # The largest picture of the program's icon.
  convert "$icon[-1]" -resize 48x48 "$desktop_data/icons/hicolor/48x48/apps/skirvane.png"
  cat >"$desktop_data/applications/skirvane.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Skirvane
GenericName=4DS material editor
Comment=Edit the materials of 4DS models
Exec="$desktop_home/skirvane" %f
Icon=skirvane
MimeType=$skirvane_mime_type;
Categories=Graphics;3DGraphics;
Terminal=false
ENTRY
  cat >"$desktop_data/mime/packages/skirvane-4ds.xml" <<TYPE
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="$skirvane_mime_type">
    <comment>4DS model</comment>
    <glob pattern="*.4ds"/>
    <magic priority="50"><match type="string" offset="0" value="4DS\\0"/></magic>
  </mime-type>
</mime-info>
TYPE
  update-mime-database "$desktop_data/mime" >/dev/null
  update-desktop-database "$desktop_data/applications"
  XDG_DATA_HOME=$desktop_data XDG_CONFIG_HOME=$desktop_config xdg-mime default skirvane.desktop "$skirvane_mime_type"
}

uninstall_desktop() {
  rm -rf "$desktop_home"
  rm -f "$desktop_data/applications/skirvane.desktop" "$desktop_data/mime/packages/skirvane-4ds.xml" \
    "$desktop_data/icons/hicolor/48x48/apps/skirvane.png"
  [ -d "$desktop_data/mime" ] && update-mime-database "$desktop_data/mime" >/dev/null
  [ -d "$desktop_data/applications" ] && update-desktop-database "$desktop_data/applications"
  # The type's default application, as xdg-mime wrote it.
  [ -f "$desktop_config/mimeapps.list" ] && sed -i "\\|^$skirvane_mime_type=skirvane.desktop;*\$|d" "$desktop_config/mimeapps.list"
  return 0
}
