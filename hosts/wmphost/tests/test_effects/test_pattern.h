// What the test plug-in draws, shared with the tests that check its frames:
// the whole area in the preset's colour, and a white bar along the top,
// kBarHeight pixels high and one pixel wide per kCentisecondsPerPixel of
// the playback position.
#pragma once

#include <windows.h>

constexpr int kTestPresetCount = 3;
constexpr COLORREF kTestPresetColours[kTestPresetCount] = {RGB(200, 0, 0), RGB(0, 160, 0),
                                                            RGB(0, 0, 220)};
constexpr const char* kTestPresetTitles[kTestPresetCount] = {"Red", "Green", "Blue"};
constexpr int kBarHeight = 10;
constexpr int kCentisecondsPerPixel = 10;
constexpr COLORREF kBarColour = RGB(255, 255, 255);
