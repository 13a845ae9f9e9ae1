#!/usr/bin/env python3
"""Writes the lyrics of the sample song from samples/twinkle-timing.txt:
"Twinkle, Twinkle, Little Star" (Jane Taylor, 1806, in the public domain),
timed word by word.

  make_sample_km.py [OUT.km]     the native lyrics file (default samples/twinkle.km)
  make_sample_km.py --lrc OUT    the same lyrics timed line by line, as LRC
  make_sample_km.py --txt OUT    the plain text
  make_sample_km.py --words      one row per word for the audio script:
                                 start end note word (centiseconds)

A piece of a lyric line holds the bytes of the line from its start to the
next piece: a word with its trailing space.
"""
import os
import struct
import sys

TITLE, ARTIST, ALBUM, EDITOR = ("Twinkle, Twinkle, Little Star", "Jane Taylor",
                                "Kamiru Samples", "Kamiru")
TIMING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "twinkle-timing.txt")
LAST_WORD_GAP = 10


def read_song(path=TIMING):
    """The table as a list of (blank lines before, [(piece, start, end, note)])."""
    song = []
    with open(path, encoding="ascii") as table:
        for row in table:
            row = row.split("#", 1)[0].split()
            if not row:
                continue
            blanks, start, step = int(row[0]), int(row[1]), int(row[2])
            words = [w.split("|") for w in row[3:]]
            pieces = []
            for i, (word, note) in enumerate(words):
                last = i + 1 == len(words)
                t = start + i * step
                pieces.append((word + ("" if last else " "), t,
                               t + step - (LAST_WORD_GAP if last else 0), note))
            song.append((blanks, pieces))
    return song


def line_text(pieces):
    return "".join(p[0] for p in pieces)


def build_km(song):
    texts = []
    entries = []
    for blanks, pieces in song:
        line = line_text(pieces)
        if line not in texts:
            texts.append(line)
        index = texts.index(line)
        offset = 0
        for n, (piece, start, end, _) in enumerate(pieces):
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
    body = (b"TEXT" + struct.pack("<I", len(text)) + text +
            b"SYNC" + struct.pack("<I", len(sync)) + sync)
    return b"KM\0\0" + struct.pack("<I", len(body)) + body


def build_lrc(song):
    rows = ["[ti:%s]" % TITLE, "[ar:%s]" % ARTIST, "[al:%s]" % ALBUM, "[by:%s]" % EDITOR]
    for _, pieces in song:
        t = pieces[0][1]
        rows.append("[%02d:%02d.%02d]%s" % (t // 6000, t // 100 % 60, t % 100, line_text(pieces)))
    return ("\r\n".join(rows) + "\r\n").encode("ascii")


def build_txt(song):
    rows = []
    for blanks, pieces in song:
        rows += [""] * blanks + [line_text(pieces)]
    return ("\r\n".join(rows) + "\r\n").encode("ascii")


def word_rows(song):
    return "".join("%d %d %s %s\n" % (start, end, note, piece.strip())
                   for _, pieces in song for piece, start, end, note in pieces)


def main(args):
    song = read_song()
    if args[:1] == ["--words"]:
        sys.stdout.write(word_rows(song))
        return
    builders = {"--lrc": build_lrc, "--txt": build_txt}
    if args[:1] and args[0] in builders:
        data, out = builders[args[0]](song), args[1]
    else:
        data, out = build_km(song), (args[0] if args else "samples/twinkle.km")
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])
