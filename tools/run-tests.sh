#!/usr/bin/env bash
# Runs the tests of each build configuration with CTest, goes on after a
# failure so that one run shows every failing test, and ends with one line
# that counts them all.
# The tests of the 32-bit Windows build run only where this machine can run
# 32-bit x86 programs; elsewhere only its checks that read the built files
# run, and the others are counted as skipped.
# Usage: run-tests.sh PRESET...
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
passed=0 failed=0 skipped=0

can_run_win32=1
bash tools/wine/can-run-win32 || can_run_win32=0

count_tests() {  # count_tests BUILD_DIR [CTEST_ARGS...]
  local dir=$1
  shift
  ctest --test-dir "$dir" -N "$@" | sed -n 's/^Total Tests: //p'
}

for preset in "$@"; do
  echo "=== tests of the $preset build"
  dir=build/$preset
  select=()
  if [[ $preset == windows && $can_run_win32 -eq 0 ]]; then
    echo "32-bit Windows tests skipped: this machine cannot run 32-bit x86 programs"
    select=(-L reads-files-only)
    all=$(count_tests "$dir")
    kept=$(count_tests "$dir" "${select[@]}")
    skipped=$((skipped + all - kept))
  fi
  log=$(mktemp)
  ctest --test-dir "$dir" -j2 --output-on-failure "${select[@]}" 2>&1 | tee "$log"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  if [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    echo "no test results from the $preset build"
    failed=$((failed + 1))
  fi
done
if [[ $skipped -gt 0 ]]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[[ $failed -eq 0 ]]
