#!/usr/bin/env bash
# No typing lost to a crash: the real program is killed hard (SIGKILL to its own process) at a
# random moment while text is typed, then started again: the text typed more than the journal's
# interval before the kill is back as a new memo, shown at once, and no memo saved before is
# damaged. Then two copies: one is killed, the other closed cleanly afterwards, and the killed
# copy's text is recovered rather than cleaned up.
#   VEL_CRASH_ROUNDS (default 3) rounds; the report lists the characters lost in each.
source "$(dirname "$0")/e2e_common.sh"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)
rounds=${VEL_CRASH_ROUNDS:-3}
# The journal comes 1 s after the first change it lacks and is written at once; the rest is time
# for Wine to take keys that X already has.
interval=2.5

base=$WINEPREFIX/drive_c/users/$(id -un)/Documents/Norvaly/VelText
rm -rf "$base"
memo_texts() {
  [ -d "$base" ] || return 0
  find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' -exec sh -c 'iconv -f cp932 -t utf-8 "$1"; echo' _ {} \; 2>/dev/null || true
}

# Starts a copy when none runs and gives it the keyboard; its window is left in $w.
start_and_focus() {
  start_veltext
  wait_windows 1 20 || fail "VelText did not start"
  w=$(windows | head -n1)
  focus "$w"
  xdotool key shift
}

check=$(dirname "$0")/crash_check.py
command() { "${emu[@]}" "$probe" command "$1" >/dev/null 2>&1 || true; }
# Typing at a steady pace, with a new chapter now and then.
first="The quick brown fox jumps over the lazy dog.
The memo keeps every word safe while it is typed, "
first="$first$first$first"
second="Then another memo is shown and typing goes on in the new one.
Nothing typed is lost. "
second="$second$second"

# A picture pasted into a memo is back with it.
start_and_focus
python3 "$tools/x11-type.py" $'写真のメモ\n'
convert -size 120x80 gradient:red-blue "$out/e2e-crash.bmp"
xclip -selection clipboard -t image/bmp -i "$out/e2e-crash.bmp" >/dev/null 2>&1
sleep 0.5
xdotool key ctrl+v
sleep 1
python3 "$tools/x11-type.py" "絵の後ろ"
sleep "$interval"
kill -9 "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true
start_and_focus
memo=$(find "$base" -mindepth 2 -maxdepth 2 -name '*.txt' | sort | tail -n1)
[ -n "$memo" ] || fail "the memo with the picture was not recovered"
text=$(iconv -f cp932 -t utf-8 "$memo" | tr -d '\r')
echo "recovered: $text"
[ "$(sed -n 1p <<<"$text")" = "写真のメモ" ] || fail "recovered text: $text"
[ "$(sed -n 3p <<<"$text")" = "絵の後ろ" ] || fail "recovered text: $text"
[[ "$(sed -n 2p <<<"$text")" =~ ^\<IMG\ SRC=\"([^\"\\]+)\" ]] || fail "no picture tag: $text"
[ -n "$(identify -format %w "$(dirname "$memo")/${BASH_REMATCH[1]}" 2>/dev/null)" ] || fail "the picture beside the memo does not decode"
# It is open in the window, the path in the title shortened at the front.
[[ "$(xdotool getwindowname "$w")" == *"$(basename "$memo")" ]] || fail "the recovered memo is not shown: $(xdotool getwindowname "$w")"
import -window root "$out/e2e-crash-picture.png"
xdotool key ctrl+e
wait_exit "${pids[-1]}" || fail "VelText did not end"

# Hard kills at random moments: while typing, while the journal is written, and in every other
# round just after another memo was shown (so while the memo is written back).
worst=0
oldest=0
for round in $(seq 1 "$rounds"); do
  python3 "$check" snapshot "$base" "$out/e2e-crash-before.json"
  start_and_focus
  pid=${pids[-1]}
  : >"$out/e2e-crash-progress1"
  : >"$out/e2e-crash-progress2"
  pause=$(python3 -c "import random; print(round(random.uniform(0.5, 9.0), 2))")
  (
    python3 "$tools/x11-type.py" "$first" --delay 0.04 --progress "$out/e2e-crash-progress1"
    if [ $((round % 2)) -eq 0 ]; then
      command 32860
      sleep 1   # the keys of the next memo come after the new memo is shown
      python3 "$tools/x11-type.py" "$second" --delay 0.04 --progress "$out/e2e-crash-progress2"
    fi
  ) &
  typer=$!
  if [ $((round % 2)) -eq 0 ]; then
    # Until the first text is typed, then a moment into the write-back and what follows.
    while kill -0 "$typer" 2>/dev/null && [ ! -s "$out/e2e-crash-progress2" ] &&
      [ "$(wc -l <"$out/e2e-crash-progress1")" -lt "${#first}" ]; do sleep 0.05; done
    pause=$(python3 -c "import random; print(round(random.uniform(0.0, 4.0), 2))")
  fi
  sleep "$pause"
  killed_at=$(date +%s.%N)
  kill -9 "$pid"
  wait "$pid" 2>/dev/null || true
  # The typing stops at once and goes no further.
  kill -STOP "$typer" 2>/dev/null || true
  pkill -9 -P "$typer" 2>/dev/null || true
  kill -9 "$typer" 2>/dev/null || true
  wait "$typer" 2>/dev/null || true

  journals=$(python3 "$check" journal "$base" "$killed_at")
  start_and_focus
  report=$(python3 "$check" check "$base" "$out/e2e-crash-before.json" "$killed_at" "$interval" \
    "$first" "$out/e2e-crash-progress1" "$second" "$out/e2e-crash-progress2" 2>&1) ||
    fail "round $round: $report ($journals)"
  read -r typed got may seconds <<<"$report"
  lost=$((typed - got))
  echo "round $round: killed after $typed characters, $got back, $lost lost (at most $may may be)," \
    "the oldest lost typed $seconds s before the kill; $journals"
  [ "$lost" -gt "$worst" ] && worst=$lost
  oldest=$(awk -v a="$seconds" -v b="$oldest" 'BEGIN { print (a > b) ? a : b }')
  import -window root "$out/e2e-crash-round$round.png"
  xdotool key ctrl+e
  wait_exit "${pids[-1]}" || fail "round $round: VelText did not end"
done
echo "most characters lost in a round: $worst; the oldest lost was typed $oldest s before its kill"

# Two copies: the first is killed, the second closes cleanly afterwards.
start_and_focus
w1=$w
first=${pids[-1]}
python3 "$tools/x11-type.py" "killed copy text"
sleep 3
start_veltext
second=${pids[-1]}
wait_windows 2 20 || fail "the second copy did not start"
w2=$(windows | grep -v -x "$w1" | head -n1)
kill -9 "$first"
wait "$first" 2>/dev/null || true
focus "$w2"
xdotool key ctrl+e
wait_exit "$second" || fail "the second copy did not end"
memo_texts | grep -q "^killed copy text$" || fail "the killed copy's text was not recovered: $(memo_texts)"
ls "$base" | grep -q '^DefBackup_.*\.jnl$' && fail "a journal was left behind: $(ls "$base")"
echo "ok"
