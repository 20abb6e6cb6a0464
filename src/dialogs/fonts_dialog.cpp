// FONTS: the Cyrillic font sets to install, and the code page and size of the system fonts.
// Nothing is stored before OK.
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "base/windowing.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

FontsState& StateOf(HWND dialog) { return DialogState<FontsState>(dialog); }

constexpr int kGreyBoxes[] = {IDC_FONTS_PRINTER, IDC_FONTS_TRUETYPE};

// A font box and the field it shows and stores.
struct FontBox {
    int id;
    int32_t SetupSession::*field;
};

constexpr FontBox kFontBoxes[] = {
    {IDC_FONTS_SYSTEM, &SetupSession::systemFonts},
    {IDC_FONTS_SCREEN, &SetupSession::screenFonts},
    {IDC_FONTS_PLOTTER, &SetupSession::plotterFonts},
    {IDC_FONTS_TRUETYPE, &SetupSession::trueTypeFonts},
};

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void ShowFontSize(HWND dialog) {
    bool large = lstrcmpA(g_session.fontSizeCode, ResourceText<8>(IDS_FONT_SIZE_HI4)) == 0;
    CheckRadioButton(dialog, IDC_FONTS_SMALL, IDC_FONTS_LARGE, large ? IDC_FONTS_LARGE : IDC_FONTS_SMALL);
    if (ScreenHeight() <= 480) EnableButton(dialog, IDC_FONTS_LARGE, false);
}

// Selects the description of the system fonts' code page. False after a reported failure.
bool ShowCodePage(HWND dialog, const char* fallback) {
    SetupSession& s = g_session;
    HWND codePages = GetDlgItem(dialog, IDC_FONTS_CODE_PAGE);
    if (!FillComboFromSection(codePages, ResourceText<32>(IDS_SECTION_CODEPAGE_NUMBER), fallback, s.setupInfPath))
        return false;
    char description[120];
    ResourceText<32> section(IDS_SECTION_CODEPAGE_DESCRIPTION);
    if (ReadProfileValue(s.setupInfPath, section, s.systemFontsCodePage, fallback, description) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, s.systemFontsCodePage, section.Get());
        return false;
    }
    StateOf(dialog).rememberedCodePage = SelectByName(codePages, description);
    return true;
}

void OnOpen(HWND dialog) {
    SetupSession& s = g_session;
    for (const FontBox& box : kFontBoxes) CheckDlgButton(dialog, box.id, s.*box.field ? BST_CHECKED : BST_UNCHECKED);
    ShowFontSize(dialog);
    if (!ShowCodePage(dialog, ResourceText<16>(s.countryStepDefault))) {
        EndWizardDialog(dialog, 0);
        return;
    }
    // The box shows whether a printer font set is chosen; the session keeps its value
    // until OK, so that Cancel changes nothing.
    bool printerFonts = s.twentyFourPinPrinterFonts || s.ninePinPrinterFonts;
    EnableButton(dialog, IDC_FONTS_PRINTER, true);
    CheckDlgButton(dialog, IDC_FONTS_PRINTER, printerFonts ? BST_CHECKED : BST_UNCHECKED);
}

// Which printer font sets go with the printers found; asks when none was found.
void StorePrinterFonts(HWND dialog) {
    SetupSession& s = g_session;
    s.printerFonts = IsChecked(dialog, IDC_FONTS_PRINTER) ? 1 : 0;
    s.twentyFourPinPrinterFonts = 0;
    s.ninePinPrinterFonts = 0;
    if (!s.printerFonts) return;
    if (!s.ninePinPrintersPresent && !s.twentyFourPinPrintersPresent &&
        ShowMessage(dialog, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDS_NO_DOT_MATRIX_PRINTERS) == kAnswerYes) {
        s.twentyFourPinPrinterFonts = 1;
        s.ninePinPrinterFonts = 1;
    }
    if (s.ninePinPrintersPresent) s.ninePinPrinterFonts = 1;
    if (s.twentyFourPinPrintersPresent) s.twentyFourPinPrinterFonts = 1;
}

// The code page of the chosen description. False after a reported failure.
bool StoreCodePage(HWND dialog) {
    SetupSession& s = g_session;
    char description[128];
    ComboEntryText(GetDlgItem(dialog, IDC_FONTS_CODE_PAGE), StateOf(dialog).rememberedCodePage, description);
    ResourceText<32> section(IDS_SECTION_CODEPAGE_NUMBER);
    // Five characters: a code page of at most four digits.
    if (ReadProfileValue(s.setupInfPath, section, description, ResourceText<16>(s.countryStepDefault),
                         s.systemFontsCodePage, 5) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, description, section.Get());
        return false;
    }
    return true;
}

void OnOk(HWND dialog) {
    if (!IsButtonEnabled(dialog, IDOK)) return;
    SetupSession& s = g_session;
    s.trueTypeFonts = IsChecked(dialog, IDC_FONTS_TRUETYPE) ? 1 : 0;
    StorePrinterFonts(dialog);
    for (const FontBox& box : kFontBoxes) s.*box.field = IsChecked(dialog, box.id) ? 1 : 0;
    FontSizeCodeFor(IsChecked(dialog, IDC_FONTS_LARGE), ScreenHeight(), s.fontSizeCode);
    EndWizardDialog(dialog, StoreCodePage(dialog) ? 1 : 0);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_FONTS_CODE_PAGE:
        if (IsComboChoice(dialog, id, code)) StateOf(dialog).rememberedCodePage = CurrentEntry(GetDlgItem(dialog, id));
        break;
    case IDOK:
        OnOk(dialog);
        break;
    case IDCANCEL:
        EndWizardDialog(dialog, 0);
        break;
    case IDC_WIZARD_EXIT:
        if (ConfirmExit(dialog)) EndWizardDialog(dialog, 2);
        break;
    }
}

constexpr WizardDialog kFonts = {
    IDS_CAPTION_FONTS, true, kGreyBoxes, sizeof kGreyBoxes / sizeof kGreyBoxes[0], OnOpen, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK FontsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kFonts, dialog, message, wParam, lParam);
}

uint16_t RunFontsDialog() {
    FontsState state;
    return RunWizardDialog(IDD_FONTS, FontsDlgProc, &state);
}
