// SETUPOPTIONS: the components, the DOS code page and the layout switch; the way to the
// layouts and fonts dialogs.
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

OptionsState& StateOf(HWND dialog) { return DialogState<OptionsState>(dialog); }

// A component box and the field it stands for.
struct ComponentBox {
    int id;
    int32_t SetupSession::*field;
};

constexpr ComponentBox kComponentBoxes[] = {
    {IDC_OPTION_LAYOUTS, &SetupSession::layouts},
    {IDC_OPTION_FONTS, &SetupSession::fonts},
    {IDC_OPTION_APPLICATIONS, &SetupSession::applications},
    {IDC_OPTION_KDK_SAMPLE, &SetupSession::developersKitSample},
    {IDC_OPTION_PROGRAM_FILES, &SetupSession::programFiles},
};

constexpr int kGreyBoxes[] = {IDC_OPTION_LAYOUTS, IDC_OPTION_FONTS, IDC_OPTION_APPLICATIONS, IDC_OPTION_KDK_SAMPLE,
                              IDC_OPTION_PROGRAM_FILES};

void ShowComponents(HWND dialog) {
    for (const ComponentBox& box : kComponentBoxes)
        CheckDlgButton(dialog, box.id, static_cast<UINT>(g_session.*box.field));
}

int32_t BoxState(HWND dialog, int id) { return static_cast<int32_t>(IsDlgButtonChecked(dialog, id)); }

// Selects the country's own entry in "DOS Code Page": the name is member 1 of the
// country's [country] line. False after a reported failure.
bool SelectCountryEntry(HWND dialog, const char* fallback) {
    SetupSession& s = g_session;
    char line[1024];
    ResourceText<32> countrySection(IDS_SECTION_COUNTRY);
    if (ReadProfileValue(s.setupInfPath, countrySection, s.countryKey, fallback, line) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, s.countryKey, countrySection.Get());
        return false;
    }
    char name[128];
    if (!GetListMember(line, 1, name, "!", true)) return false;
    StateOf(dialog).rememberedCountry = SelectByName(GetDlgItem(dialog, IDC_OPTION_DOS_CODE_PAGE), name);
    return true;
}

// The layout switch list keeps the file's order: its combo box is not sorted.
bool FillLayoutSwitches(HWND dialog, const char* fallback) {
    HWND switches = GetDlgItem(dialog, IDC_OPTION_LAYOUT_SWITCH);
    if (!FillComboFromSection(switches, ResourceText<32>(IDS_SECTION_HOTKEY), fallback, g_session.setupInfPath))
        return false;
    StateOf(dialog).rememberedHotKey = SelectByName(switches, g_session.hotKey);
    return true;
}

void OnOpen(HWND dialog) {
    g_session.dialogResult = 0;
    ShowComponents(dialog);
    ResourceText<16> fallback(g_session.countryStepDefault);
    if (!FillComboFromSection(GetDlgItem(dialog, IDC_OPTION_DOS_CODE_PAGE), ResourceText<32>(IDS_SECTION_COUNTRY_KEY),
                              fallback, g_session.setupInfPath) ||
        !SelectCountryEntry(dialog, fallback) || !FillLayoutSwitches(dialog, fallback)) {
        EndWizardDialog(dialog, 0);
    }
}

// A click steps a box through its states; the third state comes only from the layouts or
// fonts dialog, so a click that reaches it empties the box.
void OnComponentClicked(HWND dialog, int box, int button) {
    UINT state = IsDlgButtonChecked(dialog, box);
    if (state == BST_INDETERMINATE) {
        CheckDlgButton(dialog, box, BST_UNCHECKED);
        state = BST_UNCHECKED;
    }
    EnableButton(dialog, button, state == BST_CHECKED);
}

FontChoices CurrentFontChoices() {
    const SetupSession& s = g_session;
    return {s.systemFonts, s.screenFonts, s.trueTypeFonts, s.plotterFonts, s.printerFonts};
}

void UseFontChoices(const FontChoices& choices) {
    SetupSession& s = g_session;
    s.systemFonts = choices.systemFonts;
    s.screenFonts = choices.screenFonts;
    s.trueTypeFonts = choices.trueTypeFonts;
    s.plotterFonts = choices.plotterFonts;
    s.printerFonts = choices.printerFonts;
}

bool AnyFontSet(const FontChoices& c) {
    return c.systemFonts || c.screenFonts || c.trueTypeFonts || c.plotterFonts || c.printerFonts;
}

