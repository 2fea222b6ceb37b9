#!/usr/bin/env bash
# The option dialogs in the real program: 40 columns rewrap the text at once with the caret on its
# character and ruled lines on; a text background and a control-bar background added through the
# view options are copied into the user folder and tiled; the font size and colour of the display
# type change. Screenshots of both dialogs and of the window with its backgrounds are compared with
# the reference images kept beside this script (VEL_UPDATE_REFERENCES=1 writes them anew).
source "$(dirname "$0")/e2e_common.sh"
here=$(cd "$(dirname "$0")" && pwd)
tools=$(cd "$here/../../../tools" && pwd)
references=$here/reference
work=$out/e2e-options
mkdir -p "$work"

section='HKCU\Software\Norvaly\VelText\VelText Section'
clear_settings() { "${emu[@]}" reg delete "$section" /f >/dev/null 2>&1 || true; }
# The value of a setting as reg prints it ("0x28", or the string).
setting() {
  "${emu[@]}" reg query "$section" /v "$1" 2>/dev/null | tr -d '\r' | grep "REG_" |
    sed -E 's/^.*REG_[A-Z_]+ +//' || true
}
probe() { "${emu[@]}" "$probe" "$@" | tr -d '\r'; }
memo_base=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents/Norvaly/VelText
remove_user_pictures() { rm -rf "$memo_base/baseview" "$memo_base/basecntl"; }
# The memos this test writes go again; those that were there stay.
memos_before=$(ls "$memo_base" 2>/dev/null || true)
remove_new_memos() {
  local m
  for m in $(ls "$memo_base" 2>/dev/null); do
    grep -qxF "$m" <<<"$memos_before" || rm -rf "${memo_base:?}/$m"
  done
}
finish() { clear_settings; remove_user_pictures; cleanup; remove_new_memos; }
trap finish EXIT

