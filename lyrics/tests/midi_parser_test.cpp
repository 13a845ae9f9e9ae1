#include "lyrics/midi_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/riff_midi.h"
#include "lyrics/tests/midi_builder.h"

namespace {

using std::string;

constexpr uint16_t kDivision = 96;  // ticks per quarter note; 50 cs at 120 bpm

// A string literal with its NUL bytes.
template <size_t N>
string B(const char (&bytes)[N]) {
  return string(bytes, N - 1);
}

LoadStatus Load(const string& bytes, TimedLyrics& lyrics, LeadBytePredicate isLead = NoLeadBytes) {
  return ParseMidiLyrics(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), isLead,
                         lyrics);
}

// Checks the model's invariants: pieces in order and inside their lines,
// lines laid out one after another in the buffer, each ended by a space.
void ExpectValidModel(const TimedLyrics& lyrics) {
  ASSERT_GE(lyrics.syncpointCount, 1);
  ASSERT_GE(lyrics.displayLineCount, 1);
  ASSERT_EQ(lyrics.textLineCount, lyrics.displayLineCount);
  const char* expectedStart = lyrics.textBuffer;
  for (int32_t k = 0; k < lyrics.displayLineCount; ++k) {
    const DisplayLine& line = lyrics.displayLines[k];
    ASSERT_EQ(line.textLine, k);
    const TextLine& text = lyrics.textLines[k];
    EXPECT_EQ(text.text, expectedStart);
    ASSERT_GE(text.length, 2);
    ASSERT_LE(text.length, int32_t{kMaxMidiLineLength});
    EXPECT_EQ(text.text[text.length - 1], ' ');
    expectedStart += text.length;
    ASSERT_LT(line.firstSyncpoint, lyrics.syncpointCount);
    EXPECT_EQ(lyrics.syncpoints[line.firstSyncpoint].startPos, 0);
  }
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    ASSERT_LT(piece.line, lyrics.displayLineCount);
    const bool firstOfLine = lyrics.displayLines[piece.line].firstSyncpoint == i;
    if (!firstOfLine) {
      ASSERT_GT(i, 0);
      EXPECT_EQ(lyrics.syncpoints[i - 1].line, piece.line);
      EXPECT_EQ(piece.startPos, lyrics.syncpoints[i - 1].endByte);
    }
    EXPECT_NE(piece.endByte, kToLineEnd);
    EXPECT_LT(piece.startPos, piece.endByte);
    EXPECT_EQ(piece.endPos, piece.endByte);
    EXPECT_LE(piece.endByte, lyrics.textLines[piece.line].length);
    EXPECT_EQ(piece.endTime, piece.startTime + 1);
    if (i > 0) {
      EXPECT_GE(piece.startTime, lyrics.syncpoints[i - 1].startTime);
    }
    const bool lastOfLine =
        i + 1 == lyrics.syncpointCount || lyrics.syncpoints[i + 1].line != piece.line;
    if (lastOfLine) {
      EXPECT_EQ(piece.endByte, lyrics.textLines[piece.line].length);
    }
  }
}

// The pieces of every line, separated by '|', one line per text line.
string Pieces(const TimedLyrics& lyrics) {
  string out;
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i) {
    const Syncpoint& piece = lyrics.syncpoints[i];
    if (i > 0) out += lyrics.syncpoints[i - 1].line == piece.line ? "|" : "\n";
    const TextLine& line = lyrics.textLines[lyrics.displayLines[piece.line].textLine];
    out.append(line.text + piece.startPos, piece.endByte - piece.startPos);
  }
  return out;
}

std::vector<int32_t> StartTimes(const TimedLyrics& lyrics) {
  std::vector<int32_t> times;
  for (int32_t i = 0; i < lyrics.syncpointCount; ++i)
    times.push_back(lyrics.syncpoints[i].startTime);
  return times;
}

// One track of text events 96 ticks apart, after a tempo.
string SongOf(const std::vector<string>& syllables) {
  MidiTrack track;
  track.Tempo(0, 500000);
  for (const string& s : syllables) track.Text(kDivision, s);
  track.End();
  return MidiFile(kDivision, {track}, 0);
}

