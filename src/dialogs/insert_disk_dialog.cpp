// INSERTDISK: asks for a disk, or for the directory that holds the package's files. The
// label comes in the session's value buffer; the confirmed path goes back in the message
// buffer, ending with a backslash.
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "base/windowing.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"

namespace {

void ShowPath(HWND dialog) { SetDlgItemTextA(dialog, IDC_DISK_PATH, g_session.messageBuffer); }

// The path first offered: the directory confirmed before, else the first key of
// [SetupDisk], else "A:\".
void OfferSourcePath() {
    SetupSession& s = g_session;
    if (s.sourceDirKnown) {
        CopyText(s.messageBuffer, s.sourceDir);
        return;
    }
    ReadKeyList(s.setupInfPath, ResourceText<32>(IDS_SECTION_SETUP_DISK), "A:\\", s.messageBuffer);
}

void OnOpen(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_DISK_LABEL, g_session.valueBuffer);
    OfferSourcePath();
    ShowPath(dialog);
    // Room for the final backslash that OK adds.
    SendMessageA(GetDlgItem(dialog, IDC_DISK_PATH), EM_LIMITTEXT, sizeof g_session.messageBuffer - 2, 0);
}

void OnPathChanged(HWND dialog) {
    GetDlgItemTextA(dialog, IDC_DISK_PATH, g_session.messageBuffer, sizeof g_session.messageBuffer);
    EnableButton(dialog, IDOK, TextLength(g_session.messageBuffer) >= 2);
}

void OnBrowse(HWND dialog) {
    SetupSession& s = g_session;
    char offered[sizeof s.messageBuffer];
    CopyText(offered, s.messageBuffer);
    CopyText(s.messageBuffer, s.destinationDir);
    if (RunDriveDirDialog() == 1) AddTrailingBackslash(s.messageBuffer);
    else CopyText(s.messageBuffer, offered);
    SetFocus(dialog);
    ShowPath(dialog);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_DISK_PATH:
        if (code == EN_CHANGE) OnPathChanged(dialog);
        break;
    case IDC_BROWSE:
        if (code == BN_CLICKED) OnBrowse(dialog);
        break;
    case IDOK:
        AddTrailingBackslash(g_session.messageBuffer);
        EndWizardDialog(dialog, 1);
        break;
    case IDCANCEL:
        if (ConfirmExit(dialog)) EndWizardDialog(dialog, 0);
        break;
    }
}

void OnPaint(HWND dialog, HDC dc) { DrawPictureInFrame(dialog, IDC_DISK_FRAME, dc, g_session.diskPicture); }

constexpr WizardDialog kInsertDisk = {IDS_SETUP_TITLE_FALLBACK, true, nullptr, 0, OnOpen, OnCommand, OnPaint};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK SourceDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kInsertDisk, dialog, message, wParam, lParam);
}

uint16_t RunInsertDiskDialog() { return RunWizardDialog(IDD_INSERTDISK, SourceDirDlgProc); }
