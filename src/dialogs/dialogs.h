// The wizard's dialogs: what the rest of the setup calls. Each launcher runs its dialog
// modally and returns the session's dialogResult (0 cancelled or failed, 1 go on, 2 as
// each launcher says).
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/exported.h"

// WELCOME: 1 to go on, 0 to end the setup.
uint16_t RunWelcomeDialog();

// SETUPDIR: 1 when the country and the destination directory are set, else 0.
uint16_t RunSetupDirDialog();

// The country step without a dialog: the country's key and code page, the default
// destination. 1 on success, 0 after a reported failure.
int ReadCountryDefaults(const char* country);

// DRIVEDIR, the directory picker: starts at the path in the session's message buffer;
// on 1 the chosen path (in capitals, at most 119 characters) is there.
uint16_t RunDriveDirDialog();

// SETUPOPTIONS: 1 continue, 2 back, 0 exit.
uint16_t RunSetupOptionsDialog();

// LANGLAYOUT: 1 the chosen layouts replace the table, 0 cancelled or failed, 2 exit
// confirmed.
uint16_t RunLayoutsDialog();

// FONTS: 1 the font choices are stored, 0 cancelled or failed, 2 exit confirmed.
uint16_t RunFontsDialog();

// INSERTDISK: shows the disk label held in the session's value buffer and offers a source
// path; on 1 the confirmed path, ending with a backslash, is in the message buffer.
uint16_t RunInsertDiskDialog();

// How the user leaves a successful setup.
enum ExitChoice : int {
    kReturnToWindows = 0,
    kShutDown = 1,
    kRestart = 2,
};

// EXITSETUP3 when the exit mode is 3, else EXITSETUP: an ExitChoice (return to Windows
// also when the window is closed).
int RunExitDialog(int32_t exitMode);

KVOX_EXPORTED INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK SetupDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK DriveDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK SetupOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK LanguageLayoutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK FontsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK SourceDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK ExitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
