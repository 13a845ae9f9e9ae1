// Dialogs of the test's own process, for a test or benchmark that runs the
// main window itself and answers its dialogs from another thread. Wine may
// keep an empty dialog window of its own among them, which is passed over.
#pragma once

#include <windows.h>

// A visible file dialog (a dialog with a field to type in), or null.
HWND FindOwnFileDialog();
// A visible message box (texts and buttons only), or null.
HWND FindOwnMessageBox();
