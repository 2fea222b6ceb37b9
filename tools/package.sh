#!/usr/bin/env bash
# Builds the 32-bit release and makes dist/VelText-<version>-win32.zip: VelText.exe,
# rastkit.dll, the stock background folders and the user guide "はじめに.txt".
#   tools/package.sh                    build (Release, without tests) and package
#   tools/package.sh --from DIR [--out ZIP]   package the program already built in DIR
#   --rehearsal   with --from: a 64-bit build is taken as well, for the release test on machines
#                 that run only 64-bit code (never for a zip that users get)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
version=$(head -n1 "$root/VERSION")
from=
out=
rehearsal=0
while [ $# -gt 0 ]; do
  case "$1" in
    --from) from=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --rehearsal) rehearsal=1; shift ;;
    *) echo "usage: $0 [--from PROGRAM_DIR [--rehearsal]] [--out ZIP]" >&2; exit 2 ;;
  esac
done
out=${out:-$root/dist/VelText-$version-win32.zip}

if [ -z "$from" ]; then
  bash "$root/tools/setup.sh"
  dir=$root/build/package-win32
  echo "package: building VelText $version (i686, Release)"
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" \
        -DVEL_MINGW_ARCH=i686 -DCMAKE_BUILD_TYPE=Release -DVEL_TESTS=OFF >"$dir.configure.log" 2>&1 \
    || { tail -20 "$dir.configure.log"; exit 1; }
  cmake --build "$dir" --target VelText -j"$(nproc)" >"$dir.build.log" 2>&1 \
    || { grep -E 'error' "$dir.build.log" | head -20; exit 1; }
  from=$dir/app
fi
# Only the 32-bit program is released.
strip=i686-w64-mingw32-strip
if ! i686-w64-mingw32-objdump -f "$from/VelText.exe" 2>/dev/null | grep -q 'file format pei-i386'; then
  if [ $rehearsal -eq 1 ] &&
     x86_64-w64-mingw32-objdump -f "$from/VelText.exe" 2>/dev/null | grep -q 'file format pei-x86-64'; then
    strip=x86_64-w64-mingw32-strip
  else
    echo "package: $from/VelText.exe is missing or not a 32-bit program" >&2
    exit 1
  fi
fi
# The released copies carry no debugging symbols (the exports of the DLL stay).
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$from/VelText.exe" "$from/rastkit.dll" "$stage/"
for folder in basecntl baseview graypic; do
  [ -d "$from/$folder" ] && cp -r "$from/$folder" "$stage/"
done
"$strip" "$stage/VelText.exe" "$stage/rastkit.dll"
python3 "$root/tools/make-package.py" "$stage" "$version" "$root/app/res/guide/readme-ja.txt" "$out"
