// Country settings: win.ini [intl] from the chosen country's line in setup1.inf, the old
// section saved whole first.
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"
#include "sysconfig/sysconfig.h"

namespace {

// Country keys are three Latin letters: only A to Z change.
void LowerLatin(char* text) {
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text - 'A' + 'a');
}

}  // namespace

int UpdateCountrySettings() {
    SetupSession& s = g_session;
    ResourceText<32> winIni(IDS_WIN_INI);
    ResourceText<32> intl(IDS_SECTION_INTL);
    if (s.uninstallEnabled) {
        if (s.loggingEnabled) LogConfigLine("Saving all entries in", intl);
        SaveProfileSection(intl, ResourceText<32>(IDS_SAVED_INTL), s.uninstallRecordPath);
    }
    char language[8];
    CopyText(language, s.countryKey);
    LowerLatin(language);
    if (!WriteConfigEntry(winIni, intl, ResourceText<32>(IDS_KEY_INTL_FIRST), language)) return 0;

    char line[setupinf::kListValueSize];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_COUNTRY), s.countryKey, nullptr, line);
    for (int field = 1; field <= setupinf::kCountryFields; ++field) {
        char value[setupinf::kShortValueSize];
        if (!GetListMember(line, field, value, "!", true)) return 0;
        if (!WriteConfigEntry(winIni, intl, ResourceText<32>(IDS_KEY_INTL_FIRST + field), value)) return 0;
    }
    return 1;
}
