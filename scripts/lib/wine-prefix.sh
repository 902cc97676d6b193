# Preparing a Wine prefix for Veloria, and starting Wine at fixed addresses.
# Sourced by the commands that run Wine.

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

# This Wine's loader comes without Wine's preloader: Linux puts the loader's
# heap anywhere in the gigabyte above it, and now and then right where every
# Wine process maps its shared user data (0x7ffe0000). Such a process ends
# at its start with exit code 1 and "failed to map the shared user data",
# before it makes a window. A command that starts Wine runs itself again,
# once, without address randomisation, which everything it starts inherits
# (the wineserver too); where the system refuses that, it runs as it is.
# Called as: run_without_address_randomisation "$0" "$@"
run_without_address_randomisation() {
  local personality
  personality=$(cat /proc/self/personality 2>/dev/null) || return 0
  (( 0x$personality & 0x0040000 )) && return 0  # ADDR_NO_RANDOMIZE already
  setarch "$(uname -m)" -R true 2>/dev/null || return 0
  exec setarch "$(uname -m)" -R bash "$@"
}
