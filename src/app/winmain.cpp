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

constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

bool IsWindows95() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void RefusePlatform(HINSTANCE instance) {
    char text[64], caption[64];
    LoadStringA(instance, IDS_REQUIRES_WINDOWS95, text, sizeof text);
    LoadStringA(instance, IDS_SETUP_TITLE, caption, sizeof caption);
    MessageBoxA(nullptr, text, caption, MB_ICONSTOP | MB_OK);
}

void SetRegistryLocation(RegistryLocation& location, HKEY root, const char* base, const char* name) {
    location.root = root;
    CopyText(location.subkey, base);
    AppendText(location.subkey, name);
}

void FillRegistryLocations(SetupSession& session) {
    SetRegistryLocation(session.installedFontsKey, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "Fonts");
    SetRegistryLocation(session.fontSubstitutesKey, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "FontSubstitutes");
    SetRegistryLocation(session.displaySettingsKey, HKEY_CURRENT_CONFIG, "Display\\Settings", "");
    SetRegistryLocation(session.displayFontsKey, HKEY_CURRENT_CONFIG, "Display\\Fonts", "");
}

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

bool FindWindowsDirectories(SetupSession& session) {
    if (GetWindowsDirectoryA(session.windowsDir, sizeof session.windowsDir) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_NO_WINDOWS_DIR);
        return false;
    }
    AddTrailingBackslash(session.windowsDir);
    if (GetSystemDirectoryA(session.systemDir, sizeof session.systemDir) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_NO_SYSTEM_DIR);
        return false;
    }
    AddTrailingBackslash(session.systemDir);
    CopyText(session.fontsDir, session.windowsDir);
    AppendText(session.fontsDir, "FONTS\\");
    return true;
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
    if (!IsWindows95()) {
        RefusePlatform(instance);
        return 0;
    }
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
