// What the wizard's dialogs share: one message handler that every dialog procedure hands
// its messages to, launching, results, captions, colours, the exit question, selecting an
// entry by name, and the font size rule.
#pragma once

#include <windows.h>

#include <cstdint>

// What makes one wizard dialog: its handlers and the traits that differ between dialogs.
// Each dialog's state is reached through its user data (the launcher's lParam).
struct WizardDialog {
    UINT captionId;                         // string used when the session asks for fallback captions
    bool greyEditsAndLists;                 // message boxes, edit fields and list boxes drawn grey too
    const int* greyButtons;                 // check and group boxes given the grey brush
    int greyButtonCount;
    void (*onOpen)(HWND dialog);            // after the caption is set; may end the dialog; may be null
    void (*onCommand)(HWND dialog, int id, int code);
    void (*onPaint)(HWND dialog, HDC dc);   // may be null
};

// The whole of a wizard dialog procedure: opening, commands, painting, closing (result 0),
// and the grey colours.
INT_PTR HandleWizardMessage(const WizardDialog& kind, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The state that the launcher handed to the dialog.
template <typename State>
State& DialogState(HWND dialog) {
    return *reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Runs a dialog modally, owned by the innermost open wizard dialog or the main window,
// repaints the main window and returns what the dialog ended with (-1 when it could not
// be made).
INT_PTR RunOwnedDialog(const char* templateName, DLGPROC procedure, void* state = nullptr);

// The same, returning the session's dialogResult (0 when the dialog could not be made).
uint16_t RunWizardDialog(const char* templateName, DLGPROC procedure, void* state = nullptr);

// Stores the result in dialogResult and ends the dialog with it.
void EndWizardDialog(HWND dialog, uint16_t result);

// Asks "Do you want to exit from K-VOX Setup?"; true on OK. On Cancel the dialog gets the
// focus back and stays.
bool ConfirmExit(HWND dialog);

// OK, Continue and the like act only while their button is enabled.
bool IsButtonEnabled(HWND dialog, int id);
void EnableButton(HWND dialog, int id, bool enable);

// Selects the entry of a list or combo box whose text equals `name` (letter case ignored),
// else the first that begins with it. Returns its index, or -1 when none matches (the
// selection stays).
int SelectByName(HWND control, const char* name);

// The same without changing the selection: only the index is found.
int FindByName(HWND control, const char* name);

// The text of entry `index` of a combo box; `remembered` -1 takes the entry shown.
// Returns false (and an empty text) when there is no such entry.
bool ComboEntryText(HWND combo, int remembered, char* text, int size);
template <size_t N>
bool ComboEntryText(HWND combo, int remembered, char (&text)[N]) {
    return ComboEntryText(combo, remembered, text, static_cast<int>(N));
}

// The index of the entry a combo box shows now, after the user confirmed a choice.
int CurrentEntry(HWND combo);

// True for the notifications that tell that the user settled on an entry of a combo box:
// the end of a choice, or a change made while the list is closed (with the arrow keys).
// Moving through the open list is not a choice yet.
bool IsComboChoice(HWND dialog, int comboId, int code);

// The size class of the system and screen fonts for a screen of that height: "HI4" for
// large fonts, else "HI2"; "HI2" at most 480 pixels high, "HI1" at most 350.
void FontSizeCodeFor(bool large, int screenHeight, char (&fontSizeCode)[4]);

