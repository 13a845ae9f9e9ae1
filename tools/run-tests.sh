#!/usr/bin/env bash
# Runs the tests of each build configuration with CTest, goes on after a
# failure so that one run shows every failing test, and ends with one line
# that counts them all.
# Usage: run-tests.sh PRESET...
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
passed=0 failed=0
for preset in "$@"; do
  echo "=== tests of the $preset build"
  log=$(mktemp)
  ctest --test-dir "build/$preset" -j2 --output-on-failure 2>&1 | tee "$log"
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
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
