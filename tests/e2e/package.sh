#!/usr/bin/env bash
# End to end: the release package. scripts/package packs the keyseq.exe of this build (the
# windows preset's flags are the release flags, so nothing is built a second time) into a zip,
# which is unpacked into a new folder; the program from there starts and replays under Wine.
#
#   zip      the zip is named keyseq-<project version>-win64.zip and holds keyseq.exe,
#            README.txt and keyseq.exe.sha256, nothing else; the zip's sum beside it is right
#   exe      keyseq.exe is stripped (no symbol table), at most 500 KB, matches the sum in the
#            zip, and its version resource carries the project version
#   guide    README.txt is UTF-8 with a byte-order mark, every line ends in CR LF, it holds the
#            "Using it" steps and no markdown marks (**, `, ![)
#   runs     keyseq.exe from the unpacked folder starts with the scheme named on its command
#            line and F1 replays it into keyseq_target.exe
#
# Needs DISPLAY and WINEPREFIX; KEYSEQ_BUILD names the Windows build directory. Prints
# "PASS: package_<check>" or "FAIL: package_<check>: <reason>".
e2e_name=package
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
title=$app_title

require display "$app" "$probe_exe" "$target_exe"
for tool in zip unzip sha256sum python3; do
  command -v "$tool" >/dev/null || abort "$tool is missing (scripts/setup)"
done
out=$(mktemp -d)
at_exit 'rm -rf "$out"'
log=$("$repo/scripts/package" --build-dir "$build" --out "$out/dist" 2>&1) ||
  abort "scripts/package failed: $log"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip_file=$out/dist/keyseq-$version-win64.zip

# ---- zip ----------------------------------------------------------------------------------
[ -f "$zip_file" ] || fail zip "no $(basename "$zip_file") in: $(ls "$out/dist" | tr '\n' ' ')"
entries=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
[ "$entries" = "README.txt keyseq.exe keyseq.exe.sha256 " ] || fail zip "the zip holds: $entries"
(cd "$out/dist" && sha256sum --quiet -c "$(basename "$zip_file").sha256") >/dev/null 2>&1 ||
  fail zip "the zip does not match the sum beside it"
pass zip

# ---- exe: unpacked into a new folder --------------------------------------------------------
unpacked=$out/unpacked
mkdir "$unpacked"
unzip -q "$zip_file" -d "$unpacked" || fail exe "unzip failed"
exe=$unpacked/keyseq.exe
failed_before=$e2e_failures
size=$(stat -c %s "$exe")
[ "$size" -le $((500 * 1024)) ] || fail_check exe_size "keyseq.exe is $size bytes, over 500 KB"
x86_64-w64-mingw32-objdump -t "$exe" 2>/dev/null | grep -q '\[ *[0-9]*\](sec' &&
  fail_check exe_stripped "keyseq.exe still has a symbol table"
(cd "$unpacked" && tr -d '\r' <keyseq.exe.sha256 | sha256sum --quiet -c -) >/dev/null 2>&1 ||
  fail_check exe_sum "keyseq.exe does not match keyseq.exe.sha256"
python3 - "$exe" "$version.0" <<'PY' || fail_check exe_version "no version $version.0 in the version resource"
import sys
data = open(sys.argv[1], "rb").read()
want = ("FileVersion\0" + sys.argv[2] + "\0").encode("utf-16-le")
# The VS_VERSION_INFO string: key, padding to a 32-bit boundary, then the value.
key = "FileVersion\0".encode("utf-16-le")
at = data.find(key)
value = ""
while at >= 0:
    rest = data[at + len(key):at + len(key) + 64]
    text = rest.decode("utf-16-le", "replace").lstrip("\0").split("\0")[0]
    if text:
        value = text
        break
    at = data.find(key, at + 1)
sys.exit(0 if value == sys.argv[2] else 1)
PY
[ "$e2e_failures" -eq "$failed_before" ] && pass exe

# ---- guide ----------------------------------------------------------------------------------
guide=$unpacked/README.txt
failed_before=$e2e_failures
[ "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail_check guide "no UTF-8 byte-order mark"
lines=$(wc -l <"$guide")
crlf=$(grep -c $'\r$' "$guide")
[ "$lines" -gt 20 ] && [ "$crlf" -eq "$lines" ] ||
  fail_check guide "$crlf of $lines lines end in CR LF"
grep -q 'Save the scheme. Click "保存本方案"' "$guide" || fail_check guide "the steps of Using it are missing"
if grep -nE '\*\*|`|!\[|^#' "$guide" >/dev/null; then
  fail_check guide "markdown marks left: $(grep -nE '\*\*|`|!\[|^#' "$guide" | head -3 | tr '\n' '|')"
fi
iconv -f UTF-8 -t UTF-16LE "$guide" >/dev/null 2>&1 || fail_check guide "not valid UTF-8"
[ "$e2e_failures" -eq "$failed_before" ] && pass guide

# ---- runs: start from the unpacked folder, replay -------------------------------------------
mkdir "$unpacked/ini"
{ printf '\xff\xfe'; printf 'A72 A73' | iconv -f UTF-8 -t UTF-16LE; } >"$unpacked/ini/hi.txt"
launch_in "$unpacked" "$exe" hi
probe wait "$title" 30000 >/dev/null || fail runs "no window titled 键序台 within 30 s"
sleep 1
[ "$(probe lines "$title" 0)" = "$(printf 'sel -1\n按键H\n按键I')" ] ||
  fail runs "the step list: $(probe lines "$title" 0 | tr '\n' '|')"
start_target "$unpacked"
xdotool key F1
for _ in $(seq 1 50); do
  [ "$(target_text)" = "hi" ] && break
  sleep 0.2
done
[ "$(target_text)" = "hi" ] || fail runs "the target reads '$(target_text)'"
pass runs
e2e_result
