#!/usr/bin/env bash
# The release as a user gets it: the zip made by the package step, unpacked into a folder whose
# path has spaces and Japanese characters, run in a fresh Wine prefix. It opens a memo file named
# on the command line (again with spaces and Japanese characters), shows its version in the About
# box, and scales its fonts, cells and dialogs with the system DPI (96 and 144).
source "$(dirname "$0")/e2e_common.sh"
root=$(cd "$(dirname "$0")/../../.." && pwd)
version=$(head -n1 "$root/VERSION")
wine_run=${emu[0]}
arch_option=${emu[1]}

# The zip, made from the program just built.
zip=$out/release/VelText-$version-win32.zip
rm -rf "$out/release"
# Where only the 64-bit build runs, the same steps are rehearsed with it.
rehearsal=()
[ "$arch_option" = "--arch=win64" ] && rehearsal=(--rehearsal)
bash "$root/tools/package.sh" --from "$(dirname "$exe")" "${rehearsal[@]}" --out "$zip" || fail "the package step failed"
python3 - "$zip" "$version" <<'PY' || fail "the zip does not hold what a release needs"
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1]); top = f"VelText-{sys.argv[2]}/"
names = set(z.namelist())
for need in ["VelText.exe", "rastkit.dll", "はじめに.txt"]:
    assert top + need in names, need
for folder in ["basecntl", "baseview", "graypic"]:
    assert any(n.startswith(top + folder + "/") for n in names), folder
guide = z.read(top + "はじめに.txt").decode("cp932")
assert "\r\n" in guide and "Norvaly\\VelText" in guide and "Ctrl+S" in guide, "guide"
PY

# A prefix of its own that no earlier run has touched.
export VEL_WINEPREFIX=$out/wineprefix-release
export WINEPREFIX=$VEL_WINEPREFIX
rm -rf "$VEL_WINEPREFIX" "$VEL_WINEPREFIX.lock"
stop_fresh_server() { "$wine_run" "$arch_option" --stop-server >/dev/null 2>&1 || true; }
trap 'cleanup; stop_fresh_server' EXIT
"$wine_run" "$arch_option" --start-server || fail "the fresh prefix could not be made"

folder_win='C:\Program Files\ベル メモ帳 テスト'
folder=$WINEPREFIX/drive_c/Program\ Files/ベル\ メモ帳\ テスト
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder" \
  || fail "the zip does not unpack"
program_win="$folder_win\\VelText-$version\\VelText.exe"
[ -f "$folder/VelText-$version/VelText.exe" ] || fail "VelText.exe is not where the zip put it"

memo_dir=$WINEPREFIX/drive_c/メモ\ 置き場
mkdir -p "$memo_dir"
printf '牛乳と卵\r\nパン' | iconv -f utf-8 -t cp932 >"$memo_dir/買い物 リスト.txt"
original=$(md5sum <"$memo_dir/買い物 リスト.txt")
base=$WINEPREFIX/drive_c/users/$(id -un)/Documents/Norvaly/VelText

run_program() { "$wine_run" "$arch_option" "$program_win" "$@" >/dev/null 2>&1 & pids+=($!); }
probe_run() { "$wine_run" "$arch_option" "$probe" "$@" | tr -d '\r'; }
# "height" of the control bar and the line height of the memo font, from the running window.
measure() {
  local bar line
  bar=$(probe_run tree | awk '/^#32770 / { for (i = 2; i <= NF; ++i) if ($i ~ /^visible=/) { split($(i-1), r, "[,-]"); print r[4] - r[2]; exit } }')
  line=$(probe_run edit | awk '{ print $6; exit }')
  echo "$bar $line"
}

# 96 dpi: the file named on the command line is opened.
run_program 'C:\メモ 置き場\買い物 リスト.txt'
wait_windows 1 60 || fail "the unpacked program shows no window"
w=$(windows)
# The caption names the file once the memo is read in, a moment after the window shows.
for i in $(seq 1 150); do
  caption=$(xdotool getwindowname "$w")
  [[ "$caption" == *"買い物 リスト"* ]] && break
  sleep 0.1
done
echo "caption: $caption"
[[ "$caption" == *'C:\メモ 置き場\買い物 リスト.txt' ]] || fail "the caption does not name the file: $caption"
sleep 1
import -window root "$out/release-96dpi.png"
read -r bar96 line96 < <(measure)
echo "96 dpi: control bar $bar96 px, memo line $line96 px"

probe_run command 57664 || fail "the About command was not taken"
for i in $(seq 1 50); do
  about=$(probe_run text "バージョン情報 VelText" 2>/dev/null || true)
  [ -n "$about" ] && break
  sleep 0.1
done
echo "$about" | grep -q "Ｖｅｌのメモ帳 Version $version" || fail "the About box says: $about"
probe_run click "バージョン情報 VelText" 1 || true
sleep 0.5

# The stock pictures beside the program are offered for the text and the control bar.
probe_run command 32854 || fail "the view options command was not taken"
for i in $(seq 1 50); do
  xdotool search --onlyvisible --name '^表示オプション$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
import -window root "$out/release-view-options-96dpi.png"
for pair in "1065 baseview" "1062 basecntl"; do
  set -- $pair
  offered=$(probe_run items "表示オプション" "$1")
  stock=$(ls "$folder/VelText-$version/$2" | grep -c .)
  echo "$2: $offered pictures offered, $stock in the stock folder"
  [ -n "$offered" ] && [ "$offered" -ge "$stock" ] || fail "the stock pictures of $2 are not offered"
done
probe_run click "表示オプション" 2 || fail "the view options could not be cancelled"
sleep 0.5

# What is typed goes into a memo of the memo store; the file itself is left as it was.
focus "$w"
xdotool key ctrl+End
xdotool type --delay 60 ' OK'
xdotool key ctrl+e
wait_exit "${pids[-1]}" || fail "the program did not end cleanly"
[ "$(md5sum <"$memo_dir/買い物 リスト.txt")" = "$original" ] || fail "the opened file was changed"
saved=$(find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' | head -n1)
[ -n "$saved" ] || fail "the edited memo was not written to the memo store"
[ "$(iconv -f cp932 -t utf-8 "$saved" | tr -d '\r')" = $'牛乳と卵\nパン OK' ] \
  || fail "the memo store holds: $(iconv -f cp932 -t utf-8 "$saved")"

# 144 dpi, the next start of the same prefix.
stop_fresh_server
"$wine_run" "$arch_option" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
"$wine_run" "$arch_option" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
stop_fresh_server
"$wine_run" "$arch_option" --start-server
run_program
wait_windows 1 60 || fail "no window at 144 dpi"
w=$(windows)
sleep 1
import -window root "$out/release-144dpi.png"
read -r bar144 line144 < <(measure)
echo "144 dpi: control bar $bar144 px, memo line $line144 px"
# Dialog units and point sizes follow the DPI: half as large again, give or take rounding.
python3 - "$bar96" "$bar144" "$line96" "$line144" <<'PY' || fail "the window does not scale with the DPI"
import sys
b96, b144, l96, l144 = map(float, sys.argv[1:])
for name, a, b in (("control bar", b96, b144), ("memo line", l96, l144)):
    ratio = b / a
    print(f"{name}: x{ratio:.2f}")
    assert 1.35 <= ratio <= 1.65, name
PY
focus "$w"
xdotool key ctrl+e
wait_exit "${pids[-1]}" || fail "the program did not end cleanly at 144 dpi"
echo "ok"
