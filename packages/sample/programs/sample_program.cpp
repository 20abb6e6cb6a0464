// One of the package's small programs: a window with its name and a line about what the
// tool does. The resident programs keep the class and title that the setup closes.
// Built with PROGRAM_CLOSE_AFTER_MS it ends by itself, as the copy benchmark's baseline of
// a program with one window.
#include <windows.h>

#ifndef PROGRAM_TITLE
#error "PROGRAM_TITLE, PROGRAM_CLASS and PROGRAM_TEXT name the program"
#endif

namespace {

LRESULT CALLBACK ProgramWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, PROGRAM_TEXT, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProgramWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = PROGRAM_CLASS;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(PROGRAM_CLASS, PROGRAM_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                360, 140, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
#ifdef PROGRAM_CLOSE_AFTER_MS
    SetTimer(window, 1, PROGRAM_CLOSE_AFTER_MS, nullptr);
#endif
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
