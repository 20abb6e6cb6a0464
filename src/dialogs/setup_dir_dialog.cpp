// SETUPDIR: the user's country and the destination directory; and the same settings made
// without asking.
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

void ProposeDestination() {
    CopyText(g_session.destinationDir, g_session.windowsDir);
    AppendText(g_session.destinationDir, "KVOX\\");
}

}  // namespace

int ReadCountryDefaults(const char* country) {
    SetupSession& s = g_session;
    s.countryStepDefault = IDS_DEFAULT_COUNTRY_KEY;
    ProposeDestination();
    ResourceText<8> fallback(IDS_DEFAULT_COUNTRY_KEY);
    if (ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_COUNTRY_KEY), country, fallback,
                         s.countryKey) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_NATION, s.setupInfPath);
        return 0;
    }
    char defaults[1024];
    ResourceText<32> defaultSetup(IDS_SECTION_DEFAULT_SETUP);
    if (ReadProfileValue(s.setupInfPath, defaultSetup, s.countryKey, fallback, defaults) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_STRING, s.countryKey, defaultSetup.Get());
        return 0;
    }
    return GetListMember(defaults, 1, s.systemFontsCodePage, ",", true);
}

// Placeholder until the country dialog is built: the country step is taken silently.
uint16_t RunSetupDirDialog() {
    g_session.dialogResult = ReadCountryDefaults(g_session.defaultUserCountry) ? 1 : 0;
    return g_session.dialogResult;
}
