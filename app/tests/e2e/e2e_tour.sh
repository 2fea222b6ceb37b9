#!/usr/bin/env bash
# A day with the real program, from the first start to the next morning: a Japanese memo whose
# line ends follow the line-breaking rules, a bulleted paragraph with its hanging indent, "1+2="
# calculated, a picture pasted and turned; a new memo, back and forth between the two, search,
# replace and undo, the print preview, fewer columns in the options, a second window whose memo
# the first one's list picks up, "全てのメモを閉じる", and a new start that finds everything again.
# Every step checks its result through the memo files, window captions, the caret, the controls
# and the clipboard, and leaves a screenshot in tour/ beside one contact sheet of them all.
source "$(dirname "$0")/e2e_common.sh"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)
tour=${VEL_TOUR_DIR:-$out/tour}
rm -rf "$tour"
mkdir -p "$tour"

section='HKCU\Software\Norvaly\VelText\VelText Section'
base=$WINEPREFIX/drive_c/users/$(id -un)/Documents/Norvaly/VelText
clear_settings() { "${emu[@]}" reg delete "$section" /f >/dev/null 2>&1 || true; }
setting() {
  "${emu[@]}" reg query "$section" /v "$1" 2>/dev/null | tr -d '\r' | grep "REG_" |
    sed -E 's/^.*REG_[A-Z_]+ +//' || true
}

