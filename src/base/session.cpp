// The session record and the product profile's path.
#include "base/session.h"

#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/text.h"
#include "resources/resource_ids.h"

// Filled before the program starts: no start-up code would run a constructor.
constinit SetupSession g_session;

namespace {

constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

void SetRegistryLocation(RegistryLocation& location, HKEY root, const char* base, const char* name) {
    location.root = root;
    CopyText(location.subkey, base);
    AppendText(location.subkey, name);
}

}  // namespace

bool IsWindows95OrRefuse(HINSTANCE instance, UINT text, UINT caption) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
    char message[64], title[64];
    LoadStringA(instance, text, message, sizeof message);
    LoadStringA(instance, caption, title, sizeof title);
    MessageBoxA(nullptr, message, title, MB_ICONSTOP | MB_OK);
    return false;
}

void FillRegistryLocations(SetupSession& session) {
    SetRegistryLocation(session.installedFontsKey, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "Fonts");
    SetRegistryLocation(session.fontSubstitutesKey, HKEY_LOCAL_MACHINE, kCurrentVersionKey, "FontSubstitutes");
    SetRegistryLocation(session.displaySettingsKey, HKEY_CURRENT_CONFIG, "Display\\Settings", "");
    SetRegistryLocation(session.displayFontsKey, HKEY_CURRENT_CONFIG, "Display\\Fonts", "");
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
    JoinPath(session.fontsDir, session.windowsDir, "FONTS\\");
    return true;
}

void ProductProfilePath(char (&path)[260]) {
    char name[32];
    LoadText(IDS_PRODUCT_PROFILE_NAME, name);
    CopyText(path, g_session.windowsDir);
    AppendText(path, name);
}

HBRUSH SetupGreyBrush() {
    return g_session.greyBrush ? g_session.greyBrush : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

int LoadText(UINT id, char* buffer, int size) {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    return LoadStringA(g_session.instance, id, buffer, size);
}
