// The main window procedure.
#include "driver/setup_window.h"

#include "driver/session.h"
#include "setupinfo/setup_info.h"

KVOX_EXPORTED LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        PostMessageA(window, WM_COMMAND, 0, 0);
        return 0;
    case WM_COMMAND:
        PostMessageA(window, WM_DESTROY, LocateSetupInformationFile(window) ? 1 : 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
