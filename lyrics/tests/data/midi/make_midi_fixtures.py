#!/usr/bin/python3
"""Makes the MIDI fixtures of the lyrics reader with mido (Debian's
python3-mido), and for every fixture FILE the file FILE.dump: what
`kmtool dump FILE` must print, worked out from mido's own reading of FILE.

Usage:
  make_midi_fixtures.py [OUTDIR]        write the fixtures (default: beside this script)
  make_midi_fixtures.py --check SCRATCH  write them into SCRATCH and check that the
                                         committed ones are byte for byte the same

The words are traditional and in the public domain.
"""

import io
import os
import struct
import sys

import mido
from mido import Message, MetaMessage, MidiFile, MidiTrack

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_TEMPO = 500000
LATEST_TIME = 2**31 - 2
MAX_LINE_LENGTH = 0xFFFE
MAX_LINES = 0x10000


# ----------------------------------------------------------------------------
# Songs

def text(t, delta=0):
    return MetaMessage('text', text=t, time=delta)


def lyric(t, delta=0):
    return MetaMessage('lyrics', text=t, time=delta)


def note(track, pitch, length, channel=0, velocity=90):
    """A note-on and its note-off (a note-on of velocity 0: running status)."""
    track.append(Message('note_on', note=pitch, velocity=velocity, channel=channel, time=0))
    track.append(Message('note_on', note=pitch, velocity=0, channel=channel, time=length))


def end(track, delta=0):
    track.append(MetaMessage('end_of_track', time=delta))


def twinkle():
    """A .kar file: information texts, then one text event per syllable with
    backslash (new verse) and slash (new line) marks, in a words track with
    no tempo after a first track that has one; the melody in a third track."""
    beat = 192
    mid = MidiFile(type=1, ticks_per_beat=beat)
    conductor = MidiTrack()
    conductor.append(MetaMessage('track_name', name='Twinkle', time=0))
    conductor.append(MetaMessage('time_signature', numerator=4, denominator=4, time=0))
    conductor.append(MetaMessage('set_tempo', tempo=600000, time=0))
    # A later tempo change in the first track is not the song tempo.
    conductor.append(MetaMessage('set_tempo', tempo=300000, time=beat * 8))
    end(conductor)

    words = MidiTrack()
    words.append(MetaMessage('track_name', name='Words', time=0))
    for info in ('@KMIDI KARAOKE FILE', '@V0100', '@TTwinkle, Twinkle, Little Star',
                 '@TTraditional', '@LENG', '@IWords in the public domain'):
        words.append(text(info))
    syllables = [
        ('\\Twin', 1), ('kle, ', 1), ('twin', 1), ('kle, ', 1), ('lit', 1), ('tle ', 1),
        ('star,', 2), ('/How ', 1), ('I ', 1), ('won', 1), ('der ', 1), ('what ', 1),
        ('you ', 1), ('are!', 2), ('\\Up ', 1), ('a', 1), ('bove ', 1), ('the ', 1),
        ('world ', 1), ('so ', 1), ('high,', 2), ('/Like ', 1), ('a ', 1), ('dia', 1),
        ('mond ', 1), ('in ', 1), ('the ', 1), ('sky.', 2),
    ]
    delta = beat * 4  # one bar of introduction
    for syllable, beats in syllables:
        words.append(text(syllable, delta))
        delta = beat * beats
    end(words, delta)

    melody = MidiTrack()
    melody.append(Message('program_change', program=10, channel=0, time=0))
    melody.append(Message('note_on', note=60, velocity=0, channel=0, time=beat * 4))
    for pitch, beats in ((60, 1), (60, 1), (67, 1), (67, 1), (69, 1), (69, 1), (67, 2),
                         (65, 1), (65, 1), (64, 1), (64, 1), (62, 1), (62, 1), (60, 2)) * 2:
        note(melody, pitch, beat * beats)
    end(melody)
    mid.tracks.extend([conductor, words, melody])
    return mid


