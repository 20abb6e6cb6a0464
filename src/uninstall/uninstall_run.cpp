// One uninstallation: the steps in order under a progress dialog, the log, and the
// messages that tell the user how it ended.
#include "uninstall/uninstall_run.h"

#include <initializer_list>

#include "base/exported.h"
#include "base/handles.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "base/windowing.h"
#include "resources/resource_ids.h"
#include "uninstall/uninstall.h"

namespace {

struct Step {
    const char* text;
    void (*run)(const UninstallRecord& record, ListUndo& undo, UninstallTally& tally);
};

// The package's programs hold their files open while they run: they are asked to close,
// again while one is left (each request reaches the first window found), for a few seconds.
void CloseProgramsStep(const UninstallRecord&, ListUndo&, UninstallTally&) {
    for (int waited = 0; ResidentProgramsRunning() && waited < 50; ++waited) {
        CloseResidentPrograms();
        Sleep(100);
    }
}

// From the list of what the setup wrote: values first, files last.
constexpr Step kListSteps[] = {
    {"Closing K-VOX programs...", CloseProgramsStep},
    {"Handing over to a later installation...", HandOverShared},
    {"Restoring win.ini, system.ini, control.inf and the registry...", UndoValues},
    {"Removing Progman group and icons...", UndoProgmanItems},
    {"Removing files...", UndoFiles},
};

// A record from a setup that kept no list: what it saved, and the files it can prove are
// the package's.
constexpr Step kRecordSteps[] = {
    {"Closing K-VOX programs...", CloseProgramsStep},
    {"Restoring win.ini and system.ini...",
     [](const UninstallRecord& record, ListUndo&, UninstallTally& tally) { RestoreProfileValues(record, tally); }},
    {"Restoring registry values...",
     [](const UninstallRecord& record, ListUndo&, UninstallTally& tally) { RestoreRegistryValues(record, tally); }},
    {"Restoring control.inf...",
     [](const UninstallRecord&, ListUndo&, UninstallTally& tally) { RestoreControlInf(tally); }},
    {"Removing Progman group and icons...",
     [](const UninstallRecord& record, ListUndo&, UninstallTally& tally) { RemoveProgmanItems(record, tally); }},
    {"Removing files...",
     [](const UninstallRecord& record, ListUndo&, UninstallTally& tally) { RemovePackageFiles(record, tally); }},
    {"Removing K-VOX records from k-vox.ini...",
     [](const UninstallRecord& record, ListUndo&, UninstallTally& tally) { RemoveProductProfileRecords(record, tally); }},
};

template <size_t N>
constexpr int CountOf(const Step (&)[N]) { return static_cast<int>(N); }

int g_stepsDone = 0;
int g_stepCount = 1;

void DrawGauge(const DRAWITEMSTRUCT& item) {
    const RECT& bar = item.rcItem;
    HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(item.hDC, GetStockObject(LTGRAY_BRUSH));
    Rectangle(item.hDC, bar.left, bar.top, bar.right, bar.bottom);
    SelectObject(item.hDC, oldBrush);
    SelectObject(item.hDC, oldPen);
    RECT done = {bar.left + 1, bar.top + 1, bar.left + 1 + (bar.right - bar.left - 2) * g_stepsDone / g_stepCount,
                 bar.bottom - 1};
    UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 128)));
    FillRect(item.hDC, &done, blue.Get());
}

