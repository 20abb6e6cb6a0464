// Program entry: platform check, switches, directories, window classes, message loop.
#include <windows.h>

#include "app/command_line.h"
#include "app/setup_window.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

void SetProfileFileNames(SetupSession& session) {
    session.winIniName = IDS_WIN_INI;
    session.systemIniName = IDS_SYSTEM_INI;
    session.windowsSetupInfName = IDS_WINDOWS_SETUP_INF;
    session.controlInfName = IDS_CONTROL_INF;
}

// Shows what a switch that ends the program asks for; false when the setup goes on.
bool HandleEndingSwitch(const SwitchResult& switches) {
    switch (switches.action) {
    case StartAction::ShowHelp: {
        char help[256];
        LoadText(IDS_SWITCH_HELP_TEXT, help);
        ShowMessage(nullptr, MB_ICONASTERISK, IDS_SWITCH_HELP, help);
        return true;
    }
    case StartAction::RefuseNetwork:
        ShowMessage(nullptr, MB_ICONHAND, IDS_NETWORK_SWITCH, switches.refusedSwitch);
        return true;
    default:
        return false;
    }
}

bool CreateMainWindow(HINSTANCE instance) {
    HWND window = CreateWindowExA(0, IDW_SETUP_CLASS, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!window) return false;
    g_session.mainWindow = window;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    return true;
}

int RunMessageLoop() {
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 0;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int /*showState*/) {
    SetProfileFileNames(g_session);
    if (!IsWindows95OrRefuse(instance, IDS_REQUIRES_WINDOWS95, IDS_SETUP_TITLE)) return 0;
    // A drive without a disk answers the setup's own reads with a failure, which the setup
    // turns into its disk prompt, instead of the system's "not ready" box.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    FillRegistryLocations(g_session);
    g_session.instance = instance;
    if (HandleEndingSwitch(ParseCommandLine(commandLine, g_session))) return 0;
    if (!FindWindowsDirectories(g_session)) return 0;
    if (!RegisterSetupWindowClasses(instance, previous)) return 0;
    if (!CreateMainWindow(instance)) return 0;
    return RunMessageLoop();
}
