// Drawing the setup's pictures (bitmap resources) at their own size.
#pragma once

#include <windows.h>

SIZE PictureSize(HBITMAP picture);

// Draws the picture with its top-left corner at (x, y); nothing when there is none.
void DrawPicture(HDC dc, HBITMAP picture, int x, int y);
