// The real operations that the phase sequencer and the exit step call.
#include "app/phases.h"

#include "copy/copy.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "progman/progman.h"
#include "setupinfo/setup_info.h"
#include "setupinfo/surveys.h"
#include "sysconfig/sysconfig.h"

PhaseOperations DefaultPhaseOperations() {
    PhaseOperations operations{};
    operations.locateSetupInformationFile = LocateSetupInformationFile;
    operations.readInstallFlags = ReadInstallFlags;
    operations.welcomeDialog = RunWelcomeDialog;
    operations.countryDialog = RunSetupDirDialog;
    operations.readCountryDefaults = ReadCountryDefaults;
    operations.surveyPrinters = SurveyPrinters;
    operations.loadLayoutTable = LoadLayoutTable;
    operations.isAlreadyInstalled = IsAlreadyInstalled;
    operations.optionsDialog = RunSetupOptionsDialog;
    operations.checkDiskSpace = CheckDiskSpace;
    operations.copyPackageFiles = CopyPackageFiles;
    operations.updateSystemInformation = UpdateSystemInformation;
    operations.saveLayoutsToProfile = SaveLayoutsToProfile;
    operations.createProgmanGroups = CreateProgmanGroups;
    operations.exitDialog = RunExitDialog;
    operations.startProgram = [](const char* command, UINT show) { return WinExec(command, show); };
    operations.exitWindows = [](UINT flags) { return ExitWindowsEx(flags, 0); };
    return operations;
}

PhaseOperations g_phaseOperations = DefaultPhaseOperations();
