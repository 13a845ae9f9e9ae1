// kmedit.exe as a user drives its File and Options menus: Open and Save As
// through their dialogs, the save prompt, the file types Save As offers, a
// save that fails without harming the file, the font dialogs and Restore
// Defaults.
#include <windows.h>

#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/editor_ids.h"
#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/window_queries.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr char kFolder[] = "C:\\kmedit-files";

std::string InFolder(const char* name) { return std::string(kFolder) + "\\" + name; }

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return file ? bytes.str() : std::string("<missing>");
}

std::vector<std::string> FolderNames() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(InFolder("*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void EmptyFolder() {
  CreateDirectoryA(kFolder, nullptr);
  for (const std::string& name : FolderNames()) {
    SetFileAttributesA(InFolder(name.c_str()).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(InFolder(name.c_str()).c_str());
  }
}

void CopySample(const char* name) {
  const std::string from = std::string(KAMIRU_SAMPLES) + "/" + name;
  ASSERT_TRUE(CopyFileA(from.c_str(), InFolder(name).c_str(), FALSE)) << from;
}

// The name field and the type list of a common file dialog.
HWND NameField(HWND dialog) {
  HWND field = GetDlgItem(dialog, edt1);
  return field ? field : GetDlgItem(dialog, cmb13);
}
HWND TypeList(HWND dialog) { return GetDlgItem(dialog, cmb1); }

// The text of a type in the list (0-based), read across processes.
std::wstring TypeName(HWND dialog, int index) {
  wchar_t name[64] = {};
  SendMessageW(TypeList(dialog), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  return name;
}

// Chooses the type as a user does with the list (1-based index).
void ChooseType(HWND dialog, int index) {
  HWND list = TypeList(dialog);
  SendMessageA(list, CB_SETCURSEL, index - 1, 0);
  for (WORD code : {CBN_SELENDOK, CBN_SELCHANGE}) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(list));
  }
}

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmptyFolder();
    ASSERT_TRUE(editor_.Start(KMEDIT_PATH)) << GetLastError();
    main_ = editor_.WaitForMainWindow(kTimeoutMs);
    ASSERT_NE(main_, nullptr);
    text_ = FindDescendant(main_, IDC_LYRICS_TEXT);
    ASSERT_NE(text_, nullptr);
    bare_ = WindowTextOf(text_);
  }
  void TearDown() override {
    editor_.CloseDiscardingChanges(kTimeoutMs);
    EmptyFolder();
  }

  // Posts a command and returns the dialog it opens (null when none).
  HWND CommandDialog(int command, HWND other = nullptr) {
    PostMessageA(main_, WM_COMMAND, command, 0);
    return editor_.WaitForDialog(kTimeoutMs, other);
  }
  // Sends a command that must finish without showing any dialog.
  bool RunsWithoutDialog(int command) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main_, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 3000, &result) &&
           FindProcessWindow(editor_.id(), "#32770") == nullptr;
  }
  void Press(HWND dialog, int button) {
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ClickDialogButton(dialog, button));
    ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return !IsWindow(dialog); }));
  }
  // Enters a name into a file dialog and presses OK.
  void ChooseFile(HWND dialog, const std::string& name) {
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(EnterDialogFileName(dialog, name.c_str()));
    Press(dialog, IDOK);
  }
  void Open(const std::string& path) { ChooseFile(CommandDialog(ID_FILE_OPEN), path); }
  // Answers the message box that must be showing with `button`.
  void Answer(HWND box, const char* text, int button) {
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(DialogStaticText(box), text);
    EXPECT_EQ(WindowTextOf(box), "Kamiru Editor");
    Press(box, button);
  }
  void Type(const char* text, int at = -1) {
    SendMessageA(text_, EM_SETSEL, at, at);
    SendMessageA(text_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }
  std::string Caption() { return WindowTextOf(main_); }
  // The character format at p, and the start indent of p's paragraph.
  CHARFORMATA FormatAt(int p) {
    SendMessageA(text_, EM_SETSEL, p, p + 1);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    RemoteBuffer buffer(editor_.handle(), sizeof format);
    buffer.Write(&format, sizeof format);
    SendMessageA(text_, EM_GETCHARFORMAT, SCF_SELECTION, buffer.lParam());
    buffer.Read(&format, sizeof format);
    return format;
  }
  LONG IndentAt(int p) {
    SendMessageA(text_, EM_SETSEL, p, p);
    PARAFORMAT format = {};
    format.cbSize = sizeof format;
    RemoteBuffer buffer(editor_.handle(), sizeof format);
    buffer.Write(&format, sizeof format);
    SendMessageA(text_, EM_GETPARAFORMAT, 0, buffer.lParam());
    buffer.Read(&format, sizeof format);
    return format.dxStartIndent;
  }
  // Where the sample's lyrics begin in the text window (whose text reads
  // back with CR LF for each of its line breaks).
  int LyricsStart() {
    const std::string text = WindowTextOf(text_);
    const size_t found = text.find("Twinkle, twinkle");
    return static_cast<int>(found) - static_cast<int>(std::count(text.begin(), text.begin() + found, '\n'));
  }

  EditorProcess editor_;
  HWND main_ = nullptr;
  HWND text_ = nullptr;
  std::string bare_;
};

