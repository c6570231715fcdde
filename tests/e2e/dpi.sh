#!/usr/bin/env bash
# End to end at 144 DPI: keyseq.exe under Wine in a prefix of its own whose DPI is 144 (the
# shared prefix of the other tests stays at 96), used with xdotool and read with
# keyseq_probe.exe (ours, per-monitor aware, so it reads screen pixels).
#
#   layout   the client area is 750 × 480 and every control sits at 1.5 × its designed place
#            and size (MulDiv rounding: halves up), with its caption
#   pause    after `xdotool mousemove 300 200` the position label shows 300，200 and Pause puts
#            300 and 200 into the coordinate boxes
#   replay   the step E300@200 added from those boxes and replayed with the trigger key puts
#            the X pointer at 300, 200
#
# Needs DISPLAY; WINEPREFIX names the shared prefix, beside which the 144-DPI one is made on
# first use ("<prefix>-dpi144", the same recipe as scripts/lib/wine.sh, then the DPI set in
# the registry). KEYSEQ_BUILD names the Windows build directory. Prints "PASS: dpi_<part>" or
# "FAIL: dpi_<part>: <reason>" per part.
e2e_name=dpi
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require display "$app" "$probe_exe"

# The 144-DPI prefix: its own wineserver, stopped again at the end.
shared_prefix=${WINEPREFIX:-$repo/.wine}
export WINEPREFIX=${shared_prefix%/}-dpi144
# shellcheck source=../../scripts/lib/wine.sh
source "$repo/scripts/lib/wine.sh"
wine_ensure_prefix
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w

work=$(mktemp -d)
cp "$app" "$work/"
at_exit 'wineserver -k >/dev/null 2>&1'
at_exit 'rm -rf "$work"'

title=$app_title
source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

# ---- layout -----------------------------------------------------------------------------
launch_in "$work" "$work/keyseq.exe"
probe wait "$title" 30000 >/dev/null || fail layout "no window titled 键序台 within 30 s"
sleep 1
read -r _ _ cw ch <<<"$(probe client "$title")"
[ "$cw $ch" = "750 480" ] || fail layout "client area $cw x $ch, expected 750 x 480"

# Every control at 1.5 times its designed place and size.
mismatch=$(check_layout 144) || fail layout "$mismatch"
pass layout

# ---- pause ------------------------------------------------------------------------------
xdotool mousemove 300 200
wait_for "300，200" text_of 10 || fail pause "the position label does not show 300，200"
xdotool key Pause
wait_for "300" text_of 22 || fail pause "coordinate X box reads '$(text_of 22)'"
[ "$(text_of 23)" = "200" ] || fail pause "coordinate Y box reads '$(text_of 23)'"
pass pause

# ---- replay -----------------------------------------------------------------------------
location() { xdotool getmouselocation | cut -d' ' -f1-2; }
click 28 # 添加坐标
wait_for "sel -1
坐标300@200" probe lines "$title" 0 || fail replay "the step list after 添加坐标"
# Away from 300, 200 but over the window: without a window manager the keys go to the X
# window under the pointer, and Wine's hook sees only those that reach a Wine window.
list=$(control 16)
xdotool mousemove $(($(field "$list" 6) + $(field "$list" 4) / 2)) $(($(field "$list" 7) + 40))
sleep 0.3
[ "$(location)" != "x:300 y:200" ] || fail replay "the pointer did not move away first"
xdotool key F1
wait_for "x:300 y:200" location || fail replay "the pointer is at $(location) after the E step"
pass replay
exit 0
