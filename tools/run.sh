#!/usr/bin/env bash
# Builds VelText and starts it under Wine: the i686 program (the deliverable) is always built; it
# runs when this machine can execute 32-bit code, otherwise the x86_64 build of the same code runs
# under 64-bit Wine. Without a display it runs under Xvfb and leaves build/screenshot.png.
#   tools/run.sh [--screenshot-only]   with --screenshot-only the program is closed after the shot
set -euo pipefail
shot_only=
if [ "${1:-}" = "--screenshot-only" ]; then
  shot_only=1
  shift
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/tools/setup.sh"

build() {  # build ARCH DIR
  cmake -S "$root" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" \
        -DVEL_MINGW_ARCH="$1" -DCMAKE_BUILD_TYPE=Release -DVEL_TESTS=OFF >/dev/null
  cmake --build "$2" --target VelText -j2 >/dev/null
}

echo "run: building the i686 VelText.exe"
build i686 "$root/build/run-win32"

# Can this kernel run 32-bit programs? Ask the 32-bit Wine loader for its version.
arch=win32
exe="$root/build/run-win32/app/VelText.exe"
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "run: 32-bit programs cannot run here; building and running the x86_64 build instead"
  build x86_64 "$root/build/run-win64"
  arch=win64
  exe="$root/build/run-win64/app/VelText.exe"
fi

export VEL_BUILD_ROOT="$root/build/run-wine"
# Memos of the run command belong in the user's real Documents folder (~/Norvaly/VelText).
export VEL_USER_DOCUMENTS=1
wine_run=("$root/tools/wine-run.sh" "--arch=$arch")
# An Xvfb started for a headless run is stopped at the end; a real display is left alone.
trap '"${wine_run[@]}" --stop-display' EXIT
headless=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
fi
"${wine_run[@]}" --start-server
export $("${wine_run[@]}" --print-env)

"${wine_run[@]}" "$exe" "$@" &
pid=$!
title='Ｖｅｌのメモ帳 - '
for _ in $(seq 1 300); do
  xdotool search --name "^$title" >/dev/null 2>&1 && break
  sleep 0.1
done
if [ -n "$headless" ] || [ -n "$shot_only" ]; then
  sleep 1
  import -window root "$root/build/screenshot.png"
  echo "run: screenshot in build/screenshot.png"
fi
if [ -n "$shot_only" ] || [ -n "$headless" ]; then
  # Nobody can use a window on an invisible display: close it the way a user would (Ctrl+E).
  w=$(xdotool search --name "^$title" | head -n1 || true)
  if [ -n "$w" ]; then
    xdotool windowraise "$w" mousemove --window "$w" 300 300 click 1 windowfocus "$w" key ctrl+e || true
  fi
fi
wait "$pid" || true
"${wine_run[@]}" --stop-server
