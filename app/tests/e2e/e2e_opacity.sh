#!/usr/bin/env bash
# The window menu's opacity and always-on-top choices, made with the keyboard.
source "$(dirname "$0")/e2e_common.sh"

[ "$(window_count)" -eq 0 ] || fail "a VelText window is already open"
start_veltext
wait_windows 1 || fail "VelText did not start"
w=$(windows)
wait_marked 1 || fail "the window carries no instance marker"
styles | grep -q '^layered=0 topmost=0' || fail "not opaque at start: $(styles)"

menu_key "$w" w 6     # 透過60%
styles | grep -q '^layered=1' || fail "60% did not make the window layered: $(styles)"
import -window root "$out/screenshot-translucent.png"
menu_key "$w" w o     # 不透明
styles | grep -q '^layered=0' || fail "opaque left the layered style: $(styles)"
menu_key "$w" w t     # 常に表示
styles | grep -q 'topmost=1' || fail "always on top did not stick: $(styles)"

focus "$w"
xdotool key ctrl+e
wait_exit "${pids[0]}" || fail "VelText did not end cleanly"
echo "ok"
