// The exit step of the main window: the exit dialog or the failure message, releasing
// what the session holds, and the uninstaller, a shut-down or a restart.
#include "app/phases.h"
#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

namespace {

int ChooseExit(HWND mainWindow, bool succeeded) {
    if (!succeeded) {
        LogLine("Setup failed.");
        ShowMessage(nullptr, MB_ICONEXCLAMATION, IDS_SETUP_CANCELLED);
        return kReturnToWindows;
    }
    SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (!g_session.askRestartOrReturn) return kRestart;
    return g_phaseOperations.exitDialog(g_session.exitMode);
}

void ReleaseLayoutTable() {
    HGLOBAL table = g_session.layoutTable;
    if (!table) return;
    while (GlobalFlags(table) & GMEM_LOCKCOUNT) GlobalUnlock(table);
    if (GlobalFree(table) != nullptr) {
        MessageBoxA(GetFocus(), ResourceText<32>(IDS_NO_FREE_HANDLE), ResourceText<32>(IDS_NO_FREE_HANDLE_CAPTION),
                    MB_ICONSTOP);
    }
    g_session.layoutTable = nullptr;
}

template <typename Handle>
void DeleteGdiObject(Handle& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}

void ReleaseGdiObjects() {
    SetupSession& s = g_session;
    DeleteGdiObject(s.gaugeBrush);
    DeleteGdiObject(s.gaugePen);
    DeleteGdiObject(s.greyBrush);
    DeleteGdiObject(s.cornerPicture);
    DeleteGdiObject(s.logoPicture);
    DeleteGdiObject(s.countryPicture);
    DeleteGdiObject(s.diskPicture);
    for (HBITMAP& picture : s.billboardPictures) DeleteGdiObject(picture);
}

void LeaveAsChosen(int exitChoice) {
    if (g_session.runUninstallerAtExit) {
        char command[300];
        UninstallerCommand(exitChoice, command);
        g_phaseOperations.startProgram(command, SW_SHOW);
        return;
    }
    if (exitChoice == kShutDown) g_phaseOperations.exitWindows(EWX_SHUTDOWN);
    else if (exitChoice == kRestart) g_phaseOperations.exitWindows(EWX_REBOOT);
}

}  // namespace

void UninstallerCommand(int exitChoice, char (&command)[300]) {
    char program[280];
    CopyText(program, g_session.destinationDir);
    AppendText(program, "uninst.exe");
    // A directory with blanks needs quotes to stay one argument.
    bool quote = FindChar(program, ' ') != nullptr;
    CopyText(command, quote ? "\"" : "");
    AppendText(command, program);
    AppendText(command, quote ? "\"" : "");
    AppendText(command, exitChoice == kShutDown ? " /d" : exitChoice == kRestart ? " /r" : " /w");
}

void RunExitStep(HWND mainWindow, bool succeeded) {
    CloseInstallList();
    int exitChoice = ChooseExit(mainWindow, succeeded);
    LogLine("Releasing allocated memory...");
    ReleaseLayoutTable();
    ReleaseGdiObjects();
    LogLine("Exiting Setup...");
    LeaveAsChosen(exitChoice);
    if (g_session.packageFontPath[0]) RemoveFontResourceA(g_session.packageFontPath);
    if (g_session.setupInfOnDisk[0]) DeleteFileA(g_session.setupInfPath);  // the copy read from a floppy
    PostQuitMessage(0);
}
