#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
#   native g++ with AddressSanitizer/UBSan, native clang with libFuzzer (bounded runs),
#   the Windows build under Wine. Ends with one line "N passed, N failed".
# Options: --quick skips the fuzz build.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VEL_BUILD_ROOT:-$root/build}
export VEL_BUILD_ROOT=$build
jobs=${VEL_JOBS:-$(nproc)}
quick=0
[ "${1:-}" = "--quick" ] && quick=1

bash "$root/tools/setup.sh" || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

total_passed=0
total_failed=0
log_dir=$build/logs
mkdir -p "$log_dir"

note() { printf '\n== %s ==\n' "$*"; }

# configure_and_build NAME CMAKE-ARGS... : a failed build counts as one failed test.
configure_and_build() {
  local name=$1; shift
  local dir=$build/$name
  note "build $name"
  if ! cmake -S "$root" -B "$dir" "$@" >"$log_dir/$name-configure.log" 2>&1; then
    tail -30 "$log_dir/$name-configure.log"
    echo "configure of $name failed"
    total_failed=$((total_failed + 1))
    return 1
  fi
  local targets=()
  [ -n "${BUILD_TARGETS:-}" ] && targets=(--target $BUILD_TARGETS)
  if ! cmake --build "$dir" -j"$jobs" "${targets[@]}" >"$log_dir/$name-build.log" 2>&1; then
    grep -E 'error|Error' "$log_dir/$name-build.log" | head -40
    echo "build of $name failed (log: $log_dir/$name-build.log)"
    total_failed=$((total_failed + 1))
    return 1
  fi
  grep -E 'warning:' "$log_dir/$name-build.log" | sort -u | head -20
  return 0
}

# run_tests NAME [CTEST-ARGS...]
run_tests() {
  local name=$1; shift
  local dir=$build/$name
  note "test $name"
  rm -rf "$dir/test-results" "$dir/junit.xml"
  mkdir -p "$dir/test-results"
  (cd "$dir" && ctest --output-on-failure --output-junit junit.xml "$@") >"$log_dir/$name-ctest.log" 2>&1
  grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|tests failed' "$log_dir/$name-ctest.log"
  grep -B2 -A30 -E '\*\*\*Failed|\*\*\*Exception|\*\*\*Timeout|Not Run' "$log_dir/$name-ctest.log" | grep -v '^\[       OK' | head -80
  if [ ! -f "$dir/junit.xml" ]; then
    total_failed=$((total_failed + 1))
    return
  fi
  read -r p f < <(cmake -DBUILD_DIR="$dir" -P "$root/tools/count-results.cmake" 2>&1)
  echo "$name: $p passed, $f failed"
  total_passed=$((total_passed + p))
  total_failed=$((total_failed + f))
}

start=$(date +%s)

# Windows tests draw on a display of their own, never on the user's; the Xvfb that wine-run.sh
# starts for them is stopped when this run ends.
unset DISPLAY
trap 'bash "$root/tools/wine-run.sh" --stop-display' EXIT

# Native portable core with sanitizers.
if configure_and_build native -DCMAKE_BUILD_TYPE=Debug -DVEL_SANITIZE=ON \
     -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++; then
  run_tests native -j"$jobs"
fi

# The lists and the memory store that threads share, again under ThreadSanitizer.
if BUILD_TARGETS="doc_list_tests vmem_tests text_queue_tests" configure_and_build tsan -DCMAKE_BUILD_TYPE=Debug -DVEL_TSAN=ON \
     -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++; then
  run_tests tsan -R '^(doc_list_tests|vmem_tests|text_queue_tests)$'
fi

# The same core built by clang as libFuzzer targets; each runs for a bounded time.
if [ $quick -eq 0 ]; then
  if configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_FUZZ=ON -DVEL_TESTS=OFF \
       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
       -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" \
       -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"; then
    run_tests fuzz -j"$jobs"
  fi
fi

# Windows. The deliverables are 32-bit: the i686 configuration is built with all its tests on every
# machine, so a __stdcall or pointer-size mistake fails the build everywhere. Where this machine can
# execute 32-bit code its tests run under a 32-bit Wine; otherwise only the deliverable checks run
# there, and the same code is built as 64-bit and tested under a 64-bit Wine.
toolchain=$root/cmake/toolchain-mingw.cmake
if bash "$root/tools/can-run-32bit.sh"; then
  if configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEL_MINGW_ARCH=i686 -DCMAKE_BUILD_TYPE=Release; then
    run_tests win32
  fi
else
  echo "note: this machine cannot execute 32-bit code (or the 32-bit Wine is not installed); the 32-bit build and its tests are compiled and the" \
       "deliverables checked, and the Windows tests run from the 64-bit build under a 64-bit Wine"
  if configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEL_MINGW_ARCH=i686 -DCMAKE_BUILD_TYPE=Release; then
    run_tests win32 -L deliverable
  fi
  if configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVEL_MINGW_ARCH=x86_64 -DCMAKE_BUILD_TYPE=Release; then
    run_tests win64
  fi
fi

echo
echo "time: $(( $(date +%s) - start )) s"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ] && [ "$total_passed" -gt 0 ]
