// The package's uninstaller as the sample ships it: it names what it was asked to do and
// where its uninstall record is. /d shuts down, /r restarts, /w returns to Windows after it.
#include <windows.h>

#include <cstring>

namespace {

const char* ActionAfterwards(const char* commandLine) {
    if (strstr(commandLine, "/d")) return "then shut down the computer";
    if (strstr(commandLine, "/r")) return "then restart Windows";
    return "then return to Windows";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char record[MAX_PATH];
    GetModuleFileNameA(nullptr, record, sizeof record);
    if (char* slash = strrchr(record, '\\')) strcpy(slash + 1, "uninst.inf");
    char text[1024];
    wsprintfA(text, "K-VOX Uninstall would remove K-VOX using %s, %s.\n\nCommand line: %s", record,
              ActionAfterwards(commandLine), commandLine);
    MessageBoxA(nullptr, text, "K-VOX Uninstall", MB_OK | MB_ICONINFORMATION);
    return 0;
}
