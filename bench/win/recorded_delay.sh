#!/usr/bin/env bash
# The delays keyseq.exe records, against the pauses xdotool made: under Wine, with the target
# window (tools/replay_target) focused, a recording is started with Scroll Lock; then, repeatedly, one
# xdotool command types "a", sleeps a known pause and types "b" (a single process, so the
# pause is its own sleep between the two key events); Scroll Lock stops. Each "延时" line
# between a line for A and a line for B is a recorded pause; its error is the recorded
# milliseconds minus the pause asked of xdotool. Prints every sample and the median and the
# 99th percentile of the error and of its size.
#
#   KEYSEQ_BUILD=$PWD/build/windows bash bench/win/recorded_delay.sh [repeats]
#
# Needs DISPLAY and WINEPREFIX, like the end-to-end tests (scripts/lib/wine.sh).
e2e_name=recorded_delay
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/lib.sh"
title=$app_title
target_exe=$build/tools/replay_target/keyseq_target.exe
repeats=${1:-8}
pauses_ms=(50 100 300 500 800)

require display "$app" "$probe_exe" "$target_exe"
target_pid=""
at_exit 'stop_pid "$target_pid"'
use_fresh_folder
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/main_window_lib.sh"

launch_in "$work" "$app"
probe wait "$title" 30000 >/dev/null || abort "no window titled 键序台"
(cd "$work" && exec wine "$target_exe" "$(winepath -w "$work/target.log" 2>/dev/null)") \
  >/dev/null 2>&1 &
target_pid=$!
probe wait "keyseq target" 30000 >/dev/null || abort "no target window"
sleep 1
xdotool windowfocus --sync "$(xdotool search --name '^keyseq target$' | head -1)" ||
  abort "could not focus the target"
sleep 0.5
xdotool key Scroll_Lock # the real key, as a user presses it
wait_for "录制中，按ScrLk结束" text_of 12 || abort "no recording started"

asked=()
for ((r = 0; r < repeats; r++)); do
  for p in "${pauses_ms[@]}"; do
    xdotool key --delay 0 a sleep "$(printf '0.%03d' "$p")" key --delay 0 b
    asked+=("$p")
    sleep 0.2
  done
done
sleep 0.3
xdotool key Scroll_Lock
wait_for "按Pause捕获当前坐标" text_of 12 || abort "the recording did not stop"
sleep 0.5

# The recorded pauses, in order: a 延时 line between a line for A and one for B.
mapfile -t recorded < <(probe lines "$title" 0 | tail -n +2 | awk '
  { line[NR] = $0 }
  END {
    for (i = 2; i < NR; i++)
      if (line[i - 1] ~ /^按键A/ && line[i] ~ /^延时/ && line[i + 1] ~ /^按键B/)
        { s = line[i]; sub(/^延时/, "", s); print s }
  }')
[ "${#recorded[@]}" = "${#asked[@]}" ] ||
  abort "${#recorded[@]} pauses recorded for ${#asked[@]} typed"

errors=()
for i in "${!asked[@]}"; do
  errors+=($((recorded[i] - asked[i])))
  echo "  asked ${asked[i]} ms, recorded ${recorded[i]} ms, error $((recorded[i] - asked[i])) ms"
done
printf '%s\n' "${errors[@]}" | python3 -c '
import sys, statistics
e = [int(x) for x in sys.stdin.read().split()]
def pct(v, p):
    v = sorted(v)
    return v[min(len(v) - 1, int(p * (len(v) - 1) + 0.5))]
a = [abs(x) for x in e]
print("recorded delay against the pause xdotool made, %d samples:" % len(e))
print("  error        median %+d ms  p99 %+d ms  (min %+d, max %+d)" % (statistics.median_low(e), pct(e, 0.99), min(e), max(e)))
print("  error size   median %d ms   p99 %d ms   goal: within 30 ms" % (statistics.median_low(a), pct(a, 0.99)))
'
