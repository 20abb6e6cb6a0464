// What the wizard's dialogs share: launching, results, captions, colours, the exit
// question, selecting an entry by name.
#pragma once

#include <windows.h>

#include <cstdint>

// Runs a dialog modally, owned by the main window, repaints the main window and returns
// what the dialog ended with (-1 when it could not be made).
INT_PTR RunOwnedDialog(const char* templateName, DLGPROC procedure);

// The same, returning the session's dialogResult.
uint16_t RunWizardDialog(const char* templateName, DLGPROC procedure);

// Stores the result in dialogResult and ends the dialog with it.
void EndWizardDialog(HWND dialog, uint16_t result);

// Replaces the template's caption with a string-table text when the session asks for it.
void SetWizardCaption(HWND dialog, UINT captionId);

// The grey of the wizard for the dialog itself and its static texts, and, when
// `editsAndLists` is set, for message boxes, edit fields and list boxes. Returns the brush
// for a colour message it handles, else 0.
INT_PTR WizardControlColour(UINT message, WPARAM wParam, bool editsAndLists);

// Asks "Do you want to exit from K-VOX Setup?"; true on OK. On Cancel the dialog gets the
// focus back and stays.
bool ConfirmExit(HWND dialog);

// Selects the entry whose text equals `name` (letter case ignored), else the first that
// begins with it. Returns its index, or -1 when none matches (the selection stays).
int SelectByName(HWND control, const char* name);

// The font size code of the system and screen fonts: "HI4" for large fonts, else "HI2";
// "HI2" on a screen at most 480 pixels high, "HI1" at most 350.
void ApplyFontSizeRule(bool large, char (&fontSizeCode)[4]);