// A ".km" file opened and saved again keeps its bytes; Save As proposes its
// name, offers "*.km" and word-timed LRC, not "*.lrc", for a document with
// syncpoints, and appends the type's extension to a name that lacks it.
// Word-timed LRC keeps the timed document: Save writes it again as it was,
// and a ".km" saved from it and saved as word-timed LRC again gives the
// same bytes (LRC keeps no empty lines, so the first ".km" differs there).
TEST_F(FileCommandsTest, KmFileOpensSavesBackItsBytesAndSavesAsANewName) {
  CopySample("twinkle.km");
  const std::string original = FileBytes(InFolder("twinkle.km"));
  Open(InFolder("twinkle.km"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [twinkle.km]"; }));
  // The caret waits at the start of the lyrics; the units are coloured by
  // turns and protected, and the lyrics are indented like the header.
  const int lyrics = LyricsStart();
  EXPECT_EQ(RichEditSelection(editor_.handle(), text_).cpMin, lyrics);
  EXPECT_EQ(SendMessageA(text_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  const CHARFORMATA first = FormatAt(lyrics + 2);
  const CHARFORMATA second = FormatAt(lyrics + 12);
  EXPECT_EQ(first.crTextColor, 0x00FFCC00u);
  EXPECT_EQ(second.crTextColor, 0x0000CCFFu);
  EXPECT_TRUE(first.dwEffects & CFE_PROTECTED);
  EXPECT_TRUE(second.dwEffects & CFE_PROTECTED);
  EXPECT_EQ(IndentAt(lyrics + 40), IndentAt(0));

  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_SAVE));
  EXPECT_EQ(FileBytes(InFolder("twinkle.km")), original);

  HWND saveAs = CommandDialog(ID_FILE_SAVE_AS);
  ASSERT_NE(saveAs, nullptr);
  EXPECT_EQ(WindowTextOf(NameField(saveAs)), "twinkle.km");
  EXPECT_EQ(SendMessageA(TypeList(saveAs), CB_GETCOUNT, 0, 0), 2);
  ChooseFile(saveAs, "copy.txt");
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [copy.txt.km]"; }));
  EXPECT_EQ(FileBytes(InFolder("copy.txt.km")), original);
  EXPECT_EQ(FileBytes(InFolder("copy.txt")), "<missing>");

  saveAs = CommandDialog(ID_FILE_SAVE_AS);
  ASSERT_NE(saveAs, nullptr);
  EXPECT_EQ(TypeName(saveAs, 1), L"Word-timed LRC (*.lrc)");
  ChooseType(saveAs, 2);
  ChooseFile(saveAs, "words");
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [words.lrc]"; }));
  const std::string words = FileBytes(InFolder("words.lrc"));
  EXPECT_NE(words.find("]<00:01.00>Twinkle, <00:01.70>twinkle, "), std::string::npos) << words;
  Open(InFolder("words.lrc"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [words.lrc]"; }));
  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_SAVE));
  EXPECT_EQ(FileBytes(InFolder("words.lrc")), words);
  ChooseFile(CommandDialog(ID_FILE_SAVE_AS), "back.km");
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [back.km]"; }));
  Open(InFolder("back.km"));
  saveAs = CommandDialog(ID_FILE_SAVE_AS);
  ASSERT_NE(saveAs, nullptr);
  ChooseType(saveAs, 2);
  ChooseFile(saveAs, "again");
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [again.lrc]"; }));
  EXPECT_EQ(FileBytes(InFolder("again.lrc")), words);
}

// An LRC document without syncpoints may be saved as either type; switching
// the type changes the extension in the name; the LRC written keeps every
// timed line. A syncpoint turns Save into Save As without "*.lrc".
TEST_F(FileCommandsTest, LrcSaveAsFollowsTheTypeAndASyncpointTakesLrcAway) {
  CopySample("twinkle.lrc");
  const std::string original = FileBytes(InFolder("twinkle.lrc"));
  Open(InFolder("twinkle.lrc"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [twinkle.lrc]"; }));
  EXPECT_EQ(WindowTextOf(text_).rfind("Title: Twinkle, Twinkle, Little Star\r", 0), 0u);

  HWND saveAs = CommandDialog(ID_FILE_SAVE_AS);
  ASSERT_NE(saveAs, nullptr);
  EXPECT_EQ(SendMessageA(TypeList(saveAs), CB_GETCOUNT, 0, 0), 2);
  EnterDialogFileName(saveAs, "song.km");
  ChooseType(saveAs, 2);
  EXPECT_EQ(WindowTextOf(NameField(saveAs)), "song.lrc");
  ChooseType(saveAs, 1);
  EXPECT_EQ(WindowTextOf(NameField(saveAs)), "song.km");
  ChooseType(saveAs, 2);
  ChooseFile(saveAs, "plain");
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [plain.lrc]"; }));
  const std::string written = FileBytes(InFolder("plain.lrc"));
  std::istringstream lines(original);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t close = line.find(']');
    ASSERT_NE(close, std::string::npos) << line;
    EXPECT_NE(written.find(line.substr(0, close + 1)), std::string::npos) << line;
    EXPECT_NE(written.find(line.substr(close + 1) + "\r\n"), std::string::npos) << line;
  }

  // A syncpoint inside the first lyric line: LRC cannot hold it.
  const std::string before = FileBytes(InFolder("plain.lrc"));
  const int lyrics = LyricsStart();
  SendMessageA(text_, EM_SETSEL, lyrics + 9, lyrics + 9);
  ASSERT_TRUE(RunsWithoutDialog(ID_SET_SYNCPOINT));
  saveAs = CommandDialog(ID_FILE_SAVE);
  ASSERT_NE(saveAs, nullptr);
  EXPECT_EQ(TypeName(saveAs, 1), L"Word-timed LRC (*.lrc)");
  EXPECT_EQ(SendMessageA(TypeList(saveAs), CB_GETCOUNT, 0, 0), 2);
  Press(saveAs, IDCANCEL);
  EXPECT_EQ(FileBytes(InFolder("plain.lrc")), before);
  EXPECT_EQ(Caption(), "Kamiru Editor - [plain.lrc]");

  // Without it, Save writes the LRC file in place.
  SendMessageA(text_, EM_SETSEL, lyrics + 9, lyrics + 9);
  ASSERT_TRUE(RunsWithoutDialog(ID_REMOVE_SYNCPOINT));
  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_SAVE));
  EXPECT_EQ(FileBytes(InFolder("plain.lrc")), before);

  // Text in UTF-8 without a byte-order mark comes in as the ANSI code page.
  std::ofstream(InFolder("utf8.txt"), std::ios::binary) << "Caf\xC3\xA9 au lait\r\n";
  Open(InFolder("utf8.txt"));
  EXPECT_NE(WindowTextOf(text_).find("Caf\xE9 au lait"), std::string::npos);
}

// Yes, No and Cancel at the prompt before New, Open, Close and Exit; after
// Open nothing is asked until the first edit; cancelled dialogs change
// nothing.
TEST_F(FileCommandsTest, SavePromptAnswersAndUnmodifiedFilesAskNothing) {
  Type("la la");
  // New, Yes: Save As (there is no file yet), then the bare document.
  Answer(CommandDialog(ID_FILE_NEW), "Save changes to lyrics file?", IDYES);
  ChooseFile(editor_.WaitForDialog(kTimeoutMs), InFolder("first"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return WindowTextOf(text_) == bare_; }));
  EXPECT_NE(FileBytes(InFolder("first.km")).find("la la"), std::string::npos);
  EXPECT_EQ(Caption(), "Kamiru Editor ");

  Type("hello");
  const std::string edited = WindowTextOf(text_);
  // Open, Cancel: nothing happens. Open, No, then the dialog cancelled:
  // nothing happens either.
  Answer(CommandDialog(ID_FILE_OPEN), "Save changes to lyrics file?", IDCANCEL);
  HWND prompt = CommandDialog(ID_FILE_OPEN);
  Answer(prompt, "Save changes to lyrics file?", IDNO);
  Press(editor_.WaitForDialog(kTimeoutMs), IDCANCEL);
  EXPECT_EQ(WindowTextOf(text_), edited);
  EXPECT_EQ(Caption(), "Kamiru Editor ");
  // Open, No, a file: it replaces the edits and nothing is modified.
  Answer(CommandDialog(ID_FILE_OPEN), "Save changes to lyrics file?", IDNO);
  ChooseFile(editor_.WaitForDialog(kTimeoutMs), InFolder("first.km"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [first.km]"; }));
  EXPECT_EQ(WindowTextOf(text_), bare_ + "la la");
  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_CLOSE));
  EXPECT_EQ(WindowTextOf(text_), bare_);
  EXPECT_EQ(Caption(), "Kamiru Editor ");

  // Close, No: the edit is dropped, the file stays.
  Open(InFolder("first.km"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [first.km]"; }));
  Type(" more");
  Answer(CommandDialog(ID_FILE_CLOSE), "Save changes to lyrics file?", IDNO);
  EXPECT_EQ(WindowTextOf(text_), bare_);
  EXPECT_EQ(FileBytes(InFolder("first.km")).find("more"), std::string::npos);

  // Exit, Yes: the edit goes into the current file and the editor ends.
  Open(InFolder("first.km"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [first.km]"; }));
  Type(" more");
  Answer(CommandDialog(ID_APP_EXIT), "Save changes to lyrics file?", IDYES);
  DWORD exitCode = 1;
  ASSERT_TRUE(editor_.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_NE(FileBytes(InFolder("first.km")).find("la la more"), std::string::npos);
}

// A file that cannot be replaced (read-only, or held open by someone who
// shares it with nobody) keeps its bytes, no stray file is left beside it,
// and the document stays modified until a save succeeds.
TEST_F(FileCommandsTest, FailedSaveLeavesTheFileAsItWas) {
  CopySample("twinkle.km");
  const std::string path = InFolder("twinkle.km");
  const std::string original = FileBytes(path);
  Open(path);
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [twinkle.km]"; }));
  Type("!", LyricsStart());

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  Answer(CommandDialog(ID_FILE_SAVE), "File save failed.", IDOK);
  EXPECT_EQ(FileBytes(path), original);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));

  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  // Exit saves first; the save fails, so the editor stays open.
  Answer(CommandDialog(ID_APP_EXIT), "Save changes to lyrics file?", IDYES);
  Answer(editor_.WaitForDialog(kTimeoutMs), "File save failed.", IDOK);
  EXPECT_TRUE(editor_.IsRunning());
  CloseHandle(held);
  EXPECT_EQ(FileBytes(path), original);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"twinkle.km"});

  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_SAVE));
  EXPECT_NE(FileBytes(path).find("!Twinkle"), std::string::npos);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"twinkle.km"});
  EXPECT_TRUE(RunsWithoutDialog(ID_FILE_CLOSE));
}

