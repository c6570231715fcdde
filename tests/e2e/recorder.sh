#!/usr/bin/env bash
# End to end: the recorder of keyseq.exe under Wine, used as a user would, with xdotool for the
# keyboard and the mouse, keyseq_probe.exe to read the windows, and keyseq_target.exe (ours,
# tools/replay_target) as the application typed and dragged into: the probe reads its edit
# box, and it logs the screen points where the left button went down, moved and went up on its
# client area. The program runs from a fresh folder.
#
#   start    Scroll Lock, with the target focused, starts a recording: the hint label reads
#            录制中，按ScrLk结束 (a screenshot of the screen is kept when KEYSEQ_SHOTS names a
#            folder)
#   record   "Ab" typed with about 300 ms between the keys, a drag on the target's pad, Scroll
#            Lock: the label is back, the steps are the recorded codes (shift around A, the
#            delay before B within 30 ms of the pause, the drag's start, path and end), and each
#            line is its code's line (and a screenshot of the steps recorded)
#   replay   saved through 保存本方案 and replayed with the trigger into a fresh target: it
#            types "Ab" and drags from the same point to the same point
#   own      a recording into a fresh target: "x", then 保存本方案 clicked and the name "mid"
#            typed into its dialog, then a click back into the target and "y". Neither the
#            click on our button nor the name's keys are recorded, in mid.txt or afterwards:
#            the steps added are x, a delay, the click back and y; and the delay leaves out
#            the time spent in the dialog
#
# Scroll Lock is xdotool's real key. Wine keeps its Scroll Lock toggle in step with the X
# display's lock state, and on a display where no modifier holds Scroll_Lock (Xvfb's keymap, and
# most desktops') it answers every press with a Scroll Lock press and release of its own, not
# marked injected and with one time stamp, just before the next key typed: the program must not
# take that pair for the user's key, or the recording would stop at the first key and start
# again at the first key after it.
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: recorder_<part>" or "FAIL: recorder_<part>: <reason>" per part.
e2e_name=recorder
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title                   # 键序台
target_exe=$build/tools/replay_target/keyseq_target.exe
recording_hint="录制中，按ScrLk结束"
pause_hint="按Pause捕获当前坐标"

require display "$app" "$probe_exe" "$target_exe"
target_pid=""
at_exit 'stop_pid "$target_pid"'
use_fresh_folder

source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

list_lines() { probe lines "$title" 0 | tail -n +2; }
utf16_file() { iconv -f utf-16le -t utf-8 "$1" | sed '1s/^\xef\xbb\xbf//'; }

# The target's edit box text.
target_text() { probe children "keyseq target" | head -1 | cut -f8; }

# Starts the target with a fresh log, waits for it and gives it the X focus; sets pad_* to the
# screen rectangle of its client area below the edit box.
start_target() {
  target_log=$work/target-$1.log
  (cd "$work" && exec wine "$target_exe" "$(winepath -w "$target_log" 2>/dev/null)") \
    >/dev/null 2>&1 &
  target_pid=$!
  probe wait "keyseq target" 30000 >/dev/null || fail "$2" "no target window within 30 s"
  local cx cy cw ch
  read -r cx cy cw ch <<<"$(probe client "keyseq target")"
  [ -n "${ch:-}" ] || fail "$2" "could not read the target's client area"
  pad_left=$cx pad_top=$((cy + 44)) pad_right=$((cx + cw)) pad_bottom=$((cy + ch))
  target_xid=$(xdotool search --name '^keyseq target$' 2>/dev/null | head -1)
  xdotool windowfocus --sync "$target_xid" 2>/dev/null || fail "$2" "could not focus the target"
  sleep 0.5
}

# ---- start ------------------------------------------------------------------------------
launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || fail start "no window titled 键序台 within 30 s"
sleep 1
[ "$(text_of 12)" = "$pause_hint" ] || fail start "the hint label reads $(text_of 12)"
start_target recording start
scroll_lock() { xdotool key Scroll_Lock; }
scroll_lock
wait_for "$recording_hint" text_of 12 || fail start "Scroll Lock did not start a recording"
if [ -n "${KEYSEQ_SHOTS:-}" ]; then
  mkdir -p "$KEYSEQ_SHOTS"
  import -window root "$KEYSEQ_SHOTS/recording.png" 2>/dev/null
fi
pass start

# ---- record -----------------------------------------------------------------------------
# One xdotool command, so that the pause between the keys is its own sleep.
xdotool key --delay 0 shift+a sleep 0.3 key --delay 0 b
sleep 0.3
x1=$((pad_left + 40)) y1=$((pad_top + 40))
x2=$((pad_left + 240)) y2=$((pad_top + 140))
xdotool mousemove "$x1" "$y1" sleep 0.3 mousedown 1 sleep 0.05
for i in $(seq 1 10); do
  xdotool mousemove $((x1 + 20 * i)) $((y1 + 10 * i)) sleep 0.03
done
xdotool mouseup 1
sleep 0.3
scroll_lock
wait_for "$pause_hint" text_of 12 || fail record "the hint label did not come back"
[ "$(target_text)" = Ab ] || fail record "the target did not get Ab: $(target_text)"
grep -qx "down L $x1 $y1" "$target_log" && grep -qx "up L $x2 $y2" "$target_log" ||
  fail record "the target did not see the drag from $x1,$y1 to $x2,$y2"

