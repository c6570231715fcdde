#!/usr/bin/env bash
# End to end: keyseq.exe under Wine shows one top-level window "键序台" whose client area is
# 500 × 320, centred on the screen of the display, with the program's icon and a white client
# background; Esc typed into it leaves it open, and Alt+F4 closes it and the program ends with exit
# status 0.
#
# The Win32 side (title, count, client area, window and monitor rectangles, screen size) is
# read by keyseq_probe.exe. The icon is read from the X display: Wine does not answer
# WM_GETICON sent from another process, but it hands the window's icons to the desktop as the
# X property _NET_WM_ICON, which icon_matches.py compares with app/resources/keyseq.ico pixel
# for pixel. Keys are typed with xdotool into the focused X window, as a user would.
#
# Needs DISPLAY (an X display, e.g. Xvfb) and WINEPREFIX; KEYSEQ_BUILD names the Windows
# build directory (default build/windows). Prints "PASS: <check>" for each check that held or
# "FAIL: <check>: <reason>" and stops at the first failure; exits 0 or 1.
set -u
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${KEYSEQ_BUILD:-$repo/build/windows}
app=$build/app/keyseq.exe
probe=$build/tools/winprobe/keyseq_probe.exe
icon_file=$repo/app/resources/keyseq.ico
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
  echo "FAIL: $1: $2"
  finish
  exit 1
}
pass() { echo "PASS: $1"; }

[ -n "${DISPLAY:-}" ] || fail main_window "DISPLAY is not set"
[ -n "${WINEPREFIX:-}" ] || fail main_window "WINEPREFIX is not set"
[ -f "$app" ] || fail main_window "$app is missing (build the windows preset)"
[ -f "$probe" ] || fail main_window "$probe is missing (build the windows preset)"

wine "$app" >/dev/null 2>&1 &
app_pid=$!
wine "$probe" wait "$title" 30000 >/dev/null 2>&1 ||
  fail main_window "no visible window titled 键序台 within 30 s"

# One window, not one per start-up step.
count=$(wine "$probe" count "$title" 2>/dev/null | tr -d '\r')
[ "$count" = 1 ] || fail main_window_is_one "$count visible top-level windows titled 键序台"
pass main_window_is_one

# Client area and centring on the window's monitor, which is the whole display.
geometry=$(wine "$probe" geometry "$title" 2>/dev/null | tr -d '\r') ||
  fail main_window_geometry "the probe could not read the window's rectangles"
field() { printf '%s\n' "$geometry" | sed -n "s/^$1 //p"; }
read -r cw ch <<<"$(field client)"
read -r wl wt wr wb <<<"$(field window)"
read -r ml mt mr mb <<<"$(field monitor)"
read -r sw sh <<<"$(field screen)"
display=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
[ "$cw $ch" = "500 320" ] || fail main_window_geometry "client area $cw x $ch, expected 500 x 320"
[ "$sw $sh" = "$display" ] ||
  fail main_window_geometry "Wine's screen is $sw x $sh, the X display is ${display/ / x }"
[ "$ml $mt $mr $mb" = "0 0 $sw $sh" ] ||
  fail main_window_geometry "the window's monitor is ($ml, $mt)-($mr, $mb), not the screen"
want_left=$(((ml + mr - (wr - wl)) / 2))
want_top=$(((mt + mb - (wb - wt)) / 2))
[ "$wl $wt" = "$want_left $want_top" ] ||
  fail main_window_geometry "window at ($wl, $wt), centred would be ($want_left, $want_top) on $sw x $sh"
pass "main_window_geometry (client 500 x 320 centred on $sw x $sh)"

# The program's icon, as the desktop receives it.
xid=$(xdotool search --name '^键序台$' 2>/dev/null | head -1)
[ -n "$xid" ] || fail main_window_icon "no X window named 键序台"
icon_property=$(xprop -id "$xid" -notype 32c _NET_WM_ICON 2>/dev/null)
compared=$(python3 "$repo/tests/e2e/icon_matches.py" "$icon_property" "$icon_file") ||
  fail main_window_icon "the window's icon is not keyseq.ico: $(echo $compared)"
pass "main_window_icon ($(echo $compared))"

# The client area as the display shows it (the X window holds the client area only). The
# controls cover most of it; the margins along the left and the top edge (6 pixels, where no
# control of the layout reaches) show the form's own background: plain white.
shot=$(mktemp --suffix=.png)
import -window "$xid" "$shot" 2>/dev/null || fail main_window_background "could not capture the window"
size=$(convert "$shot" -format '%w x %h' info: 2>/dev/null)
margin_colours() {
  convert "$shot" -crop "$1" +repage -unique-colors -format '%w' info: 2>/dev/null
}
margin_colour() {
  convert "$shot" -crop "$1" +repage \
    -format '%[fx:int(255*p{0,0}.r)],%[fx:int(255*p{0,0}.g)],%[fx:int(255*p{0,0}.b)]' info: 2>/dev/null
}
left="$(margin_colours 6x320+0+0) $(margin_colour 6x320+0+0)"
top="$(margin_colours 500x6+0+0) $(margin_colour 500x6+0+0)"
rm -f "$shot"
[ "$size" = "500 x 320" ] || fail main_window_background "the captured client area is $size"
[ "$left" = "1 255,255,255" ] && [ "$top" = "1 255,255,255" ] ||
  fail main_window_background "the margins are not plain white (left: $left; top: $top)"
pass main_window_background

# Esc leaves the main window open; Alt+F4 through the same keyboard closes it.
xdotool windowfocus --sync "$xid" 2>/dev/null || fail main_window_keys "could not focus the window"
xdotool key Escape
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail main_window_esc "the program ended on Esc"
count=$(wine "$probe" count "$title" 2>/dev/null | tr -d '\r')
[ "$count" = 1 ] || fail main_window_esc "the window is gone after Esc"
pass main_window_esc

# Alt+F4 as a user presses it with the step list focused (a click into it). The focus starts
# in the trigger box, and Wine's combo box keeps every Alt key-down to itself, Alt+F4
# included, so that it would never reach the window there.
xdotool mousemove --window "$xid" 140 200 click 1
sleep 0.3
xdotool key alt+F4
for _ in $(seq 1 300); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail main_window_alt_f4 "still running 30 s after Alt+F4"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail main_window_alt_f4 "exit status $status, expected 0"
count=$(wine "$probe" count "$title" 2>/dev/null | tr -d '\r')
[ "$count" = 0 ] || fail main_window_alt_f4 "the window outlived the program"
pass main_window_alt_f4
exit 0