def lamb():
    """A type 0 file: tempo, system exclusive, program change, then lyric
    events interleaved with the notes, each on the tick of the note-off
    before it; lines started by LF, one ended by CR LF, an empty line, and
    a tempo change in the middle of the song."""
    beat = 96
    mid = MidiFile(type=0, ticks_per_beat=beat)
    track = MidiTrack()
    track.append(MetaMessage('set_tempo', tempo=500000, time=0))
    track.append(Message('sysex', data=[0x7E, 0x7F, 0x09, 0x01], time=0))  # GM on
    track.append(Message('program_change', program=0, channel=0, time=0))
    track.append(lyric('@TMary Had a Little Lamb'))
    track.append(Message('note_on', note=64, velocity=0, channel=0, time=beat))
    verse = [
        ('Ma', 64), ('ry ', 62), ('had ', 60), ('a ', 62), ('lit', 64), ('tle ', 64),
        ('lamb,\r\n', 64), ('lit', 62), ('tle ', 62), ('lamb,', 62),
        ('\nlit', 64), ('tle ', 67), ('lamb.\r', 67), ('\r', None),
        ('\nMa', 64), ('ry ', 62), ('had ', 60), ('a ', 62), ('lit', 64), ('tle ', 64),
        ('lamb, ', 64), ('its ', 64), ('fleece ', 62), ('was ', 62), ('white ', 64),
        ('as ', 62), ('snow.', 60),
    ]
    for i, (syllable, pitch) in enumerate(verse):
        track.append(lyric(syllable))
        if pitch is None:
            continue
        if i == 14:
            # Faster from the second verse on; the reader keeps the song tempo.
            track.append(MetaMessage('set_tempo', tempo=300000, time=0))
        note(track, pitch, beat)
    end(track)
    mid.tracks.append(track)
    return mid


def bells(frames_per_second, stored_rate, ticks_per_frame):
    """Timecode time: the division's high byte is minus the frame rate, the
    low byte ticks per frame. Deltas that are not whole centiseconds."""
    division = -(stored_rate << 8) + ticks_per_frame
    mid = MidiFile(type=1, ticks_per_beat=division)
    conductor = MidiTrack()
    conductor.append(MetaMessage('set_tempo', tempo=400000, time=0))  # no effect in timecode
    end(conductor)
    words = MidiTrack()
    words.append(text('@TAre You Sleeping'))
    ticks_per_second = frames_per_second * ticks_per_frame
    syllables = ['Are ', 'you ', 'sleep', 'ing, ', 'are ', 'you ', 'sleep', 'ing,/',
                 'Bro', 'ther ', 'John, ', 'Bro', 'ther ', 'John?/',
                 'Morn', 'ing ', 'bells ', 'are ', 'ring', 'ing, ',
                 'morn', 'ing ', 'bells ', 'are ', 'ring', 'ing,/',
                 'ding, ', 'dang, ', 'dong.']
    for i, syllable in enumerate(syllables):
        # Two thirds of a second, give or take a few ticks.
        delta = ticks_per_second * 2 // 3 + (i % 3) * 7 + 3
        words.append(text(syllable, delta))
        words.append(Message('control_change', control=64, value=0, time=5))
    end(words)
    mid.tracks.extend([conductor, words])
    return mid


def rowboat():
    """The lyrics track has a tempo of its own; its first syllable is a text
    at time 0 directly before the first timed one."""
    beat = 240
    mid = MidiFile(type=1, ticks_per_beat=beat)
    conductor = MidiTrack()
    conductor.append(MetaMessage('set_tempo', tempo=500000, time=0))
    end(conductor)
    words = MidiTrack()
    words.append(MetaMessage('set_tempo', tempo=400000, time=0))
    words.append(text('@TRow, Row, Row Your Boat'))
    words.append(text('\\Row, '))
    syllables = [('row, ', 3), ('row ', 2), ('your ', 1), ('boat,/', 3),
                 ('Gent', 2), ('ly ', 1), ('down ', 2), ('the ', 1), ('stream./', 6),
                 ('Mer', 1), ('ri', 1), ('ly, ', 1), ('mer', 1), ('ri', 1), ('ly, ', 1),
                 ('mer', 1), ('ri', 1), ('ly, ', 1), ('mer', 1), ('ri', 1), ('ly,/', 1),
                 ('Life ', 2), ('is ', 1), ('but ', 2), ('a ', 1), ('dream.', 6)]
    delta = beat * 3
    for syllable, beats in syllables:
        words.append(text(syllable, delta))
        delta = beat * beats // 2
    end(words, delta)
    mid.tracks.extend([conductor, words])
    return mid


