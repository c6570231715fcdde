#!/usr/bin/env bash
# End to end: scheme files that go wrong under Wine, and the steps that stay. The program runs
# from a fresh folder whose "ini/" the script fills with the host's own tools.
#
#   link      "ini/link.txt" is a host link to "../outside/victim.txt" (Wine shows it as a
#             plain file): picked and deleted with 删除方案, it says that it is a link and
#             deletes nothing; victim.txt and the link stay, the scheme stays listed, the steps
#             stay
#   readonly  a scheme file without write permission: 删除方案 says that it is read-only and
#             changes nothing
#   unread    a scheme whose file cannot be read (deleted by another program after it was
#             listed): picking it says so, the steps stay and the box goes back to the scheme
#             they came from (a file held by another program is the unit tests' case)
#   longname  saved under a name of 100 Chinese characters (300 bytes, which no host name
#             holds: Wine writes 85 characters without ".txt" and reports success): it says
#             that the save failed, and the steps and the scheme box stay
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: schemes_<part>" or "FAIL: schemes_<part>: <reason>". KEYSEQ_SHOTS, when set, names a
# folder for a screenshot of each message.
e2e_name=schemes
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title                     # 键序台
notice_title="u:63d0,793a,4fe1,606f" # 提示信息

require display "$app" "$probe_exe"
use_fresh_folder
source "$(dirname "${BASH_SOURCE[0]}")/main_window_lib.sh"

list_lines() { probe lines "$title" 0; }
combo() { probe combo "$title" 1; }
utf16() {
  printf '\xff\xfe'
  printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE
}

# Picks entry $1 (0-based) of the scheme box as a user does: opens it, Home, Down to the entry,
# Enter.
pick() {
  click 14
  xdotool key Home
  local i
  for ((i = 0; i < $1; i++)); do
    xdotool key Down
  done
  xdotool key Return
  sleep 0.5
}

# The index of the entry $1 in the scheme box, or -1.
entry_of() {
  local n
  n=$(combo | tail -n +2 | grep -n -x -F "$1" | head -1 | cut -d: -f1)
  echo $((${n:-0} - 1))
}

# Waits for the message box, checks that it says $2 (a glob), takes its screenshot as $1.png,
# and answers it with Enter. Fails part $1 otherwise.
expect_message() {
  probe wait "$notice_title" 10000 >/dev/null || fail "$1" "no message"
  local message
  message=$(message_saying "$notice_title" "$2")
  # shellcheck disable=SC2053 # $2 is a glob on purpose
  [[ $message == $2 ]] || fail "$1" "the message reads '$message'"
  if [ -n "${KEYSEQ_SHOTS:-}" ]; then
    mkdir -p "$KEYSEQ_SHOTS"
    import -window root "$KEYSEQ_SHOTS/$1.png" 2>/dev/null
  fi
  xdotool key Return
  for _ in $(seq 1 100); do
    [ "$(probe count "$notice_title")" = 0 ] && return 0
    sleep 0.2
  done
  fail "$1" "the message did not go away"
}

mkdir -p "$work/ini" "$work/outside"
utf16 "B1" >"$work/outside/victim.txt"
ln -s ../outside/victim.txt "$work/ini/link.txt"
utf16 "A65" >"$work/ini/mine.txt"
utf16 "A66" >"$work/ini/ro.txt"
chmod a-w "$work/ini/ro.txt"
utf16 "A67" >"$work/ini/gone.txt"
victim_hex=$(file_hex "$work/outside/victim.txt")

launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || abort "no window titled 键序台 within 30 s"
sleep 1

# ---- link -------------------------------------------------------------------------------
link=$(entry_of link)
[ "$link" -ge 0 ] || fail link "link is not listed: $(combo | tr '\n' '|')"
pick "$link"
wait_for "sel -1
鼠标左键" list_lines || fail link "picking link did not load its step"
click 26 # 添加延迟: a step that is not saved
wait_for "sel -1
鼠标左键
延迟50" list_lines || fail link "the added step"
combo_before=$(combo)
click 30 # 删除方案
expect_message link '*链接*'
[ -f "$work/outside/victim.txt" ] || fail link "victim.txt was deleted"
[ "$(file_hex "$work/outside/victim.txt")" = "$victim_hex" ] || fail link "victim.txt changed"
[ -L "$work/ini/link.txt" ] || fail link "the link went"
[ "$(combo)" = "$combo_before" ] || fail link "the scheme box changed: $(combo | tr '\n' '|')"
wait_for "sel -1
鼠标左键
延迟50" list_lines || fail link "the steps changed"
pass link

# ---- readonly ---------------------------------------------------------------------------
ro=$(entry_of ro)
[ "$ro" -ge 0 ] || fail readonly "ro is not listed"
pick "$ro"
wait_for "sel -1
按键B" list_lines || fail readonly "picking ro did not load its step"
combo_before=$(combo)
click 30
expect_message readonly '*方案未能删除*只读*'
[ -f "$work/ini/ro.txt" ] || fail readonly "ro.txt was deleted"
[ "$(combo)" = "$combo_before" ] || fail readonly "the scheme box changed"
[ "$(list_lines)" = "sel -1
按键B" ] || fail readonly "the steps changed: $(list_lines | tr '\n' '|')"
pass readonly

# ---- unread -----------------------------------------------------------------------------
# Listed at start, then deleted by someone else before it is picked.
gone=$(entry_of gone)
[ "$gone" -ge 0 ] || fail unread "gone is not listed"
rm "$work/ini/gone.txt"
pick "$gone"
expect_message unread '*无法读取方案“gone”*已不存在*'
[ "$(list_lines)" = "sel -1
按键B" ] || fail unread "the steps changed: $(list_lines | tr '\n' '|')"
[ "$(combo | head -1)" = "sel $ro" ] || fail unread "the box shows $(combo | head -1), not ro"
pass unread

# ---- longname ---------------------------------------------------------------------------
long_name=$(printf '方%.0s' $(seq 1 100))
combo_before=$(combo)
# As save_scheme_as, typed slowly: xdotool types Chinese by remapping a key for each
# character, and at full speed Wine's edit box received 36 of the 100.
click 29
probe wait "u:65b9,6848,540d,79f0" 10000 >/dev/null || fail longname "no name dialog"
dialog_xid=$(xdotool search --name '^方案名称$' 2>/dev/null | head -1)
xdotool windowfocus --sync "$dialog_xid" 2>/dev/null || fail longname "could not focus the dialog"
sleep 0.3
xdotool type --delay 40 "$long_name"
xdotool key Return
expect_message longname '*方案未能保存*名称可能过长*'
[ "$(list_lines)" = "sel -1
按键B" ] || fail longname "the steps changed: $(list_lines | tr '\n' '|')"
[ "$(combo)" = "$combo_before" ] || fail longname "the scheme box changed: $(combo | tr '\n' '|')"
pass longname

# Delete the link by hand before the folder goes: nothing of ours follows it.
rm -f "$work/ini/link.txt"
chmod u+w "$work/ini/ro.txt"
e2e_result
