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
for args in "" "dump" "frobnicate x.km" "dump a.km b.km" "convert a.km" "convert a.km b.lrc c.lrc"; do
  # shellcheck disable=SC2086
  "${tool[@]}" $args >/dev/null 2>&1
  rc=$?
  [[ $rc -eq 2 ]] || fail "usage '$args' exited $rc"
done

# convert: word-timed LRC to .km and back shows the same in the plug-ins;
# plain LRC refuses syncpoints with a message and writes nothing.
for d in "${fixture_dirs[@]}"; do
  [[ -f $d/word-timed-crlf.lrc ]] || continue
  cp "$d/word-timed-crlf.lrc" "$d/word-timed-crlf.lrc.dump" "$scratch/"
  rm -f "$scratch"/converted.*
  (cd "$scratch" && "${tool[@]}" convert word-timed-crlf.lrc converted.km &&
    "${tool[@]}" convert converted.km converted.lrc --word-lrc &&
    "${tool[@]}" dump converted.lrc) >"$out" 2>"$err"
  rc=$?
  [[ $rc -eq 0 ]] || fail "convert exited $rc: $(cat "$err")"
  cmp -s "$out" "$scratch/word-timed-crlf.lrc.dump" || { fail "converted word-timed LRC differs:"; diff "$scratch/word-timed-crlf.lrc.dump" "$out" | head -20; }
  (cd "$scratch" && "${tool[@]}" convert converted.km plain.lrc) >"$out" 2>"$err"
  rc=$?
  [[ $rc -eq 1 && ! -e $scratch/plain.lrc ]] || fail "plain LRC of syncpoints exited $rc or was written"
  grep -q 'plain LRC cannot hold syncpoints' "$err" || fail "plain LRC message: $(cat "$err")"
  (cd "$scratch" && "${tool[@]}" convert converted.km converted.txt) >/dev/null 2>&1
  rc=$?
  [[ $rc -eq 2 ]] || fail "convert to .txt exited $rc"
done

# find: the lookup as the plug-ins run it, with each candidate tried.
if [[ ${tool[-1]} == *.exe ]]; then
  windows() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
  mkdir -p "$scratch/Music" "$scratch/Lyrics"
  rm -f "$scratch"/Music/* "$scratch"/Lyrics/*
  printf 'one\r\ntwo\r\n' >"$scratch/Lyrics/Song.txt"
  music=$(windows "$scratch/Music") lyrics=$(windows "$scratch/Lyrics")
  "${tool[@]}" find "$music\\Song.mp3" --dir "$lyrics" --host winamp --duration 30 >"$out" 2>"$err"
  rc=$?
  expected=$(printf '%s\n' "try $lyrics\\Song.km" "try $music\\Song.km" "try $lyrics\\Song.lrc" \
    "try $music\\Song.lrc" "try $lyrics\\Song.txt" "found $lyrics\\Song.txt" "text-lines 3")
  [[ $rc -eq 0 ]] || fail "find exited $rc: $(cat "$err")"
  [[ $(head -n 7 "$out") == "$expected" ]] || { fail "find output:"; cat "$out"; }
  grep -qx 'S 2 2 1 0 1 2000 2001' "$out" || fail "find did not spread the text over 30 s"

  "${tool[@]}" find "$music\\Other.mp3" >"$out" 2>"$err"
  rc=$?
  [[ $rc -eq 1 ]] || fail "find without lyrics exited $rc"
  [[ $(tail -n 1 "$out") == none && $(wc -l <"$out") -eq 4 ]] || { fail "find without lyrics:"; cat "$out"; }
else
  "${tool[@]}" find /music/Song.mp3 >/dev/null 2>&1
  [[ $? -eq 2 ]] || fail "native find should refuse"
fi

echo "$failures failed"
[[ $failures -eq 0 ]]
