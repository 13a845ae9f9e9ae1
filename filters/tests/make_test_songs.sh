#!/usr/bin/env bash
# Makes the compressed songs of the decoding tests from a wave file, and
# their decodings by another decoder (ffmpeg) to compare with.
# Usage: make_test_songs.sh SOURCE.wav OUTDIR
# Writes OUTDIR/song.mp3, song.wma, song.mp3.wav and song.wma.wav (16-bit),
# and long.mp3, the song eight times (three minutes).
set -euo pipefail
source=$1
out=$2
mkdir -p "$out"
quiet=(-hide_banner -loglevel error -nostdin -y)
# 44.1 kHz stereo, as most songs are.
ffmpeg "${quiet[@]}" -i "$source" -ar 44100 -ac 2 -codec:a libmp3lame -b:a 128k "$out/song.mp3"
ffmpeg "${quiet[@]}" -i "$source" -ar 44100 -ac 2 -codec:a wmav2 -b:a 128k "$out/song.wma"
for song in song.mp3 song.wma; do
  ffmpeg "${quiet[@]}" -i "$out/$song" -codec:a pcm_s16le "$out/$song.wav"
done
ffmpeg "${quiet[@]}" -stream_loop 7 -i "$source" -ar 44100 -ac 2 -codec:a libmp3lame -b:a 128k \
  "$out/long.mp3"
