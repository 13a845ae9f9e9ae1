// The fixed sizes of the main window's layout, top to bottom: the top band
// container (menu band, audio toolbar, position bar beside the time
// display), the preview strip, the lower band container (edit toolbar), the
// lyrics text and the status bar.
#pragma once

// The menu band follows the system's menu height within these bounds.
constexpr int kMinMenuBandHeight = 23;
constexpr int kMaxMenuBandHeight = 50;
// The top band container is the menu band plus this (two bands of 23, the
// separators and the frame).
constexpr int kTopBandsExtraHeight = 54;
constexpr int kToolbarBandHeight = 23;
constexpr int kTimeDisplayWidth = 105;
constexpr int kPreviewHeight = 204;
constexpr int kLowerBandsHeight = 27;
// The smallest frame the user can size the window to.
constexpr int kMinWindowSize = 410;

// The height of the menu band: the system's menu height, clamped.
int MenuBandHeight();
