#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, and only what is missing.
# Quick when everything is already there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xdotool x11-utils xclip imagemagick python3
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales
  # Printing tests: a CUPS scheduler with the PDF printer, poppler to read its pages, and the
  # 32-bit CUPS library that the 32-bit Wine loads.
  cups printer-driver-cups-pdf poppler-utils libcups2:i386
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  updated_arch=1
fi

for p in "${packages[@]}"; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ] || [ -n "${updated_arch:-}" ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails one index now and then: try again, and go on with the
  # indexes there are if it keeps failing (the install says so if a package is then missing).
  for attempt in 1 2 3; do
    "${sudo_cmd[@]}" apt-get update -qq && break
    echo "setup: apt-get update failed (attempt $attempt)"
    [ "$attempt" -lt 3 ] && sleep 15
  done
  if ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; then
    # Without the 32-bit indexes (a mirror mid-sync) the i386 packages cannot be matched to the
    # 64-bit ones. Everything else is installed; the i686 build is still made and checked, and the
    # Windows tests run under the 64-bit Wine until a later run can install the 32-bit one.
    rest=()
    for p in "${need[@]}"; do [[ "$p" == *:i386 ]] || rest+=("$p"); done
    [ ${#rest[@]} -lt ${#need[@]} ] || exit 1
    echo "setup: the 32-bit packages could not be installed; installing the others"
    [ ${#rest[@]} -eq 0 ] || "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${rest[@]}" >/dev/null
  fi
fi

# Wine's ANSI code page follows LANG only when that locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
