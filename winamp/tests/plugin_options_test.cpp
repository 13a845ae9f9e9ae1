#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "display/win32/display_settings_win32.h"
#include "tools/bmp/picture_capture.h"
#include "winamp/plugin_state.h"
#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"
#include "winamp/tests/plugin_test_host.h"

namespace {

// What the "user" does in the options dialog once it is up.
void (*userActions)(HWND dialog) = nullptr;
RECT dialogRect = {};

void CALLBACK DriveOptions(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = FindWindowA("#32770", "Kamiru");
  if (!dialog) return;
  KillTimer(nullptr, id);
  GetWindowRect(dialog, &dialogRect);
  userActions(dialog);
}

void RunOptionsAs(void (*actions)(HWND dialog)) {
  userActions = actions;
  SetTimer(nullptr, 0, 100, DriveOptions);
  Plugin().record.config();
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void EditHighlightAndAlignment(HWND dialog) {
  SetDlgItemTextA(dialog, 1025, "75");                // top percentage
  SendDlgItemMessageA(dialog, 1024, BM_CLICK, 0, 0);  // "Bottom"
  SetDlgItemTextA(dialog, 1029, "10");                // bottom margin
}

TEST_F(PluginInHost, OptionsOkHandsTheEditsToTheStore) {
  Start();
  const DisplaySettings before = ModuleDisplaySettings().live;
  RunOptionsAs([](HWND dialog) {
    EditHighlightAndAlignment(dialog);
    if (const char* dir = std::getenv("KM_SCREENSHOT_DIR")) {
      Pump(300);
      SaveWindowBitmap(dialog, (std::string(dir) + "\\winamp_options.bmp").c_str());
    }
    Press(dialog, IDOK);
  });
  const DisplaySettingsStore& store = ModuleDisplaySettings();
  EXPECT_TRUE(store.changed);
  EXPECT_EQ(store.live.highlightTopPercent, 50);
  EXPECT_EQ(store.live.verticalAlignment, 2);
  EXPECT_EQ(store.live.bottomMargin, 10);
  EXPECT_EQ(store.live.textColor, before.textColor);
  EXPECT_FALSE(Plugin().optionsOpen);

  // Centred on the screen.
  const int centreX = (dialogRect.left + dialogRect.right) / 2;
  const int centreY = (dialogRect.top + dialogRect.bottom) / 2;
  EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(PluginInHost, OptionsCancelAndCloseDiscardTheEdits) {
  Start();
  const DisplaySettings before = ModuleDisplaySettings().live;
  RunOptionsAs([](HWND dialog) {
    EditHighlightAndAlignment(dialog);
    Press(dialog, IDCANCEL);
  });
  RunOptionsAs([](HWND dialog) {
    EditHighlightAndAlignment(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(ModuleDisplaySettings().changed);
  EXPECT_FALSE(DisplaySettingsDiffer(ModuleDisplaySettings().live, before));
  EXPECT_FALSE(Plugin().optionsOpen);
}

// The first row of the lyrics window that holds unsung (white) text.
int FirstTextRow(HWND window) {
  Picture picture;
  EXPECT_TRUE(CaptureWindowPicture(window, picture));
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.pixels[size_t(y) * picture.width + x] == 0xFFFFFF) return y;
    }
  }
  return -1;
}

TEST_F(PluginInHost, OptionsOkChangesTheLyricsWindowsNextPaint) {
  const std::string lyrics = WriteTempFile(
      "options.km", KmBuilder().Line("la la la").Piece(0, 0, kKmNoOffset, 90000, 90100).Bytes());
  Start();
  PlayAt(TempPath("options.mp3"), 200, 1000);
  Pump(200);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  const int centred = FirstTextRow(LyricsHwnd());
  EXPECT_GT(centred, 40);

  RunOptionsAs([](HWND dialog) {
    SendDlgItemMessageA(dialog, 1023, BM_CLICK, 0, 0);  // "Top"
    SetDlgItemTextA(dialog, 1028, "0");                 // top margin
    Press(dialog, IDOK);
  });
  Pump(200);  // the window's timer paints again
  const int top = FirstTextRow(LyricsHwnd());
  EXPECT_GE(top, 0);
  EXPECT_LT(top, 10);
  std::remove(lyrics.c_str());
}

}  // namespace
