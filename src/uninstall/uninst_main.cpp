// Entry of uninst.exe: the record beside the program, the question, the run and the way out.
#include <windows.h>

#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"
#include "setupinfo/setup_info.h"
#include "uninstall/uninstall.h"
#include "uninstall/uninstall_run.h"

namespace {

int ChooseExit(UninstallExit exit) {
    switch (exit) {
    case UninstallExit::ShutDown: return kShutDown;
    case UninstallExit::Restart: return kRestart;
    case UninstallExit::ReturnToWindows: return kReturnToWindows;
    case UninstallExit::Ask: break;
    }
    return RunExitDialog(3);
}

void LeaveAsChosen(int choice) {
    if (choice == kShutDown) {
        LogLine("Shutting down.");
        ExitWindowsEx(EWX_SHUTDOWN, 0);
    } else if (choice == kRestart) {
        LogLine("Restarting Windows.");
        ExitWindowsEx(EWX_REBOOT, 0);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_session.instance = instance;
    g_session.programTitle = IDS_UNINSTALL_TITLE;
    if (!IsWindows95OrRefuse(instance, IDS_UNINSTALL_REQUIRES_WINDOWS95, IDS_UNINSTALL_TITLE)) return 0;
    SetErrorMode(SEM_FAILCRITICALERRORS);
    FillRegistryLocations(g_session);
    if (!FindWindowsDirectories(g_session)) return 0;
    UninstallExit exit = ParseUninstallSwitches(commandLine);

    char programDir[260];
    GetProgramDirectory(programDir);
    OpenUninstallLog(programDir);
    UninstallRecord record;
    ReadUninstallRecord(programDir, record);
    if (ReportRecordProblem(record)) {
        // Started by the setup to shut down or restart, it does so whatever the record says.
        if (exit != UninstallExit::Ask) LeaveAsChosen(ChooseExit(exit));
        return 0;
    }
    if (exit == UninstallExit::Ask && ShowMessage(nullptr, MB_YESNO | MB_ICONQUESTION, IDS_UNINSTALL_QUESTION) != kAnswerYes) {
        LogLine("Uninstall cancelled: nothing was changed.");
        return 0;
    }
    RunUninstallSteps(record);
    LeaveAsChosen(ChooseExit(exit));
    return 0;
}
