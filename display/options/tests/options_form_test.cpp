#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "display/options/options_form.h"
#include "display/options/options_text.h"
#include "display/options/tests/options_form_host.h"
#include "display/tests/bitmap_font.h"
#include "display/win32/display_settings_win32.h"

namespace {

const OptionsControlIds& ids = kWinampOptionsIds;

DisplaySettings Plain() {
  DisplaySettings s;
  SetDefaultDisplaySettings(s, 96);
  s.trueTypeFont = 1;
  s.antiAliased = 0;
  s.smoothText = 0;
  s.backgroundColor = RGB(0, 0, 0);
  s.textColor = RGB(0, 255, 0);
  s.highlightTopColor = RGB(255, 0, 0);
  s.highlightBottomColor = RGB(255, 0, 0);
  return s;
}

// Rows of the preview's drawing area (inside the frame) holding pixels other
// than the background.
struct InkRows {
  int first = -1;
  int last = -1;
};

InkRows FindInk(const BitmapPixels& image, uint32_t background) {
  InkRows rows;
  for (int y = 1; y < image.height - 1; ++y) {
    for (int x = 1; x < image.width - 1; ++x) {
      if (image.At(x, y) == background) continue;
      if (rows.first < 0) rows.first = y - 1;
      rows.last = y - 1;
      break;
    }
  }
  return rows;
}

int LineHeight(const DisplaySettings& s) {
  LOGFONTA logFont = ToLogFont(s.font);
  GdiObject<HFONT> font(CreateFontIndirectA(&logFont));
  MemoryDc dc(nullptr);
  Selection selection(dc.get(), font.get());
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc.get(), &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading;
}

int SampleWidth(const DisplaySettings& s, const char* text) {
  LOGFONTA logFont = ToLogFont(s.font);
  GdiObject<HFONT> font(CreateFontIndirectA(&logFont));
  MemoryDc dc(nullptr);
  Selection selection(dc.get(), font.get());
  SIZE extent = {};
  GetTextExtentPoint32A(dc.get(), text, static_cast<int>(std::strlen(text)), &extent);
  return extent.cx;
}

TEST(OptionsForm, OpensWithTheLiveSettingsInItsControls) {
  DisplaySettings s = Plain();
  s.pointSize = 145;
  s.font.lfWeight = 700;
  s.font.lfItalic = 1;
  s.antiAliased = 1;
  s.highlightTopPercent = 20;
  s.bottomMargin = 33;
  s.leftAligned = 0;
  s.alternateSides = 1;
  s.verticalAlignment = 1;
  std::strcpy(s.lyricsDirectory, "C:\\lyrics");
  OptionsFormHost host;
  ASSERT_TRUE(host.Open(s));
  EXPECT_EQ(host.Text(ids.face), "Arial");
  EXPECT_EQ(host.Text(ids.style), "Style: Bold Italic");
  EXPECT_EQ(host.Text(ids.size), "Size: 14.5");
  EXPECT_TRUE(host.Checked(ids.antiAliased));
  EXPECT_EQ(host.Text(ids.topPercent), "20");
  EXPECT_EQ(host.Text(ids.bottomMargin), "33");
  EXPECT_TRUE(host.Checked(ids.hCentered));
  EXPECT_FALSE(host.Enabled(ids.leftMargin));
  EXPECT_TRUE(host.Checked(ids.alternate));
  EXPECT_FALSE(host.Enabled(ids.alternate));
  EXPECT_TRUE(host.Checked(ids.top));
  EXPECT_TRUE(host.Enabled(ids.topMargin));
  EXPECT_FALSE(host.Enabled(ids.bottomMargin));
  EXPECT_EQ(host.Text(ids.sample), "Kamiru");
  EXPECT_EQ(host.Text(ids.directory), "C:\\lyrics");
  EXPECT_EQ(host.dirtyCalls, 0);
  EXPECT_FALSE(DisplaySettingsDiffer(host.form.working, s));
}

TEST(OptionsForm, NumberEditsAreClampedInTheEditAndTheWorkingCopy) {
  OptionsFormHost host;
  DisplaySettings s = Plain();
  s.leftAligned = 1;
  s.verticalAlignment = 1;
  ASSERT_TRUE(host.Open(s));
  host.Type(ids.topPercent, "75");
  EXPECT_EQ(host.Text(ids.topPercent), "50");
  EXPECT_EQ(host.form.working.highlightTopPercent, 50);
  host.Type(ids.bottomPercent, "7");
  EXPECT_EQ(host.form.working.highlightBottomPercent, 7);
  host.Type(ids.leftMargin, "600");
  EXPECT_EQ(host.Text(ids.leftMargin), "500");
  EXPECT_EQ(host.form.working.leftMargin, 500);
  host.Type(ids.topMargin, "-3");
  EXPECT_EQ(host.Text(ids.topMargin), "0");
  EXPECT_EQ(host.form.working.topMargin, 0);
  host.Type(ids.bottomMargin, "499");
  EXPECT_EQ(host.form.working.bottomMargin, 499);
  EXPECT_GT(host.dirtyCalls, 0);
  // Only the working copy changed.
  EXPECT_EQ(host.store.live.highlightTopPercent, s.highlightTopPercent);
  EXPECT_FALSE(host.store.changed);
}

TEST(OptionsForm, AlignmentButtonsSetTheWorkingCopyAndEnableTheirMargins) {
  OptionsFormHost host;
  DisplaySettings s = Plain();
  s.leftAligned = 1;
  s.alternateSides = 1;
  ASSERT_TRUE(host.Open(s));
  EXPECT_TRUE(host.Enabled(ids.leftMargin));
  EXPECT_TRUE(host.Enabled(ids.alternate));

  host.Click(ids.hCentered);
  EXPECT_EQ(host.form.working.leftAligned, 0);
  EXPECT_FALSE(host.Enabled(ids.leftMargin));
  EXPECT_FALSE(host.Enabled(ids.alternate));
  EXPECT_TRUE(host.Checked(ids.alternate));  // greyed, but keeps its check
  EXPECT_EQ(host.form.working.alternateSides, 1);

  host.Click(ids.left);
  EXPECT_EQ(host.form.working.leftAligned, 1);
  EXPECT_TRUE(host.Enabled(ids.alternate));
  host.Click(ids.alternate);
  EXPECT_EQ(host.form.working.alternateSides, 0);

  host.Click(ids.top);
  EXPECT_EQ(host.form.working.verticalAlignment, 1);
  EXPECT_TRUE(host.Enabled(ids.topMargin));
  EXPECT_FALSE(host.Enabled(ids.bottomMargin));
  host.Click(ids.bottom);
  EXPECT_EQ(host.form.working.verticalAlignment, 2);
  EXPECT_FALSE(host.Enabled(ids.topMargin));
  EXPECT_TRUE(host.Enabled(ids.bottomMargin));
  EXPECT_FALSE(host.Checked(ids.top));
  host.Click(ids.vCentered);
  EXPECT_EQ(host.form.working.verticalAlignment, 0);
  EXPECT_FALSE(host.Enabled(ids.topMargin));
  EXPECT_FALSE(host.Enabled(ids.bottomMargin));

  host.Click(ids.antiAliased);
  EXPECT_EQ(host.form.working.antiAliased, 1);
  EXPECT_EQ(host.form.working.smoothText, 1);  // Arial 14 pt
  EXPECT_EQ(host.dirtyCalls, 7);
}

TEST(OptionsForm, PreviewPlacesTheLineByItsAlignmentAndShowsTheLeftHalfSung) {
  OptionsFormHost host;
  DisplaySettings s = Plain();
  s.verticalAlignment = 1;
  s.topMargin = 0;
  s.leftAligned = 1;
  s.leftMargin = 0;
  ASSERT_TRUE(host.Open(s));
  host.Type(ids.sample, "HHHHHHHH");
  BitmapPixels top(host.form.previewBitmap);
  ASSERT_GT(top.width, 2);
  // The frame is black all round.
  EXPECT_EQ(top.At(0, 0), 0u);
  EXPECT_EQ(top.At(top.width - 1, top.height - 1), 0u);
  const InkRows atTop = FindInk(top, Pixel(s.backgroundColor));
  ASSERT_GE(atTop.first, 0);

  // Left half sung (highlight red), right half not yet (text green).
  int red = 0, green = 0, redRight = 0, greenLeft = 0;
  const int boundary = 1 + SampleWidth(s, "HHHHHHHH") / 2;  // inside the frame
  for (int y = 1; y < top.height - 1; ++y) {
    for (int x = 1; x < top.width - 1; ++x) {
      const uint32_t p = top.At(x, y);
      if (p == Pixel(RGB(255, 0, 0))) (x < boundary ? red : redRight)++;
      if (p == Pixel(RGB(0, 255, 0))) (x >= boundary ? green : greenLeft)++;
    }
  }
  EXPECT_GT(red, 0);
  EXPECT_GT(green, 0);
  EXPECT_EQ(redRight, 0);
  EXPECT_EQ(greenLeft, 0);

  host.Click(ids.bottom);
  host.Type(ids.bottomMargin, "10");
  BitmapPixels bottom(host.form.previewBitmap);
  const InkRows atBottom = FindInk(bottom, Pixel(s.backgroundColor));
  const int ph = bottom.height - 2;
  const int n = LineHeight(s);
  EXPECT_EQ(atBottom.first, ph - 10 - n + atTop.first);
  EXPECT_EQ(atBottom.last - atBottom.first, atTop.last - atTop.first);
}

TEST(OptionsForm, SampleTextRepaintsThePreviewButIsNoEdit) {
  OptionsFormHost host;
  ASSERT_TRUE(host.Open(Plain()));
  const BitmapPixels before(host.form.previewBitmap);
  host.Type(ids.sample, "Another sample line");
  const BitmapPixels after(host.form.previewBitmap);
  EXPECT_NE(before.pixels, after.pixels);
  EXPECT_EQ(host.dirtyCalls, 0);
  CommitOptionsForm(host.form, host.store);
  EXPECT_FALSE(host.store.changed);
}

TEST(OptionsForm, CommitTakesAnExistingDirectoryOnly) {
  OptionsFormHost host;
  DisplaySettings s = Plain();
  std::strcpy(s.lyricsDirectory, "C:\\windows");
  ASSERT_TRUE(host.Open(s));

  CommitOptionsForm(host.form, host.store);
  EXPECT_FALSE(host.store.changed);  // nothing was edited

  host.Type(ids.directory, "C:\\no such directory here");
  EXPECT_EQ(host.dirtyCalls, 1);
  CommitOptionsForm(host.form, host.store);
  EXPECT_STREQ(host.store.live.lyricsDirectory, "C:\\windows");
  EXPECT_FALSE(host.store.changed);
  EXPECT_EQ(host.Text(ids.directory), "C:\\no such directory here");  // the user's text stays

  host.Type(ids.directory, "C:\\windows\\system32\\");
  CommitOptionsForm(host.form, host.store);
  EXPECT_STREQ(host.store.live.lyricsDirectory, "C:\\windows\\system32");
  EXPECT_TRUE(host.store.changed);

  host.store.changed = false;
  host.Type(ids.directory, "");
  CommitOptionsForm(host.form, host.store);
  EXPECT_STREQ(host.store.live.lyricsDirectory, "");
  EXPECT_TRUE(host.store.changed);
}

TEST(OptionsForm, CommitHandsEveryEditToTheStore) {
  OptionsFormHost host;
  ASSERT_TRUE(host.Open(Plain()));
  host.Type(ids.bottomPercent, "12");
  host.Click(ids.left);
  CommitOptionsForm(host.form, host.store);
  EXPECT_TRUE(host.store.changed);
  EXPECT_EQ(host.store.live.highlightBottomPercent, 12);
  EXPECT_EQ(host.store.live.leftAligned, 1);
}

TEST(OptionsForm, ChosenFontSetsLabelsAndSmoothingBySizeAndKind) {
  BitmapFont bitmapFont;
  ASSERT_TRUE(bitmapFont.Install());
  OptionsFormHost host;
  DisplaySettings s = Plain();
  s.antiAliased = 1;
  ASSERT_TRUE(host.Open(s));

  LOGFONTA chosen = {};
  std::strcpy(chosen.lfFaceName, "Arial");
  chosen.lfHeight = -12;
  chosen.lfWeight = 700;
  chosen.lfCharSet = ANSI_CHARSET;
  ApplyChosenFont(host.form, chosen, 90);
  EXPECT_EQ(host.form.working.trueTypeFont, 1);
  EXPECT_EQ(host.form.working.smoothText, 0);  // 9 pt stays unsmoothed
  EXPECT_TRUE(host.Checked(ids.antiAliased));
  EXPECT_EQ(host.form.working.pointSize, 90);
  EXPECT_EQ(host.form.working.font.lfHeight, -12);
  EXPECT_EQ(host.Text(ids.style), "Style: Bold");
  EXPECT_EQ(host.Text(ids.size), "Size: 9");
  EXPECT_EQ(host.dirtyCalls, 1);

  chosen.lfHeight = -13;
  ApplyChosenFont(host.form, chosen, 100);
  EXPECT_EQ(host.form.working.smoothText, 1);

  std::strcpy(chosen.lfFaceName, kBitmapFace);
  chosen.lfWeight = 400;
  chosen.lfItalic = 1;
  ApplyChosenFont(host.form, chosen, 120);
  EXPECT_EQ(host.Text(ids.face), kBitmapFace);
  EXPECT_EQ(host.Text(ids.style), "Style: Italic");
  EXPECT_EQ(host.form.working.trueTypeFont, 0);
  EXPECT_EQ(host.form.working.smoothText, 0);
  // Toggling the box does not smooth a raster font either.
  host.Click(ids.antiAliased);
  host.Click(ids.antiAliased);
  EXPECT_EQ(host.form.working.antiAliased, 1);
  EXPECT_EQ(host.form.working.smoothText, 0);
}

TEST(OptionsForm, ChosenColourRepaintsItsSwatchAndTheGradient) {
  OptionsFormHost host;
  DisplaySettings s = Plain();
  s.highlightTopColor = RGB(255, 255, 255);
  s.highlightBottomColor = RGB(0, 0, 255);
  s.highlightTopPercent = 50;
  s.highlightBottomPercent = 50;
  ASSERT_TRUE(host.Open(s));
  {
    // Both at 50: two solid halves.
    const BitmapPixels gradient(host.form.gradientBitmap);
    const int h = gradient.height - 2;
    for (int r = 0; r < h; ++r) {
      const uint32_t want = r < h / 2 ? Pixel(RGB(255, 255, 255)) : Pixel(RGB(0, 0, 255));
      EXPECT_EQ(gradient.At(1, r + 1), want) << r;
      EXPECT_EQ(gradient.At(gradient.width - 2, r + 1), want) << r;
    }
    EXPECT_EQ(gradient.At(0, 1), 0u);
  }

  ApplyChosenColor(host.form, kSwatchText, RGB(1, 2, 3));
  EXPECT_EQ(host.form.working.textColor, RGB(1, 2, 3));
  const BitmapPixels text(host.form.swatchBitmaps[kSwatchText]);
  EXPECT_EQ(text.At(text.width / 2, text.height / 2), Pixel(RGB(1, 2, 3)));
  EXPECT_EQ(text.At(0, text.height / 2), 0u);
  EXPECT_EQ(host.dirtyCalls, 1);

  ApplyChosenColor(host.form, kSwatchText, RGB(1, 2, 3));  // the same colour again
  EXPECT_EQ(host.dirtyCalls, 1);

  ApplyChosenColor(host.form, kSwatchHighlightTop, RGB(0, 0, 255));
  const BitmapPixels solid(host.form.gradientBitmap);
  EXPECT_EQ(solid.At(1, 1), Pixel(RGB(0, 0, 255)));
  EXPECT_EQ(host.form.working.highlightTopColor, RGB(0, 0, 255));
}

TEST(OptionsForm, ClicksFindTheSwatchUnderThePoint) {
  OptionsFormHost host;
  ASSERT_TRUE(host.Open(Plain()));
  for (int i = 0; i < kSwatchCount; ++i) {
    RECT rect;
    GetWindowRect(host.Item(ids.swatches[i]), &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ScreenToClient(host.dialog, &centre);
    EXPECT_EQ(SwatchAtPoint(host.form, centre), i);
  }
  RECT gradient;
  GetWindowRect(host.Item(ids.gradient), &gradient);
  POINT outside = {gradient.left + 2, gradient.top + 2};
  ScreenToClient(host.dialog, &outside);
  EXPECT_EQ(SwatchAtPoint(host.form, outside), -1);
  // A click outside every swatch opens nothing and changes nothing.
  SendMessageA(host.dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(outside.x, outside.y));
  EXPECT_EQ(host.dirtyCalls, 0);
}

TEST(OptionsText, StyleAndSizeLabels) {
  EXPECT_STREQ(FontStyleLabel(400, false), "Style: Regular");
  EXPECT_STREQ(FontStyleLabel(699, true), "Style: Italic");
  EXPECT_STREQ(FontStyleLabel(700, false), "Style: Bold");
  EXPECT_STREQ(FontStyleLabel(900, true), "Style: Bold Italic");
  char text[32];
  FontSizeLabel(180, text, sizeof text);
  EXPECT_STREQ(text, "Size: 18");
  FontSizeLabel(145, text, sizeof text);
  EXPECT_STREQ(text, "Size: 14.5");
  FontSizeLabel(61, text, sizeof text);
  EXPECT_STREQ(text, "Size: 6.1");
  FontSizeLabel(355, text, sizeof text);
  EXPECT_STREQ(text, "Size: 35.5");
}

}  // namespace
