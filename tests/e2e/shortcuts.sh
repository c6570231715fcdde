#!/usr/bin/env bash
# End to end: shortcuts recorded in the key box and replayed. keyseq.exe runs under Wine from a
# fresh folder; xdotool types as a user would, keyseq_probe.exe reads the controls, and
# keyseq_target.exe (ours) is the window the replay types into.
#
#   keybox   Shift+H, then I, in the key box give the lines 按键Shift+H and 按键I; Alt+X shows
#            "Alt+X" (Alt keys reach the box), and a key typed after it still does
#   save     saved as "hi": the file holds A32840 A73, and the lines rebuilt from it are the same
#   replay   the trigger key (F1) with the target's edit box focused types "Hi" into it, and
#            leaves neither Shift nor H down
#   altf4    Alt+F4 with the focus in the key box still closes the program, with status 0
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: shortcuts_<part>" or "FAIL: shortcuts_<part>: <reason>" per part. With
# KEYSEQ_SCREENSHOT=<name>.png it saves the screen with the lines and "Alt+X" in the key box
# there, and the screen after the replay as <name>-replay.png.
e2e_name=shortcuts
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title                   # 键序台
target_exe=$build/tools/replay_target/keyseq_target.exe
target_title="keyseq target"

require display "$app" "$probe_exe" "$target_exe"
target_pid=""
at_exit 'stop_pid "$target_pid"'
use_fresh_folder

source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

list_lines() { probe lines "$title" 0; }
target_text() { probe children "$target_title" | grep -i '^edit' | head -1 | cut -f8-; }
# With KEYSEQ_SCREENSHOT=<name>.png: the screen into that file, or with a suffix into
# <name><suffix>.png.
screenshot() {
  [ -n "${KEYSEQ_SCREENSHOT:-}" ] || return 0
  import -window root "${KEYSEQ_SCREENSHOT%.png}$1.png" 2>/dev/null || echo "note: no screenshot taken"
}

launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || abort "no window titled 键序台 within 30 s"
sleep 1

# ---- keybox -----------------------------------------------------------------------------
click 17 # the key box
xdotool key shift+h
wait_for "Shift+H" text_of 17 || fail keybox "the key box after Shift+H reads '$(text_of 17)'"
click 24 # 添加按键
click 17
xdotool key i
wait_for "I" text_of 17 || fail keybox "the key box after I reads '$(text_of 17)'"
click 24
wait_for "sel -1
按键Shift+H
按键I" list_lines || fail keybox "the lines after adding"
click 17
xdotool key alt+x
wait_for "Alt+X" text_of 17 || fail keybox "the key box after Alt+X reads '$(text_of 17)'"
screenshot ""
xdotool key b
wait_for "B" text_of 17 || fail keybox "after Alt+X, B is not recorded: '$(text_of 17)'"
pass keybox

# ---- save -------------------------------------------------------------------------------
save_scheme_as hi save
wait_for "sel 0
hi" probe combo "$title" 1 || fail save "the scheme box after saving"
want=$(scheme_hex 'A32840 A73')
got=$(file_hex "$work/ini/hi.txt")
[ "$got" = "$want" ] || fail save "hi.txt holds $got"
wait_for "sel -1
按键Shift+H
按键I" list_lines || fail save "the lines rebuilt from the file"
pass save

# ---- replay -----------------------------------------------------------------------------
(cd "$work" && exec wine "$target_exe") >/dev/null 2>&1 &
target_pid=$!
probe wait "$target_title" 30000 >/dev/null || fail replay "the target window did not start"
sleep 1
edit=$(probe children "$target_title" | grep -i '^edit' | head -1)
[ -n "$edit" ] || fail replay "no edit box in the target window"
xdotool mousemove $(($(field "$edit" 6) + 50)) $(($(field "$edit" 7) + 10)) click 1
sleep 0.5
xdotool key F1
wait_for "Hi" target_text || fail replay "the target reads '$(target_text)'"
sleep 0.5
screenshot -replay
[ "$(target_text)" = "Hi" ] || fail replay "the target reads '$(target_text)' a little later"
probe keys 0x10 0xA0 0x48 0x49 0x70 >/dev/null ||
  fail replay "a key is left down: $(probe keys 0x10 0xA0 0x48 0x49 0x70 | tr '\n' ' ')"
stop_pid "$target_pid"
target_pid=""
probe front "$title" >/dev/null
sleep 0.5
pass replay

# ---- altf4 ------------------------------------------------------------------------------
click 17
xdotool key alt+F4
await_app_exit 10 || fail altf4 "still running 10 s after Alt+F4 in the key box"
[ "$app_exit" -eq 0 ] || fail altf4 "exit status $app_exit"
pass altf4
exit 0
