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

children() { probe children "$app_title"; }
field() { printf '%s\n' "$1" | cut -f"$2"; }
control() { children | sed -n "$(($1 + 1))p"; }
text_of() { field "$(control "$1")" 8; }
click() {
  local line sx sy w h
  line=$(control "$1")
  sx=$(field "$line" 6) sy=$(field "$line" 7) w=$(field "$line" 4) h=$(field "$line" 5)
  xdotool mousemove $((sx + w / 2)) $((sy + h / 2)) click 1
  sleep 0.3
}
wait_for() {
  local expected=$1
  shift
  local got=""
  for _ in $(seq 1 50); do
    got=$("$@")
    [ "$got" = "$expected" ] && return 0
    sleep 0.2
  done
  echo "   expected: $(printf '%s' "$expected" | tr '\n' '|')" >&2
  echo "   got:      $(printf '%s' "$got" | tr '\n' '|')" >&2
  return 1
}

# ---- layout -----------------------------------------------------------------------------
launch_in "$work" "$work/keyseq.exe"
probe wait "$app_title" 30000 >/dev/null || fail layout "no window titled 键序台 within 30 s"
sleep 1
read -r _ _ cw ch <<<"$(probe client "$app_title")"
[ "$cw $ch" = "750 480" ] || fail layout "client area $cw x $ch, expected 750 x 480"

# The designed class, x, y, w, h and caption of the thirty controls (the table of
# main_window.sh); each number is expected at 1.5 times, rounded as MulDiv rounds.
designed="RixLabel	10	10	60	24	触发按键：
RixLabel	260	10	60	24	使用方案：
RixLabel	10	45	60	24	操作步骤
RixLabel	260	70	60	24	按键：
RixLabel	260	110	60	24	鼠标：
RixLabel	260	150	60	24	延迟：
RixLabel	260	190	60	24	位置：
RixLabel	130	10	60	24	执行次数：
RixLabel	90	45	60	24	当前坐标：
RixLabel	150	45	60	24	*
RixLabel	260	230	60	24	坐标：
RixLabel	215	45	120	24	按Pause捕获当前坐标
ComboBox	70	12	50	*	F1
ComboBox	320	12	80	*	
ComboBox	320	110	80	*	左键
ListBox	10	70	250	245	
Edit	320	70	80	24	
Edit	320	150	80	24	50
Edit	320	190	39	24	-8
Edit	360	190	40	24	0
Edit	190	10	60	24	1
Edit	320	230	39	24	
Edit	360	230	40	24	
Button	405	69	80	28	添加按键
Button	405	109	80	28	添加鼠标
Button	405	149	80	28	添加延迟
Button	405	189	80	28	添加移动
Button	405	229	80	28	添加坐标
Button	285	265	200	45	保存本方案
Button	405	8	80	28	删除方案"
at144() { [ "$1" = "*" ] && echo "*" || echo $(((3 * $1 + 1) / 2)); }
actual=$(children | sed -n '2,31p' | cut -f1-5,8)
n=0
while IFS= read -r want; do
  n=$((n + 1))
  IFS=$'\t' read -r wc wx wy ww wh wt <<<"$want"
  want="$wc	$(at144 "$wx")	$(at144 "$wy")	$(at144 "$ww")	$(at144 "$wh")	$wt"
  got=$(printf '%s\n' "$actual" | sed -n "${n}p")
  IFS=$'\t' read -r gc gx gy gw gh gt <<<"$got"
  [ "$wh" = "*" ] && gh="*"
  [ "$wt" = "*" ] && gt="*"
  [ "${gc,,}" = "${wc,,}" ] && [ "$gx $gy $gw $gh" = "$(at144 "$wx") $(at144 "$wy") $(at144 "$ww") $(at144 "$wh")" ] &&
    [ "$gt" = "$wt" ] || fail layout "control $n is '$got', expected '$want'"
done <<<"$designed"
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
坐标300@200" probe lines "$app_title" 0 || fail replay "the step list after 添加坐标"
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
