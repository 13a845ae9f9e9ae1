#!/usr/bin/env bash
# How soon the editor is ready to play a 3-minute song (WAV and MP3) and
# how exactly Play X stops, under Wine with sound through a null sink.
# Usage: bench/editor_ready.sh [BUILD_DIR]   (default build/windows64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/windows64}" && pwd)
songs=$(mktemp -d "${TMPDIR:-/tmp}/kmready.XXXXXX")
trap 'rm -rf "$songs"' EXIT
"$root/bench/make_three_minute_songs.sh" "$songs"
"$root/tools/wine/winerun" --x11 --audio "$build/bench/editor_ready.exe" \
  "Z:$build/filters/kmfilters.dll" "Z:$songs/three-minutes.wav" "Z:$songs/three-minutes.mp3"
