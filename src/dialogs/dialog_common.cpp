// Traits shared by the wizard's dialogs.
#include "dialogs/dialog_common.h"

#include "base/handles.h"
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

void SetWizardCaption(HWND dialog, UINT captionId) {
    if (!g_session.fallbackCaptions) return;
    char caption[128];
    LoadText(captionId, caption);
    SetWindowTextA(dialog, caption);
}

bool IsGreyButton(const WizardDialog& kind, HWND control) {
    int id = GetDlgCtrlID(control);
    for (int i = 0; i < kind.greyButtonCount; ++i)
        if (kind.greyButtons[i] == id) return true;
    return false;
}

bool IsButtonControl(HWND control) {
    char className[16];
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Button") == 0;
}

// The dialog and its static texts are grey; check and group boxes (which ask with the
// static texts' message) only where the dialog names them.
bool WantsGrey(const WizardDialog& kind, UINT message, HWND control) {
    switch (message) {
    case WM_CTLCOLORDLG:
        return true;
    case WM_CTLCOLORSTATIC:
        return !IsButtonControl(control) || IsGreyButton(kind, control);
    case WM_CTLCOLORBTN:
        return IsGreyButton(kind, control);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return kind.greyEditsAndLists;
    default:
        return false;
    }
}

INT_PTR OnOpen(const WizardDialog& kind, HWND dialog, LPARAM state) {
    SetWindowLongPtrA(dialog, DWLP_USER, state);
    EnterDialogOwner(dialog);
    SetWizardCaption(dialog, kind.captionId);
    if (kind.onOpen) kind.onOpen(dialog);
    SetFocus(dialog);
    return FALSE;  // the focus is set
}

}  // namespace

INT_PTR HandleWizardMessage(const WizardDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnOpen(kind, dialog, lParam);
    case WM_COMMAND:
        kind.onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_PAINT:
        if (!kind.onPaint) return FALSE;
        {
            PaintScope paint(dialog);
            kind.onPaint(dialog, paint.Dc());
        }
        return TRUE;
    case WM_CLOSE:
        EndWizardDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        LeaveDialogOwner(dialog);
        return FALSE;
    default:
        if (!WantsGrey(kind, message, reinterpret_cast<HWND>(lParam))) return FALSE;
        SetBkColor(reinterpret_cast<HDC>(wParam), kSetupGrey);
        return reinterpret_cast<INT_PTR>(SetupGreyBrush());
    }
}

INT_PTR RunOwnedDialog(const char* templateName, DLGPROC procedure, void* state) {
    INT_PTR result = DialogBoxParamA(g_session.instance, templateName, DialogOwner(), procedure,
                                     reinterpret_cast<LPARAM>(state));
    if (g_session.mainWindow) UpdateWindow(g_session.mainWindow);
    return result;
}

uint16_t RunWizardDialog(const char* templateName, DLGPROC procedure, void* state) {
    g_session.dialogResult = 0;
    if (RunOwnedDialog(templateName, procedure, state) == -1) g_session.dialogResult = 0;
    return g_session.dialogResult;
}

void EndWizardDialog(HWND dialog, uint16_t result) {
    g_session.dialogResult = result;
    EndDialog(dialog, result);
}

bool ConfirmExit(HWND dialog) {
    if (ShowMessage(dialog, MB_OKCANCEL | MB_ICONQUESTION, IDS_CONFIRM_EXIT) == kAnswerOk) return true;
    SetFocus(dialog);
    return false;
}

bool IsButtonEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void EnableButton(HWND dialog, int id, bool enable) { EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE); }

int FindByName(HWND control, const char* name) {
    bool combo = IsCombo(control);
    // Every entry begins with an empty name: the first one is taken.
    if (!name[0]) return SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0) > 0 ? 0 : -1;
    auto find = [&](UINT comboMessage, UINT listMessage) {
        return static_cast<int>(
            SendMessageA(control, combo ? comboMessage : listMessage, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(name)));
    };
    int index = find(CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT);
    if (index < 0) index = find(CB_FINDSTRING, LB_FINDSTRING);
    return index < 0 ? -1 : index;
}

int SelectByName(HWND control, const char* name) {
    int index = FindByName(control, name);
    if (index >= 0) SendMessageA(control, IsCombo(control) ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    return index;
}

bool ComboEntryText(HWND combo, int remembered, char* text, int size) {
    text[0] = '\0';
    int index = remembered >= 0 ? remembered : CurrentEntry(combo);
    if (index < 0) return false;
    char entry[1024];  // an entry longer than the caller's buffer is cut to it
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length >= static_cast<LRESULT>(sizeof entry)) return false;
    if (SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry)) == CB_ERR) return false;
    CopyText(text, static_cast<size_t>(size), entry);
    return true;
}

int CurrentEntry(HWND combo) {
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

bool IsComboChoice(HWND dialog, int comboId, int code) {
    if (code == CBN_SELENDOK) return true;
    return code == CBN_SELCHANGE && !SendMessageA(GetDlgItem(dialog, comboId), CB_GETDROPPEDSTATE, 0, 0);
}

void FontSizeCodeFor(bool large, int screenHeight, char (&fontSizeCode)[4]) {
    UINT code = large ? IDS_FONT_SIZE_HI4 : IDS_FONT_SIZE_HI2;
    if (screenHeight <= 480) code = IDS_FONT_SIZE_HI2;
    if (screenHeight <= 350) code = IDS_FONT_SIZE_HI1;
    LoadText(code, fontSizeCode);
}