font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
files=()
labels=()
# shot NAME LABEL: the screen as it is now, for the contact sheet under LABEL.
shot() {
  local file
  file=$(printf '%s/%02d-%s.png' "$tour" $((${#files[@]} + 1)) "$1")
  sleep 0.3
  import -window root -crop 1000x800+0+0 +repage "$file"
  files+=("$file")
  labels+=("$(printf '%02d %s' ${#files[@]} "$2")")
}
contact_sheet() {
  [ ${#files[@]} -gt 0 ] || return 0
  local args=() i
  for i in "${!files[@]}"; do
    args+=(-label "${labels[$i]}" "${files[$i]}")
  done
  [ -f "$font" ] && args+=(-font "$font")
  montage "${args[@]}" -pointsize 18 -tile 3x -geometry 640x512+8+8 -background '#e8e8e8' -depth 8 \
    "$tour/contact-sheet.png" 2>/dev/null || echo "note: no contact sheet" >&2
}
finish() {
  local status=$?
  [ $status -eq 0 ] || shot failure "失敗したところ"
  cleanup
  rm -f "$tour/.now.png"
  contact_sheet
  # The memos of the day stay beside the screenshots; the shared memo base is left empty.
  [ -d "$base" ] && cp -r "$base" "$tour/memos" 2>/dev/null
  rm -rf "$base"
  clear_settings
}
trap finish EXIT

probe() { "${emu[@]}" "$probe" "$@" | tr -d '\r'; }
# Wine must read each remapped key before it is pressed; the tour gives it longer than the default,
# since other tests may keep the machine busy while it types.
typer() { VEL_MAP_WAIT=${VEL_MAP_WAIT:-0.2} python3 "$tools/x11-type.py" "$1"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
copy() { xdotool key ctrl+c; sleep 0.3; }
menu() { xdotool key "alt+$1"; sleep 0.4; xdotool key "$2"; sleep 0.6; }
select_all_copy() { menu e a; copy; }
expect() {   # expect GOT WANT WHAT
  [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"
}

# Controls of the first marked window (the one in front), found by their ids.
control() { probe tree | grep -m1 " id=$1 " || true; }
click_control() {
  local line
  line=$(control "$1")
  [[ "$line" =~ \ (-?[0-9]+),(-?[0-9]+)-(-?[0-9]+),(-?[0-9]+)\ visible=1 ]] || fail "control $1 is not shown: '$line'"
  xdotool mousemove $(((BASH_REMATCH[1] + BASH_REMATCH[3]) / 2)) $(((BASH_REMATCH[2] + BASH_REMATCH[4]) / 2)) click 1
  sleep "${2:-0.5}"
}
enabled() { control "$1" | sed -n 's/.* enabled=\([01]\)$/\1/p'; }
wait_enabled() {   # wait_enabled ID WHAT: until the control can be used (a listing may still run)
  local i
  for i in $(seq 1 30); do
    [ "$(enabled "$1")" = 1 ] && return 0
    sleep 0.1
  done
  fail "$2 stays disabled"
}
expect_enabled() {   # expect_enabled ID 0|1 WHAT
  expect "$(enabled "$1")" "$2" "$3"
}

# The caret as a display line and column of the edit window.
caret_at() {
  local x y rest
  read -r x y rest < <(probe caret)
  [ "$x" != none ] || { echo "none"; return; }
  echo "$(((y - ey) / line)) $(((x - ex) / cell))"
}
expect_caret() {   # expect_caret ROW COLUMN WHAT
  expect "$(caret_at)" "$1 $2" "$3: the caret (line and column)"
}
# A click at the start of display line ROW of the text.
to_row() { xdotool mousemove $((ex + 1)) $((ey + $1 * line + line / 2)) click 1; sleep 0.2; }
row_text() { to_row "$1"; xdotool key Home shift+End; sleep 0.2; copy; xdotool key Home; clipboard; }

title_of() { xdotool getwindowname "$1"; }
memo_files() { find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' 2>/dev/null | sort; }
memo_text() { iconv -f cp932 -t utf-8 "$1" | tr -d '\r'; }
# red or blue: which of the two the pixel at X Y of a screenshot is.
colour_at() {
  convert "$3" -format '%[fx:int(255*p{'"$1,$2"'}.r)] %[fx:int(255*p{'"$1,$2"'}.g)] %[fx:int(255*p{'"$1,$2"'}.b)]' info: |
    awk '{ if ($1 > 150 && $2 < 90 && $3 < 90) print "red"; else if ($3 > 150 && $1 < 90 && $2 < 120) print "blue"; else print "other" }'
}
picture_colours() {   # X Y X Y ...: the colours at those points of the screen now
  local now=$tour/.now.png
  import -window root "$now"
  local result=""
  while [ $# -gt 1 ]; do result+="$(colour_at "$1" "$2" "$now") "; shift 2; done
  echo "${result% }"
}

kinsoku='朝は駅前の喫茶店で企画書を読み、昼は会議。夕方に資料を送る。'
bullet='・買い物リストは帰りに駅前のスーパーで忘れずに買うこと'
shopping=$'買い物のメモ\n牛乳を買う。牛乳は二本。'
shopping_replaced=$'買い物のメモ\n牛乳を買う。豆乳飲料は二本。'
other_window='別の窓で書いたメモ'
convert -size 100x120 xc:'#E02020' -size 100x120 xc:'#2040E0' +append BMP3:"$tour/picture.bmp"

# ---- Morning: the first start on an empty memo store with 40 columns a line. ----
clear_settings
rm -rf "$base"
"${emu[@]}" reg add "$section" /v "Column Num" /t REG_DWORD /d 40 /f >/dev/null 2>&1
[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
start_veltext
wait_windows 1 || fail "VelText did not start"
a=$(windows)
a_pid=${pids[0]}
focus "$a"
xdotool key shift
expect "$(title_of "$a")" "$title" "the caption at the start"
wait_marked 1 || true
expect "$(marked_count)" 1 "marked windows"
read -r ex ey ew eh cell line < <(probe edit)
[ "${ew:-0}" -gt 300 ] || fail "no edit window found"
expect_caret 0 0 "an empty memo"
expect_enabled 32857 0 "前 with no memo stored"
expect_enabled 32858 0 "後 with no memo stored"
expect_enabled 32860 1 "新"
shot start "起動: 空のメモ"

# A Japanese memo: at 40 columns the 21st character is "。", which may not begin a line, so the
# character before it goes down with it.
typer $'今日のメモ\n'"$kinsoku"
expect "$(row_text 1)" "朝は駅前の喫茶店で企画書を読み、昼は会" "the first line of the paragraph"
xdotool key End
expect_caret 1 38 "the end of the shortened line"
expect "$(row_text 2)" "議。夕方に資料を送る。" "the line after the break"
xdotool key End
shot kinsoku "禁則: 「。」の前で折り返す"

# A bulleted paragraph: its second line hangs below the text after the bullet.
typer $'\n'"$bullet"
expect "$(row_text 4)" "れずに買うこと" "the hanging line"
expect_caret 4 2 "the start of the hanging line"
expect "$(row_text 3)" "・買い物リストは帰りに駅前のスーパーで忘" "the bulleted line"
to_row 4
xdotool key End
shot bullet "箇条書き: ぶら下げ字下げ"

# "=" calculates what stands before it.
typer $'\n1+2='
expect "$(row_text 5)" "1+2=3" "the calculation"
xdotool key End
shot calculate "「1+2=」で 3"

# A picture from the clipboard, then a line below it.
xdotool key End
typer $'\n'
expect_caret 6 0 "the line for the picture"
top=$((ey + 6 * line))
xclip -selection clipboard -t image/bmp -i "$tour/picture.bmp" >/dev/null 2>&1
sleep 0.5
xdotool key ctrl+v
sleep 1.5
typer '写真の下の行'
expect "$(picture_colours $((ex + 40)) $((top + 60)) $((ex + 160)) $((top + 60)))" "red blue" "the pasted picture on the screen"
shot picture "画像の貼り付け"

# Turned a quarter to the right in place: the red half comes to the top.
xdotool mousemove $((ex + 100)) $((top + 60)) click --repeat 2 --delay 80 1
sleep 1.5
probe tree | grep -q '^VelEditPict ' || fail "the picture is not being edited"
menu p r
sleep 1
probe tree | grep -q '^VelEditPict .* visible=1 ' || fail "the picture editing window went away"
menu p e
probe tree | grep -q '^VelEditPict ' && fail "the picture editing did not end"
expect "$(picture_colours $((ex + 60)) $((top + 40)) $((ex + 60)) $((top + 170)) $((ex + 160)) $((top + 60)))" \
  "red blue other" "the turned picture on the screen"
shot rotated "画像を右に 90 度回転"
select_all_copy
first_memo=$(clipboard)
[[ "$(sed -n 5p <<<"$first_memo")" =~ ^\<IMG\ SRC=\"[^\"]+\"\ WIDTH=120\ HEIGHT=200\  ]] ||
  fail "the memo's picture tag after the turn: $first_memo"
expect "$(sed '5d' <<<"$first_memo")" $'今日のメモ\n'"$kinsoku"$'\n'"$bullet"$'\n1+2=3\n写真の下の行' "the memo's text"

# ---- A new memo: the first one is written into the memo store. ----
click_control 32860 1.5
memo1=$(memo_files)
[ "$(grep -c . <<<"$memo1")" = 1 ] || fail "after 新 the store holds: $memo1"
folder1=$(basename "$(dirname "$memo1")")
[[ "$folder1" =~ ^[0-9]{4}年[0-9]{2}月[0-9]{2}日[0-9]{2}時[0-9]{2}分[0-9]{2}秒\(.\)_001$ ]] || fail "memo folder named $folder1"
text1=$(memo_text "$memo1")
[[ "$(sed -n 5p <<<"$text1")" =~ ^\<IMG\ SRC=\"([^\"\\]+)\" ]] || fail "the stored picture tag: $text1"
picture1=$(dirname "$memo1")/${BASH_REMATCH[1]}
expect "$(identify -format '%wx%h' "$picture1" 2>/dev/null)" 120x200 "the stored picture's size"
expect "$(colour_at 60 30 "$picture1") $(colour_at 60 170 "$picture1")" "red blue" "the stored picture's halves"
expect "$(sed '5d' <<<"$text1")" "$(sed '5d' <<<"$first_memo")" "the stored memo"
expect "$(title_of "$a")" "$title" "the caption of a new memo"
expect_enabled 32857 1 "前 with one memo stored"
to_row 0
expect_caret 0 0 "the new memo"
typer "$shopping"
shot new-memo "新しいメモ"

# ---- 前 and 後: the new memo is stored and the first one comes back, then the other way. ----
click_control 32857 1.5
memo2=$(memo_files | grep -vxF "$memo1")
[ "$(grep -c . <<<"$memo2")" = 1 ] || fail "after 前 the store holds: $(memo_files)"
expect "$(memo_text "$memo2")" "$shopping" "the second memo on disk"
expect "$(title_of "$a")" "$title$(basename "$memo1")" "the caption after 前"
# The first memo's picture stays with it; nothing was written beside the second one.
expect "$(ls "$(dirname "$memo2")")" "$(basename "$memo2")" "the second memo's folder"
expect_enabled 32857 0 "前 on the oldest memo"
expect_enabled 32858 1 "後 on the oldest memo"
shot previous "「前」: 一つ目のメモ"
to_row 1
select_all_copy
expect "$(clipboard | sed '5d')" "$(sed '5d' <<<"$first_memo")" "the first memo shown again"
click_control 32858 1.5
expect "$(title_of "$a")" "$title$(basename "$memo2")" "the caption after 後"
shot next "「後」: 二つ目のメモ"
to_row 0
select_all_copy
expect "$(clipboard)" "$shopping" "the second memo shown again"

# ---- Search and replace in the control bar. ----
to_row 0
click_control 1087 0.3
typer "牛乳"
control 1087 | grep -q '^Edit "牛乳" ' || fail "the search field holds: $(control 1087)"
click_control 32876
expect_caret 1 0 "the first match"
copy
expect "$(clipboard)" "牛乳" "the selection of the first match"
xdotool key F3
sleep 0.5
expect_caret 1 12 "the second match (F3)"
click_control 1088 0.3
typer "豆乳飲料"
click_control 32877
# The replacement is selected, the caret behind it: two characters longer than the match.
expect_caret 1 20 "after the replacement"
shot replace "検索と置換"

# ---- Undo takes the replacement back; F4 replaces it once more. ----
xdotool key ctrl+z
sleep 0.5
shot undo "元に戻す"
select_all_copy
expect "$(clipboard)" "$shopping" "after undo"
to_row 0
xdotool key F3
sleep 0.3
xdotool key F3
sleep 0.3
expect_caret 1 12 "the second match again"
xdotool key F4
sleep 0.5
select_all_copy
expect "$(clipboard)" "$shopping_replaced" "replaced again with F4"

# ---- Print preview: the page in place of the text, the control bar hidden meanwhile. ----
menu f g
sleep 1
probe tree | grep -q '^VelPrintPreview .* visible=1 ' || fail "no print preview: $(probe tree)"
probe tree | grep -q '^Static "1 / 1 ページ' || fail "the preview's page count: $(probe tree | grep '^Static')"
expect "$(control 32860 | grep -o 'visible=[01]')" visible=0 "the control bar during the preview"
shot preview "印刷プレビュー"
line_close=$(probe tree | grep -m1 '^Button "閉じる" ')
[[ "$line_close" =~ \ ([0-9]+),([0-9]+)-([0-9]+),([0-9]+)\  ]] || fail "no close button in the preview"
xdotool mousemove $(((BASH_REMATCH[1] + BASH_REMATCH[3]) / 2)) $(((BASH_REMATCH[2] + BASH_REMATCH[4]) / 2)) click 1
sleep 1
probe tree | grep -q '^VelPrintPreview ' && fail "the preview stayed"
expect "$(control 32860 | grep -o 'visible=[01]')" visible=1 "the control bar after the preview"

# ---- Options: 30 columns; the first memo is laid out again at once. ----
click_control 32857 1.5
expect "$(title_of "$a")" "$title$(basename "$memo1")" "the caption back on the first memo"
expect "$(memo_text "$memo2")" "$shopping_replaced" "the second memo written back"
to_row 0
menu t o
for i in $(seq 1 50); do xdotool search --onlyvisible --name '^オプション$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.3
probe set "オプション" 1004 30 || fail "the options did not open"
sleep 0.3
shot options "オプション: 1行 30 桁"
probe click "オプション" 1
for i in $(seq 1 50); do xdotool search --onlyvisible --name '^オプション$' >/dev/null 2>&1 || break; sleep 0.1; done
sleep 0.5
expect "$(setting "Column Num")" 0x1e "Column Num"
check_30_columns() {   # WHAT
  expect "$(row_text 1)" "朝は駅前の喫茶店で企画書を読" "$1: the first line (「、」 may not begin the next)"
  expect "$(row_text 2)" "み、昼は会議。夕方に資料を送" "$1: the second line"
  expect "$(row_text 3)" "る。" "$1: the third line"
  expect "$(row_text 4)" "・買い物リストは帰りに駅前の" "$1: the bulleted line (「ー」 may not begin the next)"
  expect "$(row_text 5)" "スーパーで忘れずに買うこと" "$1: the hanging line"
  expect_caret 5 2 "$1: the start of the hanging line"
  expect "$(row_text 6)" "1+2=3" "$1: the calculation"
}
check_30_columns "at 30 columns"
shot columns "30 桁で並べ直し"

# ---- A second window: its memo appears in the first window's list. ----
xdotool key ctrl+n
wait_windows 2 20 || fail "Ctrl+N opened no second window"
b=$(windows | grep -vx "$a")
# Its program is ours to stop too should the tour end early.
b_pid=$(xdotool getwindowpid "$b" 2>/dev/null || true)
[ -n "$b_pid" ] && pids+=("$b_pid")
wait_marked 2 || true
expect "$(marked_count)" 2 "marked windows with two open"
focus "$b"
xdotool key shift
expect "$(title_of "$b")" "$title" "the second window's caption"
typer "$other_window"
shot second-window "別のウィンドウでメモ"
click_control 32860 1.5
memo3=$(memo_files | grep -vxF "$memo1" | grep -vxF "$memo2")
[ "$(grep -c . <<<"$memo3")" = 1 ] || fail "after 新 in the second window the store holds: $(memo_files)"
expect "$(memo_text "$memo3")" "$other_window" "the memo of the second window on disk"
focus "$a"
sleep 0.5
click_control 32858 1.5
expect "$(title_of "$a")" "$title$(basename "$memo2")" "the first window after 後"
click_control 32858 1.5
expect "$(title_of "$a")" "$title$(basename "$memo3")" "the first window's list holds the other window's memo"
expect_enabled 32858 0 "後 on the newest memo"
shot list-refreshed "一つ目の窓の一覧に新しいメモ"
to_row 0
select_all_copy
expect "$(clipboard)" "$other_window" "the other window's memo in the first window"

# ---- "全てのメモを閉じる" closes both windows. ----
menu w c
wait_exit "$a_pid" || fail "the first window's program did not end cleanly"
wait_windows 0 10 || fail "windows stayed after 全てのメモを閉じる"
expect "$(marked_count)" 0 "marked windows after closing all"
pids=()
expect "$(memo_files | grep -c .)" 3 "memos in the store"
shot closed "全てのメモを閉じる"

# ---- Next morning: everything is there. ----
start_veltext
wait_windows 1 || fail "VelText did not start again"
a=$(windows)
focus "$a"
xdotool key shift
expect "$(title_of "$a")" "$title" "the caption at the new start"
wait_enabled 32857 "前 at the new start"
expect_enabled 32858 0 "後 at the new start"
click_control 32857 1.5
expect "$(title_of "$a")" "$title$(basename "$memo3")" "the newest memo"
to_row 0
select_all_copy
expect "$(clipboard)" "$other_window" "the newest memo's text"
click_control 32857 1.5
expect "$(title_of "$a")" "$title$(basename "$memo2")" "the second memo"
to_row 0
select_all_copy
expect "$(clipboard)" "$shopping_replaced" "the second memo's text"
click_control 32857 1.5
expect "$(title_of "$a")" "$title$(basename "$memo1")" "the first memo"
expect_enabled 32857 0 "前 on the oldest memo"
to_row 0
select_all_copy
expect "$(clipboard | sed '5d')" "$(sed '5d' <<<"$first_memo")" "the first memo's text"
# Its picture is named after its own memo folder.
img=$(clipboard | sed -n 5p)
[[ "$img" == '<IMG SRC="'*"\\$folder1\\"*'" WIDTH=120 HEIGHT=200 '* ]] || fail "the first memo's picture after the new start: $img"
check_30_columns "after the new start"
top=$((ey + 7 * line))
expect "$(picture_colours $((ex + 60)) $((top + 40)) $((ex + 60)) $((top + 170)))" "red blue" "the turned picture after the new start"
shot next-day "翌日: 全部そろっている"

xdotool key ctrl+e
wait_exit "${pids[-1]}" || fail "VelText did not end cleanly"
echo "tour: ${#files[@]} screenshots in $tour"
echo "ok"
