#!/usr/bin/env bash
# Pictures in the real program: a clipboard bitmap pasted into a memo, edited in place (wheel
# zoom, drag, quarter turns both ways, 5 degrees, the size dialog), written beside the memo when
# another memo is shown, and shown again as it was left when the memo comes back; undo after an
# edit brings the picture back. Screenshots of each step are kept.
source "$(dirname "$0")/e2e_common.sh"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)

section='HKCU\Software\Norvaly\VelText\VelText Section'
"${emu[@]}" reg add "$section" /v SaveOrignal /t REG_DWORD /d 1 /f >/dev/null 2>&1
restore() { "${emu[@]}" reg delete "$section" /v SaveOrignal /f >/dev/null 2>&1 || true; cleanup; }
trap restore EXIT

base=$WINEPREFIX/drive_c/users/$(id -un)/Documents/Norvaly/VelText
rm -rf "$base"
typer() { python3 "$tools/x11-type.py" "$1"; }
command() { "${emu[@]}" "$probe" command "$1" || fail "command $1 not sent"; sleep "${2:-1}"; }
shot() { import -window root "$out/e2e-pictures-$1.png"; }
newest_memo() { find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' -newer "$out/.e2e-pictures-mark" | sort | tail -n1; }
picture_size() { identify -format '%wx%h' "$1" 2>/dev/null; }

convert -size 200x120 gradient:red-blue -fill white -draw "circle 100,60 100,25" "$out/e2e-picture.bmp"

start_veltext
wait_windows 1 || fail "VelText did not start"
w=$(windows)
focus "$w"
xdotool key shift
read -r ex ey ew eh cell line < <("${emu[@]}" "$probe" edit | tr -d '\r')

typer $'写真のメモ\n'
xclip -selection clipboard -t image/bmp -i "$out/e2e-picture.bmp" >/dev/null 2>&1
sleep 0.5
xdotool key ctrl+v
sleep 1.5
typer "絵の後ろ"
shot 1-pasted

# Editing in place: a double click on the picture.
px=$((ex + 100)) py=$((ey + line + 50))
xdotool mousemove "$px" "$py" click --repeat 2 --delay 80 1
sleep 1.5
shot 2-editing
xdotool click 4 click 4 click 4
sleep 0.8
shot 3-zoomed
xdotool mousemove "$px" "$py" mousedown 1 mousemove $((px - 20)) $((py - 10)) mousemove $((px - 40)) $((py - 20)) mouseup 1
sleep 0.8
shot 4-dragged
command 32801 1.5
shot 5-right90
command 32802 1.5
command 32911 1.5
shot 6-right5
command 32798 1
"${emu[@]}" "$probe" set "画像サイズ変更" 3131 150 || fail "no size dialog"
sleep 0.3
"${emu[@]}" "$probe" click "画像サイズ変更" 1 || fail "no OK in the size dialog"
sleep 1.5
shot 7-resized
command 32793 1
shot 8-edited

# Another memo is shown: this one is written back with its picture beside it.
touch "$out/.e2e-pictures-mark"
sleep 1
command 32860 2
memo=$(newest_memo)
[ -n "$memo" ] || fail "the memo was not written"
tag=$(iconv -f cp932 -t utf-8 "$memo" | tr -d '\r' | grep '<IMG')
echo "tag: $tag"
[[ "$tag" =~ ^\<IMG\ SRC=\"([^\"]+)\"\ WIDTH=[0-9]+\ HEIGHT=[0-9]+\ CPOSX=[0-9]+\ CPOSY=[0-9]+\ CSIZEX=[0-9]+\ CSIZEY=[0-9]+\>$ ]] \
  || fail "tag: $tag"
picture=$(dirname "$memo")/${BASH_REMATCH[1]}
[ -f "$picture" ] || fail "no picture file $picture beside the memo"
size=$(picture_size "$picture")
echo "stored picture: $size"
[ -n "$size" ] || fail "the picture file does not decode"

# Back to it: the picture shows as it was left.
command 32857 2
shot 9-back
"${emu[@]}" "$probe" styles | grep -q "$(basename "$memo")" || fail "not back on the memo: $("${emu[@]}" "$probe" styles)"

# Undo after an edit brings the picture back as it was.
xdotool mousemove "$px" "$py" click --repeat 2 --delay 80 1
sleep 1.5
command 32801 1.5
command 32793 1
xdotool key ctrl+z
sleep 1
shot 10-undone
touch "$out/.e2e-pictures-mark"
sleep 1
command 32860 2
memo2=$(find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' -newer "$out/.e2e-pictures-mark" | sort | tail -n1)
[ -n "$memo2" ] || fail "the memo was not written after the undo"
tag2=$(iconv -f cp932 -t utf-8 "$memo2" | grep '<IMG')
[[ "$tag2" =~ SRC=\"([^\"]+)\" ]] || fail "tag after undo: $tag2"
size2=$(picture_size "$(dirname "$memo2")/${BASH_REMATCH[1]}")
echo "after undo: $size2"
[ "$size2" = "$size" ] || fail "undo did not bring the picture back ($size2, was $size)"

xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end"
montage "$out"/e2e-pictures-*.png -tile 5x -geometry 320x256+4+4 "$out/e2e-pictures-sheet.png" 2>/dev/null || true
echo "ok"
