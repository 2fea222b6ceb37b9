#!/usr/bin/env bash
# Copies side by side: each carries the marker, closing one removes its marker, Ctrl+N
# ("別のWindowを開く") starts another copy, and "全てのメモを閉じる" in one copy closes all of them.
source "$(dirname "$0")/e2e_common.sh"

[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
start_veltext
wait_windows 1 || fail "first copy did not start"
first=$(windows)
start_veltext
wait_windows 2 || fail "second copy did not start"
second=$(windows | grep -vx "$first")
wait_marked 2 || fail "expected two marked windows, found $(marked_count)"

focus "$second"
xdotool key ctrl+e
wait_exit "${pids[1]}" || fail "second copy did not end"
wait_windows 1 5 || fail "second window stayed"
[ "$(marked_count)" = 1 ] || fail "a closed copy left its marker"

focus "$first"
xdotool key ctrl+n
wait_windows 2 || fail "Ctrl+N did not open another window"
wait_marked 2 || fail "the copy started with Ctrl+N carries no marker"
# ウィンドウ(&W) -> 全てのメモを閉じる(&C), chosen in the first copy.
menu_key "$first" w c
wait_exit "${pids[0]}" || fail "first copy did not close"
wait_windows 0 5 || fail "windows stayed after closing all memos"
[ "$(marked_count)" = 0 ] || fail "markers left behind"
echo "ok"
