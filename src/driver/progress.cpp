// The progress and billboard windows.
#include "driver/progress.h"

KVOX_EXPORTED LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

KVOX_EXPORTED LRESULT CALLBACK BillboardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
