// The ".km" writer and reader on the cases the format is made for, and on
// damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/formats/tests/editor_fixture.h"
#include "lyrics/km_format.h"
#include "lyrics/km_parser.h"
#include "lyrics/tests/km_builder.h"

namespace {

std::vector<KmSyncEntry> Entries(const std::string& file) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
  KmLayout layout{};
  EXPECT_TRUE(ReadKmLayout(bytes, file.size(), &layout));
  std::vector<KmSyncEntry> entries;
  for (size_t i = 0; i < layout.syncSize / kKmSyncEntrySize; ++i) {
    entries.push_back(ReadKmSyncEntry(bytes + kKmMinimumFileSize + layout.textSize + i * 16));
  }
  return entries;
}

TEST(KmFormat, ChorusTextIsStoredOnceAndBlankLinesComeBackUpToTwelve) {
  EditorFixture editor;
  editor.SetHeader(0, "Song");
  editor.SetHeader(3, "Me");
  const std::string twenty(20, '\r');
  editor.SetLyrics("Chorus\rverse\r\r\rChorus\rend" + twenty + "\rChorus");
  for (int i = 0; i < 5; ++i) editor.Stamp(100 * i, 100 * i + 50);
  const std::string file = editor.SaveKm();

  const std::vector<KmSyncEntry> entries = Entries(file);
  ASSERT_EQ(entries.size(), 5u);
  const uint16_t lines[] = {0, 1, 0, 2, 0};
  const uint16_t blanks[] = {0, 0, 2, 0, 20};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(entries[i].line, lines[i]) << i;
    EXPECT_EQ(entries[i].blankLines, blanks[i]) << i;
    EXPECT_EQ(entries[i].endByte, kKmNoOffset) << i;
  }
  TimedLyrics shown;
  ASSERT_EQ(ParseKmFile(EditorFixture::Buffer(file), NoLeadBytes, shown), LoadStatus::Loaded);
  EXPECT_EQ(shown.textLineCount, 3);
  EXPECT_EQ(shown.syncpointCount, 5);

  EditorFixture reopened;
  ASSERT_TRUE(reopened.OpenKm(file));
  EXPECT_EQ(reopened.Lyrics(), "Chorus\rverse\r\r\rChorus\rend" + std::string(13, '\r') + "Chorus");
  EXPECT_EQ(reopened.Header(0), "Song");
  EXPECT_EQ(reopened.Header(3), "Me");
  EXPECT_EQ(reopened.Pairs(), editor.Pairs());
}

TEST(KmFormat, UnstampedUnitsAndSurplusPairsBothSurviveTheEditor) {
  // Five units ("la |la", "li |li", "lo"), three of them stamped.
  EditorFixture fewer;
  fewer.SetLyrics("la la\rli li\rlo");
  fewer.SetSyncpoint(3);
  fewer.SetSyncpoint(9);
  for (int i = 0; i < 3; ++i) fewer.Stamp(10 * i, 10 * i + 5);
  std::string file = fewer.SaveKm();
  std::vector<KmSyncEntry> entries = Entries(file);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[3].startTime, kKmNoTime);
  EXPECT_EQ(entries[4].endTime, kKmNoTime);
  EXPECT_EQ(entries[2].startByte, 0);
  EXPECT_EQ(entries[3].startByte, 3);
  TimedLyrics shown;
  ASSERT_EQ(ParseKmFile(EditorFixture::Buffer(file), NoLeadBytes, shown), LoadStatus::Loaded);
  EXPECT_EQ(shown.syncpointCount, 3);
  EditorFixture reopened;
  ASSERT_TRUE(reopened.OpenKm(file));
  EXPECT_EQ(reopened.text.UnitCount(), 5);
  EXPECT_EQ(reopened.Syncpoints(), (std::vector<int32_t>{3, 9}));
  EXPECT_EQ(reopened.Pairs().size(), 3u);

  // Two units, four pairs: the surplus entries have no positions.
  EditorFixture more;
  more.SetLyrics("a\rb");
  for (int i = 0; i < 4; ++i) more.Stamp(10 * i, 10 * i + 5);
  file = more.SaveKm();
  entries = Entries(file);
  ASSERT_EQ(entries.size(), 4u);
  for (size_t i = 2; i < 4; ++i) {
    EXPECT_EQ(entries[i].line, kKmNoOffset);
    EXPECT_EQ(entries[i].startByte, kKmNoOffset);
    EXPECT_EQ(entries[i].startTime, 10 * i);
  }
  ASSERT_EQ(ParseKmFile(EditorFixture::Buffer(file), NoLeadBytes, shown), LoadStatus::Loaded);
  EXPECT_EQ(shown.syncpointCount, 2);
  ASSERT_TRUE(reopened.OpenKm(file));
  EXPECT_EQ(reopened.Lyrics(), "a\rb");
  EXPECT_EQ(reopened.Pairs(), more.Pairs());
}

