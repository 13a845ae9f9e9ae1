#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time on a scratch copy of its seed
# corpus (the committed corpus stays as it is). Fails on any crash, leak,
# sanitizer report or time-out; the offending input is kept in the build
# directory for reproduction.
# Usage: run-fuzzer.sh FUZZER CORPUS_DIR SECONDS
set -euo pipefail
fuzzer=$1 corpus=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$corpus"/. "$work/"
artifacts="$(dirname "$fuzzer")/artifacts/$(basename "$fuzzer")/"
mkdir -p "$artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts" "$work"
