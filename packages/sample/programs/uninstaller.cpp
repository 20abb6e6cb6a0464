// The package's uninstaller as the sample ships it: it names what it was asked to do and
// where its uninstall record is. /d shuts down, /r restarts, /w returns to Windows after it.
#include <windows.h>

namespace {

bool Contains(const char* text, const char* part) {
    for (; *text; ++text) {
        int i = 0;
        while (part[i] && text[i] == part[i]) ++i;
        if (!part[i]) return true;
    }
    return false;
}

const char* ActionAfterwards(const char* commandLine) {
    if (Contains(commandLine, "/d")) return "then shut down the computer";
    if (Contains(commandLine, "/r")) return "then restart Windows";
    return "then return to Windows";
}

// The uninstall record lies beside the program.
void RecordBesideProgram(char (&record)[MAX_PATH]) {
    DWORD length = GetModuleFileNameA(nullptr, record, sizeof record);
    while (length > 0 && record[length - 1] != '\\') --length;
    lstrcpynA(record + length, "uninst.inf", static_cast<int>(sizeof record - length));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char record[MAX_PATH];
    RecordBesideProgram(record);
    char text[1024];
    wsprintfA(text, "K-VOX Uninstall would remove K-VOX using %s, %s.\n\nCommand line: %s", record,
              ActionAfterwards(commandLine), commandLine);
    MessageBoxA(nullptr, text, "K-VOX Uninstall", MB_OK | MB_ICONINFORMATION);
    return 0;
}
