// The full-screen main window: creation, the blue setup screen, and the message that runs
// every phase of the setup.
#pragma once

#include <windows.h>

#include "driver/exported.h"

// Registers "SetupClass" (unless a previous instance did), "SetupInfor" and "SetupAdvert".
bool RegisterSetupWindowClasses(HINSTANCE instance, HINSTANCE previous);

KVOX_EXPORTED LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
