#!/usr/bin/env bash
# End to end: the Wine prefix has the font in which Wine draws the glyphs of the title-bar
# buttons (minimise, maximise, close). Without it GDI picks another face and the buttons show
# the letters "0 1 r" instead of their symbols. scripts/lib/wine.sh puts the font into the
# prefix; keyseq_probe.exe asks GDI which face it selects for "Marlett".
#
# Needs WINEPREFIX; KEYSEQ_BUILD names the Windows build directory (default build/windows).
# Prints one line, "PASS: caption_font" or "FAIL: caption_font: <reason>", and exits 0 or 1.
set -u
name=caption_font
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${KEYSEQ_BUILD:-$repo/build/windows}
probe=$build/tools/winprobe/keyseq_probe.exe
export WINEDEBUG=${WINEDEBUG:--all}

fail() {
  echo "FAIL: $name: $*"
  exit 1
}

[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set"
[ -f "$probe" ] || fail "$probe is missing (build the windows preset)"
face=$(wine "$probe" face Marlett 2>/dev/null | tr -d '\r')
[ "$face" = "Marlett" ] ||
  fail "GDI selects '$face' for Marlett: the title-bar buttons would show letters (see wine_ensure_fonts in scripts/lib/wine.sh)"
echo "PASS: $name"
exit 0
