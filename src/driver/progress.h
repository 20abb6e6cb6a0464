// The progress window (file being copied, percentage gauge) and the billboard of the
// package's tools, both children of the main window.
#pragma once

#include <windows.h>

#include "driver/exported.h"

KVOX_EXPORTED LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED LRESULT CALLBACK BillboardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
