#!/usr/bin/env bash
# Builds the native Release benchmarks and runs them all (or those whose name contains $1); any
# further arguments go to every benchmark, e.g. --benchmark_repetitions=3.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${VEL_BUILD_ROOT:-$root/build}/release
bash "$root/tools/setup.sh"

# rastkit's comparison with libvips links the library; only this benchmark build needs it.
if ! dpkg-query -W -f='${Status}' libvips-dev 2>/dev/null | grep -q 'install ok installed'; then
  echo "bench: installing libvips-dev"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  # Another apt may be running: wait for its lock rather than fail.
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends libvips-dev >/dev/null ||
    { "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq &&
      "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends libvips-dev >/dev/null; }
fi

cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVEL_BENCH=ON -DVEL_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
filter=${1:-}
[ $# -gt 0 ] && shift
for b in $(find "$dir" -name '*_bench' -type f -executable | sort); do
  case "$(basename "$b")" in *${filter}*) ;; *) continue ;; esac
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 "$@"
done
