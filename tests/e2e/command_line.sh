#!/usr/bin/env bash
# End to end: keyseq.exe NAME under Wine starts with the scheme NAME picked in the scheme box
# and its steps loaded; a name with a blank comes quoted, and any further argument is ignored.
# A name that is no listed scheme shows a "提示信息" message saying so, and the program starts
# with nothing picked.
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: command_line_<check>" or "FAIL: command_line_<check>: <reason>".
e2e_name=command_line
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title
notice_title="u:63d0,793a,4fe1,606f" # 提示信息

require display "$app" "$probe_exe"
use_fresh_folder

mkdir "$work/ini"
# UTF-16LE with the byte-order mark.
utf16() { printf '\xff\xfe'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
utf16 "A65" >"$work/ini/a.txt"
utf16 "A65 D50~80 B1" >"$work/ini/my scheme.txt"

close_app() {
  xdotool key --window "$(xdotool search --name '^键序台$' | head -1)" alt+F4 2>/dev/null
  probe close "$title" >/dev/null 2>&1
  await_app_exit 30 || stop_pid "$app_pid"
  app_pid=""
}

# ---- picked: a quoted name with a blank, and a further argument that is ignored ----------
launch_in "$work" "$app" "my scheme" other
probe wait "$title" 30000 >/dev/null || abort "no window titled 键序台 within 30 s"
sleep 1
combo=$(probe combo "$title" 1)
lines=$(probe lines "$title" 0)
[ "$(printf '%s\n' "$combo" | head -1)" = "sel 1" ] &&
  [ "$(printf '%s\n' "$combo" | sed -n 3p)" = "my scheme" ] ||
  fail picked "the scheme box: $(printf '%s' "$combo" | tr '\n' '|')"
[ "$lines" = "$(printf 'sel -1\n按键A\n延时50~80\n鼠标左键')" ] ||
  fail picked "the step list: $(printf '%s' "$lines" | tr '\n' '|')"
[ "$(probe count "$notice_title")" = 0 ] || fail picked "a message came up"
pass picked
close_app

# ---- unknown: a message, then nothing picked -----------------------------------------------
launch_in "$work" "$app" nosuch
probe wait "$notice_title" 30000 >/dev/null || fail unknown "no message within 30 s"
message=$(message_saying "$notice_title" '*找不到方案“nosuch”*')
case "$message" in
*找不到方案“nosuch”*) ;;
*) fail unknown "the message reads '$message'" ;;
esac
if [ -n "${KEYSEQ_SHOT_UNKNOWN:-}" ]; then
  import -window root "$KEYSEQ_SHOT_UNKNOWN" 2>/dev/null
fi
xdotool key Return
for _ in $(seq 1 100); do
  [ "$(probe count "$notice_title")" = 0 ] && break
  sleep 0.2
done
[ "$(probe count "$notice_title")" = 0 ] || fail unknown "the message did not go away"
probe wait "$title" 10000 >/dev/null || fail unknown "no main window after the message"
combo=$(probe combo "$title" 1)
[ "$(printf '%s\n' "$combo" | head -1)" = "sel -1" ] ||
  fail unknown "something is picked: $(printf '%s' "$combo" | tr '\n' '|')"
[ "$(probe lines "$title" 0)" = "sel -1" ] || fail unknown "the step list is not empty"
pass unknown
close_app
e2e_result
