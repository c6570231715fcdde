# shellcheck shell=bash
# Shared by the end-to-end scripts that drive the main window's controls (sourced after lib.sh,
# not run): reading the window's children through the probe, clicking a control, waiting for
# a text, and the layout table of the thirty controls checked at a scale.
#
# Needs `title`, the probe's name for the main window (u:… code points).

# The main window's children, one per line: class, x, y, w, h, screen x, screen y, text. The
# first is the clock's window; control n of the layout table is line n + 1.
children() { probe children "$title"; }
field() { printf '%s\n' "$1" | cut -f"$2"; }
control() { children | sed -n "$(($1 + 1))p"; }
text_of() { field "$(control "$1")" 8; }

# Clicks the middle of control n (button 1, or the given one).
click() {
  local line
  line=$(control "$1")
  local sx sy w h
  sx=$(field "$line" 6) sy=$(field "$line" 7) w=$(field "$line" 4) h=$(field "$line" 5)
  xdotool mousemove $((sx + w / 2)) $((sy + h / 2)) click "${2:-1}"
  sleep 0.3
}

# "保存本方案" (control 29), then the name dialog "方案名称": waits for it, gives it the X focus
# (which may be on another program's window, as while recording), types the name and Enter.
# Fails part $2 when the dialog does not come.
save_scheme_as() {
  click 29
  probe wait "u:65b9,6848,540d,79f0" 10000 >/dev/null || fail "$2" "no name dialog"
  local dialog_xid
  dialog_xid=$(xdotool search --name '^方案名称$' 2>/dev/null | head -1)
  xdotool windowfocus --sync "$dialog_xid" 2>/dev/null || fail "$2" "could not focus the dialog"
  sleep 0.3
  xdotool type "$1"
  xdotool key Return
}

# A file's bytes as hex pairs separated by blanks; scheme_hex gives the bytes of a scheme file
# holding the text (the byte-order mark FF FE, then UTF-16LE, nothing else).
file_hex() { od -An -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
scheme_hex() {
  {
    printf '\xff\xfe'
    printf '%s' "$1" | iconv -f utf-8 -t utf-16le
  } | od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# Waits up to 10 s for a command's output to equal the expected text.
wait_for() {
  local expected=$1
  shift
  local got=""
  for _ in $(seq 1 50); do
    got=$("$@")
    [ "$got" = "$expected" ] && return 0
    sleep 0.2
  done
  echo "   expected: $(printf '%s' "$expected" | tr '\n' '|')" >&2
  echo "   got:      $(printf '%s' "$got" | tr '\n' '|')" >&2
  return 1
}

# Class, x, y, w, h and text of the thirty controls as the layout table designs them at 96 DPI
# (a "*" is not compared: the combo boxes' height is their closed field's, the position label's
# text follows the cursor).
designed_controls="RixLabel	10	10	60	24	触发按键：
RixLabel	260	10	60	24	使用方案：
RixLabel	10	45	60	24	操作步骤
RixLabel	260	70	60	24	按键：
RixLabel	260	110	60	24	鼠标：
RixLabel	260	150	60	24	延迟：
RixLabel	260	190	60	24	位置：
RixLabel	130	10	60	24	执行次数：
RixLabel	90	45	60	24	当前坐标：
RixLabel	150	45	60	24	*
RixLabel	260	230	60	24	坐标：
RixLabel	215	45	120	24	按Pause捕获当前坐标
ComboBox	70	12	50	*	F1
ComboBox	320	12	80	*	
ComboBox	320	110	80	*	左键
ListBox	10	70	250	245	
Edit	320	70	80	24	
Edit	320	150	80	24	50
Edit	320	190	39	24	-8
Edit	360	190	40	24	0
Edit	190	10	60	24	1
Edit	320	230	39	24	
Edit	360	230	40	24	
Button	405	69	80	28	添加按键
Button	405	109	80	28	添加鼠标
Button	405	149	80	28	添加延迟
Button	405	189	80	28	添加移动
Button	405	229	80	28	添加坐标
Button	285	265	200	45	保存本方案
Button	405	8	80	28	删除方案"

# A designed length at dpi/96, rounded as MulDiv rounds (halves away from zero; lengths here
# are not negative); "*" stays "*".
at_dpi() {
  if [ "$1" = "*" ]; then
    echo "*"
  else
    echo $(((2 * $1 * $2 + 96) / 192))
  fi
}

# Compares the thirty controls with the designed table at the given DPI. Prints the first
# control that differs and answers 1, or answers 0.
check_layout() {
  local dpi=$1 actual n=0 want got
  local wc wx wy ww wh wt gc gx gy gw gh gt
  actual=$(children | sed -n '2,31p' | cut -f1-5,8)
  while IFS= read -r want; do
    n=$((n + 1))
    IFS=$'\t' read -r wc wx wy ww wh wt <<<"$want"
    want="$wc	$(at_dpi "$wx" "$dpi")	$(at_dpi "$wy" "$dpi")	$(at_dpi "$ww" "$dpi")	$(at_dpi "$wh" "$dpi")	$wt"
    got=$(printf '%s\n' "$actual" | sed -n "${n}p")
    IFS=$'\t' read -r gc gx gy gw gh gt <<<"$got"
    [ "$wh" = "*" ] && gh="*"
    [ "$wt" = "*" ] && gt="*"
    if [ "${gc,,}" != "${wc,,}" ] || [ "$gt" != "$wt" ] ||
      [ "$gx $gy $gw $gh" != "$(at_dpi "$wx" "$dpi") $(at_dpi "$wy" "$dpi") $(at_dpi "$ww" "$dpi") $(at_dpi "$wh" "$dpi")" ]; then
      echo "control $n is '$got', expected '$want'"
      return 1
    fi
  done <<<"$designed_controls"
}
