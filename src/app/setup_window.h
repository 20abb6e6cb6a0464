// The full-screen main window: creation, the blue setup screen, and the message that runs
// every phase of the setup.
#pragma once

#include <windows.h>

#include "base/exported.h"

// Registers the main window's class (unless a previous instance did), then the progress
// and billboard classes.
bool RegisterSetupWindowClasses(HINSTANCE instance, HINSTANCE previous);

KVOX_EXPORTED LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
