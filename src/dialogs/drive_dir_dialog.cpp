// DRIVEDIR: a directory picker over the system's directory-list operations. The start
// path comes in the session's message buffer and the chosen path goes back there.
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

namespace {

DriveDirState& StateOf(HWND dialog) { return DialogState<DriveDirState>(dialog); }

// Lists the subdirectories of the working path; with `showPath` the path field moves to
// the directory listed. The operation changes the current directory, so a directory picked
// from the list ("name\" or "..\") is taken relative to the one listed last.
bool ListDirectories(HWND dialog, bool showPath) {
    char path[260];  // the operation writes into its argument
    CopyText(path, StateOf(dialog).workingPath);
    return DlgDirListA(dialog, path, IDC_DRIVEDIR_DIRECTORIES, showPath ? IDC_DRIVEDIR_PATH : 0,
                       DDL_DIRECTORY | DDL_EXCLUSIVE) != 0;
}

void ReportBadPath(HWND dialog) {
    ShowMessage(nullptr, MB_ICONHAND, IDS_DIR_NOT_VALID, StateOf(dialog).workingPath);
}

void OnOpen(HWND dialog) {
    SetupSession& s = g_session;
    DriveDirState& state = StateOf(dialog);
    char pattern[8] = "*";
    if (!DlgDirListComboBoxA(dialog, pattern, IDC_DRIVEDIR_DRIVES, 0, DDL_DRIVES | DDL_EXCLUSIVE)) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_DRIVE_NOT_VALID, "*");
        EndWizardDialog(dialog, 0);
        return;
    }
    CopyText(state.workingPath, s.messageBuffer);
    RemoveTrailingBackslash(state.workingPath);
    EnableButton(dialog, IDOK, TextLength(state.workingPath) >= 2);
    if (!ListDirectories(dialog, true)) {
        ReportBadPath(dialog);
        EndWizardDialog(dialog, 0);
        return;
    }
    char drive[6] = "[-?-]";
    drive[2] = s.messageBuffer[0];
    state.listedDrive = SelectByName(GetDlgItem(dialog, IDC_DRIVEDIR_DRIVES), drive);
    // Room for the final backslash that the callers add.
    SendMessageA(GetDlgItem(dialog, IDC_DRIVEDIR_PATH), EM_LIMITTEXT, sizeof s.messageBuffer - 2, 0);
}

void OnOk(HWND dialog) {
    if (!IsButtonEnabled(dialog, IDOK)) return;
    GetDlgItemTextA(dialog, IDC_DRIVEDIR_PATH, g_session.messageBuffer, sizeof g_session.messageBuffer);
    CharUpperA(g_session.messageBuffer);
    EndWizardDialog(dialog, 1);
}

void OnPathChanged(HWND dialog) {
    DriveDirState& state = StateOf(dialog);
    GetDlgItemTextA(dialog, IDC_DRIVEDIR_PATH, state.workingPath, sizeof state.workingPath);
    if (!ListDirectories(dialog, false)) {
        MessageBeep(0);
        ReportBadPath(dialog);
        EnableButton(dialog, IDOK, false);
    }
    char drive[16];
    if (DlgDirSelectComboBoxExA(dialog, drive, sizeof drive, IDC_DRIVEDIR_DRIVES))
        EnableButton(dialog, IDOK, TextLength(drive) >= 2);
}

// One pick brings more than one notification (the end of the choice and the change of
// selection): the drive is listed once per pick.
void OnDriveChosen(HWND dialog) {
    DriveDirState& state = StateOf(dialog);
    int drive = CurrentEntry(GetDlgItem(dialog, IDC_DRIVEDIR_DRIVES));
    if (drive == state.listedDrive) return;
    state.listedDrive = drive;
    DlgDirSelectComboBoxExA(dialog, state.workingPath, sizeof state.workingPath, IDC_DRIVEDIR_DRIVES);
    if (!ListDirectories(dialog, true)) ReportBadPath(dialog);
}

void OnDirectoryList(HWND dialog, int code) {
    DriveDirState& state = StateOf(dialog);
    if (code == LBN_SELCHANGE) {
        DlgDirSelectExA(dialog, state.workingPath, sizeof state.workingPath, IDC_DRIVEDIR_DIRECTORIES);
    } else if (code == LBN_DBLCLK) {
        if (!ListDirectories(dialog, true)) ReportBadPath(dialog);
    }
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        break;
    case IDCANCEL:
        EndWizardDialog(dialog, 0);
        break;
    case IDC_DRIVEDIR_PATH:
        if (code == EN_CHANGE) OnPathChanged(dialog);
        break;
    case IDC_DRIVEDIR_DRIVES:
        // Opening the list begins a new pick, which may be of the drive listed last: a path
        // typed since, or a disk put in.
        if (code == CBN_DROPDOWN) StateOf(dialog).listedDrive = -1;
        else if (IsComboChoice(dialog, id, code)) OnDriveChosen(dialog);
        break;
    case IDC_DRIVEDIR_DIRECTORIES:
        OnDirectoryList(dialog, code);
        break;
    }
}

constexpr WizardDialog kDriveDir = {IDS_CAPTION_DRIVEDIR, true, nullptr, 0, OnOpen, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK DriveDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kDriveDir, dialog, message, wParam, lParam);
}

uint16_t RunDriveDirDialog() {
    // Listing moves the current directory; a relative source directory must not follow it.
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    DriveDirState state;
    uint16_t result = RunWizardDialog(IDD_DRIVEDIR, DriveDirDlgProc, &state);
    SetCurrentDirectoryA(current);
    return result;
}
