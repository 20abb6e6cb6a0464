// The progress window (file being copied, percentage gauge) and the billboard of the
// package's tools, both children of the main window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/exported.h"

constexpr int kBillboardWindowId = 1;
constexpr int kProgressWindowId = 2;

// Registers the classes of the two windows; false when the billboard's class fails.
bool RegisterProgressWindowClasses(HINSTANCE instance);

// Creates both windows, hidden, as children of the main window.
void CreateProgressWindows(HWND mainWindow, const char* title);
HWND ProgressWindow();
HWND BillboardWindow();

// Names the file being copied and repaints the progress window at once.
void ShowCopyProgress(const char* sourceDir, const char* targetDir, const char* fileName);

// Per cent of the copy done (0 to 100), and the gauge bar's width in pixels.
int32_t CopyPercentage(int32_t bytesDone, int32_t totalBytes);
int32_t GaugeFill(int32_t gaugeWidth, int32_t bytesDone, int32_t totalBytes);

KVOX_EXPORTED LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED LRESULT CALLBACK BillboardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
