// control.inf: the Control Panel learns the country of each chosen layout that the package
// provides; the file is kept as control.old first.
#include "base/handles.h"
#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "dialogs/layout_table.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "sysconfig/sysconfig.h"

namespace {

void SystemFile(UINT nameId, char (&path)[260]) {
    CopyText(path, g_session.systemDir);
    AppendText(path, ResourceText<32>(nameId));
}

UniqueLzFile OpenLz(const char* path, WORD mode) {
    OFSTRUCT opened;
    ClearBytes(&opened, sizeof opened);
    return UniqueLzFile(LZOpenFileA(const_cast<char*>(path), &opened, mode));
}

// control.old beside control.inf; false when control.inf cannot be opened.
bool BackUpControlInf(const char* controlInf) {
    UniqueLzFile from = OpenLz(controlInf, OF_READ);
    if (from.Get() < 0) return false;
    char backup[260];
    SystemFile(IDS_CONTROL_OLD, backup);
    UniqueHFile to(CreateListedFile(backup));  // under its own name only, whatever its length
    if (to) LZCopy(from.Get(), static_cast<INT>(to.Get()));
    return true;
}

enum class CountryKeyResult { Made, NoCountry, TooLong };

// The key for a country line: "Name", "fields 2 to 21!RUS". NoCountry when the line has no
// "!" or nothing after it; TooLong when the key does not fit whole, as cut it would lose
// its closing quote and leave a malformed line.
CountryKeyResult CountryKey(const char* line, char (&key)[setupinf::kControlInfKeySize]) {
    const char* bang = FindChar(line, '!');
    if (!bang || !bang[1]) return CountryKeyResult::NoCountry;
    // The "!" goes; quotes, comma, blank and "!RUS" come: nine characters more than the line.
    if (TextLength(line) + 9 >= sizeof key) return CountryKeyResult::TooLong;
    char name[120];
    size_t length = static_cast<size_t>(bang - line);
    CopyText(name, length + 1 < sizeof name ? length + 1 : sizeof name, line);
    CopyText(key, "\"");
    AppendText(key, name);
    AppendText(key, "\", \"");
    AppendText(key, bang + 1);
    AppendText(key, "!RUS\"");
    return CountryKeyResult::Made;
}

void AddCountryOf(const LayoutRecord& layout, const char* controlInf) {
    SetupSession& s = g_session;
    char provided[1024];
    if (ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_LAYOUTS_KVOX), layout.name, nullptr,
                         provided) == 0)
        return;
    char line[setupinf::kListValueSize], key[setupinf::kControlInfKeySize];
    ResourceText<32> country(IDS_SECTION_COUNTRY);
    ReadProfileValue(s.setupInfPath, country, layout.countryKey, nullptr, line);
    CountryKeyResult made = CountryKey(line, key);
    if (made == CountryKeyResult::TooLong) {
        char note[80];
        CopyText(note, "Country line of ");
        AppendText(note, layout.countryKey);
        AppendText(note, " too long for CONTROL.INF, skipped.");
        LogLine(note);
    }
    if (made != CountryKeyResult::Made) return;
    ListProfileWrite(controlInf, country, key, " ");
    WriteProfileValueOrReport(controlInf, country, key, " ");
}

}  // namespace

int EditControlInf() {
    SetupSession& s = g_session;
    char controlInf[260];
    SystemFile(IDS_CONTROL_INF, controlInf);
    if (s.uninstallEnabled && !BackUpControlInf(controlInf)) return 0;
    GlobalLockScope<LayoutRecord> table(s.layoutTable);
    if (!table) {
        ReportLayoutTableNotLocked();
        return 0;
    }
    for (int32_t i = 0; i < s.layoutCount; ++i) AddCountryOf(table.Get()[i], controlInf);
    return 1;
}
