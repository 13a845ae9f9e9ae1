#!/usr/bin/env bash
# Makes the sample song and its lyrics from samples/twinkle-timing.txt:
#   twinkle.wav  the words spoken by espeak-ng on the notes of the tune, each
#                placed by sox exactly in its slot (16 kHz, 16-bit, mono)
#   twinkle.km   timed word by word     twinkle.lrc  timed line by line
#   twinkle.txt  the plain text
# Needs espeak-ng, sox and python3 (sox without dither, -D, so that every run
# gives the same bytes). Usage: make_sample_song.sh [OUTDIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here}
rate=16000
per_cs=$((rate / 100))
tail_cs=100

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# espeak-ng's pitch (0-99) for each note of the tune.
declare -A pitch=([C4]=34 [D4]=40 [E4]=45 [F4]=48 [G4]=54 [A4]=60)

silence() {  # silence FILE CENTISECONDS
  sox -D -r $rate -c 1 -b 16 -n "$1" trim 0 "$(($2 * per_cs))s"
}

parts=()
previous_end=0
n=0
while read -r start end note word; do
  n=$((n + 1))
  slot=$((end - start))
  if ((start > previous_end)); then
    silence "$work/gap$n.wav" $((start - previous_end))
    parts+=("$work/gap$n.wav")
  fi
  espeak-ng -v en -s 170 -p "${pitch[$note]}" -w "$work/said$n.wav" "$word"
  # Without the silence around it, at the song's rate.
  sox -D "$work/said$n.wav" -r $rate "$work/word$n.wav" \
    silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse
  length=$(soxi -s "$work/word$n.wav")
  room=$((slot * per_cs * 9 / 10))
  stretch=()
  if ((length > room)); then
    stretch=(tempo -s "$(python3 -c "print(round($length / $room, 4))")")
  fi
  sox -D "$work/word$n.wav" "$work/fitted$n.wav" "${stretch[@]}" fade t 0.01 0 0.04
  # Exactly the slot's length.
  samples=$((slot * per_cs))
  fitted=$(soxi -s "$work/fitted$n.wav")
  sox -D "$work/fitted$n.wav" "$work/slot$n.wav" \
    pad 0 "$((samples > fitted ? samples - fitted : 0))s" trim 0 "${samples}s"
  parts+=("$work/slot$n.wav")
  previous_end=$end
done < <(python3 "$here/make_sample_km.py" --words)

silence "$work/tail.wav" $tail_cs
parts+=("$work/tail.wav")
mkdir -p "$out"
sox -D "${parts[@]}" -r $rate -c 1 -b 16 "$out/twinkle.wav"

python3 "$here/make_sample_km.py" "$out/twinkle.km"
python3 "$here/make_sample_km.py" --lrc "$out/twinkle.lrc"
python3 "$here/make_sample_km.py" --txt "$out/twinkle.txt"
