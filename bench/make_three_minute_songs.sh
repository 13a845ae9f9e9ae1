#!/usr/bin/env bash
# Makes a 3-minute song from the sample song (looped eight times, 44.1 kHz
# stereo) in DIR, as three-minutes.wav and three-minutes.mp3.
# Usage: bench/make_three_minute_songs.sh DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
quiet=(-hide_banner -loglevel error -nostdin -y)
ffmpeg "${quiet[@]}" -stream_loop 7 -i "$root/samples/twinkle.wav" -ar 44100 -ac 2 \
  -codec:a pcm_s16le "$1/three-minutes.wav"
ffmpeg "${quiet[@]}" -i "$1/three-minutes.wav" -codec:a libmp3lame -b:a 192k "$1/three-minutes.mp3"
