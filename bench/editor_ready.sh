#!/usr/bin/env bash
# How soon the editor is ready to play a 3-minute song (WAV and MP3, the
# sample song looped, 44.1 kHz stereo) and how exactly Play X stops, under
# Wine with sound through a null sink.
# Usage: bench/editor_ready.sh [BUILD_DIR]   (default build/windows64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/windows64}" && pwd)
songs=$(mktemp -d "${TMPDIR:-/tmp}/kmready.XXXXXX")
trap 'rm -rf "$songs"' EXIT
sample=$root/samples/twinkle.wav
quiet=(-hide_banner -loglevel error -nostdin -y)
ffmpeg "${quiet[@]}" -stream_loop 7 -i "$sample" -t 180 -ar 44100 -ac 2 -codec:a pcm_s16le \
  "$songs/three-minutes.wav"
ffmpeg "${quiet[@]}" -i "$songs/three-minutes.wav" -codec:a libmp3lame -b:a 192k \
  "$songs/three-minutes.mp3"
"$root/tools/wine/winerun" --x11 --audio "$build/bench/editor_ready.exe" \
  "Z:$build/filters/kmfilters.dll" "Z:$songs/three-minutes.wav" "Z:$songs/three-minutes.mp3"
