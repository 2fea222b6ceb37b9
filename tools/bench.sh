#!/usr/bin/env bash
# Builds the native Release benchmarks and runs them all (or those matching $1).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${VEL_BUILD_ROOT:-$root/build}/release
bash "$root/tools/setup.sh"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVEL_BENCH=ON -DVEL_TESTS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null
for b in $(find "$dir" -name '*_bench' -type f -executable | sort); do
  case "$(basename "$b")" in *${1:-}*) ;; *) continue ;; esac
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
