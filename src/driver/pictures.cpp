// Drawing pictures.
#include "driver/pictures.h"

#include "driver/handles.h"

SIZE PictureSize(HBITMAP picture) {
    BITMAP size{};
    if (picture) GetObjectA(picture, sizeof size, &size);
    return {size.bmWidth, size.bmHeight};
}

void DrawPicture(HDC dc, HBITMAP picture, int x, int y) {
    if (!picture) return;
    HDC memory = CreateCompatibleDC(dc);
    {
        SelectedObject selected(memory, picture);
        SIZE size = PictureSize(picture);
        BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
}
