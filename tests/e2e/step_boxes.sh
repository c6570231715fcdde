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

# Empties the delay box (control 18) and types characters into it (arguments after the part),
# one at a time, each until the box shows it. A character that no key of the X keymap makes
# is typed by xdotool binding a spare key code to it, typing it and unbinding it at once; Wine
# reads the keymap again when it learns of each change, and now and then the key comes when
# the binding it read is already gone, and the character is lost on its way. That is the
# tools' race, not the program's: the character is typed again.
type_delay() {
  local part=$1 text="" attempt
  shift
  click 18
  xdotool key ctrl+a BackSpace
  wait_for "" text_of 18 || fail "$part" "the delay box was not emptied"
  for c in "$@"; do
    for attempt in 1 2 3 4 5; do
      xdotool type "$c"
      sleep 0.3
      [ "$(text_of 18)" = "$text$c" ] && break
    done
    text+=$c
  done
  wait_for "$text" text_of 18 || fail "$part" "the delay box does not show $text"
}

launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || fail wide "no window titled 键序台 within 30 s"
sleep 1

# ---- wide -------------------------------------------------------------------------------
type_delay wide ５ ０ ～ ８ ０
click 26 # 添加延迟
type_delay wide ５ ０
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
type_delay blank 5 " " 0
click 26
probe wait "$notice_title" 10000 >/dev/null || fail blank "no message box"
said='延迟框里的“5 0”：数字中间不能有空格'
message=$(message_saying "$notice_title" "*$said*")
[[ $message == *"$said"* ]] || fail blank "the message box says $message"
if [ -n "${KEYSEQ_SHOTS:-}" ]; then
  import -window root "$KEYSEQ_SHOTS/step_boxes_blank.png" 2>/dev/null
fi
xdotool key Return
for _ in $(seq 1 50); do
  [ "$(probe count "$notice_title")" = 0 ] && break
  sleep 0.2
done
[ "$(probe count "$notice_title")" = 0 ] || fail blank "the message box stayed"
wait_for "sel -1
延时50~80
延时50" list_lines || fail blank "a step was added"
pass blank
exit 0
