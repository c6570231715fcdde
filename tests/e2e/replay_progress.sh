#!/usr/bin/env bash
# End to end: while a replay runs, the label "按Pause捕获当前坐标" of keyseq.exe under Wine shows
# the pass under way and the key that stops the run, "第n/13遍，按F8停止", with n rising as the
# clock refreshes it; when the run has done its passes the label shows its own text again.
# The scheme, 13 passes of two delays, is opened from the command line (keyseq.exe NAME); the
# trigger is F8, chosen in the trigger box, and pressed with xdotool while the window has the
# focus. KEYSEQ_SHOT, when set, names a file for a screenshot of the display while the run goes.
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: replay_progress_<check>" or "FAIL: replay_progress_<check>: <reason>".
e2e_name=replay_progress
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title

require display "$app" "$probe_exe"
use_fresh_folder
source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

mkdir "$work/ini"
# UTF-16LE with the byte-order mark: D300 D300, 600 ms a pass.
printf '\xff\xfeD\x003\x000\x000\x00 \x00D\x003\x000\x000\x00' >"$work/ini/steps.txt"
hint="按Pause捕获当前坐标"

launch_in "$work" "$app" steps
probe wait "$title" 30000 >/dev/null || abort "no window titled 键序台 within 30 s"
sleep 1
[ "$(probe lines "$title" 0)" = "$(printf 'sel -1\n延时300\n延时300')" ] ||
  fail open "the scheme was not loaded: $(probe lines "$title" 0 | tr '\n' '|')"
[ "$(text_of 12)" = "$hint" ] || fail idle "the label reads '$(text_of 12)' before the run"
pass open

click 13 # the trigger box: F8
xdotool key Down Down Down Down Down Down Down Return
wait_for "F8" text_of 13 || fail trigger "the trigger box reads $(text_of 13)"
click 21 # the count box: 13
xdotool key ctrl+a 1 3
wait_for "13" text_of 21 || fail trigger "the count box reads $(text_of 21)"

xdotool key F8
# Every text the label shows while the run goes, each once, in order.
seen=()
shot_taken=""
for _ in $(seq 1 200); do
  now=$(text_of 12)
  if [ "${#seen[@]}" -eq 0 ] || [ "${seen[-1]}" != "$now" ]; then
    seen+=("$now")
  fi
  if [ -z "$shot_taken" ] && [ -n "${KEYSEQ_SHOT:-}" ] && [[ $now == 第* ]]; then
    import -window root "$KEYSEQ_SHOT" 2>/dev/null
    shot_taken=1
  fi
  [ "${#seen[@]}" -gt 1 ] && [ "$now" = "$hint" ] && break
  sleep 0.1
done
echo "   shown: $(printf '%s|' "${seen[@]}")"
[ "${seen[-1]}" = "$hint" ] || fail ends "the label did not get its own text back"
previous=0
progress=0
# The first text may still be the hint, read before the run began; the last is the hint.
start=0
[ "${seen[0]}" = "$hint" ] && start=1
for text in "${seen[@]:$start:${#seen[@]}-1-$start}"; do
  n=$(printf '%s' "$text" | sed -n 's|^第\([0-9]*\)/13遍，按F8停止$|\1|p')
  [ -n "$n" ] || fail passes "the label read '$text' during the run"
  [ "$n" -gt "$previous" ] || fail passes "pass $n shown after pass $previous"
  previous=$n
  progress=$((progress + 1))
done
# Each probe takes a while under Wine, so not every pass is caught; the last ones must be.
[ "$progress" -ge 3 ] || fail passes "only $progress pass texts seen"
[ "$previous" -ge 12 ] || fail passes "the last pass seen was $previous of 13"
pass "passes ($progress texts, up to $previous/13)"
pass ends
e2e_result
