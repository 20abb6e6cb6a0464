// The phase sequencer of the main window and its exit step, and the operations of other
// parts of the setup that they call. The operations are held in one table so that tests
// can run the sequencer with results of their own.
#pragma once

#include <windows.h>

#include <cstdint>

struct PhaseOperations {
    int (*locateSetupInformationFile)(HWND owner);
    void (*readInstallFlags)(const char* setupInfPath);
    uint16_t (*welcomeDialog)();
    uint16_t (*countryDialog)();
    int (*readCountryDefaults)(const char* country);
    int32_t (*surveyPrinters)();
    int (*loadLayoutTable)();
    int32_t (*isAlreadyInstalled)();
    uint16_t (*optionsDialog)();
    int (*checkDiskSpace)();
    int (*copyPackageFiles)();
    int (*updateSystemInformation)();
    void (*saveLayoutsToProfile)();
    int (*createProgmanGroups)();
    int (*exitDialog)(int32_t exitMode);  // 0 return to Windows, 1 shut down, 2 restart
    UINT (*startProgram)(const char* command, UINT show);
    BOOL (*exitWindows)(UINT flags);
};

// The real operations.
PhaseOperations DefaultPhaseOperations();

// The table the sequencer and the exit step use.
extern PhaseOperations g_phaseOperations;

// Runs every phase of the setup in order; 1 when they all succeeded, 0 when one ended the
// setup.
int RunSetupPhases(HWND mainWindow);

// Which exit dialog to offer: 2 (restart or shut down only) when something installed
// needs a restart, else 3 (also "Return to Windows").
int32_t DecideExitMode();

// The exit step: the exit dialog or the failure message, releasing what the session holds,
// then the uninstaller, a shut-down or a restart as chosen. Ends with the quit message.
void RunExitStep(HWND mainWindow, bool succeeded);

// The command that starts the uninstaller for an exit choice (0, 1 or 2).
void UninstallerCommand(int exitChoice, char (&command)[300]);
