// The keyboard layout table: the country's default layouts and defaults, and the record of
// the chosen layouts in the product profile.
#include "base/handles.h"
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "base/windowing.h"
#include "dialogs/dialog_common.h"
#include "dialogs/layout_table.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

constexpr int kFirstLayoutMember = 6;

// The default list of the chosen country in [default.setup]; 0 when nothing is read.
DWORD ReadCountryDefaultList(char (&list)[1024]) {
    return ReadProfileValue(g_session.setupInfPath, ResourceText<32>(IDS_SECTION_DEFAULT_SETUP), g_session.countryKey,
                            ResourceText<16>(g_session.countryStepDefault), list);
}

bool CreateLayoutTable() {
    if (g_session.layoutTable) return true;
    g_session.layoutTable = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(LayoutRecord));
    if (g_session.layoutTable) return true;
    ShowMessage(nullptr, MB_ICONHAND, IDS_NO_MEMORY, "Alloc hLang");
    return false;
}

// Fills the table from member 6 of the default list on; layoutCount counts the layouts read.
bool ReadDefaultLayouts(const char* list) {
    SetupSession& s = g_session;
    s.layoutCount = 0;
    bool found;
    {
        GlobalLockScope<LayoutRecord> table(s.layoutTable);
        if (!table) return ReportLayoutTableNotLocked();
        table.Get()[0] = LayoutRecord{};
        found = GetListMember(list, kFirstLayoutMember, table.Get()[0].name, ",", false) != 0;
    }
    while (found) {
        s.layoutCount++;
        if (!ResizeLayoutTable(static_cast<size_t>(s.layoutCount) + 1, "ReAlloc hLang")) return false;
        GlobalLockScope<LayoutRecord> table(s.layoutTable);
        if (!table) return ReportLayoutTableNotLocked();
        // A block that shrinks or keeps its size keeps its old bytes: the new last record
        // is cleared here.
        table.Get()[s.layoutCount] = LayoutRecord{};
        LayoutRecord& newest = table.Get()[s.layoutCount - 1];
        char value[setupinf::kShortValueSize];
        if (ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_KEYBOARD_LAYOUTS), newest.name, nullptr,
                             value) == 0) {
            ShowMessage(nullptr, MB_ICONHAND, IDS_NO_LAYOUT_FOR_NATION, newest.name);
            return false;
        }
        if (!GetListMember(value, 5, newest.countryKey, ",", true)) return false;
        found = GetListMember(list, kFirstLayoutMember + s.layoutCount, table.Get()[s.layoutCount].name, ",",
                              false) != 0;
    }
    return true;
}

// The country's font sets from its default list: member 3 turns the screen and plotter
// fonts on or off.
void SetFontDefaults(const char* list, bool reportErrors) {
    SetupSession& s = g_session;
    char fontsMember[120] = "";
    GetListMember(list, 3, fontsMember, ",", reportErrors);
    int32_t fonts = LeadingNumber(fontsMember);
    s.screenFonts = fonts;
    s.plotterFonts = fonts;
    s.systemFonts = 1;
    s.twentyFourPinPrinterFonts = 0;
    s.ninePinPrinterFonts = 0;
    s.printerFonts = 0;
}

// Code pages, font choices, layout switch and font size of the country.
void SetCountryDefaults(const char* list) {
    SetupSession& s = g_session;
    GetListMember(list, 1, s.systemFontsCodePage, ",", true);
    GetListMember(list, 2, s.dosCodePage, ",", true);
    SetFontDefaults(list, true);
    CopyText(s.chosenHotKey, s.hotKey);
    FontSizeCodeFor(UsesSmallSystemFont() == 0, ScreenHeight(), s.fontSizeCode);
}

}  // namespace

bool ResizeLayoutTable(size_t records, const char* reallocName) {
    // A movable block reallocated to 0 bytes is discarded and can no longer be locked: an
    // empty table keeps room for one record, which readers of layoutCount records never see.
    if (records == 0) records = 1;
    HGLOBAL resized = GlobalReAlloc(g_session.layoutTable, records * sizeof(LayoutRecord), GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!resized) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_NO_MEMORY, reallocName);
        return false;
    }
    g_session.layoutTable = resized;
    return true;
}

bool ReportLayoutTableNotLocked() {
    ShowMessage(nullptr, MB_ICONHAND, IDS_NO_LOCK, "hLang");
    return false;
}

int LoadLayoutTable() {
    SetupSession& s = g_session;
    if (!CreateLayoutTable()) return 0;
    if (!GlobalLockScope<LayoutRecord>(s.layoutTable)) return ReportLayoutTableNotLocked();
    char list[1024];
    if (ReadCountryDefaultList(list) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_SECTION, s.countryKey);
        return 0;
    }
    if (!ReadDefaultLayouts(list)) return 0;
    if (s.layoutCount == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_SECTION, ResourceText<32>(IDS_SECTION_DEFAULT_SETUP).Get());
        return 0;
    }
    {
        GlobalLockScope<LayoutRecord> table(s.layoutTable);
        if (!table) return ReportLayoutTableNotLocked();
        CopyText(s.firstLayout, table.Get()[0].name);
        CopyText(s.secondLayout, table.Get()[1].name);
    }
    ReadCountryDefaultList(list);
    SetCountryDefaults(list);
    return 1;
}

void SetCountryFontDefaults() {
    char list[1024];
    ReadCountryDefaultList(list);
    SetFontDefaults(list, false);
}

void SaveLayoutsToProfile() {
    SetupSession& s = g_session;
    char profile[260];
    ProductProfilePath(profile);
    GlobalLockScope<LayoutRecord> table(s.layoutTable);
    if (!table) {
        ReportLayoutTableNotLocked();
        return;
    }
    ResourceText<32> section(IDS_SECTION_KVNLS);
    DeleteProfileSection(profile, section);
    for (int32_t i = 0; i < s.layoutCount; ++i) {
        const char* name = table.Get()[i].name;
        char value[setupinf::kShortValueSize];
        ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_KEYBOARD_LAYOUTS), name, nullptr, value);
        CharUpperA(value);
        WriteProfileValueOrReport(profile, section, name, value);
    }
}
