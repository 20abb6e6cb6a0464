// SETUPDIR: the user's country and the destination directory; and the same settings made
// without asking.
#include "base/message_dialog.h"
#include "base/paths.h"
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

void ProposeDestination() {
    CopyText(g_session.destinationDir, g_session.windowsDir);
    AppendText(g_session.destinationDir, "KVOX\\");
}

// countryKey from [Country Key], then systemFontsCodePage from member 1 of the country's
// [default.setup] list; both read with `fallback`. False after a reported failure.
bool ReadCountrySettings(const char* country, const char* fallback) {
    SetupSession& s = g_session;
    if (ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_COUNTRY_KEY), country, fallback,
                         s.countryKey) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_NATION, SetupInfNameShown());
        return false;
    }
    char defaults[1024];
    ResourceText<32> defaultSetup(IDS_SECTION_DEFAULT_SETUP);
    if (ReadProfileValue(s.setupInfPath, defaultSetup, s.countryKey, fallback, defaults) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, s.countryKey, defaultSetup.Get());
        return false;
    }
    return GetListMember(defaults, 1, s.systemFontsCodePage, ",", true) != 0;
}

void ShowDestination(HWND dialog) { SetDlgItemTextA(dialog, IDC_DESTINATION_EDIT, g_session.destinationDir); }

void OnOpen(HWND dialog) {
    g_session.countryStepDefault = IDS_NOT_FOUND;
    HWND countries = GetDlgItem(dialog, IDC_COUNTRY_LIST);
    if (!FillComboFromSection(countries, ResourceText<32>(IDS_SECTION_COUNTRY_KEY), ResourceText<32>(IDS_NOT_FOUND),
                              g_session.setupInfPath)) {
        EndWizardDialog(dialog, 0);
        return;
    }
    DialogState<SetupDirState>(dialog).rememberedCountry = SelectByName(countries, g_session.defaultUserCountry);
    ProposeDestination();
    ShowDestination(dialog);
    // Room for the final backslash that OK adds.
    SendMessageA(GetDlgItem(dialog, IDC_DESTINATION_EDIT), EM_LIMITTEXT, sizeof g_session.destinationDir - 2, 0);
}

void OnDestinationChanged(HWND dialog) {
    GetDlgItemTextA(dialog, IDC_DESTINATION_EDIT, g_session.destinationDir, sizeof g_session.destinationDir);
    EnableButton(dialog, IDOK, TextLength(g_session.destinationDir) >= 2);
}

bool EndsWithKvox(const char* path) {
    constexpr size_t kSuffix = 5;  // "KVOX\"
    size_t length = TextLength(path);
    return length >= kSuffix && lstrcmpiA(path + length - kSuffix, "KVOX\\") == 0;
}

void OnBrowse(HWND dialog) {
    SetupSession& s = g_session;
    CopyText(s.messageBuffer, s.windowsDir);
    if (RunDriveDirDialog() == 1) {
        CopyText(s.destinationDir, s.messageBuffer);
        AddTrailingBackslash(s.destinationDir);
        if (!EndsWithKvox(s.destinationDir)) AppendText(s.destinationDir, "KVOX\\");
    }
    SetFocus(dialog);
    ShowDestination(dialog);
}

void OnOk(HWND dialog) {
    // Every directory of the session ends with a backslash, also one typed without it.
    AddTrailingBackslash(g_session.destinationDir);
    char country[128];
    ComboEntryText(GetDlgItem(dialog, IDC_COUNTRY_LIST), DialogState<SetupDirState>(dialog).rememberedCountry, country);
    EndWizardDialog(dialog, ReadCountrySettings(country, ResourceText<32>(IDS_NOT_FOUND)) ? 1 : 0);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_DESTINATION_EDIT:
        if (code == EN_CHANGE) OnDestinationChanged(dialog);
        break;
    case IDC_COUNTRY_LIST:
        if (IsComboChoice(dialog, id, code))
            DialogState<SetupDirState>(dialog).rememberedCountry = CurrentEntry(GetDlgItem(dialog, IDC_COUNTRY_LIST));
        break;
    case IDC_BROWSE:
        if (code == BN_CLICKED) OnBrowse(dialog);
        break;
    case IDOK:
        OnOk(dialog);
        break;
    case IDC_SETUPDIR_EXIT:
        EndWizardDialog(dialog, 0);
        break;
    }
}

void OnPaint(HWND dialog, HDC dc) { DrawPictureInFrame(dialog, IDC_NATION_FRAME, dc, g_session.countryPicture); }

constexpr WizardDialog kSetupDir = {IDS_SETUP_TITLE_FALLBACK, true, nullptr, 0, OnOpen, OnCommand, OnPaint};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK SetupDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kSetupDir, dialog, message, wParam, lParam);
}

uint16_t RunSetupDirDialog() {
    SetupDirState state;
    return RunWizardDialog(IDD_SETUPDIR, SetupDirDlgProc, &state);
}

int ReadCountryDefaults(const char* country) {
    g_session.countryStepDefault = IDS_DEFAULT_COUNTRY_KEY;
    ProposeDestination();
    return ReadCountrySettings(country, ResourceText<8>(IDS_DEFAULT_COUNTRY_KEY)) ? 1 : 0;
}
