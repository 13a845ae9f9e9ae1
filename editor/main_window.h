// The editor's main window, class "KMEditMWnd".
#pragma once

#include <windows.h>

struct MainWindow {
  HWND hwnd = nullptr;
};

extern const char kMainWindowClass[];
extern const char kEditorCaption[];

// Creates and shows the main window; null on failure.
HWND CreateMainWindow(HINSTANCE instance, MainWindow& window, int showCommand);
