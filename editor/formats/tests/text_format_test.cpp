// The editor's plain-text reader.
#include <gtest/gtest.h>

#include <string>

#include "editor/formats/tests/editor_fixture.h"

namespace {

using namespace std::string_literals;

TEST(TextFormat, TheWholeTextBecomesTheLyricsAsTheWindowKeepsIt) {
  EditorFixture editor;
  editor.SetHeader(0, "old title");
  editor.Stamp(5, 6);
  ASSERT_TRUE(editor.OpenText("\xEF\xBB\xBFtwinkle \r\nlittle\tstar\n\n two\0 more\r"s));
  EXPECT_EQ(editor.Lyrics(), "twinkle \rlittle\tstar\r\r two more\r");
  EXPECT_EQ(editor.Header(0), "");
  EXPECT_TRUE(editor.Pairs().empty());
  EXPECT_TRUE(editor.Syncpoints().empty());
  EXPECT_EQ(editor.text.UnitCount(), 3);
  // Blanks at either end of a line show as "_"; the tab inside does not.
  EXPECT_EQ(editor.window.Text(), std::string(kEmptyDocumentText) + "twinkle_\rlittle\tstar\r\r_two more\r");
  EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");
  EXPECT_EQ(editor.window.Caret(), kEmptyDocumentLength);
  EXPECT_TRUE(editor.window.Drawn());
  EXPECT_EQ(editor.text.UndoCount(), 0);
}

TEST(TextFormat, ABrokenDoubleByteCharacterNeverSwallowsALineBreak) {
  EditorFixture editor(Cp932LeadByte);
  ASSERT_TRUE(editor.OpenText("\x82\xA0\x82\r\n\x82"));
  EXPECT_EQ(editor.Lyrics(), "\x82\xA0?\r?");
  EXPECT_EQ(editor.text.UnitCount(), 2);
  EXPECT_EQ(FindWindowDifference(editor.window, editor.text), "");
}

}  // namespace
