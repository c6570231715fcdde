#!/usr/bin/env bash
# End to end: keyseq.exe under Wine opens a visible top-level window titled "键序台" of the
# main window's own class (a form of the framework registered as "KeyseqMainWindow", so that
# a second start can tell it from other windows of the title), closes on WM_CLOSE and ends
# with exit status 0. The window is found and closed through the real Win32 window tree by
# keyseq_probe.exe, a program of ours built beside it.
#
# Needs DISPLAY (an X display, e.g. Xvfb) and WINEPREFIX; KEYSEQ_BUILD names the Windows
# build directory (default build/windows). Prints one line, "PASS: window_title" or
# "FAIL: window_title: <reason>", and exits 0 or 1.
e2e_name=window_title
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require display "$app" "$probe_exe"

launch "$app"
probe wait "$app_title" 30000 >/dev/null || abort "no visible window titled 键序台 within 30 s"
found=$(probe text "$app_title")
class_name=$(printf '%s\n' "$found" | sed -n 1p)
window_text=$(printf '%s\n' "$found" | sed -n 2p)
[ "$class_name" = "KeyseqMainWindow" ] || abort "window class is '$class_name'"
[ "$window_text" = "键序台" ] || abort "window text reads back as '$window_text'"

probe close "$app_title" >/dev/null || abort "could not post WM_CLOSE"
await_app_exit 30 || abort "still running 30 s after WM_CLOSE"
[ "$app_exit" -eq 0 ] || abort "exit status $app_exit, expected 0"
probe text "$app_title" >/dev/null && abort "the window outlived the program"

pass
exit 0