struct TextCase {
  const char* name;
  std::vector<string> syllables;
  const char* pieces;
};

TEST(MidiParser, BreaksLinesWhereTheTextsSay) {
  const TextCase cases[] = {
      {"backslash and slash start lines",
       {"\\Twin", "kle ", "twin", "kle", "/lit", "tle ", "star"},
       "Twin|kle |twin|kle \nlit|tle |star "},
      {"trailing backslash ends the line", {"Ma", "ry\\", "had"}, "Ma|ry \nhad "},
      {"trailing slash ends the line", {"Ma", "ry/", "had"}, "Ma|ry \nhad "},
      {"LF starts a line", {"Ma", "ry", "\nhad"}, "Ma|ry \nhad "},
      {"CR LF ends the line", {"Ma", "ry\r\n", "had"}, "Ma|ry \nhad "},
      {"NUL as first byte starts a line", {"Ma", string("\0had", 4)}, "Ma \nhad "},
      {"a NUL inside ends the text", {string("Ma\0", 3), string("ry\0/x", 5)}, "Ma|ry "},
      {"breaks inside are removed", {"ab\r\ncd", "e\nf"}, "abcd|ef "},
      {"a slash inside is shown", {"a/b", "c"}, "a/b|c "},
      {"two marks in a row make no empty line", {"one", "/", "/two"}, "one \ntwo "},
      {"a mark that ends and one that starts", {"one\\", "\\two"}, "one \ntwo "},
      {"double slash", {"one", "//", "two"}, "one \ntwo "},
      {"a mark before the first syllable", {"/", "\\", "a"}, "a "},
      {"empty events are dropped", {"a", "", "b"}, "a|b "},
  };
  for (const TextCase& c : cases) {
    TimedLyrics lyrics;
    ASSERT_EQ(Load(SongOf(c.syllables), lyrics), LoadStatus::Loaded) << c.name;
    ExpectValidModel(lyrics);
    EXPECT_EQ(Pieces(lyrics), c.pieces) << c.name;
  }
}

TEST(MidiParser, DoubleByteTrailBytesAreNotLineMarks) {
  // Code page 932: 0x83 0x5C is one character whose trail byte is a backslash.
  const string so = "\x83\x5C";
  struct Case {
    const char* name;
    LeadBytePredicate isLead;
    std::vector<string> syllables;
    string pieces;
  } cases[] = {
      {"trail byte at the end", Cp932LeadByte, {so, "x"}, so + "|x "},
      {"same bytes single-byte", NoLeadBytes, {so, "x"}, "\x83 \nx "},
      {"character before a real mark", Cp932LeadByte, {so + "/", "x"}, so + " \nx "},
      {"character after a leading mark", Cp932LeadByte, {"a", "/" + so}, "a \n" + so + " "},
  };
  for (const Case& c : cases) {
    TimedLyrics lyrics;
    ASSERT_EQ(Load(SongOf(c.syllables), lyrics, c.isLead), LoadStatus::Loaded) << c.name;
    EXPECT_EQ(Pieces(lyrics), c.pieces) << c.name;
  }
}

TEST(MidiParser, FillsTheModelOfTwoLines) {
  TimedLyrics lyrics;
  ASSERT_EQ(Load(SongOf({"\\Row ", "row", "/boat"}), lyrics), LoadStatus::Loaded);
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(string(lyrics.textLines[0].text, lyrics.textLines[0].length), "Row row ");
  EXPECT_EQ(string(lyrics.textLines[1].text, lyrics.textLines[1].length), "boat ");
  ASSERT_EQ(lyrics.displayLineCount, 2);
  EXPECT_EQ(lyrics.displayLines[1].textLine, 1);
  EXPECT_EQ(lyrics.displayLines[1].firstSyncpoint, 2);
  ASSERT_EQ(lyrics.syncpointCount, 3);
  const Syncpoint& row = lyrics.syncpoints[1];
  EXPECT_EQ(row.line, 0);
  EXPECT_EQ(row.startPos, 4);
  EXPECT_EQ(row.endByte, 8);  // the line's trailing space included
  EXPECT_EQ(row.endPos, 8);
  EXPECT_EQ(row.startTime, 100);
  EXPECT_EQ(row.endTime, 101);
  EXPECT_EQ(lyrics.syncpoints[2].line, 1);
  EXPECT_EQ(lyrics.syncpoints[2].endByte, 5);
}

