// Small helpers for windows and pictures that several floors share.
#pragma once

#include <windows.h>

SIZE PictureSize(HBITMAP picture);

// Draws the picture at its own size with its top-left corner at (x, y); nothing when there
// is none.
void DrawPicture(HDC dc, HBITMAP picture, int x, int y);

// Draws the picture into the top-left corner of a dialog's frame control.
void DrawPictureInFrame(HWND dialog, int frameId, HDC dc, HBITMAP picture);

// Asks the package's resident programs (a window titled "K-VOX", or of class "K-VOX",
// "K-VOXIndicatorClass" or "KVKeybClass") to close, without waiting for them.
void CloseResidentPrograms();

// True while one of those windows is still there.
bool ResidentProgramsRunning();

// Registers a window class without menu or extra bytes; 0 on failure.
ATOM RegisterWindowClass(HINSTANCE instance, const char* name, UINT style, WNDPROC procedure, HICON icon,
                         HCURSOR cursor, HBRUSH background);

// The screen's height in pixels, which decides the font size class. Tests may pretend
// another screen through `g_screenHeightForTesting` (0: the real screen).
int ScreenHeight();
extern int g_screenHeightForTesting;
