#!/usr/bin/env bash
# Runs kmtool as a user would, natively or through Wine, and checks its
# output and exit codes against the expected dumps of the samples.
# Usage: kmtool_cli_test.sh SCRATCH_DIR FIXTURE_DIRS -- [RUNNER...] KMTOOL
#   FIXTURE_DIRS: folders whose FILE.dump files give the expected dump of FILE
set -uo pipefail
scratch=$1
shift
fixture_dirs=()
while [[ $# -gt 0 && $1 != -- ]]; do fixture_dirs+=("$1"); shift; done
shift
tool=("$@")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$scratch"
out=$scratch/out.txt err=$scratch/err.txt

# Every file with an expected dump prints exactly that dump.
for expected in $(for d in "${fixture_dirs[@]}"; do ls "$d"/*.dump 2>/dev/null; done); do
  file=${expected%.dump}
  # Paths are given relative to the file's folder, as a user in it would.
  (cd "$(dirname "$file")" && "${tool[@]}" dump "$(basename "$file")") >"$out" 2>"$err"
  rc=$?
  [[ $rc -eq 0 ]] || fail "dump $(basename "$file") exited $rc: $(cat "$err")"
  cmp -s "$out" "$expected" || { fail "dump $(basename "$file") differs:"; diff "$expected" "$out" | head -20; }
done

# A file that does not load: nothing on stdout, one line on stderr, exit 1.
printf 'KM\0\0broken' >"$scratch/broken.km"
(cd "$scratch" && "${tool[@]}" dump broken.km) >"$out" 2>"$err"
rc=$?
[[ $rc -eq 1 ]] || fail "broken file exited $rc"
[[ ! -s $out ]] || fail "broken file printed on stdout"
grep -qx 'kmtool: cannot load broken.km' <(tr -d '\r' <"$err") || fail "broken file message: $(cat "$err")"

# Wrong usage exits 2.
for args in "" "dump" "frobnicate x.km" "dump a.km b.km"; do
  # shellcheck disable=SC2086
  "${tool[@]}" $args >/dev/null 2>&1
  rc=$?
  [[ $rc -eq 2 ]] || fail "usage '$args' exited $rc"
done

echo "$failures failed"
[[ $failures -eq 0 ]]