struct StartCase {
  const char* name;
  MidiTrack track;
  const char* pieces;
};

// Texts at time 0 are song information; the lyrics start at the first
// text after the start of the track.
TEST(MidiParser, LyricsStartAtTheFirstTimedText) {
  StartCase cases[] = {
      {"information texts, other events, then syllables",
       MidiTrack()
           .Text(0, "@KMIDI KARAOKE FILE")
           .Text(0, "@TTwinkle")
           .Channel(0, 0xC0, {5})
           .Text(96, "Twin")
           .Text(96, "kle"),
       "Twin|kle "},
      {"information text directly before is not a syllable",
       MidiTrack().Text(0, "@LENG").Text(96, "Twin"), "Twin "},
      // The delta-0 text sounds with the event before it; its length does
      // not matter.
      {"plain delta-0 text directly before is the first syllable",
       MidiTrack().Text(0, "@TTitle").Lyric(0, "Row ").Lyric(96, "your boat"), "Row |your boat "},
      {"only the last delta-0 text", MidiTrack().Text(0, "A").Text(0, "B").Text(96, "c"), "B|c "},
      {"delta-0 text with an event between",
       MidiTrack().Text(0, "Row ").Channel(0, 0x90, {60, 100}).Text(96, "row"), "row "},
      {"text and lyric events both count", MidiTrack().Lyric(96, "one ").Text(96, "two"),
       "one |two "},
      {"syllables on the tick of the note-off before them",
       MidiTrack()
           .Text(0, "@TMary")
           .Channel(96, 0x90, {64, 100})
           .Channel(96, 0, {64, 0})
           .Lyric(0, "Ma")
           .Channel(0, 0x90, {62, 100})
           .Channel(96, 0, {62, 0})
           .Lyric(0, "ry"),
       "Ma|ry "},
  };
  for (StartCase& c : cases) {
    c.track.End();
    TimedLyrics lyrics;
    ASSERT_EQ(Load(MidiFile(kDivision, {c.track}, 0), lyrics), LoadStatus::Loaded) << c.name;
    ExpectValidModel(lyrics);
    EXPECT_EQ(Pieces(lyrics), c.pieces) << c.name;
  }
}

TEST(MidiParser, FindsTheFirstTrackWithTimedTexts) {
  MidiTrack conductor, melody, words, more;
  conductor.Tempo(0, 500000).Text(0, "@TTitle").End(960);
  melody.Channel(0, 0x90, {60, 100}).Channel(96, 0, {60, 0}).End();
  words.Text(0, "@KMIDI KARAOKE FILE").Text(192, "Hel").Text(96, "lo").End();
  more.Text(96, "other").End();
  TimedLyrics lyrics;
  ASSERT_EQ(Load(MidiFile(kDivision, {conductor, melody, words, more}), lyrics),
            LoadStatus::Loaded);
  EXPECT_EQ(Pieces(lyrics), "Hel|lo ");
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{100, 150}));

  // The header's track count bounds the search.
  string oneTrack = MidiFile(kDivision, {conductor, words});
  oneTrack[11] = 1;
  EXPECT_EQ(Load(oneTrack, lyrics), LoadStatus::Invalid);
  // A chunk other than "MTrk" stops it.
  string foreign = MidiHeader(kDivision, 2) + "XTrk" +
                   MidiTrackChunk(conductor.Events()).substr(4) + MidiTrackChunk(words.Events());
  EXPECT_EQ(Load(foreign, lyrics), LoadStatus::Invalid);
}

struct TimingCase {
  const char* name;
  uint16_t division;
  std::vector<MidiTrack> tracks;
  std::vector<int32_t> times;
};