// Nothing pumps messages while the steps run, so the dialog is repainted at once.
void ShowStep(HWND progress, const char* text) {
    if (!progress) return;
    SetDlgItemTextA(progress, IDC_UNINSTALL_STEP, text);
    InvalidateRect(GetDlgItem(progress, IDC_UNINSTALL_GAUGE), nullptr, FALSE);
    UpdateWindow(progress);
}

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK UninstallProgressProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_DRAWITEM) {
        DrawGauge(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return FALSE;
}

void OpenUninstallLog(const char* programDir) {
    ResourceText<32> name(IDS_UNINSTALL_LOG_NAME);
    for (const char* directory : {programDir, static_cast<const char*>(g_session.windowsDir)}) {
        JoinPath(g_session.logPath, directory, name);
        if (!FileExists(g_session.logPath)) UniqueHFile created(_lcreat(g_session.logPath, 0));
        if (AppendLogLine(g_session.logPath, "K-VOX Uninstall")) return;
    }
    g_session.logPath[0] = '\0';
    g_session.loggingEnabled = 0;
}

bool ReportRecordProblem(const UninstallRecord& record) {
    switch (record.state) {
    case RecordState::Missing:
        LogLine("No uninstall record: nothing was changed. ", record.path);
        ShowMessage(nullptr, MB_ICONHAND, IDS_UNINSTALL_NO_RECORD, record.path);
        return true;
    case RecordState::Damaged:
        LogLine("The uninstall record is damaged: nothing was changed. ", record.path);
        ShowMessage(nullptr, MB_ICONHAND, IDS_UNINSTALL_DAMAGED, record.path, ResourceText<128>(record.problem).Get());
        return true;
    case RecordState::Disabled:
        LogLine("The uninstall record says Enabled=No: nothing was changed.");
        ShowMessage(nullptr, MB_ICONEXCLAMATION, IDS_UNINSTALL_NOT_ENABLED);
        return true;
    case RecordState::Enabled:
        break;
    }
    return false;
}

UninstallTally RunUninstallSteps(const UninstallRecord& record) {
    LogLine("Uninstalling K-VOX from ", record.directory);
    ListUndo undo;
    bool fromList = record.hasList && PrepareListUndo(record, undo);
    if (!fromList)
        LogLine("No list of what Setup wrote lies beside the record: only what can be proven K-VOX's is removed.");
    const Step* steps = fromList ? kListSteps : kRecordSteps;
    g_stepCount = fromList ? CountOf(kListSteps) : CountOf(kRecordSteps);
    HWND progress = CreateDialogParamA(g_session.instance, IDD_UNINSTALL_PROGRESS, nullptr, UninstallProgressProc, 0);
    UninstallTally tally;
    tally.refused = fromList ? undo.own.Unreadable() : 0;
    g_stepsDone = 0;
    for (int i = 0; i < g_stepCount; ++i) {
        LogLine(steps[i].text);
        ShowStep(progress, steps[i].text);
        steps[i].run(record, undo, tally);
        ++g_stepsDone;
    }
    if (fromList) FinishListUndo(record, undo, tally);
    FinishUninstallRecord(record, tally);
    const char* ending = tally.failed ? "Uninstall not complete." : "Uninstall complete.";
    ShowStep(progress, ending);
    if (progress) DestroyWindow(progress);

    char summary[160];
    wsprintfA(summary, "Restored %d, removed %d, left %d, refused %d, failed %d.", tally.restored, tally.removed,
              tally.left, tally.refused, tally.failed);
    LogLine(summary);
    LogLine(ending);
    if (tally.failed) ShowMessage(nullptr, MB_ICONEXCLAMATION, IDS_UNINSTALL_INCOMPLETE, tally.failed, g_session.logPath);
    else if (tally.refused) ShowMessage(nullptr, MB_ICONEXCLAMATION, IDS_UNINSTALL_REFUSED, tally.refused, g_session.logPath);
    return tally;
}

UninstallExit ParseUninstallSwitches(const char* commandLine) {
    UninstallExit exit = UninstallExit::Ask;
    for (const char* c = commandLine; *c; ++c) {
        if ((*c != '/' && *c != '-') || (c > commandLine && c[-1] != ' ')) continue;
        char letter = static_cast<char>(c[1] | 0x20);
        if (c[1] == '\0' || (c[2] != '\0' && c[2] != ' ')) continue;
        if (letter == 'd') exit = UninstallExit::ShutDown;
        else if (letter == 'r') exit = UninstallExit::Restart;
        else if (letter == 'w') exit = UninstallExit::ReturnToWindows;
    }
    return exit;
}
