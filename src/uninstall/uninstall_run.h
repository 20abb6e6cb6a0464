// The uninstaller's run as its entry point drives it.
#pragma once

#include <windows.h>

#include "base/exported.h"
#include "uninstall/uninstall.h"

// Opens uninst.log in the program's directory (with a trailing backslash), or in the
// Windows directory when that cannot be written; logging is off when neither can.
void OpenUninstallLog(const char* programDir);

// Tells the user why a record that is missing, damaged or disabled allows no uninstall,
// and logs it. False when the record is enabled.
bool ReportRecordProblem(const UninstallRecord& record);

// Runs every step under the progress dialog; after failures tells the user where they are
// listed.
UninstallTally RunUninstallSteps(const UninstallRecord& record);

KVOX_EXPORTED INT_PTR CALLBACK UninstallProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// How the uninstaller ends, from its switches: /d shuts down, /r restarts, /w returns to
// Windows; without them it asks first and offers the choice at the end.
enum class UninstallExit { Ask, ShutDown, Restart, ReturnToWindows };
UninstallExit ParseUninstallSwitches(const char* commandLine);
