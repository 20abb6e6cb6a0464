// The wizard's dialogs: what the rest of the setup calls. Each launcher runs its dialog
// modally, owned by the main window.
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

// SETUPOPTIONS: 1 continue, 2 back, 0 exit.
uint16_t RunSetupOptionsDialog();

// How the user leaves a successful setup.
enum ExitChoice : int {
    kReturnToWindows = 0,
    kShutDown = 1,
    kRestart = 2,
};

// EXITSETUP3 when the exit mode is 3, else EXITSETUP: an ExitChoice (return to Windows
// also when the window is closed).
int RunExitDialog(int32_t exitMode);

// The chosen keyboard layouts.
struct LayoutRecord {
    char countryKey[4];  // country key of the layout's language
    char name[30];       // key of [Keyboard Layouts]
};

// Fills the layout table with the country's default layouts and sets the country's
// defaults of code pages, fonts, layout switch and font size. Nonzero on success.
int LoadLayoutTable();

// Records the chosen layouts in k-vox.ini [KVNLS].
void SaveLayoutsToProfile();

KVOX_EXPORTED INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KVOX_EXPORTED INT_PTR CALLBACK ExitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
