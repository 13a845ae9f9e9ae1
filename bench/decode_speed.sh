#!/usr/bin/env bash
# Measures the decoding speed of the editor's decoding graph under Wine for
# the sample song and a generated 3-minute song (the sample song eight
# times, 44.1 kHz stereo) as WAV and as MP3.
# Usage: bench/decode_speed.sh [BUILD_DIR]   (default build/windows64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/windows64}" && pwd)
songs=$(mktemp -d "${TMPDIR:-/tmp}/kmbench.XXXXXX")
trap 'rm -rf "$songs"' EXIT
sample=$root/samples/twinkle.wav
"$root/bench/make_three_minute_songs.sh" "$songs"
"$root/tools/wine/winerun" --audio "$build/bench/decode_speed.exe" "$build/filters/kmfilters.dll" \
  "Z:$sample" "Z:$songs/three-minutes.wav" "Z:$songs/three-minutes.mp3"
