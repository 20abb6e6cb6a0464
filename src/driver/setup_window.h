// The full-screen main window: its procedure runs every phase of the setup.
#pragma once

#include <windows.h>

#include "driver/exported.h"

KVOX_EXPORTED LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
