// The caption rule: the name and one blank, then the file names in
// brackets after "- " when there are any.
#include <gtest/gtest.h>

#include "editor/editor_caption.h"

TEST(EditorCaption, NameThenBracketedAudioAndLyricsNames) {
  EXPECT_EQ(FormatEditorCaption("", ""), "Kamiru Editor ");
  EXPECT_EQ(FormatEditorCaption(nullptr, nullptr), "Kamiru Editor ");
  EXPECT_EQ(FormatEditorCaption("song.mp3", "song.km"), "Kamiru Editor - [song.mp3][song.km]");
  EXPECT_EQ(FormatEditorCaption("", "song.km"), "Kamiru Editor - [song.km]");
  EXPECT_EQ(FormatEditorCaption("song.wav", nullptr), "Kamiru Editor - [song.wav]");
  const std::string longName(259, 'a');
  EXPECT_EQ(FormatEditorCaption(longName.c_str(), longName.c_str()).size(),
            std::string("Kamiru Editor - [][]").size() + 2 * 259);
}
