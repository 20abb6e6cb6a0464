// WELCOME: what the setup will do; Continue or Exit.
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"

KVOX_EXPORTED INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        SetWizardCaption(dialog, IDS_CAPTION_WELCOME);
        SetFocus(dialog);
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (LOWORD(wParam) == IDC_WELCOME_CONTINUE) EndWizardDialog(dialog, 1);
        else if (LOWORD(wParam) == IDC_WELCOME_EXIT) EndWizardDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndWizardDialog(dialog, 0);
        return TRUE;
    default:
        return WizardControlColour(message, wParam, false);
    }
}

uint16_t RunWelcomeDialog() { return RunWizardDialog(IDD_WELCOME, WelcomeDlgProc); }
