// The phases of the setup, from finding setup1.inf to the Program Manager group, with the
// wizard's three loops back.
#include <initializer_list>

#include "app/phases.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "base/windowing.h"
#include "progress/progress.h"
#include "resources/resource_ids.h"

namespace {

enum class WizardOutcome { Ready, Back, Failed };

const PhaseOperations& Ops() { return g_phaseOperations; }

bool IsWindowsOnNetworkDrive() {
    char root[4];
    CopyText(root, g_session.windowsDir);
    return GetDriveTypeA(root) == DRIVE_REMOTE;
}

bool RunCountryStep() {
    if (g_session.askCountryAndPath) return Ops().countryDialog() != 0;
    return Ops().readCountryDefaults(g_session.defaultUserCountry) != 0;
}

void NotePrinters() {
    int32_t printers = Ops().surveyPrinters();
    if (printers == 9 || printers == 33) g_session.ninePinPrintersPresent = 1;
    if (printers == 24 || printers == 33) g_session.twentyFourPinPrintersPresent = 1;
}

bool UserAcceptsNoUninstall() {
    return ShowMessage(nullptr, MB_YESNO | MB_ICONASTERISK | MB_DEFBUTTON2, IDS_UNINSTALL_DISABLED) == kAnswerYes;
}

// The options, the uninstall decision and the free-space check, repeated until copying
// may start.
WizardOutcome RunOptionsSteps() {
    SetupSession& s = g_session;
    for (;;) {
        if (s.askSetupOptions) {
            uint16_t result = Ops().optionsDialog();
            if (result == 0) return WizardOutcome::Failed;
            if (result == 2) return WizardOutcome::Back;
        }
        s.uninstallEnabled = !s.alreadyInstalled && s.programFiles && s.layouts && s.fonts;
        if (!s.alreadyInstalled && !s.uninstallEnabled && !UserAcceptsNoUninstall()) continue;
        CopyText(s.uninstallRecordPath, s.destinationDir);
        AppendText(s.uninstallRecordPath, ResourceText<32>(IDS_UNINSTALL_RECORD_NAME));
        if (!Ops().checkDiskSpace()) {
            s.askSetupOptions = 1;
            continue;
        }
        return WizardOutcome::Ready;
    }
}

// The wizard: the country, the surveys and the options, until copying may start.
bool RunWizard() {
    for (;;) {
        if (!RunCountryStep()) return false;
        NotePrinters();
        Ops().loadLayoutTable();
        g_session.alreadyInstalled = Ops().isAlreadyInstalled();
        switch (RunOptionsSteps()) {
        case WizardOutcome::Ready: return true;
        case WizardOutcome::Failed: return false;
        case WizardOutcome::Back: g_session.askCountryAndPath = 1; break;
        }
    }
}

// Creates every missing level of the destination directory; an existing one is fine.
void CreateDestinationDirectory() {
    char path[260];
    CopyText(path, g_session.destinationDir);
    RemoveTrailingBackslash(path);
    for (char* cursor = path; *cursor; ++cursor) {
        if (*cursor != '\\' || cursor == path || cursor[-1] == ':') continue;
        *cursor = '\0';
        CreateDirectoryA(path, nullptr);
        *cursor = '\\';
    }
    CreateDirectoryA(path, nullptr);
}

void StartLog() {
    if (!g_session.loggingEnabled) return;
    CreateSetupLog(g_session.destinationDir);
    if (g_session.loggingEnabled) WriteLogHeader();
}

void AskWhetherToReplace() {
    if (!g_session.alreadyInstalled) return;
    g_session.replaceOldFiles =
        ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION, IDS_ALREADY_INSTALLED) == kAnswerYes ? 1 : 0;
}

// The installation itself: directory, log, copying, configuration, profile, groups.
bool Install(HWND mainWindow) {
    CreateDestinationDirectory();
    StartLog();
    AskWhetherToReplace();
    LogLine("Begin copying...");
    if (!Ops().copyPackageFiles()) {
        LogLine("Copying not complete.");
        return false;
    }
    LogLine("Copying complete.");
    if (!Ops().updateSystemInformation()) {
        LogLine("Updating system information not complete.");
        return false;
    }
    LogLine("Updating system information complete.");
    LogLine("Editing K-VOX.INI...");
    Ops().saveLayoutsToProfile();
    LogLine("Editing K-VOX.INI complete.");
    ShowWindow(ProgressWindow(), SW_HIDE);
    ShowWindow(BillboardWindow(), SW_HIDE);
    UpdateWindow(mainWindow);
    g_session.exitMode = DecideExitMode();
    if (!Ops().createProgmanGroups()) LogLine("Creating Progman group not complete.");
    return true;
}

}  // namespace

int32_t DecideExitMode() {
    const SetupSession& s = g_session;
    if (s.screenFonts || s.printerFonts || s.programFiles || s.printerDriversToUpdate > 0 ||
        (s.layouts && s.replaceOldFiles))
        return 2;
    if (LeadingNumber(s.dosCodePage) != s.currentDosCodePage) return 2;
    return 3;
}

int RunSetupPhases(HWND mainWindow) {
    SetupSession& s = g_session;
    UpdateWindow(mainWindow);
    if (!Ops().locateSetupInformationFile(mainWindow)) return 0;
    Ops().readInstallFlags(s.setupInfPath);
    if (s.expressSetup) {
        s.askSetupOptions = 0;
        s.showWelcomeDialog = 0;
    }
    if (s.showWelcomeDialog && Ops().welcomeDialog() == 0) return 0;
    CloseResidentPrograms();
    if (IsWindowsOnNetworkDrive()) return 0;
    if (!RunWizard()) return 0;
    return Install(mainWindow) ? 1 : 0;
}
