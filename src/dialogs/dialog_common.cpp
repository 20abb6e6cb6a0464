// Traits shared by the wizard's dialogs.
#include "dialogs/dialog_common.h"

#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

bool IsCombo(HWND control) {
    char className[16];
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "ComboBox") == 0;
}

}  // namespace

INT_PTR RunOwnedDialog(const char* templateName, DLGPROC procedure) {
    INT_PTR result = DialogBoxParamA(g_session.instance, templateName, g_session.mainWindow, procedure, 0);
    if (g_session.mainWindow) UpdateWindow(g_session.mainWindow);
    return result;
}

uint16_t RunWizardDialog(const char* templateName, DLGPROC procedure) {
    g_session.dialogResult = 0;  // also the result when the dialog cannot be made
    if (RunOwnedDialog(templateName, procedure) == -1) g_session.dialogResult = 0;
    return g_session.dialogResult;
}

void EndWizardDialog(HWND dialog, uint16_t result) {
    g_session.dialogResult = result;
    EndDialog(dialog, result);
}

void SetWizardCaption(HWND dialog, UINT captionId) {
    if (!g_session.fallbackCaptions) return;
    char caption[128];
    LoadText(captionId, caption);
    SetWindowTextA(dialog, caption);
}

INT_PTR WizardControlColour(UINT message, WPARAM wParam, bool editsAndLists) {
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (!editsAndLists) return 0;
        break;
    default:
        return 0;
    }
    SetBkColor(reinterpret_cast<HDC>(wParam), kSetupGrey);
    return reinterpret_cast<INT_PTR>(SetupGreyBrush());
}

bool ConfirmExit(HWND dialog) {
    if (ShowMessage(dialog, MB_OKCANCEL | MB_ICONQUESTION, IDS_CONFIRM_EXIT) == kAnswerOk) return true;
    SetFocus(dialog);
    return false;
}

int SelectByName(HWND control, const char* name) {
    bool combo = IsCombo(control);
    auto message = [combo](UINT comboMessage, UINT listMessage) { return combo ? comboMessage : listMessage; };
    int index = static_cast<int>(
        SendMessageA(control, message(CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT), -1, reinterpret_cast<LPARAM>(name)));
    if (index < 0)
        index = static_cast<int>(
            SendMessageA(control, message(CB_FINDSTRING, LB_FINDSTRING), -1, reinterpret_cast<LPARAM>(name)));
    if (index < 0) return -1;
    SendMessageA(control, message(CB_SETCURSEL, LB_SETCURSEL), index, 0);
    return index;
}

void ApplyFontSizeRule(bool large, char (&fontSizeCode)[4]) {
    UINT code = large ? IDS_FONT_SIZE_HI4 : IDS_FONT_SIZE_HI2;
    int height = GetSystemMetrics(SM_CYSCREEN);
    if (height <= 480) code = IDS_FONT_SIZE_HI2;
    if (height <= 350) code = IDS_FONT_SIZE_HI1;
    LoadText(code, fontSizeCode);
}