def riff_chunk(chunk_id, contents):
    chunk = chunk_id + struct.pack('<I', len(contents)) + contents
    return chunk + b'\0' if len(contents) % 2 else chunk


def rmid(smf):
    """A RIFF "RMID" file: the Standard MIDI File as its "data" chunk, then an
    information list."""
    info = riff_chunk(b'LIST', b'INFO' + riff_chunk(b'INAM', b'Row Your Boat\0'))
    body = b'RMID' + riff_chunk(b'data', smf) + info
    return b'RIFF' + struct.pack('<I', len(body)) + body


def smf_bytes(mid):
    out = io.BytesIO()
    mid.save(file=out)
    return out.getvalue()


FIXTURES = [
    ('Twinkle.KAR', lambda: smf_bytes(twinkle())),
    ('lamb.mid', lambda: smf_bytes(lamb())),
    ('bells-25fps.mid', lambda: smf_bytes(bells(25, 25, 40))),
    ('bells-2997fps.mid', lambda: smf_bytes(bells(30, 29, 40))),
    ('rowboat.rmi', lambda: rmid(smf_bytes(rowboat()))),
]


# ----------------------------------------------------------------------------
# The expected dump, from mido's reading of the file

def midi_data(file_bytes):
    """The "data" chunk of a RIFF "RMID" file, else the whole file."""
    if file_bytes[:4] != b'RIFF' or file_bytes[8:12] != b'RMID':
        return file_bytes
    pos = 12
    while pos + 8 <= len(file_bytes):
        chunk_id, size = file_bytes[pos:pos + 4], struct.unpack('<I', file_bytes[pos + 4:pos + 8])[0]
        if chunk_id == b'data':
            return file_bytes[pos + 8:pos + 8 + size]
        pos += 8 + size + size % 2
    raise ValueError('no data chunk')


def is_text(msg):
    return msg.type in ('text', 'lyrics')


def text_bytes(msg):
    return msg.text.encode('latin1')


def find_lyrics(mid):
    """The lyrics track, the index of its first lyric event, the ticks before
    it and the song tempo."""
    tempo = DEFAULT_TEMPO
    for number, track in enumerate(mid.tracks):
        ticks = 0
        track_tempo = None
        candidate = None
        for i, msg in enumerate(track):
            if msg.type == 'end_of_track':
                break
            if is_text(msg) and ticks + msg.time > 0:
                if track_tempo:
                    tempo = track_tempo
                return track, (i if candidate is None else candidate), ticks, tempo
            ticks += msg.time
            if msg.type == 'set_tempo' and track_tempo is None and msg.tempo > 0:
                track_tempo = msg.tempo
            candidate = i if is_text(msg) and not text_bytes(msg).startswith(b'@') else None
        if number == 0 and track_tempo:
            tempo = track_tempo
    raise ValueError('no lyrics')


def centiseconds(ticks, division, tempo):
    if division < 0:
        frames, ticks_per_frame = -(division >> 8), division & 0xFF
        if frames == 29:
            frames = 30
        time = ticks * 100 // (frames * ticks_per_frame)
    else:
        time = ticks * tempo // (division * 10000)
    return min(time, LATEST_TIME)


def split_syllable(data):
    """(starts a line, shown bytes, ends the line) of one event's text."""
    n = 1
    while n < len(data) and data[n] != 0:
        n += 1
    s = bytearray(data[:n])
    if s[0] in b'\n\0\\/':
        s[0] = 13
    if len(s) > 1 and s[-1] in b'\\/':
        s[-1] = 13
    starts = s[0] == 13
    body = bytearray()
    ends = False
    i = 1 if starts else 0
    while i < len(s):
        if s[i] in b'\r\n\0':
            while i < len(s) and s[i] in b'\r\n\0':
                i += 1
            ends = i == len(s)
            continue
        body.append(s[i])
        i += 1
    return starts, bytes(body), ends


