#!/usr/bin/env bash
# End to end: what a user types into the delay box of keyseq.exe under Wine, with xdotool (which
# types any Unicode character, as a Chinese input method's full-width digits and tilde), and
# the step it adds, its line and its code in the saved file. The program runs from a fresh
# folder.
#
#   wide     "５０～８０" and "５０" typed into the delay box add 延迟50~80 and 延迟50; saved, the
#            file holds D50~80 D50 and the lines rebuilt from it read 延时50~80, 延时50
#   blank    "5 0" is refused by a message box "提示信息" that names the delay box and the
#            fault; nothing is added
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: step_boxes_<part>" or "FAIL: step_boxes_<part>: <reason>" per part.
e2e_name=step_boxes
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title                     # 键序台
notice_title="u:63d0,793a,4fe1,606f" # 提示信息

require display "$app" "$probe_exe"
use_fresh_folder

source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

list_lines() { probe lines "$title" 0; }

# Empties the delay box (control 18) and types the text into it.
type_delay() {
  click 18
  xdotool key ctrl+a BackSpace
  xdotool type --delay 120 "$1"
  wait_for "$1" text_of 18 || fail "$2" "the delay box does not show $1"
}

launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || fail wide "no window titled 键序台 within 30 s"
sleep 1

# ---- wide -------------------------------------------------------------------------------
type_delay "５０～８０" wide
click 26 # 添加延迟
type_delay "５０" wide
click 26
wait_for "sel -1
延迟50~80
延迟50" list_lines || fail wide "the lines after adding"
save_scheme_as wide wide
for _ in $(seq 1 50); do
  [ -s "$work/ini/wide.txt" ] && break
  sleep 0.2
done
got=$(file_hex "$work/ini/wide.txt")
[ "$got" = "$(scheme_hex 'D50~80 D50')" ] || fail wide "wide.txt holds $got"
wait_for "sel -1
延时50~80
延时50" list_lines || fail wide "the lines rebuilt from the file"
if [ -n "${KEYSEQ_SHOTS:-}" ]; then
  mkdir -p "$KEYSEQ_SHOTS"
  import -window root "$KEYSEQ_SHOTS/step_boxes.png" 2>/dev/null
fi
pass wide

# ---- blank ------------------------------------------------------------------------------
type_delay "5 0" blank
click 26
probe wait "$notice_title" 10000 >/dev/null || fail blank "no message box"
said='延迟框里的“5 0”：数字中间不能有空格'
message=$(message_saying "$notice_title" "*$said*")
[[ $message == *"$said"* ]] || fail blank "the message box says $message"
if [ -n "${KEYSEQ_SHOTS:-}" ]; then
  import -window root "$KEYSEQ_SHOTS/step_boxes_blank.png" 2>/dev/null
fi
xdotool key Return
sleep 0.5
probe text "$notice_title" >/dev/null 2>&1 && fail blank "the message box stayed"
wait_for "sel -1
延时50~80
延时50" list_lines || fail blank "a step was added"
pass blank
exit 0
