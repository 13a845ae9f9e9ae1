#!/usr/bin/env python3
"""Writes samples/twinkle.km: "Twinkle, Twinkle, Little Star" (Jane Taylor,
1806, in the public domain), timed word by word.

Each lyric line is a list of (piece, start, end) in centiseconds; a piece
holds the bytes of the line from its start to the next piece.
"""
import struct
import sys

TITLE, ARTIST, ALBUM, EDITOR = ("Twinkle, Twinkle, Little Star", "Jane Taylor",
                                "Kamiru Samples", "Kamiru")

def timed_words(text, start, step, gap=10):
    """Splits `text` into word pieces (each with its trailing space) sung
    one after another, `step` centiseconds each."""
    words = text.split(" ")
    pieces = []
    for i, word in enumerate(words):
        piece = word + (" " if i + 1 < len(words) else "")
        t = start + i * step
        pieces.append((piece, t, t + step - (gap if i + 1 == len(words) else 0)))
    return pieces

# (blank lines before the line, pieces)
SONG = [
    (0, timed_words("Twinkle, twinkle, little star,", 100, 70)),
    (0, timed_words("How I wonder what you are!", 420, 55)),
    (1, timed_words("Up above the world so high,", 800, 55)),
    (0, timed_words("Like a diamond in the sky.", 1140, 55)),
    (1, timed_words("Twinkle, twinkle, little star,", 1500, 70)),
    (0, timed_words("How I wonder what you are!", 1820, 55)),
]

def build():
    texts = []
    entries = []
    for blanks, pieces in SONG:
        line = "".join(p for p, _, _ in pieces)
        if line not in texts:
            texts.append(line)
        index = texts.index(line)
        offset = 0
        for n, (piece, start, end) in enumerate(pieces):
            last = n + 1 == len(pieces)
            end_byte = 0xFFFF if last else offset + len(piece)
            entries.append(struct.pack("<HHHHII", index, blanks if n == 0 else 0,
                                       offset, end_byte, start, end))
            offset += len(piece)
    text = b"".join(s.encode("ascii") + b"\0" for s in (TITLE, ARTIST, ALBUM, EDITOR))
    text += b"\0" * 4
    text += b"".join(t.encode("ascii") + b"\0" for t in texts)
    text += b"\0" * (-len(text) % 4)
    sync = b"".join(entries)
    body = b"TEXT" + struct.pack("<I", len(text)) + text + b"SYNC" + struct.pack("<I", len(sync)) + sync
    return b"KM\0\0" + struct.pack("<I", len(body)) + body

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "samples/twinkle.km"
    with open(out, "wb") as f:
        f.write(build())
