/* K-VOX Developers Kit sample: follows the K-VOX layout switch. */
#include <windows.h>
#include "kvox.h"

static UINT layoutMessage;

LRESULT CALLBACK SampleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == layoutMessage) {
        SetWindowText(window, wParam == 2 ? "K-VOX Sample - layout 2" : "K-VOX Sample - layout 1");
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

int PASCAL WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    WNDCLASS windowClass = {0};
    MSG message;
    HWND window;

    layoutMessage = RegisterWindowMessage(KVOX_LAYOUT_MESSAGE);
    windowClass.lpfnWndProc = SampleWndProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KVSampleClass";
    RegisterClass(&windowClass);
    window = CreateWindow("KVSampleClass", "K-VOX Sample", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                          320, 120, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    while (GetMessage(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessage(&message);
    }
    return 0;
}