TEST(MidiParser, TimesSyllablesByTheSongTempoAndDivision) {
  TimingCase cases[] = {
      {"default tempo", kDivision, {MidiTrack().Text(96, "a").Text(48, "b")}, {50, 75}},
      {"first track's tempo",
       kDivision,
       {MidiTrack().Tempo(0, 1000000), MidiTrack().Text(96, "a")},
       {100}},
      {"lyrics track's own tempo first",
       kDivision,
       {MidiTrack().Tempo(0, 1000000), MidiTrack().Tempo(0, 250000).Text(96, "a")},
       {25}},
      {"tempo changes during the song are ignored",
       kDivision,
       {MidiTrack().Tempo(0, 1000000),
        MidiTrack().Text(96, "a").Tempo(0, 250000).Text(96, "b").Text(96, "c")},
       {100, 200, 300}},
      {"a later tempo of the first track is ignored",
       kDivision,
       {MidiTrack().Tempo(0, 1000000).Tempo(960, 250000), MidiTrack().Text(96, "a")},
       {100}},
      {"tempo of a middle track is ignored",
       kDivision,
       {MidiTrack().Channel(0, 0xC0, {1}), MidiTrack().Tempo(0, 1000000),
        MidiTrack().Text(96, "a")},
       {50}},
      {"a tempo of 0 is no tempo",
       kDivision,
       {MidiTrack().Tempo(0, 0).Tempo(0, 1000000).Text(96, "a")},
       {100}},
      {"a tempo event of another length is ignored",
       kDivision,
       {MidiTrack().Meta(0, 0x51, string("\x0F\x42\x40\x00", 4)).Text(96, "a")},
       {50}},
      {"events before the lyrics count",
       kDivision,
       {MidiTrack().Channel(96, 0x90, {60, 100}).Channel(96, 0, {60, 0}).Text(96, "a")},
       {150}},
      {"metrical time is truncated", 480, {MidiTrack().Text(1, "a").Text(999, "b")}, {0, 104}},
      {"timecode 25 fps",
       TimecodeDivision(25, 40),
       {MidiTrack().Text(500, "a").Text(1000, "b")},
       {50, 150}},
      {"timecode 29.97 fps counts as 30",
       TimecodeDivision(29, 10),
       {MidiTrack().Text(300, "a").Text(30, "b")},
       {100, 110}},
  };
  for (TimingCase& c : cases) {
    for (MidiTrack& track : c.tracks) track.End();
    TimedLyrics lyrics;
    ASSERT_EQ(Load(MidiFile(c.division, c.tracks), lyrics), LoadStatus::Loaded) << c.name;
    EXPECT_EQ(StartTimes(lyrics), c.times) << c.name;
  }
}

TEST(MidiParser, TimecodeTicksAddUpWithoutRounding) {
  // 1000 ticks per second: 100 events of 7 ticks are 70 centiseconds, though
  // each alone is less than one.
  MidiTrack track;
  track.Text(10, "a");
  for (int i = 0; i < 100; ++i) track.Channel(7, 0xC0, {1});
  track.Text(0, "b").End();
  TimedLyrics lyrics;
  ASSERT_EQ(Load(MidiFile(TimecodeDivision(25, 40), {track}), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{1, 71}));
}

TEST(MidiParser, TimesPastTheSignedRangeStayAtItsEnd) {
  // The slowest tempo at 1 tick per quarter note: the largest delta is
  // 4.5e11 centiseconds, and 4100 of them overflow 64 bits before the
  // division.
  MidiTrack track;
  track.Tempo(0, 0xFFFFFF).Text(1, "a").Text(0x0FFFFFFF, "b");
  for (int i = 0; i < 4100; ++i) track.Channel(0x0FFFFFFF, 0xC0, {1});
  track.Text(0, "c").End();
  TimedLyrics lyrics;
  ASSERT_EQ(Load(MidiFile(1, {track}), lyrics), LoadStatus::Loaded);
  ExpectValidModel(lyrics);
  ASSERT_EQ(lyrics.syncpointCount, 3);
  EXPECT_EQ(lyrics.syncpoints[0].startTime, 1677);
  for (int i = 1; i < 3; ++i) {
    EXPECT_EQ(lyrics.syncpoints[i].startTime, INT32_MAX - 1);
    EXPECT_EQ(lyrics.syncpoints[i].endTime, INT32_MAX);
  }
}