typer() { python3 "$tools/x11-type.py" "$1"; }
# A menu item by its keys, without the click of menu_key (which would move the caret).
menu() { xdotool key "alt+$1"; sleep 0.4; xdotool key "$2"; sleep 0.4; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
line_copy() { xdotool key Home shift+End; sleep 0.2; xdotool key ctrl+c; sleep 0.3; xdotool key End; }

# wait_dialog CAPTION: the X window of the dialog with that caption.
wait_dialog() {
  local i id
  for i in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { sleep 0.3; echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
wait_closed() {
  local i
  for i in $(seq 1 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# matches_reference NAME SHOT PERMILLE RMSE: the screenshot differs from the reference image NAME
# in at most PERMILLE pixels per thousand, a pixel counting only when it is more than 12% off (so
# that glyphs smoothed a little differently count little), and the root mean square difference
# of all pixels is at most RMSE (so that a background a shade off everywhere counts).
matches_reference() {
  local name=$1 shot=$2 permille=$3 rmse=$4 ref=$references/$1.png
  if [ "${VEL_UPDATE_REFERENCES:-0}" = 1 ]; then
    mkdir -p "$references"
    cp "$shot" "$ref"
    echo "reference $name written"
    return 0
  fi
  [ -f "$ref" ] || { echo "no reference image $ref" >&2; return 1; }
  local want got
  want=$(identify -format '%wx%h' "$ref")
  got=$(identify -format '%wx%h' "$shot")
  [ "$want" = "$got" ] || { echo "$name: size $got, reference $want" >&2; return 1; }
  local differing total spread
  differing=$(compare -metric AE -fuzz 12% "$ref" "$shot" "$work/$name-diff.png" 2>&1 >/dev/null | sed 's/ .*//' || true)
  differing=${differing%%.*}
  spread=$(compare -metric RMSE "$ref" "$shot" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/' || true)
  total=$(identify -format '%[fx:w*h]' "$ref")
  echo "$name: $differing of $total pixels differ, root mean square difference $spread"
  [ -n "$differing" ] && [ "$differing" -le $((total * permille / 1000)) ] &&
    awk -v s="$spread" -v m="$rmse" 'BEGIN { exit !(s != "" && s + 0 <= m + 0) }'
}

clear_settings
remove_user_pictures
[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
start_veltext
wait_windows 1 || fail "VelText did not start"
w=$(windows)
focus "$w"
xdotool key shift

# 60 letters and a "b", the caret before the "b".
typer "$(printf 'a%.0s' $(seq 1 60))b"
xdotool key Left

# "オプション": 40 columns and ruled lines.
menu t o
d=$(wait_dialog "オプション") || fail "the options did not open"
import -window "$d" "$work/options-dialog.png"
matches_reference options-dialog "$work/options-dialog.png" 15 0.03 || fail "the options dialog looks different"
[ "$(probe shown "オプション" 1017)" = 1 ] || fail "the quality field is hidden for JPEG"
[ "$(probe shown "オプション" 1025)" = 0 ] || fail "the maximum is shown without a limit"
probe set "オプション" 1004 40
probe click "オプション" 1006
sleep 0.3
probe click "オプション" 1
wait_closed "オプション" || fail "the options did not close"
[ "$(setting "Column Num")" = 0x28 ] || fail "Column Num is '$(setting "Column Num")'"
[ "$(setting "Ruled Line")" = 0x1 ] || fail "Ruled Line is '$(setting "Ruled Line")'"
# The second display line holds the last 20 letters; the caret stayed before the "b".
typer "X"
line_copy
got=$(clipboard)
[ "$got" = "$(printf 'a%.0s' $(seq 1 20))Xb" ] || fail "after 40 columns the caret's line is '$got'"

# "表示オプション": pictures of our own added for the text and the control bar, size and colour.
cp "$(dirname "$exe")/baseview/paper_blue.png" "$work/Sea.PNG"
cp "$(dirname "$exe")/basecntl/sky.png" "$work/Sky.PNG"
winpath() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'; }
menu v o
d=$(wait_dialog "表示オプション") || fail "the view options did not open"
import -window "$d" "$work/view-options-dialog.png"
matches_reference view-options-dialog "$work/view-options-dialog.png" 15 0.03 || fail "the view options dialog looks different"
probe set "表示オプション" 1070 "$(winpath "$work/notes.txt")"
touch "$work/notes.txt"
probe click "表示オプション" 1067
m=$(wait_dialog "VelText") || fail "a text file was taken as a picture"
probe text "VelText" | grep -q "登録できる画像ファイルではありません" || fail "the refusal has another text"
xdotool key Return
wait_closed "VelText" || fail "the message stayed"
probe set "表示オプション" 1070 "$(winpath "$work/Sea.PNG")"
probe click "表示オプション" 1067
sleep 0.5
probe set "表示オプション" 1069 "$(winpath "$work/Sky.PNG")"
probe click "表示オプション" 1063
sleep 0.5
probe set "表示オプション" 1086 16
probe click "表示オプション" 1085
c=$(wait_dialog "色") || fail "the colour dialog did not open"
probe set "色" 706 0
probe set "色" 707 0
probe set "色" 708 128
sleep 0.3
probe click "色" 1
wait_closed "色" || fail "the colour dialog did not close"
sleep 0.3
import -window "$d" "$work/view-options-chosen.png"
probe click "表示オプション" 1
wait_closed "表示オプション" || fail "the view options did not close"

[ -f "$memo_base/baseview/SavePic_001.png" ] || fail "the text picture was not copied into the user folder"
[ -f "$memo_base/basecntl/SavePic_001.png" ] || fail "the control-bar picture was not copied into the user folder"
case "$(setting ViewPic00)" in *'\baseview\savepic_001.png') ;; *) fail "ViewPic00 is '$(setting ViewPic00)'" ;; esac
case "$(setting CntlPic00)" in *'\basecntl\savepic_001.png') ;; *) fail "CntlPic00 is '$(setting CntlPic00)'" ;; esac
[ "$(setting "View Font Size00")" = 0x10 ] || fail "View Font Size00 is '$(setting "View Font Size00")'"
[ "$(setting "Font Color00")" = 0x800000 ] || fail "Font Color00 is '$(setting "Font Color00")'"

# The window with its backgrounds, the larger dark blue text and the ruled lines; the caret is
# parked at the end of the text, where its blinking costs a few pixels at most.
focus "$w"
xdotool key ctrl+End
typer $'\n背景と文字の色'
sleep 0.8
import -window "$w" "$work/main-window.png"
matches_reference main-window "$work/main-window.png" 5 0.015 || fail "the window with its backgrounds looks different"

# The backgrounds come back after a restart.
xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end cleanly"
start_veltext
wait_windows 1 || fail "VelText did not start again"
w=$(windows)
sleep 1
import -window "$w" "$work/main-window-restarted.png"
# The bar of the restarted window: the same tiles as before.
convert "$work/main-window.png" -crop 300x20+650+46 +repage "$work/bar-before.png"
convert "$work/main-window-restarted.png" -crop 300x20+650+46 +repage "$work/bar-after.png"
differing=$(compare -metric AE -fuzz 12% "$work/bar-before.png" "$work/bar-after.png" null: 2>&1 | sed 's/ .*//')
[ "${differing%%.*}" -le 200 ] || fail "the control bar's background differs after a restart ($differing pixels)"
focus "$w"
xdotool key ctrl+e
wait_exit "${pids[1]}" || fail "VelText did not end cleanly the second time"
echo "ok"
