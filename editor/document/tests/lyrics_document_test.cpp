#include "editor/document/lyrics_document.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editor/document/tests/document_checker.h"
#include "editor/document/tests/edit_script.h"

namespace {

constexpr char kHeader[] = "Title: \rArtist: \rAlbum: \rEditor: \r\r";

TEST(LyricsDocument, RandomEditScriptsAgreeWithTheReference) {
  std::mt19937 random(20240611);
  for (int script = 0; script < 60; ++script) {
    std::vector<uint8_t> bytes(1500);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    bytes[0] = static_cast<uint8_t>(script % 3 == 2 ? 3 : script & 1);  // code page, header
    EXPECT_EQ(RunEditScript(bytes.data(), bytes.size()), "") << "script " << script;
  }
}

TEST(LyricsDocument, KeepsTenStepsAndUndoesThemInARow) {
  DocumentChecker checker(Cp932LeadByte, kHeader);
  ASSERT_TRUE(checker.Replace(35, 35, "la\r\x82\xA0la", 6, EditLog::kRecordRecolour));
  // Nine more steps (a syncpoint, then text), and an eleventh that pushes
  // the first one out.
  ASSERT_TRUE(checker.Toggle(39, true, true));
  for (int i = 0; i < 9; ++i) {
    ASSERT_TRUE(checker.Replace(36 + i, 36 + i, "x", 1, EditLog::kRecord)) << i;
  }
  ASSERT_TRUE(checker.Check(1, true)) << checker.Failure();
  EXPECT_EQ(checker.document().UndoCount(), 10);
  for (int i = 0; i < 11; ++i) ASSERT_TRUE(checker.Undo() && checker.Check(i, true)) << checker.Failure();
  EXPECT_EQ(checker.document().RedoCount(), 10);
  EXPECT_EQ(checker.document().Length(), 41);  // the first edit stays
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(checker.Redo() && checker.Check(i, true)) << checker.Failure();
  // A new edit drops what could be redone.
  ASSERT_TRUE(checker.Replace(37, 38, "", 0, EditLog::kRecord) && checker.Check(0, true))
      << checker.Failure();
  EXPECT_EQ(checker.document().RedoCount(), 0);
}

TEST(LyricsDocument, EnterBeforeASyncpointDropsItAndUndoBringsItBack) {
  LyricsDocument document(NoLeadBytes);
  ASSERT_TRUE(document.Initialise(kHeader));
  ASSERT_TRUE(document.ReplaceRange(35, 35, "twin kle", 8, EditLog::kRecordRecolour));
  ASSERT_TRUE(document.SetSyncpoint(40, true));
  EXPECT_EQ(document.UnitPosition(1), 40);
  ReplaceResult result{};
  ASSERT_TRUE(document.ReplaceRange(39, 40, "\r", 1, EditLog::kRecordRecolour, &result));
  EXPECT_TRUE(result.droppedSyncpoint);
  EXPECT_FALSE(document.HasAnySyncpoint());
  EXPECT_EQ(document.UnitPosition(1), 40);  // now as the start of the new line
  EditStep step{};
  std::string text;
  ASSERT_TRUE(document.PeekUndo(&step, &text));
  EXPECT_EQ(step.kind, EditKind::kReplaceDroppingSyncpoint);
  EXPECT_EQ(text, " ");
  ASSERT_TRUE(document.ApplyUndo());
  EXPECT_TRUE(document.IsSyncpointAt(40));
  EXPECT_EQ(document.CharacterAt(39), ' ');
  ASSERT_TRUE(document.ApplyRedo());
  EXPECT_FALSE(document.IsSyncpointAt(40));
  EXPECT_EQ(document.CharacterAt(39), '\r');
}

// Memory that holds `blocksLeft` more blocks of nodes.
int blocksLeft = 0;
void* ScarceAllocate(size_t bytes) { return blocksLeft-- > 0 ? std::malloc(bytes) : nullptr; }
const NodeMemory kScarceMemory = {ScarceAllocate, std::free};

TEST(LyricsDocument, WithoutMemoryAReplacementLeavesTheTextAsItWas) {
  blocksLeft = 1;  // 100 nodes
  DocumentChecker checker(NoLeadBytes, kHeader, kScarceMemory);
  ASSERT_TRUE(checker.Replace(35, 35, std::string(60, 'a'), 60, EditLog::kRecord));
  LyricsDocument& document = checker.document();
  EXPECT_FALSE(document.ReplaceRange(35, 36, std::string(10, 'b').c_str(), 10, EditLog::kRecord));
  EXPECT_FALSE(document.ReplaceRange(0, 0, nullptr, 1, EditLog::kRecord));
  ASSERT_TRUE(checker.Check(0, true)) << checker.Failure();
  // Undo and redo take no memory; the nodes taken out come back for use.
  ASSERT_TRUE(checker.Undo() && checker.Redo() && checker.Check(1, true)) << checker.Failure();
  ASSERT_TRUE(checker.Replace(40, 45, "bbbbb", 5, EditLog::kRecord) && checker.Check(2, true))
      << checker.Failure();
}

}  // namespace