// Fonts ticked while no font set is chosen (Continue cleared them, or none was chosen in
// the fonts dialog) brings back the sets set aside, else the defaults: a ticked box
// installs fonts.
void OnFontsClicked(HWND dialog) {
    OnComponentClicked(dialog, IDC_OPTION_FONTS, IDC_OPTION_FONTS_BUTTON);
    if (IsDlgButtonChecked(dialog, IDC_OPTION_FONTS) != BST_CHECKED || AnyFontSet(CurrentFontChoices())) return;
    if (AnyFontSet(g_session.fontsSetAside)) {
        UseFontChoices(g_session.fontsSetAside);
        g_session.fontsSetAside = FontChoices{};
        return;
    }
    SetCountryFontDefaults();
    g_session.trueTypeFonts = 1;
}

// Runs the layouts or fonts dialog: OK marks the component as chosen there, an exit
// confirmed there ends the setup.
void OnComponentDialog(HWND dialog, uint16_t (*run)(), int box, int32_t SetupSession::*field) {
    uint16_t result = run();
    if (result == 2) {
        EndWizardDialog(dialog, 0);
        return;
    }
    if (result == 1) g_session.*field = 2;
    CheckDlgButton(dialog, box, static_cast<UINT>(g_session.*field));
    SetFocus(dialog);
}

void StoreComponents(HWND dialog) {
    SetupSession& s = g_session;
    for (const ComponentBox& box : kComponentBoxes) s.*box.field = BoxState(dialog, box.id);
    if (s.fonts != 0) return;
    // Kept for Fonts ticked again when the options come back.
    if (AnyFontSet(CurrentFontChoices())) s.fontsSetAside = CurrentFontChoices();
    UseFontChoices(FontChoices{});
}

// The DOS code page of the country chosen in "DOS Code Page": member 2 of its
// [default.setup] list. False after a failed read.
bool StoreDosCodePage(HWND dialog) {
    SetupSession& s = g_session;
    char country[128];
    ComboEntryText(GetDlgItem(dialog, IDC_OPTION_DOS_CODE_PAGE), StateOf(dialog).rememberedCountry, country);
    ResourceText<32> countryKeys(IDS_SECTION_COUNTRY_KEY);
    if (ReadProfileValue(s.setupInfPath, countryKeys, country, nullptr, s.dosCodePage) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, country, countryKeys.Get());
        return false;
    }
    char defaults[1024];
    ResourceText<32> defaultSetup(IDS_SECTION_DEFAULT_SETUP);
    if (ReadProfileValue(s.setupInfPath, defaultSetup, s.dosCodePage, nullptr, defaults) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, s.dosCodePage, defaultSetup.Get());
        return false;
    }
    // Without a second member the country key read above stays.
    GetListMember(defaults, 2, s.dosCodePage, ",", true);
    return true;
}

void OnContinue(HWND dialog) {
    if (!IsButtonEnabled(dialog, IDC_OPTION_CONTINUE)) return;
    StoreComponents(dialog);
    if (!StoreDosCodePage(dialog)) {
        EndWizardDialog(dialog, 0);
        return;
    }
    ComboEntryText(GetDlgItem(dialog, IDC_OPTION_LAYOUT_SWITCH), StateOf(dialog).rememberedHotKey,
                   g_session.chosenHotKey);
    EndWizardDialog(dialog, 1);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_OPTION_LAYOUTS:
        if (code == BN_CLICKED) OnComponentClicked(dialog, id, IDC_OPTION_LAYOUTS_BUTTON);
        break;
    case IDC_OPTION_FONTS:
        if (code == BN_CLICKED) OnFontsClicked(dialog);
        break;
    case IDC_OPTION_LAYOUTS_BUTTON:
        OnComponentDialog(dialog, RunLayoutsDialog, IDC_OPTION_LAYOUTS, &SetupSession::layouts);
        break;
    case IDC_OPTION_FONTS_BUTTON:
        OnComponentDialog(dialog, RunFontsDialog, IDC_OPTION_FONTS, &SetupSession::fonts);
        break;
    case IDC_OPTION_DOS_CODE_PAGE:
        if (IsComboChoice(dialog, id, code)) StateOf(dialog).rememberedCountry = CurrentEntry(GetDlgItem(dialog, id));
        break;
    case IDC_OPTION_LAYOUT_SWITCH:
        if (IsComboChoice(dialog, id, code)) StateOf(dialog).rememberedHotKey = CurrentEntry(GetDlgItem(dialog, id));
        break;
    case IDC_OPTION_BACK:
        EndWizardDialog(dialog, 2);
        break;
    case IDC_OPTION_EXIT:
        if (ConfirmExit(dialog)) EndWizardDialog(dialog, 0);
        break;
    case IDC_OPTION_CONTINUE:
        OnContinue(dialog);
        break;
    }
}

constexpr WizardDialog kSetupOptions = {
    IDS_CAPTION_OPTIONS, true, kGreyBoxes, sizeof kGreyBoxes / sizeof kGreyBoxes[0], OnOpen, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK SetupOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kSetupOptions, dialog, message, wParam, lParam);
}

uint16_t RunSetupOptionsDialog() {
    OptionsState state;
    return RunWizardDialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state);
}
