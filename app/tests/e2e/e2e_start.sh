#!/usr/bin/env bash
# The program starts quickly with its caption, menus and status bar, and closes cleanly on Ctrl+E.
source "$(dirname "$0")/e2e_common.sh"
limit=${VEL_E2E_START_SECONDS:-2}

[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
# A first copy brings up Wine's desktop process, which the first window of a session waits for;
# the start time is measured on the second copy.
start_veltext
wait_windows 1 30 || fail "no window with the caption '$title'"
warm=$(windows)
t0=$(date +%s%N)
start_veltext
wait_windows 2 15 || fail "the second copy shows no window"
elapsed_ms=$((($(date +%s%N) - t0) / 1000000))
echo "window after ${elapsed_ms} ms"
[ "$elapsed_ms" -lt $((limit * 1000)) ] || fail "start took ${elapsed_ms} ms"
# Both windows stand at the same place; the second one is in front, and it is closed first.
second=$(windows | grep -v -x "$warm" | head -n1)
focus "$second"
xdotool key ctrl+e
wait_exit "${pids[1]}" || fail "the second copy did not end cleanly"
wait_windows 1 5 || fail "the second window stayed"

w=$(windows)
[ "$(xdotool getwindowname "$w")" = "$title" ] || fail "caption is '$(xdotool getwindowname "$w")'"
[ "$(marked_count)" = 1 ] || fail "the window carries no instance marker"
sleep 0.5
import -window root "$out/screenshot.png"

focus "$w"
xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end cleanly"
wait_windows 0 5 || fail "the window stayed"
echo "ok"
