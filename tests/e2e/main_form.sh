#!/usr/bin/env bash
# End to end: keyseq.exe under Wine shows one top-level window "键序台" whose client area is
# 500 × 320, centred on the screen of the display, with the program's icon and a white client
# background; Esc typed into it leaves it open, and Alt+F4 closes it and the program ends with exit
# status 0, with the step list focused and, in a second start, at once with the focus where the
# program puts it (the trigger box).
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
# The checks are named after the window: main_window_<check>.
e2e_name=main_window
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
icon_file=$repo/app/resources/keyseq.ico

require display "$app" "$probe_exe"

launch "$app"
probe wait "$app_title" 30000 >/dev/null || abort "no visible window titled 键序台 within 30 s"

# One window, not one per start-up step.
count=$(probe count "$app_title")
[ "$count" = 1 ] || fail is_one "$count visible top-level windows titled 键序台"
pass is_one

# Client area and centring on the window's monitor, which is the whole display.
geometry=$(probe geometry "$app_title") ||
  fail geometry "the probe could not read the window's rectangles"
field() { printf '%s\n' "$geometry" | sed -n "s/^$1 //p"; }
read -r cw ch <<<"$(field client)"
read -r wl wt wr wb <<<"$(field window)"
read -r ml mt mr mb <<<"$(field monitor)"
read -r sw sh <<<"$(field screen)"
display=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
[ "$cw $ch" = "500 320" ] || fail geometry "client area $cw x $ch, expected 500 x 320"
[ "$sw $sh" = "$display" ] ||
  fail geometry "Wine's screen is $sw x $sh, the X display is ${display/ / x }"
[ "$ml $mt $mr $mb" = "0 0 $sw $sh" ] ||
  fail geometry "the window's monitor is ($ml, $mt)-($mr, $mb), not the screen"
want_left=$(((ml + mr - (wr - wl)) / 2))
want_top=$(((mt + mb - (wb - wt)) / 2))
[ "$wl $wt" = "$want_left $want_top" ] ||
  fail geometry "window at ($wl, $wt), centred would be ($want_left, $want_top) on $sw x $sh"
pass "geometry (client 500 x 320 centred on $sw x $sh)"

# The program's icon, as the desktop receives it.
xid=$(xdotool search --name '^键序台$' 2>/dev/null | head -1)
[ -n "$xid" ] || fail icon "no X window named 键序台"
icon_property=$(xprop -id "$xid" -notype 32c _NET_WM_ICON 2>/dev/null)
compared=$(python3 "$repo/tests/e2e/icon_matches.py" "$icon_property" "$icon_file") ||
  fail icon "the window's icon is not keyseq.ico: $(echo $compared)"
pass "icon ($(echo $compared))"

# The client area as the display shows it (the X window holds the client area only). The
# controls cover most of it; the margins along the left and the top edge (6 pixels, where no
# control of the layout reaches) show the form's own background: plain white.
shot=$(mktemp --suffix=.png)
at_exit 'rm -f "$shot"'
import -window "$xid" "$shot" 2>/dev/null || fail background "could not capture the window"
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
[ "$size" = "500 x 320" ] || fail background "the captured client area is $size"
[ "$left" = "1 255,255,255" ] && [ "$top" = "1 255,255,255" ] ||
  fail background "the margins are not plain white (left: $left; top: $top)"
pass background

# Esc leaves the main window open; Alt+F4 through the same keyboard closes it.
xdotool windowfocus --sync "$xid" 2>/dev/null || fail keys "could not focus the window"
xdotool key Escape
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail esc "the program ended on Esc"
count=$(probe count "$app_title")
[ "$count" = 1 ] || fail esc "the window is gone after Esc"
pass esc

# Alt+F4 as a user presses it with the step list focused (a click into it).
xdotool mousemove --window "$xid" 140 200 click 1
sleep 0.3
xdotool key alt+F4
await_app_exit 30 || fail alt_f4 "still running 30 s after Alt+F4"
[ "$app_exit" -eq 0 ] || fail alt_f4 "exit status $app_exit, expected 0"
count=$(probe count "$app_title")
[ "$count" = 0 ] || fail alt_f4 "the window outlived the program"
pass alt_f4

# Alt+F4 at once after the start, no click first: the focus is in the trigger box, and Wine's
# combo box keeps every Alt key-down to itself without the default processing that closes the
# window; the form's pre-translation closes it whatever control has the key.
launch "$app"
probe wait "$app_title" 30000 >/dev/null || abort "no visible window titled 键序台 at the second start"
xid=$(xdotool search --name '^键序台$' 2>/dev/null | head -1)
[ -n "$xid" ] || fail alt_f4_at_start "no X window named 键序台"
xdotool windowfocus --sync "$xid" 2>/dev/null || fail alt_f4_at_start "could not focus the window"
xdotool key alt+F4
await_app_exit 30 || fail alt_f4_at_start "still running 30 s after Alt+F4"
[ "$app_exit" -eq 0 ] || fail alt_f4_at_start "exit status $app_exit, expected 0"
count=$(probe count "$app_title")
[ "$count" = 0 ] || fail alt_f4_at_start "the window outlived the program"
pass alt_f4_at_start
exit 0
