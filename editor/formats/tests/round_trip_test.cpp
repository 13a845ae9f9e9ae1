// Random documents through the writers and back: the plug-ins' loader sees
// what the editor saved, and the editor reopens it as it was.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "editor/formats/tests/editor_fixture.h"
#include "editor/document/character_code.h"
#include "lyrics/km_parser.h"

namespace {

// One timing unit as the plug-ins should show it.
struct UnitBytes {
  std::string line;  // the text of its line
  size_t start;      // its bytes in the line
  size_t end;
};

std::vector<UnitBytes> UnitsOf(const EditorFixture& editor) {
  std::vector<UnitBytes> units;
  std::string line;
  size_t lineFirstUnit = 0;
  for (int32_t p = editor.text.LyricsStart(); p <= editor.text.Length(); ++p) {
    const uint16_t code = editor.text.CharacterAt(p);
    if (IsLineBreak(code)) {
      for (size_t u = lineFirstUnit; u < units.size(); ++u) units[u].line = line;
      if (units.size() > lineFirstUnit) units.back().end = line.size();
      line.clear();
      lineFirstUnit = units.size();
      continue;
    }
    if (IsTimingPoint(editor.text.CharacterAt(p - 1), code, editor.text.IsSyncpointAt(p))) {
      if (units.size() > lineFirstUnit) units.back().end = line.size();
      units.push_back(UnitBytes{"", line.size(), 0});
    }
    char bytes[2];
    line.append(bytes, EncodeCharacter(code, bytes));
  }
  return units;
}

std::string RandomText(std::mt19937& random, bool doubleByte, size_t most) {
  static const char* const kPieces[] = {"a", "b", " ", "\t", "_", "x", "\x82\xA0", "\x83\x5B"};
  std::string text;
  const size_t length = random() % (most + 1);
  for (size_t i = 0; i < length; ++i) text += kPieces[random() % (doubleByte ? 8 : 6)];
  return text;
}

// A document of random lines, blank runs of up to 12 lines, syncpoints and
// pairs for some units, or for more than there are.
void FillRandomDocument(std::mt19937& random, bool doubleByte, EditorFixture& editor) {
  for (int field = 0; field < 4; ++field) editor.SetHeader(field, RandomText(random, doubleByte, 3));
  std::string lyrics;
  const int lines = static_cast<int>(random() % 40);
  for (int i = 0, blanks = 0; i < lines; ++i) {
    const std::string line = blanks < 12 && random() % 3 == 0 ? "" : RandomText(random, doubleByte, 12);
    blanks = line.empty() ? blanks + 1 : 0;
    lyrics += (i ? "\r" : "") + line;
  }
  editor.SetLyrics(lyrics);
  for (int32_t p = editor.text.LyricsStart(); p < editor.text.Length(); ++p) {
    if (random() % 5 == 0 && editor.text.CanSetSyncpoint(p)) editor.text.SetSyncpoint(p, false);
  }
  const int32_t pairs = static_cast<int32_t>(random() % (editor.text.UnitCount() + 4));
  int32_t time = static_cast<int32_t>(random() % 100);
  for (int32_t i = 0; i < pairs; ++i) {
    const int32_t length = 1 + static_cast<int32_t>(random() % 40);
    editor.Stamp(time, time + length);
    time += length + static_cast<int32_t>(random() % 3);
  }
}

// What the plug-ins load from the saved file: the stamped units, in order,
// with their texts, bytes and times.
void ExpectPlugInsShow(const std::string& file, const EditorFixture& editor) {
  TimedLyrics shown;
  const LoadStatus status = ParseKmFile(EditorFixture::Buffer(file), editor.isLead, shown);
  const std::vector<UnitBytes> units = UnitsOf(editor);
  const std::vector<TimestampPair> pairs = editor.Pairs();
  const size_t stamped = units.size() < pairs.size() ? units.size() : pairs.size();
  ASSERT_EQ(status == LoadStatus::Loaded, stamped > 0);
  ASSERT_EQ(static_cast<size_t>(shown.syncpointCount), stamped);
  for (size_t i = 0; i < stamped; ++i) {
    const Syncpoint& piece = shown.syncpoints[i];
    const TextLine& line = shown.textLines[shown.displayLines[piece.line].textLine];
    ASSERT_EQ(std::string(line.text, static_cast<size_t>(line.length)), units[i].line + " ") << i;
    const size_t end = piece.endByte == kToLineEnd ? units[i].line.size() : piece.endByte;
    EXPECT_EQ(piece.startPos, units[i].start) << i;
    EXPECT_EQ(end, units[i].end) << i;
    EXPECT_EQ(piece.startTime, pairs[i].start) << i;
    EXPECT_EQ(piece.endTime, pairs[i].end) << i;
  }
}

// Line breaks after the last line are not kept by the format.
std::string WithoutTrailingBreaks(std::string lyrics) {
  while (!lyrics.empty() && lyrics.back() == '\r') lyrics.pop_back();
  return lyrics;
}

TEST(RoundTrip, EveryKmTheEditorWritesLoadsInThePlugInsAndReopensAsItWas) {
  std::mt19937 random(20240612);
  for (int round = 0; round < 400; ++round) {
    const bool doubleByte = round % 2;
    EditorFixture editor(doubleByte ? Cp932LeadByte : NoLeadBytes);
    FillRandomDocument(random, doubleByte, editor);
    const std::string file = editor.SaveKm();
    ASSERT_NE(file, "failed");
    if (file.empty()) continue;
    SCOPED_TRACE(round);
    ExpectPlugInsShow(file, editor);

    EditorFixture reopened(editor.isLead);
    ASSERT_TRUE(reopened.OpenKm(file));
    for (int field = 0; field < 4; ++field) EXPECT_EQ(reopened.Header(field), editor.Header(field));
    EXPECT_EQ(reopened.Lyrics(), WithoutTrailingBreaks(editor.Lyrics()));
    EXPECT_EQ(reopened.Syncpoints(), editor.Syncpoints());
    EXPECT_EQ(reopened.Pairs(), editor.Pairs());
    EXPECT_EQ(FindWindowDifference(reopened.window, reopened.text), "");
    EXPECT_EQ(reopened.SaveKm(), file);
  }
}

// A random LRC file and what it should open as: every time once, the
// first line that has it winning, in time order.
struct RandomLrc {
  std::string file;
  std::map<int32_t, std::string> lines;
};

RandomLrc MakeRandomLrc(std::mt19937& random) {
  static const char* const kBreaks[] = {"\r", "\n", "\r\n"};
  RandomLrc lrc;
  const int lines = static_cast<int>(random() % 30);
  for (int i = 0; i < lines; ++i) {
    if (random() % 8 == 0) lrc.file += "[ar:x]";
    std::vector<int32_t> times(1 + random() % 3);
    for (int32_t& time : times) {
      time = static_cast<int32_t>(random() % 4000);
      char tag[32];
      std::snprintf(tag, sizeof tag, "[%02d:%02d.%02d]", time / 6000, time / 100 % 60, time % 100);
      lrc.file += tag;
    }
    std::string text = RandomText(random, false, 8);
    lrc.file += text + kBreaks[random() % 3];
    if (text.empty()) text = " ";
    for (int32_t time : times) lrc.lines.emplace(time, text);
  }
  return lrc;
}

TEST(RoundTrip, AnLrcOpenedAndSavedAsLrcKeepsEveryTimedLine) {
  std::mt19937 random(77);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    const RandomLrc lrc = MakeRandomLrc(random);
    EditorFixture editor;
    ASSERT_TRUE(editor.OpenLrc(lrc.file));
    std::string lyrics;
    std::vector<TimestampPair> pairs;
    for (const auto& line : lrc.lines) {
      lyrics += (pairs.empty() ? "" : "\r") + line.second;
      pairs.push_back(TimestampPair{line.first, line.first + 1});
    }
    ASSERT_EQ(editor.Lyrics(), lyrics);
    ASSERT_EQ(editor.Pairs(), pairs);
    EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");

    const std::string saved = editor.SaveLrc();
    EditorFixture reopened;
    ASSERT_TRUE(reopened.OpenLrc(saved));
    EXPECT_EQ(reopened.Lyrics(), lyrics);
    EXPECT_EQ(reopened.Pairs(), pairs);
    EXPECT_EQ(reopened.SaveLrc(), saved);
  }
}

}  // namespace
