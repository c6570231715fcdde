# Shared by the scripts that run Windows programs: a private Wine prefix and a virtual display.
# Source it; it defines functions and changes nothing until they are called.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$repo_root/.wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No dialogs asking to install Mono or Gecko into the prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the prefix on first use and makes the CJK font stand in for the faces Windows
# programs ask for, so that Chinese captions render.
wine_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
    local face
    for face in "Microsoft YaHei" "SimSun" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "宋体" "微软雅黑"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
        >/dev/null 2>&1 || true
    done
    wineserver -w
  fi
}

# Starts Xvfb on a free display unless DISPLAY is set already; wine_stop_display undoes it.
xvfb_pid=""
wine_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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
