#!/usr/bin/env bash
# End to end: the standard controls as a user meets them. keyseq_gallery.exe (tools/gallery/),
# a window of our own with one control of each kind and Chinese captions, runs under Wine; the
# script clicks and types into it with xdotool and reads what happened from the event log the
# gallery writes (the controls' screen rectangles come from that log too):
#
#   - typing "a" and then "9" into the integer edit (input mode 7) leaves out the "a";
#   - typing "x-1.2y3" into the digits edit (input mode 3) keeps only "-" and the digits;
#   - the up arrow of a counting spin at its maximum 3 wraps the count to 0;
#   - picking the second item of the combo box with the mouse fires SelChanged once, and the
#     handler already reads the new selection;
#   - the input dialog takes a typed name and Enter.
#
# With KEYSEQ_SCREENSHOT set to a file name, a picture of the gallery is saved there first.
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory (default
# build/windows). Prints one "PASS: controls_<check>" or "FAIL: ..." line per check and exits
# 0 when all passed.
e2e_name=controls
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
gallery=$build/tools/gallery/keyseq_gallery.exe
# Titles as UTF-16 code points: 控件展示 (the gallery) and 方案名称 (the input dialog).
title="u:63a7,4ef6,5c55,793a"
dialog_title="u:65b9,6848,540d,79f0"

log=$(mktemp /tmp/keyseq-gallery-XXXXXX)
at_exit 'rm -f "$log"'

# Waits up to 10 s for a line of the event log that matches the extended regex.
wait_line() {
  local i
  for i in $(seq 1 100); do
    grep -qE "$1" "$log" && return 0
    sleep 0.1
  done
  return 1
}
# The centre of a rectangle of the log, as "x y"; with a third argument the point a quarter
# of the height from the top.
centre() {
  awk -v n="$1" -v q="${2:-}" '$1 == "rect" && $2 == n {
    y = q == "" ? int(($4 + $6) / 2) : int($4 + ($6 - $4) / 4)
    print int(($3 + $5) / 2), y; exit }' "$log"
}
click_at() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.4
}
lines() { grep -E "^$1( |$)" "$log" | sed "s/^$1 \{0,1\}//"; }

require display "$gallery" "$probe_exe"
command -v xdotool >/dev/null || abort "xdotool is not installed"

launch "$gallery" "Z:${log//\//\\}"
probe wait "$title" 30000 >/dev/null || abort "no gallery window within 30 s"
wait_line '^item ' || abort "the gallery wrote no control places"
sleep 1

if [ -n "${KEYSEQ_SCREENSHOT:-}" ]; then
  read -r left top right bottom < <(awk '$1 == "rect" && $2 == "client" { print $3, $4, $5, $6 }' "$log")
  shot=$(mktemp /tmp/keyseq-shot-XXXXXX.png)
  import -window root "$shot" &&
    convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
      "$KEYSEQ_SCREENSHOT" || abort "no screenshot"
  rm -f "$shot"
fi

# Input mode 7: "a" is refused, "9" enters.
read -r x y < <(centre edit7)
click_at "$x" "$y"
xdotool type --delay 120 "a9"
if wait_line '^edit7 9$' && [ "$(lines edit7 | tr '\n' '|')" = "9|" ]; then
  pass mode7_refuses_letters
else
  fail_check mode7_refuses_letters "the integer edit went through '$(lines edit7 | tr '\n' '|')'"
fi

# Input mode 3: only "-" and digits.
read -r x y < <(centre edit3)
click_at "$x" "$y"
xdotool type --delay 120 "x-1.2y3"
if wait_line '^edit3 -123$' && [ "$(lines edit3 | tr '\n' '|')" = "-|-1|-12|-123|" ]; then
  pass mode3_keeps_digits
else
  fail_check mode3_keeps_digits "the digits edit went through '$(lines edit3 | tr '\n' '|')'"
fi

# The counting spin stands at its maximum 3; its up arrow wraps to 0.
read -r x y < <(centre spin quarter)
click_at "$x" "$y"
if wait_line '^spin 0$' && [ "$(lines spin | head -n 1)" = "0" ]; then
  pass spin_wraps
else
  fail_check spin_wraps "the spin's edit went through '$(lines spin | tr '\n' '|')'"
fi

# The combo box: open it, pick the second item.
read -r x y < <(centre combo)
click_at "$x" "$y"
sleep 0.6
item_y=$(awk '$1 == "item" { print $2; exit }' "$log")
click_at "$x" "$item_y"
wait_line '^combo ' >/dev/null
sleep 1
if [ "$(lines combo | tr '\n' '|')" = "1|" ]; then
  pass combo_selchanged_once
else
  fail_check combo_selchanged_once "SelChanged reported '$(lines combo | tr '\n' '|')'"
fi

# The input dialog: a typed name and Enter.
read -r x y < <(centre ask)
click_at "$x" "$y"
if probe wait "$dialog_title" 20000 >/dev/null; then
  sleep 0.5
  xdotool type --delay 120 "Alice"
  sleep 0.3
  xdotool key Return
  if wait_line '^input ' && [ "$(lines input)" = "1 Alice" ]; then
    pass input_dialog
  else
    fail_check input_dialog "the dialog answered '$(lines input)'"
  fi
else
  fail_check input_dialog "no input dialog within 20 s"
fi

probe close "$title" >/dev/null || abort "could not close the gallery"
await_app_exit 30 || abort "the gallery still runs 30 s after WM_CLOSE"
[ "$app_exit" -eq 0 ] || fail_check closes "exit status $app_exit, expected 0"
e2e_result
