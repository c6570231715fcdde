#!/usr/bin/env bash
# End to end: the Wine prefix has the font in which Wine draws the glyphs of the title-bar
# buttons (minimise, maximise, close). Without it GDI picks another face and the buttons show
# the letters "0 1 r" instead of their symbols. scripts/lib/wine.sh puts the font into the
# prefix; keyseq_probe.exe asks GDI which face it selects for "Marlett".
#
# Needs WINEPREFIX; KEYSEQ_BUILD names the Windows build directory (default build/windows).
# Prints one line, "PASS: caption_font" or "FAIL: caption_font: <reason>", and exits 0 or 1.
e2e_name=caption_font
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

require "$probe_exe"
face=$(probe face Marlett)
[ "$face" = "Marlett" ] ||
  abort "GDI selects '$face' for Marlett: the title-bar buttons would show letters (see wine_ensure_fonts in scripts/lib/wine.sh)"
pass
exit 0
