// Options commands: the font of the lyrics text, the font of the lyrics
// display with its anti-aliasing, and the defaults of all three. The lyrics
// display filter, while there is one, draws with the new lyrics font at once.
#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include "editor/editor_ids.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"

namespace {

// CF_SCREENFONTS, CF_INITTOLOGFONTSTRUCT, CF_LIMITSIZE, CF_FORCEFONTEXIST,
// CF_NOVERTFONTS; the text font also offers the script.
constexpr DWORD kLyricsFontDialogFlags = 0x01012041;
constexpr DWORD kTextFontDialogFlags = kLyricsFontDialogFlags | CF_SELECTSCRIPT;
constexpr int kSmallestPointSize = 6;
constexpr int kLargestPointSize = 18;
constexpr int32_t kDefaultTextTwips = 200;

// The font dialog on a copy of `font`; on OK the choice and its size in
// tenths of a point replace them.
bool ChooseEditorFont(HWND owner, DWORD flags, LOGFONTA& font, int32_t& size) {
  LOGFONTA choice = font;
  CHOOSEFONTA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &choice;
  dialog.Flags = flags;
  dialog.nSizeMin = kSmallestPointSize;
  dialog.nSizeMax = kLargestPointSize;
  if (!ChooseFontA(&dialog)) return false;
  font = choice;
  size = dialog.iPointSize;
  return true;
}

// The whole text in another font; colours and protection stay.
void ApplyTextFormat(HWND text, const CHARFORMATA& format) {
  EventMaskOff quiet(text);
  SendMessageA(text, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageA(text, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

// The lyrics display filter, when there is one, takes the lyrics font and
// the smoothing flag and draws again.
void EditorMainWindow::ShowLyricsFont() {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display) return;
  display->SetLyricsFont(&settings_.lyricsFont, settings_.smoothing);
  display->Refresh(0, 1);
}

void EditorMainWindow::OnTextFont(int, int) {
  if (!ChooseEditorFont(window_, kTextFontDialogFlags, settings_.textFont,
                        settings_.textFontSize)) {
    return;
  }
  const LOGFONTA& font = settings_.textFont;
  ApplyTextFormat(text_, TextFontFormat(font, settings_.textFontSize, font.lfWeight != FW_NORMAL));
}

void EditorMainWindow::OnLyricsFont(int, int) {
  if (!ChooseEditorFont(window_, kLyricsFontDialogFlags, settings_.lyricsFont,
                        settings_.lyricsFontSize)) {
    return;
  }
  settings_.smoothing = LyricsSmoothing(settings_) ? 1 : 0;
  ShowLyricsFont();
}

void EditorMainWindow::OnAntiAliased(int, int) {
  settings_.antiAliased = settings_.antiAliased ? 0 : 1;
  settings_.smoothing = LyricsSmoothing(settings_) ? 1 : 0;
  menuBar_.CheckItem(ID_OPTIONS_ANTI_ALIASED, settings_.antiAliased != 0);
  ShowLyricsFont();
}

void EditorMainWindow::OnRestoreDefaults(int, int) {
  const RECT place = DefaultEditorWindowRect();
  if (IsIconic(window_) || IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
  MoveWindow(window_, place.left, place.top, place.right - place.left, place.bottom - place.top,
             TRUE);
  SetDefaultEditorFonts(settings_);
  menuBar_.CheckItem(ID_OPTIONS_ANTI_ALIASED, true);
  CHARFORMATA format = TextFontFormat(settings_.textFont, settings_.textFontSize, false);
  format.yHeight = kDefaultTextTwips;
  ApplyTextFormat(text_, format);
  ShowLyricsFont();
}
