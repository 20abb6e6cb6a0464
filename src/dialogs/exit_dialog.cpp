// EXITSETUP and EXITSETUP3: restart, shut down or (in EXITSETUP3) return to Windows.
#include "base/session.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

namespace {

void EndExitDialog(HWND dialog, int choice) {
    g_session.dialogResult = static_cast<uint16_t>(choice);
    EndDialog(dialog, choice);
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_EXIT_RETURN:
        EndExitDialog(dialog, kReturnToWindows);
        return TRUE;
    case IDC_EXIT_SHUT_DOWN:
        EndExitDialog(dialog, kShutDown);
        return TRUE;
    case IDC_EXIT_REBOOT:
        EndExitDialog(dialog, kRestart);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK ExitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        SetWizardCaption(dialog, IDS_SETUP_TITLE_FALLBACK);
        SetFocus(dialog);
        return FALSE;
    case WM_COMMAND:
        return HIWORD(wParam) == BN_CLICKED ? OnCommand(dialog, LOWORD(wParam)) : FALSE;
    case WM_CLOSE:
        EndExitDialog(dialog, kReturnToWindows);
        return TRUE;
    default:
        return WizardControlColour(message, wParam, true);
    }
}

int RunExitDialog(int32_t exitMode) {
    INT_PTR choice = RunOwnedDialog(exitMode == 3 ? IDD_EXITSETUP3 : IDD_EXITSETUP, ExitDlgProc);
    return choice < 0 ? kReturnToWindows : static_cast<int>(choice);
}
