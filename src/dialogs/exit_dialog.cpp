// EXITSETUP and EXITSETUP3: restart, shut down or (in EXITSETUP3) return to Windows.
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

namespace {

void OnCommand(HWND dialog, int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_EXIT_RETURN:
        EndWizardDialog(dialog, kReturnToWindows);
        break;
    case IDC_EXIT_SHUT_DOWN:
        EndWizardDialog(dialog, kShutDown);
        break;
    case IDC_EXIT_REBOOT:
        EndWizardDialog(dialog, kRestart);
        break;
    }
}

// Closing the window returns to Windows.
constexpr WizardDialog kExit = {IDS_SETUP_TITLE_FALLBACK, true, nullptr, 0, nullptr, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK ExitDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kExit, dialog, message, wParam, lParam);
}

int RunExitDialog(int32_t exitMode) {
    INT_PTR choice = RunOwnedDialog(exitMode == 3 ? IDD_EXITSETUP3 : IDD_EXITSETUP, ExitDlgProc);
    return choice < 0 ? kReturnToWindows : static_cast<int>(choice);
}
