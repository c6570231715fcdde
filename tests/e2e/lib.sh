# shellcheck shell=bash
# Shared by the end-to-end scripts (sourced, not run: scripts/test runs only the others). It
# holds what each of them needs around its checks: the paths of the Windows build, the probe,
# the program under test and its ending on exit, and the PASS/FAIL lines that scripts/test
# counts.
#
# A script sets `e2e_name` (its checks are reported as "<e2e_name>_<check>") and then sources
# this file. Needs WINEPREFIX (and DISPLAY for anything with windows); KEYSEQ_BUILD names the
# Windows build directory (default build/windows).
set -u

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${KEYSEQ_BUILD:-$repo/build/windows}
app=$build/app/keyseq.exe
probe_exe=$build/tools/winprobe/keyseq_probe.exe
export WINEDEBUG=${WINEDEBUG:--all}
# 键序台 as UTF-16 code points: the probe's command line then does not depend on the locale.
app_title="u:952e,5e8f,53f0"

# The program started by launch; it is ended on exit if it still runs.
app_pid=""
# Set by await_app_exit: the program's exit status.
app_exit=""
# Commands run on exit after the program is ended (at_exit adds them).
e2e_exit_commands=()
# Checks failed by fail_check so far.
e2e_failures=0

# Ends a process of ours if it still runs.
stop_pid() {
  if [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; then
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
  fi
}
at_exit() { e2e_exit_commands+=("$1"); }
e2e_cleanup() {
  stop_pid "$app_pid"
  local command
  for command in "${e2e_exit_commands[@]}"; do
    eval "$command"
  done
}
trap e2e_cleanup EXIT

# "PASS: <e2e_name>_<check>", or "PASS: <e2e_name>" without a check.
pass() { echo "PASS: ${e2e_name}${1:+_$1}"; }
# Reports a failed check and ends the script: what follows builds on its state.
fail() {
  echo "FAIL: ${e2e_name}_$1: $2"
  exit 1
}
# Reports a failed check and goes on; e2e_result answers for all of them at the end.
fail_check() {
  echo "FAIL: ${e2e_name}_$1: $2"
  e2e_failures=$((e2e_failures + 1))
}
# Reports a failure that is no particular check (a missing tool, a program that did not
# start) and ends the script.
abort() {
  echo "FAIL: $e2e_name: $*"
  exit 1
}
e2e_result() { [ "$e2e_failures" -eq 0 ]; }

# Runs the program under test from a folder of its own, made now and removed on exit, so that
# its scheme folder starts empty: sets `work` to the folder and `app` to the copy in it.
use_fresh_folder() {
  work=$(mktemp -d)
  at_exit 'rm -rf "$work"'
  cp "$app" "$work/"
  app=$work/keyseq.exe
}

# Stops the script unless the Wine prefix (and with "display" the X display) is there and each
# named file exists.
require() {
  [ -n "${WINEPREFIX:-}" ] || abort "WINEPREFIX is not set"
  local item
  for item; do
    if [ "$item" = display ]; then
      [ -n "${DISPLAY:-}" ] || abort "DISPLAY is not set"
    else
      [ -f "$item" ] || abort "$item is missing (build the windows preset)"
    fi
  done
}

# Runs keyseq_probe.exe; its output without carriage returns, its exit status as its own.
probe() {
  wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Starts a Windows program in the background, in the given folder, as the program under test.
# The texts of the message box titled $1 (its buttons' "&" captions left out), joined by "|",
# once they match the glob $2, read again for up to 10 s; what it said last otherwise. Once, on
# a loaded machine, a read soon after the box came up gave no text for any of its controls.
message_saying() {
  local text=""
  for _ in $(seq 1 50); do
    text=$(probe children "$1" | cut -f8- | grep -v '^$' | grep -v '^&' | tr '\n' '|')
    # shellcheck disable=SC2053 # $2 is a glob on purpose
    [[ $text == $2 ]] && break
    sleep 0.2
  done
  printf '%s' "$text"
}

# keyseq_target.exe (tools/replay_target/), a window with one edit box that a replay types into.
target_exe=$build/tools/replay_target/keyseq_target.exe
target_title="keyseq target"
target_pid=""
# The text of the target's edit box.
target_text() { probe children "$target_title" | grep -i '^edit' | head -1 | cut -f8-; }
# Starts the target in the given folder (ended on exit) and clicks into its edit box, so that
# what a replay types lands there. Ends the script when the window or its edit box is missing.
start_target() {
  (cd "$1" && exec wine "$target_exe") >/dev/null 2>&1 &
  target_pid=$!
  at_exit 'stop_pid "$target_pid"'
  probe wait "$target_title" 30000 >/dev/null || abort "the target window did not start"
  sleep 1
  local edit
  edit=$(probe children "$target_title" | grep -i '^edit' | head -1)
  [ -n "$edit" ] || abort "no edit box in the target window"
  xdotool mousemove $(($(printf '%s' "$edit" | cut -f6) + 50)) \
    $(($(printf '%s' "$edit" | cut -f7) + 10)) click 1
  sleep 0.5
}

launch_in() {
  local dir=$1
  shift
  (cd "$dir" && exec wine "$@") >/dev/null 2>&1 &
  app_pid=$!
}
launch() { launch_in . "$@"; }

# Waits up to the given seconds for the program under test to end. Answers 1 while it still
# runs; otherwise sets app_exit to its exit status.
await_app_exit() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && return 1
  wait "$app_pid"
  app_exit=$?
  app_pid=""
}
