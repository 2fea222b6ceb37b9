#!/usr/bin/env bash
# Settings written by one run of the program are read by the next one.
#   WINE_RUN ARCH_OPTION TEST_EXE
set -euo pipefail
emu=("$1" "$2")
tests=$3
run_phase() {
  local phase=$1 filter=$2 log
  log=$(VEL_SETTINGS_PHASE=$phase "${emu[@]}" "$tests" --gtest_filter="$filter" 2>&1) || { echo "$log"; exit 1; }
  echo "$log"
  # A skipped phase would prove nothing.
  echo "$log" | grep -q 'SKIPPED' && { echo "FAIL: phase $phase was skipped"; exit 1; }
  echo "$log" | grep -q 'PASSED.*1 test' || { echo "FAIL: phase $phase did not pass"; exit 1; }
}
run_phase write AppSettingsPersistTest.WritePhase
run_phase read AppSettingsPersistTest.ReadPhase
