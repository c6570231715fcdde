# Shared by the scripts that run Windows programs: a private Wine prefix and a virtual display.
# Source it; it defines functions and changes nothing until they are called.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$repo_root/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No dialogs asking to install Mono or Gecko into the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the prefix on first use; then makes sure the CJK font stands in for the faces Windows
# programs ask for (wine_ensure_replacements) and the prefix has the caption-button font
# (wine_ensure_fonts).
wine_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wine_ensure_replacements
  wine_ensure_fonts
}

# Makes the CJK font stand in for the faces Windows programs ask for, so that Chinese captions
# render instead of boxes. Also mends a prefix that lost or never got the replacements (one made
# by hand, or by an older version of this script whose additions did not take).
wine_ensure_replacements() {
  grep -q 'Fonts\\\\Replacements' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local face
  for face in "Microsoft YaHei" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "宋体" "微软雅黑"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1 || true
  done
  wineserver -w
}

# Wine's own fonts (package fonts-wine, in /usr/share/wine/fonts) never reach the programs: this
# Wine looks for them under "Z:\usr\share\wine\../fonts", a name that no lookup resolves, so
# the only fonts of its own it loads are those in the prefix's C:\windows\Fonts, which wineboot
# leaves empty. The title-bar buttons draw their glyphs in Marlett and, without it, show the
# letters "0 1 r". We copy Marlett alone: with Wine's Tahoma in the prefix too, that face would
# exist, its replacement by the CJK font above would no longer apply, and Chinese captions
# would show boxes. Also mends prefixes made before this step existed.
wine_ensure_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] && return 0
  if [ ! -f /usr/share/wine/fonts/marlett.ttf ]; then
    echo "wine.sh: /usr/share/wine/fonts/marlett.ttf is missing (package fonts-wine)" >&2
    return 0
  fi
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# Starts Xvfb on a free display unless DISPLAY is set already; wine_stop_display undoes it.
# The screen is 1280 × 800, on which the end-to-end tests find the main window centred.
xvfb_pid=""
wine_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine.sh: Xvfb did not start on $DISPLAY" >&2
  return 1
}

wine_stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
