// Where the programs start: what a C runtime's start-up does for WinMain, and nothing more.
// Windows 95 ships no C runtime DLL, and the programs need no start-up code of one.
#include <windows.h>

#include "base/runtime/start.h"

namespace {

// The command line after the program's name and the blanks that follow it, taken apart
// as the C runtime does: a quoted name ends at its closing quote, any other at the first
// blank or control character.
char* CommandTail(char* line) {
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (static_cast<unsigned char>(*line) > ' ') ++line;
    }
    while (*line && static_cast<unsigned char>(*line) <= ' ') ++line;
    return line;
}

// How the starting program asked the window to be shown.
int StartupShowState() {
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

extern "C" KVOX_ALIGN_STACK void KVoxStart() {
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, CommandTail(GetCommandLineA()), StartupShowState());
    ExitProcess(static_cast<UINT>(result));
}