TEST(MidiParser, ReadsEveryKindOfEvent) {
  MidiTrack track;
  track.Channel(0, 0x90, {60, 100})
      .Channel(10, 0, {62, 100})  // running status
      .Channel(0, 0xC0, {5})
      .Channel(0, 0, {6})
      .Channel(0, 0xE0, {0, 64})
      .SysEx(0, "\x7E\x7F\x09\x01\xF7")
      .Raw(0, "\xF7\x02\x01\x02")  // system-exclusive escape
      .Text(86, "one ")
      .Channel(0, 0xB0, {7, 100})
      .Channel(96, 0, {10, 64})
      .Meta(0, 0x7F, B("\x00\x00\x41"))
      .Text(0, "two")
      .End();
  TimedLyrics lyrics;
  ASSERT_EQ(Load(MidiFile(kDivision, {track}, 0), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(Pieces(lyrics), "one |two ");
  EXPECT_EQ(StartTimes(lyrics), (std::vector<int32_t>{50, 100}));
}

struct StreamCase {
  const char* name;
  string events;  // track contents
  const char* pieces;
};

TEST(MidiParser, TheTrackEndsWhereItsEventsStopMakingSense) {
  const string good = MidiTrack().Text(96, "a").Events();
  const StreamCase cases[] = {
      {"running status after a meta event",
       good + MidiTrack().Channel(0, 0, {60, 100}).Text(96, "b").End().Events(), "a "},
      {"running status at the start", MidiTrack().Channel(0, 0, {60, 100}).Events() + good,
       nullptr},
      {"a status byte no track may hold",
       good + MidiTrack().Raw(0, B("\xF4\x00\x00\x00")).Text(96, "b").Events(), "a "},
      {"a meta event longer than the track",
       good + MidiTrack()
                  .Raw(96,
                       "\xFF\x01\x7F"
                       "bcd")
                  .Events(),
       "a "},
      {"a delta of five bytes",
       good + B("\x81\x80\x80\x80\x00\xFF\x01\x01"
                "b"),
       "a "},
      {"a system-exclusive size past the track",
       good + MidiTrack().Raw(0, "\xF0\x8F\xFF\xFF\x7F").Events(), "a "},
      {"no End of Track", good + MidiTrack().Text(96, "b").Events(), "a|b "},
      {"events after End of Track", good + MidiTrack().End().Text(96, "b").Events(), "a "},
  };
  for (const StreamCase& c : cases) {
    TimedLyrics lyrics;
    LoadStatus status = Load(MidiHeader(kDivision, 1) + MidiTrackChunk(c.events), lyrics);
    if (!c.pieces) {
      EXPECT_EQ(status, LoadStatus::Invalid) << c.name;
      EXPECT_TRUE(IsTimedLyricsEmpty(lyrics)) << c.name;
      continue;
    }
    ASSERT_EQ(status, LoadStatus::Loaded) << c.name;
    EXPECT_EQ(Pieces(lyrics), c.pieces) << c.name;
  }
}

TEST(MidiParser, TheTrackLengthBoundsEveryRead) {
  const string events = MidiTrack().Text(96, "ab").Text(96, "cd").End().Events();
  TimedLyrics lyrics;
  // Declared one byte short of the second text: it is not read.
  const size_t firstEvent = 6;
  ASSERT_EQ(Load(MidiHeader(kDivision, 1) + MidiTrackChunk(events, firstEvent + 5), lyrics),
            LoadStatus::Loaded);
  EXPECT_EQ(Pieces(lyrics), "ab ");
  // Declared past the end of the data: read up to the end.
  ASSERT_EQ(Load(MidiHeader(kDivision, 1) + MidiTrackChunk(events, 0xFFFFFFFFu), lyrics),
            LoadStatus::Loaded);
  EXPECT_EQ(Pieces(lyrics), "ab|cd ");
}

struct RejectCase {
  const char* name;
  string bytes;
};

TEST(MidiParser, RejectsFilesWithoutLyricsAndLeavesTheModelEmpty) {
  const string track = MidiTrackChunk(MidiTrack().Text(96, "a").End().Events());
  const RejectCase cases[] = {
      {"empty", ""},
      {"shorter than a header", MidiHeader(kDivision, 1).substr(0, 13)},
      {"no MThd", "MThx" + MidiHeader(kDivision, 1).substr(4) + track},
      {"RIFF wrapping left on", RmidFile({RiffChunk("data", MidiHeader(kDivision, 1) + track)})},
      {"header length below 6", MidiHeader(kDivision, 1, 1, 5) + track},
      {"header length beyond the data", MidiHeader(kDivision, 1).substr(0, 4) +
                                            B("\x00\x00\x01\x00") +
                                            MidiHeader(kDivision, 1).substr(8) + track},
      {"no tracks", MidiHeader(kDivision, 0) + track},
      {"division of 0 ticks", MidiHeader(0, 1) + track},
      {"timecode with 0 ticks per frame", MidiHeader(TimecodeDivision(25, 0), 1) + track},
      {"track header cut short", MidiHeader(kDivision, 1) + track.substr(0, 7)},
      {"only delta-0 texts", MidiFile(kDivision, {MidiTrack().Text(0, "a").Text(0, "b").End()})},
      {"timed texts only after End of Track",
       MidiFile(kDivision, {MidiTrack().End().Text(96, "a")})},
      {"only empty texts", MidiFile(kDivision, {MidiTrack().Text(96, "").Lyric(96, "").End()})},
      {"only line marks", MidiFile(kDivision, {MidiTrack().Text(96, "/").Text(96, "\r\n").End()})},
  };
  for (const RejectCase& c : cases) {
    TimedLyrics lyrics;
    EXPECT_EQ(Load(c.bytes, lyrics), LoadStatus::Invalid) << c.name;
    EXPECT_TRUE(IsTimedLyricsEmpty(lyrics)) << c.name;
  }
  // A header longer than 6 bytes is skipped.
  TimedLyrics lyrics;
  EXPECT_EQ(Load(MidiHeader(kDivision, 1, 1, 10) + track, lyrics), LoadStatus::Loaded);
}

TEST(MidiParser, EveryCutOfAFileLoadsOrFailsCleanly) {
  MidiTrack conductor, words;
  conductor.Tempo(0, 400000).SysEx(0, "\x7E\x7F\x09\x01\xF7").End();
  words.Text(0, "@TTitle")
      .Channel(0, 0x90, {60, 90})
      .Channel(0, 0, {64, 90})
      .Text(48, "\\Twin")
      .Text(48, "kle/")
      .Lyric(48, "\nlit")
      .Text(48, "tle\r\n")
      .End();
  const string file = MidiFile(kDivision, {conductor, words});
  for (size_t size = 0; size <= file.size(); ++size) {
    // A copy of exactly `size` bytes, so that a read past it is reported.
    std::vector<unsigned char> bytes(file.begin(), file.begin() + size);
    TimedLyrics lyrics;
    LoadStatus status = ParseMidiLyrics(bytes.data(), bytes.size(), NoLeadBytes, lyrics);
    if (status == LoadStatus::Loaded) {
      ExpectValidModel(lyrics);
    } else {
      EXPECT_TRUE(IsTimedLyricsEmpty(lyrics)) << size;
    }
  }
}

TEST(MidiParser, CutsLinesToWhatTheByteOffsetsHold) {
  const size_t kMaxText = kMaxMidiLineLength - 1;  // bytes before the trailing space
  const string so = "\x83\x40";                    // one double-byte character
  struct Case {
    const char* name;
    std::vector<string> syllables;
    LeadBytePredicate isLead;
    std::vector<size_t> pieceEnds;  // endByte of each piece
  } cases[] = {
      {"one long syllable",
       {string(70000, 'a'), "b", "/next"},
       NoLeadBytes,
       {kMaxMidiLineLength, 5}},
      {"a syllable that just fits",
       {string(kMaxText, 'a'), "b"},
       NoLeadBytes,
       {kMaxMidiLineLength}},
      {"many syllables",
       std::vector<string>(70, string(1000, 'a')),
       NoLeadBytes,
       {}},  // filled in below
      {"a double-byte character is not split",
       {string(kMaxText - 1, 'a'), so + "b", "\\c"},
       Cp932LeadByte,
       {kMaxText, 2}},
      {"the cut syllable still ends its line",
       {string(kMaxText - 1, 'a'), "bc\\", "d"},
       NoLeadBytes,
       {kMaxText - 1, kMaxMidiLineLength, 2}},
  };
  for (size_t end = 1000; end < kMaxText; end += 1000) cases[2].pieceEnds.push_back(end);
  cases[2].pieceEnds.push_back(kMaxMidiLineLength);
  for (const Case& c : cases) {
    TimedLyrics lyrics;
    ASSERT_EQ(Load(SongOf(c.syllables), lyrics, c.isLead), LoadStatus::Loaded) << c.name;
    ExpectValidModel(lyrics);
    std::vector<size_t> ends;
    for (int32_t i = 0; i < lyrics.syncpointCount; ++i)
      ends.push_back(lyrics.syncpoints[i].endByte);
    EXPECT_EQ(ends, c.pieceEnds) << c.name;
  }
}

TEST(MidiParser, KeepsTheLinesThatTheLineIndexCanName) {
  MidiTrack track;
  for (size_t i = 0; i <= kMaxMidiLines; ++i) track.Text(1, "a/");
  track.End();
  TimedLyrics lyrics;
  ASSERT_EQ(Load(MidiFile(kDivision, {track}, 0), lyrics), LoadStatus::Loaded);
  EXPECT_EQ(size_t(lyrics.displayLineCount), kMaxMidiLines);
  EXPECT_EQ(size_t(lyrics.syncpointCount), kMaxMidiLines);
  EXPECT_EQ(lyrics.syncpoints[lyrics.syncpointCount - 1].line, UINT16_MAX);
}

struct RiffCase {
  const char* name;
  string file;
  RiffMidiResult result;
  string data;
};

TEST(RiffMidi, FindsTheDataChunkOfRmidFiles) {
  const string smf = MidiFile(kDivision, {MidiTrack().Text(96, "a").End()});
  string longData = RmidFile({RiffChunk("data", smf)});
  longData[19] = '\x7F';  // the data chunk's size, beyond the file
  string outside = RmidFile({RiffChunk("LIST", "INFO"), RiffChunk("data", smf)});
  outside[4] = 4 + 12;  // the RIFF chunk ends after the "LIST" chunk
  outside[5] = outside[6] = outside[7] = 0;
  const RiffCase cases[] = {
      {"plain file", smf, RiffMidiResult::Plain, smf},
      {"data chunk first", RmidFile({RiffChunk("data", smf)}), RiffMidiResult::Wrapped, smf},
      {"after an odd-sized chunk", RmidFile({RiffChunk("INFO", "odd"), RiffChunk("data", smf)}),
       RiffMidiResult::Wrapped, smf},
      {"no data chunk", RmidFile({RiffChunk("LIST", "INFO")}), RiffMidiResult::NoData, ""},
      {"data chunk past the file", longData, RiffMidiResult::NoData, ""},
      {"data chunk outside the RIFF chunk", outside, RiffMidiResult::NoData, ""},
      {"another form type", B("RIFF\x04\x00\x00\x00WAVE"), RiffMidiResult::Plain,
       B("RIFF\x04\x00\x00\x00WAVE")},
      {"shorter than a RIFF header", B("RIFF\x04\x00\x00\x00RMI"), RiffMidiResult::Plain,
       B("RIFF\x04\x00\x00\x00RMI")},
  };
  for (const RiffCase& c : cases) {
    std::vector<unsigned char> bytes(c.file.begin(), c.file.end());
    const unsigned char* data = nullptr;
    size_t size = 0;
    EXPECT_EQ(FindRiffMidiData(bytes.data(), bytes.size(), data, size), c.result) << c.name;
    if (c.result == RiffMidiResult::NoData) continue;
    EXPECT_EQ(string(reinterpret_cast<const char*>(data), size), c.data) << c.name;
  }
}

}  // namespace
