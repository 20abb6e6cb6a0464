// The setup's own message dialog, used for every question and error in place of the
// system message box. Styles are built like the system message box's styles.
#pragma once

#include <windows.h>

#include "base/exported.h"

// Button set 7 of the style, which the system message box lacks.
constexpr UINT MB_YESYESTOALLNO = 0x00000007;

// Answers: the number of the button pressed.
enum MessageAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerAbort = 3,
    kAnswerRetry = 4,
    kAnswerIgnore = 5,
    kAnswerYes = 6,
    kAnswerNo = 7,
    kAnswerYesToAll = 8,
};

// What one message dialog shows, and the layout that its initialisation works out
// and its painting uses.
struct MessageDialogRequest {
    const char* text = "";
    const char* title = nullptr;  // none: the template's caption stays
    const char* fontFace = "";
    UINT style = 0;

    // Filled at initialisation.
    int buttonSet = 0;
    int buttonCount = 1;
    LPCSTR icon = nullptr;  // system icon id, or none
    int iconExtent = 0;
    RECT textRect{};
    LOGFONTA font{};
    int defaultButtonId = 1;
};

// Loads string `stringId`, formats it with the arguments (wvsprintfA rules) and shows it
// titled with the setup's title. `owner` is not used: see DialogOwner.
int ShowMessage(HWND owner, UINT style, UINT stringId, ...);

// Shows a ready text; returns the answer.
int ShowMessageText(const char* text, const char* title, const char* fontFace, UINT style);

// The owner of every message and dialog the setup opens: the innermost open wizard dialog,
// so that a dialog cannot be clicked under its own question, else the main window (none
// before it exists). Wizard dialogs enter themselves when they open and leave when they go.
HWND DialogOwner();
void EnterDialogOwner(HWND dialog);
void LeaveDialogOwner(HWND dialog);

KVOX_EXPORTED INT_PTR CALLBACK MessageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