# The steps, saved as "rec" through the input dialog, and read from the file.
# The X focus is on the target (given with windowfocus); saving gives it to the dialog.
save_scheme_as rec record
for _ in $(seq 1 50); do
  [ -s "$work/ini/rec.txt" ] && break
  sleep 0.2
done
[ -s "$work/ini/rec.txt" ] || fail record "ini/rec.txt was not written"
# The keys typed after the stop came after Wine's own Scroll Lock pair: no recording started.
[ "$(text_of 12)" = "$pause_hint" ] || fail record "typing the name started a recording"
codes=$(utf16_file "$work/ini/rec.txt")
echo "   recorded: $codes"
# Shift around A (A released before Shift, or Shift before A), the pause, B; the drag: its
# start, its path, its end.
n='[0-9]+'
drag="D$n E$x1@$y1 B1\\+ (D$n E$n@$n )*D$n E$x2@$y2 (D$n )?B1-"
together="^A16\\+ (D$n )?A65@$n (D$n )?A16- D($n) A66@$n $drag\$"
apart="^A16\\+ (D$n )?A65\\+ (D$n )?A16- (D$n )?A65- D($n) A66@$n $drag\$"
if [[ "$codes" =~ $together ]]; then
  pause=${BASH_REMATCH[3]}
elif [[ "$codes" =~ $apart ]]; then
  pause=${BASH_REMATCH[4]}
else
  fail record "the codes do not match the typing and the drag: $codes"
fi
# Each line is the line of its code, as a reload rebuilds it.
lines=$(list_lines)
count=$(wc -w <<<"$codes")
[ "$(wc -l <<<"$lines")" = "$count" ] || fail record "$count codes but lines: $lines"
[ "$(head -1 <<<"$lines")" = "按键Shift按下" ] || fail record "first line: $(head -1 <<<"$lines")"
[ "$(tail -1 <<<"$lines")" = "鼠标左键松开" ] || fail record "last line: $(tail -1 <<<"$lines")"
grep -qx "延时$pause" <<<"$lines" || fail record "no line 延时$pause"
grep -qx "坐标$x1@$y1" <<<"$lines" || fail record "no line 坐标$x1@$y1"
if [ -n "${KEYSEQ_SHOTS:-}" ]; then
  import -window root "$KEYSEQ_SHOTS/recorded.png" 2>/dev/null
fi
pass "record (pause recorded as $pause ms)"

# ---- replay -----------------------------------------------------------------------------
stop_pid "$target_pid"
start_target replay replay
xdotool mousemove "$pad_left" "$pad_bottom"
xdotool key F1
for _ in $(seq 1 100); do
  grep -q '^up ' "$target_log" && break
  sleep 0.1
done
[ "$(target_text)" = Ab ] || fail replay "the replay did not type Ab: $(target_text)"
grep -qx "down L $x1 $y1" "$target_log" || fail replay "no button-down at $x1,$y1: $(cat "$target_log")"
last_up=$(grep '^up ' "$target_log" | tail -1)
[ "$last_up" = "up L $x2 $y2" ] || fail replay "button-up $last_up, not at $x2,$y2"
moves=$(grep -c '^move ' "$target_log")
[ "$moves" -ge 2 ] || fail replay "the drag had $moves moves on the way"
pass "replay ($moves moves on the way)"

# ---- own --------------------------------------------------------------------------------
# The program's own windows during a recording: the click on its button and the name typed
# into its dialog go to this process's windows and are not recorded.
stop_pid "$target_pid"
start_target own own
before=$(utf16_file "$work/ini/rec.txt")
scroll_lock
wait_for "$recording_hint" text_of 12 || fail own "Scroll Lock did not start a recording"
xdotool key x
t0=$(date +%s%N)
sleep 0.3
save_scheme_as mid own
for _ in $(seq 1 50); do
  [ -s "$work/ini/mid.txt" ] && break
  sleep 0.2
done
[ -s "$work/ini/mid.txt" ] || fail own "ini/mid.txt was not written"
# Back to the target as a user goes back: a click into its edit box (recorded, as any click
# in another program), then "y".
ex=$((pad_left + 100)) ey=$((pad_top - 30))
sleep 0.3
t1=$(date +%s%N)
xdotool mousemove "$ex" "$ey" click 1
sleep 0.3
xdotool key y
sleep 0.3
scroll_lock
wait_for "$pause_hint" text_of 12 || fail own "the hint label did not come back"
[ "$(target_text)" = xy ] || fail own "the target did not get xy: $(target_text)"
mid=$(utf16_file "$work/ini/mid.txt")
[[ "${mid#"$before "}" =~ ^A88@$n$ ]] || fail own "mid.txt holds more than x: ${mid#"$before "}"
save_scheme_as after own
for _ in $(seq 1 50); do
  [ -s "$work/ini/after.txt" ] && break
  sleep 0.2
done
after=$(utf16_file "$work/ini/after.txt")
added=${after#"$before "}
echo "   recorded around our own windows: $added"
[[ "$added" =~ ^A88@$n\ D($n)\ E$ex@$ey\ B1@$n\ D$n\ A89@$n$ ]] ||
  fail own "the steps added are not x, a delay, the click back and y: $added"
# The time from the click on 保存本方案 to the name's Enter (a probe started, the dialog
# focused, 0.3 s asleep, the name typed) is left out of the delay between x and the click.
delay=${BASH_REMATCH[1]}
wall=$(((t1 - t0) / 1000000))
[ $((delay + 300)) -le "$wall" ] ||
  fail own "the delay between x and the click back is $delay ms of the $wall ms between them"
pass "own (delay $delay ms of $wall ms)"
exit 0
