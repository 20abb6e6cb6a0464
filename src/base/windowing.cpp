// Window and picture helpers.
#include "base/windowing.h"

#include "base/handles.h"

int g_screenHeightForTesting = 0;

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

void DrawPictureInFrame(HWND dialog, int frameId, HDC dc, HBITMAP picture) {
    RECT frame;
    HWND control = GetDlgItem(dialog, frameId);
    if (!control) return;
    GetWindowRect(control, &frame);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
    DrawPicture(dc, picture, frame.left, frame.top);
}

ATOM RegisterWindowClass(HINSTANCE instance, const char* name, UINT style, WNDPROC procedure, HICON icon,
                         HCURSOR cursor, HBRUSH background) {
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass);
}

int ScreenHeight() {
    return g_screenHeightForTesting ? g_screenHeightForTesting : GetSystemMetrics(SM_CYSCREEN);
}

namespace {

constexpr const char* kResidentClasses[] = {"K-VOX", "K-VOXIndicatorClass", "KVKeybClass"};

// Visits each open window of the package's resident programs.
template <typename Visit>
void ForEachResidentWindow(Visit visit) {
    if (HWND window = FindWindowA(nullptr, "K-VOX")) visit(window);
    for (const char* className : kResidentClasses)
        if (HWND window = FindWindowA(className, nullptr)) visit(window);
}

}  // namespace

void CloseResidentPrograms() {
    ForEachResidentWindow([](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); });
}

bool ResidentProgramsRunning() {
    bool running = false;
    ForEachResidentWindow([&](HWND) { running = true; });
    return running;
}
