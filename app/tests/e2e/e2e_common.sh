# Shared helpers of the end-to-end tests. Arguments of every test script:
#   WINE_RUN ARCH_OPTION VELTEXT_EXE PROBE_EXE OUTPUT_DIR
set -euo pipefail
emu=("$1" "$2")
exe=$3
probe=$4
out=$5
mkdir -p "$out"
export $("${emu[@]}" --print-env)   # DISPLAY and WINEPREFIX of the shared test server

title='Ｖｅｌのメモ帳 - '
pids=()

fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/e2e-failure-$(basename "$0" .sh).png" 2>/dev/null || true
  exit 1
}

cleanup() {
  local p
  for p in "${pids[@]}"; do
    kill "$p" 2>/dev/null || true
  done
}
trap cleanup EXIT

windows() { xdotool search --name "^${title}" 2>/dev/null || true; }
window_count() { windows | grep -c . || true; }

# wait_windows N [seconds]: until exactly N VelText windows exist.
wait_windows() {
  local want=$1 limit=${2:-15} i
  for i in $(seq 1 $((limit * 20))); do
    [ "$(window_count)" -eq "$want" ] && return 0
    sleep 0.05
  done
  return 1
}

# start_veltext: starts one copy in the background; its pid is appended to pids.
start_veltext() {
  "${emu[@]}" "$exe" >/dev/null 2>&1 &
  pids+=($!)
}

marked_count() { "${emu[@]}" "$probe" count | tr -d '\r'; }
# wait_marked N: until N windows carry the instance marker; a window shows a moment before it is
# marked.
wait_marked() {
  local i
  for i in $(seq 1 50); do
    [ "$(marked_count)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
styles() { "${emu[@]}" "$probe" styles | tr -d '\r'; }

# Without a window manager a click is what activates a window under Wine; the click lands in the
# empty view.
focus() {
  # The raise must have reached the X server before the click, or the click may land on a window
  # that still covers this one.
  xdotool windowraise "$1"
  sleep 0.2
  xdotool mousemove --window "$1" 300 300 click 1
  xdotool windowfocus "$1"
  sleep 0.3
}

# menu_key WINDOW MENU_KEY ITEM_KEY: opens a menu with Alt+key and picks an item by its key.
menu_key() {
  focus "$1"
  xdotool key "alt+$2"
  sleep 0.4
  xdotool key "$3"
  sleep 0.4
}

wait_exit() {
  local pid=$1 i
  for i in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
    sleep 0.05
  done
  return 124
}
