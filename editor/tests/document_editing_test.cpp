// The lyrics text and its model inside a real main window, driven by key
// input through the editor's own message loop: header guards, typing,
// syncpoints, colours, blanks, clipboard, undo and redo. After every step
// the window must show exactly the model's text.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/clipboard_text.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"
#include "editor/tests/harness/user_input.h"

namespace {

constexpr COLORREF kEven = 0x00FFCC00;
constexpr COLORREF kOdd = 0x0000CCFF;
constexpr int kLyricsStart = kHeaderTemplateLength;

class DocumentEditing : public testing::Test {
 protected:
  void SetUp() override {
    richEdit_ = LoadLibraryA("riched20.dll");
    ASSERT_NE(richEdit_, nullptr);
    ASSERT_TRUE(editor_.Create(GetModuleHandleA(nullptr)));
    ShowWindow(editor_.window(), SW_SHOW);
    ASSERT_TRUE(BringToForeground(editor_.window()));
    SetFocus(text());
    Pump();
  }
  void TearDown() override {
    DestroyWindow(editor_.window());
    Pump();
    FreeLibrary(richEdit_);
  }

  HWND text() const { return editor_.lyricsText(); }
  const LyricsDocument& model() const { return editor_.document(); }

  // Runs the editor's message loop until the queue stays empty.
  void Pump() {
    for (int quiet = 0; quiet < 5;) {
      MSG message;
      if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ++quiet;
        Sleep(5);
        continue;
      }
      quiet = 0;
      if (editor_.PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  void Keys(std::initializer_list<WORD> keys) {
    ASSERT_TRUE(PressKeys(keys));
    Pump();
    ExpectWindowShowsModel();
  }
  void Type(const std::string& characters) {
    for (char c : characters) {
      if (c == '\r') {
        Keys({VK_RETURN});
        continue;
      }
      const SHORT key = VkKeyScanA(c);
      if (key & 0x100) {
        Keys({VK_SHIFT, static_cast<WORD>(key & 0xFF)});
      } else {
        Keys({static_cast<WORD>(key & 0xFF)});
      }
    }
  }
  void Caret(int position) { Select(position, position); }
  void Select(int start, int end) {
    SelectText(text(), start, end);
    Pump();
  }
  void ExpectWindowShowsModel() {
    EXPECT_TRUE(WindowShowsModel(text(), model()))
        << "window: " << ShownText(text(), 0, TextCharacterCount(text()))
        << "\nmodel:  " << ModelText(model(), 0, model().Length());
  }
  std::string Shown() const { return ShownText(text(), 0, TextCharacterCount(text())); }
  std::string Lyrics() const { return ModelText(model(), model().LyricsStart(), model().Length()); }

  CHARFORMATA FormatOf(int start, int end) {
    const CHARRANGE saved = TextSelection(text());
    SelectText(text(), start, end);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    SendMessageA(text(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SelectText(text(), saved.cpMin, saved.cpMax);
    return format;
  }
  CHARFORMATA FormatAt(int p) { return FormatOf(p, p + 1); }
  // Every unit has one colour, its parity's, and all text is protected (a
  // range of mixed formats clears the mask bit).
  void ExpectColoursFollowUnits() {
    while (editor_.recolouring()) Pump();
    for (int p = model().LyricsStart(); p < model().Length();) {
      const UnitParityEnd unit = model().UnitParityAndEnd(p);
      const int end = unit.end > p ? unit.end : model().Length();
      const CHARFORMATA format = FormatOf(p, end);
      const COLORREF wanted = unit.parity ? kOdd : kEven;
      EXPECT_TRUE(format.dwMask & CFM_COLOR) << "mixed colours in " << p << ".." << end;
      EXPECT_EQ(format.crTextColor, wanted) << "at " << p << " in " << Shown();
      EXPECT_TRUE((format.dwMask & CFM_PROTECTED) && (format.dwEffects & CFE_PROTECTED))
          << "at " << p;
      p = end;
    }
  }

  HMODULE richEdit_ = nullptr;
  EditorMainWindow editor_;
};

// Labels, the empty fifth line and the header's line breaks stay; values
// stay on one line; Backspace at the first lyrics character does nothing.
TEST_F(DocumentEditing, HeaderKeepsItsShape) {
  Caret(3);
  Type("x");
  Caret(7);
  Type("Song");
  EXPECT_EQ(ShownText(text(), 0, 12), "Title: Song\r");
  Keys({VK_RETURN});
  Caret(7);
  Keys({VK_BACK});
  Caret(11);
  Keys({VK_DELETE});
  Select(9, 12);  // into the next line's start: shortened to keep the break
  Keys({VK_DELETE});
  EXPECT_EQ(ShownText(text(), 0, 10), "Title: So\r");
  const int emptyLine = model().LyricsStart() - 1;
  Caret(emptyLine);
  Type("x");
  Select(8, 14);  // runs past the next line's start
  Keys({VK_DELETE});
  Caret(model().LyricsStart());
  Keys({VK_BACK});
  EXPECT_EQ(Shown(), "Title: So\rArtist: \rAlbum: \rEditor: \r\r");
  // A multi-line text pasted into a value keeps its first line.
  ASSERT_TRUE(PutClipboardText(editor_.window(), "First\r\nSecond"));
  Caret(9);
  Keys({VK_CONTROL, 'V'});
  EXPECT_EQ(Shown(), "Title: SoFirst\rArtist: \rAlbum: \rEditor: \r\r");
  EXPECT_EQ(model().LyricsStart(), kLyricsStart + 7);
}

// Units alternate colours as lines and syncpoints are added; a syncpoint
// cannot stand at a line start; blanks with a syncpoint or at a line end
// show as "_"; Enter before a syncpoint drops it and Undo brings it back.
TEST_F(DocumentEditing, SyncpointsColoursAndBlanks) {
  const int l = model().LyricsStart();
  Type("la la la\rdo re ");
  EXPECT_EQ(Lyrics(), "la la la\rdo re ");
  EXPECT_EQ(Shown().substr(l), "la la la\rdo re_");
  ExpectColoursFollowUnits();
  EXPECT_EQ(FormatAt(l).crTextColor, kEven);
  EXPECT_EQ(FormatAt(l + 9).crTextColor, kOdd);

  Caret(l);  // a line start
  Keys({VK_CONTROL, 'D'});
  Caret(l + 8);  // a line break
  Keys({VK_CONTROL, 'D'});
  Caret(3);  // the header
  Keys({VK_CONTROL, 'D'});
  EXPECT_FALSE(model().HasAnySyncpoint());

  Caret(l + 3);
  Keys({VK_CONTROL, 'D'});
  Caret(l + 5);  // the blank before the third "la"
  Keys({VK_CONTROL, 'D'});
  EXPECT_TRUE(model().IsSyncpointAt(l + 3) && model().IsSyncpointAt(l + 5));
  EXPECT_EQ(model().UnitCount(), 4);
  EXPECT_EQ(Shown().substr(l), "la la_la\rdo re_");
  ExpectColoursFollowUnits();
  EXPECT_EQ(FormatAt(l + 3).crTextColor, kOdd);
  EXPECT_EQ(FormatAt(l + 9).crTextColor, kOdd);

  // Typing on a syncpoint joins the unit that ends there.
  Caret(l + 3);
  Type("x");
  EXPECT_EQ(FormatAt(l + 3).crTextColor, kEven);
  ExpectColoursFollowUnits();
  Keys({VK_CONTROL, 'Z'});
  ExpectColoursFollowUnits();

  Caret(l + 3);
  Keys({VK_RETURN});
  EXPECT_FALSE(model().IsSyncpointAt(l + 4));
  EXPECT_EQ(model().UnitCount(), 4);
  ExpectColoursFollowUnits();
  Keys({VK_CONTROL, 'Z'});
  EXPECT_TRUE(model().IsSyncpointAt(l + 3));
  EXPECT_EQ(Lyrics(), "la la la\rdo re ");
  ExpectColoursFollowUnits();
  Keys({VK_CONTROL, 'Y'});
  EXPECT_FALSE(model().IsSyncpointAt(l + 4));
  ExpectColoursFollowUnits();

  Caret(l + 6);  // the blank's syncpoint
  Keys({VK_CONTROL, 'F'});
  EXPECT_FALSE(model().IsSyncpointAt(l + 6));
  ExpectColoursFollowUnits();
}

// Copy gives the blanks back, Cut gives what is shown; a paste takes the
// unit's colour and protection, never the clipboard's formatting.
TEST_F(DocumentEditing, ClipboardAndPastedFormatting) {
  const int l = model().LyricsStart();
  Type("a b c ");
  Caret(l + 1);
  Keys({VK_CONTROL, 'D'});
  Select(l, l + 6);
  Keys({VK_CONTROL, 'C'});
  EXPECT_EQ(ClipboardText(editor_.window()), "a b c ");
  Select(l + 4, l + 6);
  Keys({VK_CONTROL, 'X'});
  EXPECT_EQ(ClipboardText(editor_.window()), "c_");
  EXPECT_EQ(Lyrics(), "a b ");

  ASSERT_TRUE(OpenClipboard(editor_.window()));
  EmptyClipboard();
  const char rtf[] = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\b RED}";
  const char plain[] = "red";
  for (auto [format, data, size] : {std::tuple{RegisterClipboardFormatA("Rich Text Format"),
                                               rtf, sizeof rtf},
                                    std::tuple{UINT(CF_TEXT), plain, sizeof plain}}) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
  }
  CloseClipboard();
  Caret(l + 1);
  Keys({VK_CONTROL, 'V'});
  EXPECT_EQ(Lyrics(), "ared b ");
  ExpectColoursFollowUnits();
  EXPECT_FALSE(FormatAt(l + 2).dwEffects & CFE_BOLD);
}

// Ten edits can be undone in a row, the eleventh overwrote the oldest.
TEST_F(DocumentEditing, UndoReachesTenEditsBack) {
  Type("abcdefghijk");
  for (int i = 0; i < 11; ++i) Keys({VK_CONTROL, 'Z'});
  EXPECT_EQ(Lyrics(), "a");
  for (int i = 0; i < 11; ++i) Keys({VK_CONTROL, 'Y'});
  EXPECT_EQ(Lyrics(), "abcdefghijk");
}

// A change the subclass does not see is found by comparing the window with
// the model and mirrored as one replacement.
TEST_F(DocumentEditing, UnannouncedChangeIsMirrored) {
  Type("one two\rthree");
  Select(model().LyricsStart() + 4, model().LyricsStart() + 7);
  SETTEXTEX replace = {ST_SELECTION, CP_ACP};
  SendMessageA(text(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
               reinterpret_cast<LPARAM>("2\r2"));
  Pump();
  ExpectWindowShowsModel();
  EXPECT_EQ(Lyrics(), "one 2\r2\rthree");
  ExpectColoursFollowUnits();
}

// A character that an input method delivers goes the typed characters' way:
// refused in a label, mirrored in the lyrics.
TEST_F(DocumentEditing, InputMethodCharactersAreCaught) {
  const std::string before = Shown();
  Caret(2);
  SendMessageA(text(), WM_IME_CHAR, 'q', 1);
  Pump();
  EXPECT_EQ(Shown(), before);
  Caret(model().LyricsStart());
  SendMessageA(text(), WM_IME_CHAR, 'q', 1);
  Pump();
  ExpectWindowShowsModel();
  EXPECT_EQ(Lyrics(), "q");
}

// Units below the window get their colours on a timer; an edit above them
// meanwhile moves the place where colouring goes on.
TEST_F(DocumentEditing, ColoursBelowTheWindowFollowLater) {
  std::string lines;
  for (int i = 0; i < 80; ++i) lines += "la la\r\n";
  ASSERT_TRUE(PutClipboardText(editor_.window(), lines.c_str()));
  Caret(model().LyricsStart());
  Keys({VK_CONTROL, 'V'});
  ExpectColoursFollowUnits();
  // Messages sent straight to the text window: no timer runs in between.
  // A syncpoint in the first line gives every unit below the other colour.
  SelectText(text(), model().LyricsStart() + 3, model().LyricsStart() + 3);
  SendMessageA(editor_.window(), WM_COMMAND, ID_SET_SYNCPOINT, 0);
  ASSERT_TRUE(model().IsSyncpointAt(model().LyricsStart() + 3));
  EXPECT_TRUE(editor_.recolouring());
  // Deletions inside lines move no unit boundary and colour nothing.
  for (int line = 20; line >= 2; --line) {
    const int inside = model().LyricsStart() + 6 * (line - 1) + 1;
    SelectText(text(), inside, inside + 2);
    SendMessageA(text(), WM_KEYDOWN, VK_DELETE, 0);
  }
  ExpectWindowShowsModel();
  ExpectColoursFollowUnits();
}

// Random keys in a text longer than the window: the model and the colours
// keep up, also while the units below the window still wait for theirs.
TEST_F(DocumentEditing, RandomKeysKeepModelAndColours) {
  std::string lines;
  for (int i = 0; i < 60; ++i) lines += "la la\r\n";
  ASSERT_TRUE(PutClipboardText(editor_.window(), lines.c_str()));
  Caret(model().LyricsStart());
  Keys({VK_CONTROL, 'V'});
  ExpectColoursFollowUnits();
  Caret(model().LyricsStart() + 2);
  std::mt19937 random(12);
  const WORD keys[] = {'A', 'B', VK_SPACE, VK_RETURN, VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_UP};
  for (int step = 0; step < 150; ++step) {
    const int choice = static_cast<int>(random() % 14);
    if (choice < 9) {
      Keys({keys[choice]});
    } else {
      const WORD commands[] = {'D', 'F', 'Z', 'Y', 'D'};
      Keys({VK_CONTROL, commands[choice - 9]});
    }
    if (TextSelection(text()).cpMin < model().LyricsStart()) Caret(model().Length());
    if (HasFailure()) return;
  }
  ExpectColoursFollowUnits();
}

}  // namespace
