#!/usr/bin/env bash
# End to end: keyseq.exe under Wine opens a visible top-level window titled "键序台" of the
# framework's form class, closes on WM_CLOSE and ends with exit status 0. The window is found
# and closed through the real Win32 window tree by keyseq_probe.exe, a program of ours built
# beside it.
#
# Needs DISPLAY (an X display, e.g. Xvfb) and WINEPREFIX; KEYSEQ_BUILD names the Windows
# build directory (default build/windows). Prints one line, "PASS: window_title" or
# "FAIL: window_title: <reason>", and exits 0 or 1.
set -u
name=window_title
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${KEYSEQ_BUILD:-$repo/build/windows}
app=$build/app/keyseq.exe
probe=$build/tools/winprobe/keyseq_probe.exe
export WINEDEBUG=${WINEDEBUG:--all}
# 键序台 as UTF-16 code points: the probe's command line then does not depend on the locale.
title="u:952e,5e8f,53f0"

app_pid=""
finish() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
}
fail() {
  echo "FAIL: $name: $*"
  finish
  exit 1
}

[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set"
[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set"
[ -f "$app" ] || fail "$app is missing (build the windows preset)"
[ -f "$probe" ] || fail "$probe is missing (build the windows preset)"

wine "$app" >/dev/null 2>&1 &
app_pid=$!

wine "$probe" wait "$title" 30000 >/dev/null 2>&1 ||
  fail "no visible window titled 键序台 within 30 s"
found=$(wine "$probe" text "$title" 2>/dev/null | tr -d '\r')
class_name=$(printf '%s\n' "$found" | sed -n 1p)
window_text=$(printf '%s\n' "$found" | sed -n 2p)
[ "$class_name" = "RixWinForm" ] || fail "window class is '$class_name'"
[ "$window_text" = "键序台" ] || fail "window text reads back as '$window_text'"

wine "$probe" close "$title" >/dev/null 2>&1 || fail "could not post WM_CLOSE"
for _ in $(seq 1 300); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "still running 30 s after WM_CLOSE"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
wine "$probe" text "$title" >/dev/null 2>&1 && fail "the window outlived the program"

echo "PASS: $name"
exit 0
