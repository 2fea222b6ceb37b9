#!/usr/bin/env bash
# Memos on disk through the real program: a typed memo is written back into a time-stamped memo
# folder of the default memo base when the window closes; the next start opens it with Ctrl+O,
# adds a file with Ctrl+A, and saves under another name in each of the three save types, whose
# bytes are checked.
source "$(dirname "$0")/e2e_common.sh"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)

docs=$WINEPREFIX/drive_c/users/$(id -un)/Documents
base=$docs/Norvaly/VelText
temp_win='C:\users\'"$(id -un)"'\Temp\vel-e2e-files'
temp=$WINEPREFIX/drive_c/users/$(id -un)/Temp/vel-e2e-files
rm -rf "$base" "$temp"
mkdir -p "$temp"

typer() { python3 "$tools/x11-type.py" "$1"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
select_all_copy() { xdotool key alt+e; sleep 0.3; xdotool key a; sleep 0.3; xdotool key ctrl+c; sleep 0.3; }
# cp932 bytes of a file as UTF-8 text, line ends kept visible as \r.
file_text() { iconv -f cp932 -t utf-8 "$1" | sed 's/\r/\\r/g'; }
wait_dialog() {
  local i
  for i in $(seq 1 100); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && { sleep 0.5; return 0; }
    sleep 0.1
  done
  fail "the dialog '$1' did not open"
}
# Types a path into the focused file dialog's name field and confirms it.
choose_file() {
  wait_dialog "$1"
  xdotool key End shift+Home BackSpace
  typer "$2"
  xdotool key Return
  sleep 0.8
}
one_memo_file() {
  local files
  files=$(find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' | sort)
  [ "$(echo "$files" | grep -c .)" -eq "$1" ] || fail "expected $1 memo files in the base, found: $files"
  echo "$files" | head -n1
}

# A typed memo goes back to the memo store when the window closes.
start_veltext
wait_windows 1 || fail "VelText did not start"
w=$(windows)
focus "$w"
xdotool key shift
typer $'一つ目のメモ\n\t字下げした段落'
xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end"
memo=$(one_memo_file 1)
folder=$(basename "$(dirname "$memo")")
[[ "$folder" =~ ^[0-9]{4}年[0-9]{2}月[0-9]{2}日[0-9]{2}時[0-9]{2}分[0-9]{2}秒\(.\)_001$ ]] || fail "memo folder named $folder"
[ "$(basename "$memo")" = "$folder.txt" ] || fail "memo file named $(basename "$memo")"
[ "$(file_text "$memo")" = $'一つ目のメモ\\r\n\t字下げした段落' ] || fail "memo holds: $(file_text "$memo")"
ls "$docs/Norvaly/VelText" | grep -q DefBackup && fail "the temporary file was left behind"

# The next start: open that memo, add another file before it.
start_veltext
wait_windows 1 || fail "VelText did not start again"
w=$(windows)
focus "$w"
xdotool key shift
memo_win='C:\users\'"$(id -un)"'\Documents\Norvaly\VelText\'"$folder"'\'"$folder.txt"
xdotool key ctrl+o
choose_file "ファイルを新規に開く" "$memo_win"
select_all_copy
[ "$(clipboard)" = $'一つ目のメモ\n\t字下げした段落' ] || fail "opened memo shows: $(clipboard)"
printf '\x92\xc7\x89\xc1\x82\xb5\x82\xbd\x8d\x73\r\n' >"$temp/add.txt"   # 追加した行
xdotool key Up Up Up Home
xdotool key ctrl+a
choose_file "ファイルから追加する" "$temp_win\\add.txt"
select_all_copy
[ "$(clipboard)" = $'追加した行\n一つ目のメモ\n\t字下げした段落' ] || fail "after adding: $(clipboard)"

# Save As in each save type.
save_as() {   # save_as FILE CONTROL
  xdotool key alt+f
  sleep 0.3
  xdotool key v
  choose_file "名前を付けて保存する" "$temp_win\\$1"
  wait_dialog "保存タイプ選択"
  "${emu[@]}" "$probe" click "保存タイプ選択" "$2" || fail "no save type dialog"
  sleep 0.8
  [ -f "$temp/$1" ] || fail "$1 was not written"
}
save_as type1.txt 1081
[ "$(file_text "$temp/type1.txt")" = $'追加した行\\r\n一つ目のメモ\\r\n字下げした段落' ] || fail "type 1: $(file_text "$temp/type1.txt")"
save_as type2.txt 1082
[ "$(file_text "$temp/type2.txt")" = $'追加した行\\r\n一つ目のメモ\\r\n  字下げした段落' ] || fail "type 2: $(file_text "$temp/type2.txt")"
save_as type0.txt 1072
[ "$(file_text "$temp/type0.txt")" = $'追加した行\\r\n一つ目のメモ\\r\n\t字下げした段落' ] || fail "type 0: $(file_text "$temp/type0.txt")"
# The caption names the file saved last.
"${emu[@]}" "$probe" styles | grep -q 'type0.txt' || fail "caption: $("${emu[@]}" "$probe" styles)"
import -window root "$out/e2e-memo-files.png"

xdotool key ctrl+e
wait_exit "${pids[1]}" || fail "VelText did not end the second time"
# The first memo is as it was; the edited copy was saved under its new name.
[ "$(file_text "$memo")" = $'一つ目のメモ\\r\n\t字下げした段落' ] || fail "the first memo changed: $(file_text "$memo")"
rm -rf "$temp"
echo "ok"