// Reading the editor's state from outside.
CHARFORMATA TextFormat(HANDLE process, HWND text) {
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  RemoteBuffer buffer(process, sizeof format);
  buffer.Write(&format, sizeof format);
  SendMessageA(text, EM_GETCHARFORMAT, SCF_SELECTION, buffer.lParam());
  buffer.Read(&format, sizeof format);
  return format;
}

// Sets the point size in a font dialog's size box.
void EnterPointSize(HWND dialog, const char* size) {
  HWND box = GetDlgItem(dialog, cmb3);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(size));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb3, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
}

std::vector<BYTE> StoredEditorSettings() {
  std::vector<BYTE> value(932);
  DWORD size = static_cast<DWORD>(value.size());
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Kamiru", "EP", RRF_RT_REG_BINARY, nullptr,
                   value.data(), &size) != ERROR_SUCCESS) {
    value.clear();
  }
  return value;
}

int32_t StoredInt(const std::vector<BYTE>& settings, size_t offset) {
  int32_t value = 0;
  std::memcpy(&value, settings.data() + offset, sizeof value);
  return value;
}

// The font dialogs change the fonts on OK only; Restore Defaults brings the
// window, the fonts and anti-aliasing back and leaves the folders alone.
TEST_F(FileCommandsTest, FontDialogsAndRestoreDefaults) {
  CopySample("twinkle.txt");
  Open(InFolder("twinkle.txt"));
  ASSERT_TRUE(WaitFor(kTimeoutMs, [&] { return Caption() == "Kamiru Editor - [twinkle.txt]"; }));
  SendMessageA(text_, EM_SETSEL, 0, -1);
  const CHARFORMATA start = TextFormat(editor_.handle(), text_);

  HWND fonts = CommandDialog(ID_OPTIONS_TEXT_FONT);
  EnterPointSize(fonts, "16");
  Press(fonts, IDCANCEL);
  EXPECT_EQ(TextFormat(editor_.handle(), text_).yHeight, start.yHeight);
  fonts = CommandDialog(ID_OPTIONS_TEXT_FONT);
  EnterPointSize(fonts, "16");
  Press(fonts, IDOK);
  SendMessageA(text_, EM_SETSEL, 0, -1);
  const CHARFORMATA chosen = TextFormat(editor_.handle(), text_);
  EXPECT_EQ(chosen.yHeight, 16 * 20);
  EXPECT_TRUE(chosen.dwMask & CFM_SIZE) << "one size for the whole text";

  fonts = CommandDialog(ID_OPTIONS_LYRICS_FONT);
  EnterPointSize(fonts, "12");
  Press(fonts, IDCANCEL);
  fonts = CommandDialog(ID_OPTIONS_LYRICS_FONT);
  EnterPointSize(fonts, "8");
  Press(fonts, IDOK);
  // Anti-aliasing off and on again: the small font stays unsmoothed.
  ASSERT_TRUE(RunsWithoutDialog(ID_OPTIONS_ANTI_ALIASED));
  ASSERT_TRUE(RunsWithoutDialog(ID_OPTIONS_ANTI_ALIASED));
  ASSERT_TRUE(RunsWithoutDialog(ID_APP_EXIT)) << "an opened file is not modified";
  ASSERT_TRUE(editor_.WaitForExit(kTimeoutMs, nullptr));
  std::vector<BYTE> stored = StoredEditorSettings();
  ASSERT_EQ(stored.size(), 932u);
  EXPECT_EQ(StoredInt(stored, 136), 160);  // text font size, tenths of a point
  EXPECT_EQ(StoredInt(stored, 140), 80);   // lyrics font size
  EXPECT_EQ(StoredInt(stored, 144), 1);    // anti-aliased
  EXPECT_EQ(StoredInt(stored, 148), 0);    // but too small to smooth
  EXPECT_STREQ(reinterpret_cast<const char*>(stored.data() + 412), kFolder);

  EditorProcess next;
  ASSERT_TRUE(next.Start(KMEDIT_PATH));
  main_ = next.WaitForMainWindow(kTimeoutMs);
  ASSERT_NE(main_, nullptr);
  text_ = FindDescendant(main_, IDC_LYRICS_TEXT);
  SetWindowPos(main_, nullptr, 5, 5, 500, 450, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(RunsWithoutDialog(ID_OPTIONS_RESTORE_DEFAULTS));
  RECT place = {};
  GetWindowRect(main_, &place);
  EXPECT_EQ(place.right - place.left, 720);
  EXPECT_EQ(place.bottom - place.top, 540);
  SendMessageA(text_, EM_SETSEL, 0, -1);
  const CHARFORMATA restored = TextFormat(next.handle(), text_);
  EXPECT_EQ(restored.yHeight, 200);
  EXPECT_STREQ(restored.szFaceName, "System");
  ASSERT_TRUE(RunsWithoutDialog(ID_APP_EXIT));
  ASSERT_TRUE(next.WaitForExit(kTimeoutMs, nullptr));
  stored = StoredEditorSettings();
  ASSERT_EQ(stored.size(), 932u);
  EXPECT_EQ(StoredInt(stored, 136), 100);
  EXPECT_EQ(StoredInt(stored, 140), 160);
  EXPECT_EQ(StoredInt(stored, 144), 1);
  EXPECT_EQ(StoredInt(stored, 148), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(stored.data() + 412), kFolder);
}

}  // namespace
