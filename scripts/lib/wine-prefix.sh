# Preparing a Wine prefix for Veloria. Sourced by the run and test commands.

# Creates (or updates) the prefix in $WINEPREFIX, running wineboot once, and
# gives it the virtual desktop "shell" of 1280x1024: only inside such a
# desktop does Wine show a taskbar (Shell_TrayWnd) with the tray icons in
# it. Everything Wine starts here writes to /dev/null: the desktop process
# that the first program starts inherits its output, and would hold a pipe
# open forever.
prepare_wine_prefix() {
  mkdir -p "$WINEPREFIX"
  # No prompts for Mono or Gecko while the prefix is made.
  WINEDLLOVERRIDES="mscoree,mshtml=" timeout 180 wineboot -i >/dev/null 2>&1 </dev/null
  timeout 60 wineserver -w
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1 </dev/null
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x1024 /f >/dev/null 2>&1 </dev/null
  # No browser engine: Wine would otherwise offer to download its Gecko
  # engine the first time a page is shown. Veloria shows its pictures
  # instead of the sponsor pages, as on any page that cannot be loaded.
  timeout 60 wine reg add 'HKCU\Software\Wine\DllOverrides' /v mshtml /d '' /f >/dev/null 2>&1 </dev/null
  # Wine's Marlett (fonts-wine) draws the caption buttons; this Wine does
  # not look for it where Debian puts it, so the prefix gets its own copy.
  if [[ -f /usr/share/wine/fonts/marlett.ttf ]]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  # Restart so the next program opens the desktop with its taskbar.
  timeout 60 wineserver -k || true
  timeout 60 wineserver -w || true
}

stop_wine() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
}
