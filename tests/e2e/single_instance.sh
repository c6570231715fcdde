#!/usr/bin/env bash
# End to end: one copy of keyseq.exe per session. With a copy running (scheme "ab" picked), a
# second start `keyseq.exe cd` ends by itself with status 0 and opens no window of its own; the
# running copy picks "cd" and loads its steps, and one press of the trigger key replays "cd"
# once into keyseq_target.exe (two copies would both replay, "ab" and "cd" interleaved).
#
#   ended    the second start ended, with status 0, within 40 s
#   one      one window titled 键序台 exists, and it is the first copy's
#   picked   the running copy picked "cd" and shows its two steps
#   replay   F1 types "cd" into the target, and nothing more follows
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: single_instance_<check>" or "FAIL: single_instance_<check>: <reason>".
e2e_name=single_instance
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title

require display "$app" "$probe_exe" "$target_exe"
use_fresh_folder
mkdir "$work/ini"
utf16() { printf '\xff\xfe'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
utf16 "A65 A66" >"$work/ini/ab.txt"
utf16 "A67 A68" >"$work/ini/cd.txt"

launch_in "$work" "$app" ab
first=$(probe wait "$title" 30000) || abort "no window titled 键序台 within 30 s"
sleep 1
[ "$(probe lines "$title" 0)" = "$(printf 'sel -1\n按键A\n按键B')" ] ||
  abort "the first copy did not load ab: $(probe lines "$title" 0 | tr '\n' '|')"

# ---- ended: the second start hands over and ends ------------------------------------------
(cd "$work" && exec timeout 40 wine "$app" cd) >/dev/null 2>&1
status=$?
[ "$status" -eq 0 ] || fail ended "the second start ended with status $status (124: still running after 40 s)"
pass ended

# ---- one: a single main window, the first copy's ------------------------------------------
sleep 1
[ "$(probe count "$title")" = 1 ] || fail one "$(probe count "$title") windows titled 键序台"
[ "$(probe wait "$title" 1000)" = "$first" ] || fail one "the window is not the first copy's"
kill -0 "$app_pid" 2>/dev/null || fail one "the first copy ended"
pass one

# ---- picked: the running copy opened the scheme named on the second command line ---------
combo=$(probe combo "$title" 1)
[ "$(printf '%s\n' "$combo" | head -1)" = "sel 1" ] &&
  [ "$(printf '%s\n' "$combo" | sed -n 3p)" = "cd" ] ||
  fail picked "the scheme box: $(printf '%s' "$combo" | tr '\n' '|')"
[ "$(probe lines "$title" 0)" = "$(printf 'sel -1\n按键C\n按键D')" ] ||
  fail picked "the step list: $(probe lines "$title" 0 | tr '\n' '|')"
pass picked

# ---- replay: one trigger press, one replay ------------------------------------------------
start_target "$work"
xdotool key F1
for _ in $(seq 1 50); do
  [ "$(target_text)" = "cd" ] && break
  sleep 0.2
done
sleep 1 # a second copy's replay would follow within this
[ "$(target_text)" = "cd" ] || fail replay "the target reads '$(target_text)'"
pass replay
exit 0