TEST(KmFormat, NothingToSaveWritesNothingAndAnEmptyFileOpensAsTheTemplate) {
  EditorFixture editor;
  editor.SetLyrics("\r\r");
  EXPECT_EQ(editor.SaveKm(), "");
  EXPECT_EQ(editor.SaveLrc(), "");
  editor.SetLyrics("words");
  editor.Stamp(1, 2);
  for (auto open : {&EditorFixture::OpenKm, &EditorFixture::OpenLrc, &EditorFixture::OpenText}) {
    editor.SetLyrics("words");
    EXPECT_TRUE((editor.*open)(""));
    EXPECT_TRUE(editor.IsEmptyTemplate());
  }
}

TEST(KmFormat, ADamagedFileFailsAndLeavesTheEmptyTemplate) {
  KmBuilder song;
  song.Header("T", "A").Line("one").Line("two").Piece(0, 0, kKmNoOffset, 0, 10).Piece(1, 0, kKmNoOffset, 10, 20);
  const std::string good = song.Bytes();
  const size_t textSize = song.TextData().size();
  const auto withLe32 = [&](size_t offset, size_t value) {
    std::string bytes = good;
    PutLe32(bytes, offset, static_cast<uint32_t>(value));
    return bytes;
  };
  const auto withByte = [&](size_t offset, char value) {
    std::string bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  const std::string damaged[] = {
      good.substr(0, good.size() - 1),                      // size field off by one
      good.substr(0, 20),                                   // cut inside the header
      withLe32(12, good.size()),                            // T past the end
      withLe32(12, good.size() - 20),                       // the "SYNC" header past the end
      withLe32(KmSyncSizeOffset(textSize), 0xFFFFFFF0u),    // S past the end
      withByte(KmSyncIdOffset(textSize), 's'),
      withByte(1, 'X'),
  };
  for (const std::string& file : damaged) {
    EditorFixture editor;
    ASSERT_TRUE(editor.OpenKm(good));
    EXPECT_EQ(editor.Lyrics(), "one\rtwo");
    EXPECT_FALSE(editor.OpenKm(file));
    EXPECT_TRUE(editor.IsEmptyTemplate());
  }
}

TEST(KmFormat, EntriesThatDoNotFitEndTheLyricsButNotThePairs) {
  // The third entry goes back within its line; the fourth names no line.
  KmBuilder song;
  song.Header("", "", "", "")
      .Line("abcdef")
      .Piece(0, 0, 2, 0, 10, 3)
      .Piece(0, 4, kKmNoOffset, 10, 20)
      .Piece(0, 3, kKmNoOffset, 20, 30)
      .Piece(7, 0, kKmNoOffset, 30, 40)
      .Piece(0, 0, kKmNoOffset, 40, 40);  // no length: the pairs end here
  EditorFixture editor;
  ASSERT_TRUE(editor.OpenKm(song.Bytes()));
  EXPECT_EQ(editor.Lyrics(), "\r\r\rabcdef");
  EXPECT_EQ(editor.Syncpoints(), (std::vector<int32_t>{7}));
  EXPECT_EQ(editor.Pairs().size(), 4u);
  EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");

  // Header strings cut short: the values found are kept, no lyric line.
  KmBuilder cut;
  cut.RawText(std::string("Title\0Artist\0\r\0\0\0", 17));
  cut.Piece(0, 0, kKmNoOffset, 5, 6);
  ASSERT_TRUE(editor.OpenKm(cut.Bytes()));
  EXPECT_EQ(editor.Header(0), "Title");
  EXPECT_EQ(editor.Header(1), "Artist");
  EXPECT_EQ(editor.Lyrics(), "");
  EXPECT_EQ(editor.Pairs().size(), 1u);
}

}  // namespace
