#!/usr/bin/env bash
# End to end: the replay's own input against the trigger and the keys it holds. keyseq.exe runs
# under Wine from a fresh folder, started with a scheme named on its command line; xdotool
# presses the trigger (F1) as a user would, with the focus in the edit box of keyseq_target.exe
# (ours), which the replay types into; keyseq_probe.exe reads the controls and the key state.
#
#   held     "A16+ A32840 A73 A16-" (Shift held, Shift+H, I, Shift let go) types "HI": the
#            shortcut inside the held Shift leaves it down for the I
#   trigger  "A65 A112 A66" (a, F1, b) with 3 passes types "ababab": the F1 the scheme types
#            is not taken for the user's trigger, and the run does all its passes
#   alt      "A18+ D-1" (Alt held, then a wait until stopped): the second F1 stops the run
#            although the run holds Alt, and Alt is up afterwards
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: replay_own_input_<part>" or "FAIL: replay_own_input_<part>: <reason>" per part.
e2e_name=replay_own_input
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title
target_exe=$build/tools/replay_target/keyseq_target.exe
target_title="keyseq target"
hint="按Pause捕获当前坐标"

require display "$app" "$probe_exe" "$target_exe"
target_pid=""
at_exit 'stop_pid "$target_pid"'
use_fresh_folder
source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

# A scheme file: the byte-order mark FF FE, then the codes in UTF-16LE.
write_scheme() {
  {
    printf '\xff\xfe'
    printf '%s' "$2" | iconv -f utf-8 -t utf-16le
  } >"$work/ini/$1.txt"
}
mkdir "$work/ini"
write_scheme held 'A16+ A32840 A73 A16-'
write_scheme trigger 'A65 A112 A66'
write_scheme alt 'A18+ D-1'

target_text() { probe children "$target_title" | grep -i '^edit' | head -1 | cut -f8-; }
# Alt, Shift, F1 and the letters typed: "up" for each, or the probe's list of states.
keys_up() { probe keys 0x12 0xA4 0x10 0xA0 0x70 0x41 0x42 0x48 0x49 >/dev/null; }

(cd "$work" && exec wine "$target_exe") >/dev/null 2>&1 &
target_pid=$!
probe wait "$target_title" 30000 >/dev/null || abort "the target window did not start"

# Starts keyseq.exe with the scheme, checks that it shows `steps` lines, sets the pass count
# and gives the focus to the target's edit box (the caret after its text).
start_with() {
  local scheme=$1 steps=$2 count=$3
  launch_in "$work" "$app" "$scheme"
  probe wait "$title" 30000 >/dev/null || fail "$scheme" "no window titled 键序台 within 30 s"
  sleep 1
  local lines
  lines=$(probe lines "$title" 0 | sed 1d | wc -l)
  [ "$lines" -eq "$steps" ] || fail "$scheme" "the scheme shows $lines lines, not $steps"
  click 21 # the count box
  xdotool key ctrl+a "$count"
  wait_for "$count" text_of 21 || fail "$scheme" "the count box reads $(text_of 21)"
  local edit
  edit=$(probe children "$target_title" | grep -i '^edit' | head -1)
  [ -n "$edit" ] || fail "$scheme" "no edit box in the target window"
  probe front "$target_title" >/dev/null
  xdotool mousemove $(($(field "$edit" 6) + $(field "$edit" 4) - 5)) $(($(field "$edit" 7) + 10)) click 1
  sleep 0.5
  xdotool key End
}

# Closes keyseq.exe; it must end with status 0.
close_app() {
  probe close "$title" >/dev/null
  await_app_exit 10 || fail "$1" "still running 10 s after it was closed"
  [ "$app_exit" -eq 0 ] || fail "$1" "exit status $app_exit"
}

# ---- held --------------------------------------------------------------------------------
before=$(target_text)
start_with held 4 1
xdotool key F1
wait_for "${before}HI" target_text || fail held "the target reads '$(target_text)'"
wait_for "$hint" text_of 12 || fail held "the run did not end: the label reads '$(text_of 12)'"
keys_up || fail held "a key is left down: $(probe keys 0x12 0x10 0xA0 0x70 0x48 0x49 | tr '\n' ' ')"
close_app held
pass held

# ---- trigger -----------------------------------------------------------------------------
before=$(target_text)
start_with trigger 3 3
xdotool key F1
wait_for "${before}ababab" target_text || fail trigger "the target reads '$(target_text)'"
wait_for "$hint" text_of 12 || fail trigger "the run did not end: the label reads '$(text_of 12)'"
sleep 0.5
[ "$(target_text)" = "${before}ababab" ] || fail trigger "the target reads '$(target_text)' later"
keys_up || fail trigger "a key is left down: $(probe keys 0x41 0x42 0x70 | tr '\n' ' ')"
close_app trigger
pass trigger

# ---- alt ---------------------------------------------------------------------------------
start_with alt 2 1
xdotool key F1
alt_down() { probe keys 0x12 | grep -c down; }
wait_for 1 alt_down || fail alt "the run did not press Alt: $(probe keys 0x12 | tr '\n' ' ')"
wait_for "第1/1遍，按F1停止" text_of 12 || fail alt "the label reads '$(text_of 12)'"
xdotool key F1
wait_for "$hint" text_of 12 || fail alt "F1 did not stop the run: the label reads '$(text_of 12)'"
wait_for 0 alt_down || fail alt "Alt is left down: $(probe keys 0x12 | tr '\n' ' ')"
keys_up || fail alt "a key is left down: $(probe keys 0x12 0xA4 0x70 | tr '\n' ' ')"
close_app alt
pass alt
exit 0
