// The real operations that the phase sequencer and the exit step call.
#include "app/phases.h"

#include "copy/copy.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "progman/progman.h"
#include "setupinfo/setup_info.h"
#include "setupinfo/surveys.h"
#include "sysconfig/sysconfig.h"

namespace {

UINT StartProgram(const char* command, UINT show) { return WinExec(command, show); }

BOOL EndWindowsSession(UINT flags) { return ExitWindowsEx(flags, 0); }

// A constant table: the program has no start-up code that would fill it at run time.
constexpr PhaseOperations kDefaultOperations{
    .locateSetupInformationFile = LocateSetupInformationFile,
    .readInstallFlags = ReadInstallFlags,
    .welcomeDialog = RunWelcomeDialog,
    .countryDialog = RunSetupDirDialog,
    .readCountryDefaults = ReadCountryDefaults,
    .surveyPrinters = SurveyPrinters,
    .loadLayoutTable = LoadLayoutTable,
    .isAlreadyInstalled = IsAlreadyInstalled,
    .optionsDialog = RunSetupOptionsDialog,
    .checkDiskSpace = CheckDiskSpace,
    .copyPackageFiles = CopyPackageFiles,
    .updateSystemInformation = UpdateSystemInformation,
    .saveLayoutsToProfile = SaveLayoutsToProfile,
    .createProgmanGroups = CreateProgmanGroups,
    .exitDialog = RunExitDialog,
    .startProgram = StartProgram,
    .exitWindows = EndWindowsSession,
};

}  // namespace

PhaseOperations DefaultPhaseOperations() { return kDefaultOperations; }

constinit PhaseOperations g_phaseOperations = kDefaultOperations;
