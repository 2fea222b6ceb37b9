#!/usr/bin/env bash
# Typing in the real program: ASCII and Japanese text, wrapping at "Column Num" with the
# line-breaking rules and a bulleted paragraph's hanging indent, the calculation after "=",
# selecting with Shift+arrows and the mouse, copy, paste, rectangle paste and undo. The text is
# checked through the clipboard; screenshots show the caret, the selection and the ruled lines.
source "$(dirname "$0")/e2e_common.sh"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)

section='HKCU\Software\Norvaly\VelText\VelText Section'
setting() { "${emu[@]}" reg add "$section" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
unset_setting() { "${emu[@]}" reg delete "$section" /v "$1" /f >/dev/null 2>&1 || true; }
restore() { unset_setting "Column Num"; unset_setting "Ruled Line"; cleanup; }
trap restore EXIT

typer() { python3 "$tools/x11-type.py" "$1"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
set_clipboard() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
copy() { xdotool key ctrl+c; sleep 0.3; }
select_all_copy() { xdotool key alt+e; sleep 0.3; xdotool key a; sleep 0.3; copy; }
# The text of the caret's display line from its start.
line_copy() { xdotool key Home shift+End; sleep 0.2; copy; xdotool key End; }
expect_clipboard() {
  local got
  got=$(clipboard)
  [ "$got" = "$1" ] || fail "$2: clipboard holds '$got', expected '$1'"
}

setting "Column Num" 40
setting "Ruled Line" 1
[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
start_veltext
wait_windows 1 || fail "VelText did not start"
w=$(windows)
focus "$w"
xdotool key shift
read -r ex ey ew eh cell line < <("${emu[@]}" "$probe" edit | tr -d '\r')
[ "${ew:-0}" -gt 100 ] || fail "no edit window found"

# ASCII and the calculation after "=".
typer "Hello VelText 1+2="
select_all_copy
expect_clipboard "Hello VelText 1+2=3" "typed ASCII"

# Japanese text wraps at 40 columns (20 full-width characters). The 21st character is "。",
# which may not begin a line, so the character before it moves down with it.
xdotool key End
typer $'\nあいうえおかきくけこさしすせそたちつてと。なにぬね'
line_copy
expect_clipboard "と。なにぬね" "the wrapped line"
# A bulleted paragraph: its wrapped line hangs below the text after the bullet.
typer $'\n・ぶら下がりの段落はここで折り返して二行目が揃います'
line_copy
expect_clipboard "目が揃います" "the hanging line"
import -window root "$out/e2e-typing-wrapped.png"

# Shift+arrows select; the copy holds exactly the selected characters.
xdotool key Home shift+Right shift+Right shift+Right
sleep 0.3
import -window root "$out/e2e-typing-selection.png"
copy
expect_clipboard "目が揃" "Shift+arrow selection"

# The mouse: a drag over the first five cells of the first line.
y=$((ey + line / 2))
xdotool mousemove $((ex + 1)) "$y" mousedown 1
xdotool mousemove $((ex + cell * 3)) "$y"
xdotool mousemove $((ex + cell * 5 + 1)) "$y" mouseup 1
sleep 0.3
copy
expect_clipboard "Hello" "mouse selection"

# Paste at the end of the first line.
xdotool key End ctrl+v
sleep 0.3
line_copy
expect_clipboard "Hello VelText 1+2=3Hello" "paste"

# Rectangle paste of three rows at column 5 of three ASCII lines.
xdotool mousemove $((ex + 1)) $((ey + eh - 4)) click 1
xdotool key End
typer $'\nabcdefghij\nabcdefghij\nabcdefghij'
xdotool key Up Up Home Right Right Right Right Right
set_clipboard $'xx\nyy\nzz'
sleep 0.3
xdotool key ctrl+b
sleep 0.5
import -window root "$out/e2e-typing-rectangle.png"
select_all_copy
expect_clipboard $'Hello VelText 1+2=3Hello\nあいうえおかきくけこさしすせそたちつてと。なにぬね\n・ぶら下がりの段落はここで折り返して二行目が揃います\nabcdexxfghij\nabcdeyyfghij\nabcdezzfghij' "rectangle paste"

# Undo takes the rectangle paste back.
xdotool key Right ctrl+z
sleep 0.3
select_all_copy
expect_clipboard $'Hello VelText 1+2=3Hello\nあいうえおかきくけこさしすせそたちつてと。なにぬね\n・ぶら下がりの段落はここで折り返して二行目が揃います\nabcdefghij\nabcdefghij\nabcdefghij' "undo"

xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end cleanly"
echo "ok"
