#!/usr/bin/env bash
# Runs a Windows binary under Wine in a private prefix inside the build tree (never ~/.wine).
#   wine-run.sh [--arch=win32|win64] PROGRAM [ARGS...]   run it; exit code is the program's
#   wine-run.sh [--arch=...] --start-server   make the prefix if needed, keep one wineserver running
#   wine-run.sh [--arch=...] --stop-server    stop that wineserver cleanly (registry is flushed)
# The prefix uses LANG=ja_JP.UTF-8, so the ANSI code page is 932; VEL_WINE_LOCALE runs one
# program under another locale instead (with LOCPATH for a locale compiled into the build tree),
# such as a UTF-8 only one for a system whose code page is 65001. Without a display an Xvfb
# server is started once and reused. win32 (the default) is the real deliverables' prefix; win64
# runs the 64-bit test build on machines whose kernel cannot execute 32-bit code.
# Wine links the prefix's Documents and Desktop folders to $HOME; unless VEL_USER_DOCUMENTS=1
# (the run command, where memos belong in the user's own Documents) they become plain folders
# inside the prefix, so tests never write into the real home folder.
#   wine-run.sh --stop-display   stops the Xvfb this script started (only that one)
set -euo pipefail

arch=win32
case "${1:-}" in
  --arch=*) arch=${1#--arch=}; shift ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
state_dir=${VEL_BUILD_ROOT:-$root/build}
mkdir -p "$state_dir"

export WINEPREFIX=${VEL_WINEPREFIX:-$state_dir/wineprefix-$arch}
export WINEARCH=$arch
if [ "$arch" = win64 ]; then
  wine=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
else
  wine=wine
fi
wineserver=${WINESERVER:-wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=${VEL_WINE_LOCALE:-ja_JP.UTF-8}
export LC_ALL=$LANG
# Wine's Recycle Bin is the desktop's trash folder; tests keep theirs inside the build tree.
if [ "${VEL_USER_DOCUMENTS:-0}" != 1 ]; then
  export XDG_DATA_HOME=$state_dir/xdg-data-$arch
fi
unset WINELOADERNOEXEC || true

ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local file=$state_dir/xvfb.display
  if [ -f "$file" ]; then
    export DISPLAY=$(cat "$file")
    if xdpyinfo >/dev/null 2>&1; then return; fi
  fi
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    echo $! >"$state_dir/xvfb.pid"
    disown || true
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && { echo ":$n" >"$file"; return; }
      sleep 0.1
    done
  done
  echo "wine-run: could not start Xvfb" >&2
  exit 1
}

ensure_prefix() {
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vel-ready" ]; then
      rm -rf "$WINEPREFIX"
      "$wine" wineboot -i >/dev/null 2>&1 </dev/null
      # No window manager under Xvfb: let Wine draw captions and handle focus itself.
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
      "$wineserver" -w
      touch "$WINEPREFIX/.vel-ready"
    fi
    if [ "${VEL_USER_DOCUMENTS:-0}" != 1 ]; then
      private_user_folders
    fi
    install_wine_fonts
  ) 9>"$WINEPREFIX.lock"
}

# Wine does not find the fonts of Debian's fonts-wine (Marlett draws the caption buttons, Tahoma
# the dialogs) in its data folder; the prefix's own font folder always works.
install_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts f
  [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
  done
}

# Replaces the prefix's links into $HOME by folders of the prefix's own.
private_user_folders() {
  local users=$WINEPREFIX/drive_c/users d link
  [ -d "$users" ] || return 0
  for link in "$users"/*/*; do
    [ -L "$link" ] || continue
    d=$(readlink "$link")
    case "$d" in
      "$WINEPREFIX"*) ;;
      *) rm -f "$link"; mkdir -p "$link" ;;
    esac
  done
}

case "${1:-}" in
  --start-server)
    ensure_display
    ensure_prefix
    # A server that already runs for this prefix (an earlier run that did not stop it) is used.
    "$wineserver" -p >/dev/null 2>&1 </dev/null || true
    # Start Wine's own helper processes now, detached from the caller's output pipes.
    "$wine" cmd /c exit >/dev/null 2>&1 </dev/null || true
    exit 0
    ;;
  --stop-server)
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w >/dev/null 2>&1 || true
    exit 0
    ;;
  --stop-display)
    pid_file=$state_dir/xvfb.pid
    if [ -f "$pid_file" ]; then
      pid=$(cat "$pid_file")
      if [ -n "$pid" ] && [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = Xvfb ]; then
        kill "$pid" 2>/dev/null || true
      fi
      rm -f "$pid_file" "$state_dir/xvfb.display"
    fi
    exit 0
    ;;
  --print-env)
    ensure_display
    echo "WINEPREFIX=$WINEPREFIX DISPLAY=$DISPLAY"
    exit 0
    ;;
  "" )
    echo "usage: wine-run.sh PROGRAM [ARGS...] | --start-server | --stop-server" >&2
    exit 2
    ;;
esac

ensure_display
ensure_prefix
exec "$wine" "$@"
