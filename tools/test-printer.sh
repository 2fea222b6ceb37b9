#!/usr/bin/env bash
# The PDF printer the printing tests print on: a CUPS queue "VelPDF" on the cups-pdf backend that
# writes its files into the build tree, made the default printer for the tests' run.
#   test-printer.sh start STATE_DIR   starts the CUPS scheduler unless one runs already (without
#                                     systemd), adds the queue and makes it the default
#   test-printer.sh stop STATE_DIR    removes the queue, gives back the earlier default printer and
#                                     stops the scheduler, but only what start itself set up
#   test-printer.sh outdir STATE_DIR  the folder the printed PDF files land in
# Wine reads the printers when a program starts: start before the program under test runs.
set -uo pipefail

queue=VelPDF
instance=vel
conf=/etc/cups/cups-pdf-$instance.conf
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

mode=${1:-}
state=${2:-}
[ -n "$mode" ] && [ -n "$state" ] || { echo "usage: test-printer.sh start|stop|outdir STATE_DIR" >&2; exit 2; }
mkdir -p "$state"
state=$(cd "$state" && pwd)
out=$state/pdf

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

start() {
  if ! command -v cupsd >/dev/null && [ ! -x /usr/sbin/cupsd ]; then
    echo "test-printer: cups is not installed" >&2
    return 1
  fi
  if ! running; then
    # Our own scheduler, in the foreground of a detached session so that its pid is known.
    setsid "${sudo_cmd[@]}" /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    echo $! >"$state/cupsd.pid"
    local i
    for i in $(seq 1 100); do
      running && break
      sleep 0.1
    done
    running || { echo "test-printer: the CUPS scheduler did not start" >&2; return 1; }
  fi
  mkdir -p "$out"
  if [ ! -f "$conf" ] || ! grep -qx "Out $out" "$conf"; then
    printf 'Out %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$out" | "${sudo_cmd[@]}" tee "$conf" >/dev/null
  fi
  if ! lpstat -p "$queue" >/dev/null 2>&1; then
    "${sudo_cmd[@]}" lpadmin -p "$queue" -v "cups-pdf:/$instance" -E -m "$ppd" 2>/dev/null || return 1
    touch "$state/queue-added"
  fi
  local previous
  previous=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
  if [ "$previous" != "$queue" ]; then
    echo "$previous" >"$state/previous-default"
    "${sudo_cmd[@]}" lpadmin -d "$queue" || return 1
  fi
  for i in $(seq 1 50); do
    lpstat -p "$queue" 2>/dev/null | grep -q enabled && return 0
    sleep 0.1
  done
  echo "test-printer: the queue $queue is not ready" >&2
  return 1
}

stop() {
  if running; then
    if [ -f "$state/previous-default" ]; then
      local previous
      previous=$(cat "$state/previous-default")
      [ -n "$previous" ] && "${sudo_cmd[@]}" lpadmin -d "$previous" 2>/dev/null
    fi
    [ -f "$state/queue-added" ] && "${sudo_cmd[@]}" lpadmin -x "$queue" 2>/dev/null
  fi
  [ -f "$state/queue-added" ] && "${sudo_cmd[@]}" rm -f "$conf"
  rm -f "$state/previous-default" "$state/queue-added"
  if [ -f "$state/cupsd.pid" ]; then
    local pid
    pid=$(cat "$state/cupsd.pid")
    rm -f "$state/cupsd.pid"
    # Only the scheduler this script started, found by its recorded pid.
    if [ -n "$pid" ] && [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = cupsd ]; then
      "${sudo_cmd[@]}" kill "$pid" 2>/dev/null
      local i
      for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
    fi
  fi
  return 0
}

case "$mode" in
  start) start ;;
  stop) stop ;;
  outdir) echo "$out" ;;
  *) echo "usage: test-printer.sh start|stop|outdir STATE_DIR" >&2; exit 2 ;;
esac