def lyric_lines(mid):
    """The lines of (syllable, start time) pairs."""
    track, start, ticks, tempo = find_lyrics(mid)
    lines, line = [], None
    for msg in track[start:]:
        if msg.type == 'end_of_track':
            break
        ticks += msg.time
        if not is_text(msg) or not text_bytes(msg):
            continue
        starts, body, ends = split_syllable(text_bytes(msg))
        if starts and line:
            lines.append(line)
            line = None
        if not body:
            continue
        line = line or []
        line.append((body, centiseconds(ticks, mid.ticks_per_beat, tempo)))
        if ends:
            lines.append(line)
            line = None
    if line:
        lines.append(line)
    # The fixtures stay clear of the limits of the 16-bit offsets.
    assert 0 < len(lines) <= MAX_LINES
    assert all(sum(len(b) for b, _ in ln) < MAX_LINE_LENGTH for ln in lines)
    return lines


def quoted(data):
    out = '"'
    for c in data:
        out += chr(c) if 0x20 <= c <= 0x7E and c not in b'"\\' else '\\x%02X' % c
    return out + '"'


def dump(file_bytes):
    mid = MidiFile(file=io.BytesIO(midi_data(file_bytes)))
    lines = lyric_lines(mid)
    out = ['text-lines %d' % len(lines)]
    for k, line in enumerate(lines):
        shown = b''.join(b for b, _ in line) + b' '
        out.append('T %d %d %s' % (k, len(shown), quoted(shown)))
    out.append('display-lines %d' % len(lines))
    first = 0
    for k, line in enumerate(lines):
        out.append('D %d %d %d' % (k, k, first))
        first += len(line)
    out.append('syncpoints %d' % first)
    index = 0
    for k, line in enumerate(lines):
        column = 0
        for j, (body, time) in enumerate(line):
            end_byte = column + len(body) + (1 if j == len(line) - 1 else 0)
            out.append('S %d %d %d %d %d %d %d' % (index, k, end_byte, column, end_byte,
                                                   time, time + 1))
            column += len(body)
            index += 1
    return '\n'.join(out) + '\n'


# ----------------------------------------------------------------------------

def write_fixtures(folder):
    os.makedirs(folder, exist_ok=True)
    names = []
    for name, make in FIXTURES:
        data = make()
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
        # Read back from the file, as mido reads any MIDI file.
        with open(os.path.join(folder, name), 'rb') as f:
            expected = dump(f.read())
        with open(os.path.join(folder, name + '.dump'), 'w', newline='\n') as f:
            f.write(expected)
        names += [name, name + '.dump']
    return names


def check(scratch):
    names = write_fixtures(scratch)
    failures = 0
    for name in names:
        committed = os.path.join(HERE, name)
        made = os.path.join(scratch, name)
        if not os.path.exists(committed):
            print('missing from the tree: %s' % name)
            failures += 1
            continue
        with open(committed, 'rb') as a, open(made, 'rb') as b:
            if a.read() != b.read():
                print('differs from what the script makes: %s' % name)
                failures += 1
    own = {'make_midi_fixtures.py', 'CMakeLists.txt'}
    for name in sorted(os.listdir(HERE)):
        if name not in own and name not in names and os.path.isfile(os.path.join(HERE, name)):
            print('not made by the script: %s' % name)
            failures += 1
    print('%d fixture files, %d failed (mido %s)' % (len(names), failures, mido.__version__))
    return failures == 0


def main(argv):
    if len(argv) == 3 and argv[1] == '--check':
        return 0 if check(argv[2]) else 1
    if len(argv) <= 2 and not (len(argv) == 2 and argv[1].startswith('-')):
        write_fixtures(argv[1] if len(argv) == 2 else HERE)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
