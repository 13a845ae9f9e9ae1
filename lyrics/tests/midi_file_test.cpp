#include "lyrics/midi_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/read_whole_file.h"
#include "lyrics/tests/midi_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

using std::string;

// Two lines, 50 centiseconds apart, after a conductor track with a tempo.
string TwoLineSong() {
  MidiTrack conductor, words;
  conductor.Tempo(0, 500000).End();
  words.Text(0, "@TRow").Text(96, "\\Row ").Text(96, "row").Text(96, "/boat").End();
  return MidiFile(96, {conductor, words});
}

void ExpectTwoLineSong(const TimedLyrics& lyrics) {
  ASSERT_EQ(lyrics.textLineCount, 2);
  EXPECT_EQ(string(lyrics.textLines[0].text, lyrics.textLines[0].length), "Row row ");
  EXPECT_EQ(string(lyrics.textLines[1].text, lyrics.textLines[1].length), "boat ");
  ASSERT_EQ(lyrics.syncpointCount, 3);
  EXPECT_EQ(lyrics.syncpoints[0].startTime, 50);
  EXPECT_EQ(lyrics.syncpoints[2].startTime, 150);
  EXPECT_EQ(lyrics.syncpoints[2].line, 1);
}

struct FileCase {
  const char* name;
  string bytes;
};

TEST(MidiFile, ReadsPlainAndRiffWrappedFiles) {
  const string smf = TwoLineSong();
  const FileCase cases[] = {
      {"plain.mid", smf},
      {"wrapped.rmi", RmidFile({RiffChunk("data", smf)})},
      // An odd-sized chunk first: chunks are padded to an even size.
      {"info.rmi", RmidFile({RiffChunk("LIST", "INFOx"), RiffChunk("data", smf)})},
      {"trailing.rmi", RmidFile({RiffChunk("data", smf), RiffChunk("DISP", "x")})},
      // A '+' after a dot: not a compound-file element.
      {"a.b+c.mid", smf},
      {"Song.KAR", smf},
  };
  for (const FileCase& c : cases) {
    const string path = WriteTempFile(c.name, c.bytes);
    TimedLyrics lyrics;
    ASSERT_EQ(ReadMidiFile(path.c_str(), lyrics), LoadStatus::Loaded) << c.name;
    ExpectTwoLineSong(lyrics);
    std::remove(path.c_str());
  }
}

TEST(MidiFile, RejectsWhatIsNotALoadableFile) {
  const string smf = TwoLineSong();
  string longData = RmidFile({RiffChunk("data", smf)});
  longData[17] = '\x10';  // the data chunk claims 4 KB more than the file has
  const FileCase cases[] = {
      {"nodata.rmi", RmidFile({RiffChunk("LIST", "INFO")})},
      {"longdata.rmi", longData},
      {"short.mid", smf.substr(0, 8)},
      {"shortdata.rmi", RmidFile({RiffChunk("data", smf.substr(0, 8))})},
      {"empty.mid", ""},
      {"wave.rmi", string("RIFF\x04\x00\x00\x00WAVE", 12) + smf},
      {"cut.mid", smf.substr(0, smf.size() - 30)},
  };
  for (const FileCase& c : cases) {
    const string path = WriteTempFile(c.name, c.bytes);
    TimedLyrics lyrics;
    EXPECT_EQ(ReadMidiFile(path.c_str(), lyrics), LoadStatus::Invalid) << c.name;
    EXPECT_TRUE(IsTimedLyricsEmpty(lyrics)) << c.name;
    std::remove(path.c_str());
  }
  TimedLyrics lyrics;
  EXPECT_EQ(ReadMidiFile(TempPath("missing.mid").c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_EQ(ReadMidiFile(testing::TempDir().c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_EQ(ReadMidiFile(nullptr, lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
}

TEST(MidiFile, PathsUpTo259CharactersAreRead) {
  const string prefix = TempPath("");
  ASSERT_LT(prefix.size() + 8, kMaxPathLength);
  const string smf = TwoLineSong();
  // 259 characters in all, then 260.
  const string longest =
      WriteTempFile(string(kMaxPathLength - prefix.size() - 4, 'p') + ".mid", smf);
  ASSERT_EQ(longest.size(), kMaxPathLength);
  const string tooLong =
      WriteTempFile(string(kMaxPathLength - prefix.size() - 3, 'p') + ".mid", smf);
  TimedLyrics lyrics;
  EXPECT_EQ(ReadMidiFile(longest.c_str(), lyrics), LoadStatus::Loaded);
  ExpectTwoLineSong(lyrics);
  EXPECT_EQ(ReadMidiFile(tooLong.c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(longest.c_str());
  std::remove(tooLong.c_str());
}

TEST(MidiFile, ALoadReplacesTheModel) {
  const string path = WriteTempFile("replace.mid", TwoLineSong());
  const string broken = WriteTempFile("broken.mid", "MThd and nothing more");
  TimedLyrics lyrics;
  ASSERT_EQ(ReadMidiFile(path.c_str(), lyrics), LoadStatus::Loaded);
  ASSERT_EQ(ReadMidiFile(path.c_str(), lyrics), LoadStatus::Loaded);
  ExpectTwoLineSong(lyrics);
  EXPECT_EQ(ReadMidiFile(broken.c_str(), lyrics), LoadStatus::Invalid);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics));
  std::remove(path.c_str());
  std::remove(broken.c_str());
}

}  // namespace
