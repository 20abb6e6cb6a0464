// WELCOME: what the setup will do; Continue or Exit.
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

namespace {

void OnCommand(HWND dialog, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == IDC_WELCOME_CONTINUE) EndWizardDialog(dialog, 1);
    else if (id == IDC_WELCOME_EXIT) EndWizardDialog(dialog, 0);
}

// Only the dialog and its texts are drawn grey.
constexpr WizardDialog kWelcome = {IDS_CAPTION_WELCOME, false, nullptr, 0, nullptr, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kWelcome, dialog, message, wParam, lParam);
}

uint16_t RunWelcomeDialog() { return RunWizardDialog(IDD_WELCOME, WelcomeDlgProc); }
