// Fonts configuration: the package's screen, plotter, printer, TrueType and system fonts
// and the font substitutes registered in the registry, each key saved first.
#include <initializer_list>

#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"
#include "sysconfig/sysconfig.h"

namespace {

bool IsPrinterClass(const char* key) {
    for (UINT id : {IDS_KEY_ALL, IDS_KEY_PR2, IDS_KEY_PR9})
        if (lstrcmpiA(key, ResourceText<8>(id)) == 0) return true;
    return false;
}

// A font group line: the file before the first comma; after the second comma, exactly as
// it stands, the name to register. False when the line has fewer than two commas.
bool SplitGroupLine(const char* line, char (&file)[setupinf::kFontFileSize],
                    char (&name)[setupinf::kFontValueNameSize]) {
    const char* first = FindChar(line, ',');
    if (!first) return false;
    const char* second = FindChar(first + 1, ',');
    if (!second) return false;
    size_t length = static_cast<size_t>(first - line);
    CopyText(file, length + 1 < sizeof file ? length + 1 : sizeof file, line);
    CopyText(name, second + 1);
    return true;
}

// The directory, a backslash when it lacks one, and the file; or the file alone.
void InDirectory(const char* directory, const char* file, char (&path)[260]) {
    path[0] = '\0';
    if (directory) {
        CopyText(path, directory);
        if (path[0] && path[TextLength(path) - 1] != '\\') AppendText(path, "\\");
    }
    AppendText(path, file);
}

void SaveKey(const RegistryLocation& location, UINT savedId, const char* logged) {
    SetupSession& s = g_session;
    if (!s.uninstallEnabled) return;
    if (s.loggingEnabled) LogConfigLine("Saving key", logged);
    SaveRegistryKey(location.root, location.subkey, ResourceText<32>(savedId), s.uninstallRecordPath);
}

// Registers the printer class `key` ("ALL", "PR2", "PR9") of the three printer font groups.
void RegisterPrinterFonts(UINT key) {
    for (UINT group : {IDS_SECTION_HELV_1251, IDS_SECTION_COUR_1251, IDS_SECTION_TMSR_1251})
        RegisterFontGroup(group, ResourceText<8>(key), g_session.destinationDir);
}

// The section named by a string and a code page, as sysfonts.1251.
void CodePageSection(UINT id, const char* codePage, char (&section)[32]) {
    LoadText(id, section);
    AppendText(section, ".");
    AppendText(section, codePage);
}

}  // namespace

int ConfigureFonts() {
    SetupSession& s = g_session;
    SaveKey(s.installedFontsKey, IDS_SAVED_FONTS, s.installedFontsKey.subkey);
    SaveKey(s.displayFontsKey, IDS_SAVED_DISPLAY_FONTS, "Display\\Fonts");
    if (s.screenFonts)
        for (UINT group : {IDS_SECTION_SMALL_1251, IDS_SECTION_HELV_1251, IDS_SECTION_COUR_1251, IDS_SECTION_TMSR_1251})
            RegisterFontGroup(group, s.fontSizeCode, nullptr);
    if (s.plotterFonts) RegisterPrinterFonts(IDS_KEY_ALL);
    if (s.printerFonts && s.twentyFourPinPrinterFonts) RegisterPrinterFonts(IDS_KEY_PR2);
    if (s.printerFonts && s.ninePinPrinterFonts) RegisterPrinterFonts(IDS_KEY_PR9);
    if (s.trueTypeFonts) RegisterTrueTypeFonts(IDS_SECTION_TTF_1251, s.destinationDir);
    return 1;
}

int RegisterFontGroup(UINT sectionId, const char* key, const char* directory) {
    SetupSession& s = g_session;
    const RegistryLocation& target = IsPrinterClass(key) ? s.installedFontsKey : s.displayFontsKey;
    char line[1024];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(sectionId), key, nullptr, line);
    char file[setupinf::kFontFileSize], name[setupinf::kFontValueNameSize];
    // A group without the line, or a line without its two commas, has nothing to register.
    if (!SplitGroupLine(line, file, name)) return 1;
    char data[260];
    InDirectory(directory, file, data);
    return WriteRegistryText(target, name, data) ? 1 : 0;
}

int RegisterTrueTypeFonts(UINT sectionId, const char* directory) {
    SetupSession& s = g_session;
    ResourceText<32> section(sectionId);
    char keys[1024];
    if (ReadSetupInfKeys(section, keys) == 0) return 0;
    for (const char* key = keys; *key; key += TextLength(key) + 1) {
        char line[setupinf::kShortValueSize], file[128];
        ReadProfileValue(s.setupInfPath, section, key, nullptr, line);
        GetListMember(line, 1, file, ",", false);
        char data[260];
        CopyText(data, directory);
        AppendText(data, file);
        if (!WriteRegistryText(s.installedFontsKey, key, data)) return 0;
    }
    return 1;
}

int SetFontSubstitutes() {
    SetupSession& s = g_session;
    SaveKey(s.fontSubstitutesKey, IDS_SAVED_FONT_SUBSTITUTES, s.fontSubstitutesKey.subkey);
    ResourceText<32> section(IDS_SECTION_FONT_SUBSTITUTES);
    char keys[1024];
    if (ReadSetupInfKeys(section, keys) == 0) return 0;
    int failures = 0;
    ForEachListedName(keys, [&](const char* key) {
        char value[setupinf::kShortValueSize];
        ReadProfileValue(s.setupInfPath, section, key, nullptr, value);
        if (!WriteRegistryText(s.fontSubstitutesKey, key, value)) ++failures;
    });
    return failures == 0 ? 1 : 0;
}

int ConfigureSystemFonts() {
    SetupSession& s = g_session;
    char section[32];
    CodePageSection(IDS_SECTION_SYSFONTS, s.systemFontsCodePage, section);
    SetSystemFont(ResourceText<32>(IDS_KEY_FONTS_FON), section, s.fontSizeCode, nullptr);
    CodePageSection(IDS_SECTION_FIXEDFONTS, s.systemFontsCodePage, section);
    SetSystemFont(ResourceText<32>(IDS_KEY_FIXEDFON_FON), section, s.fontSizeCode, nullptr);
    CodePageSection(IDS_SECTION_OEMFONTS, s.dosCodePage, section);
    SetSystemFont(ResourceText<32>(IDS_KEY_OEMFONTS_FON), section, s.fontSizeCode, nullptr);
    return 1;
}

int SetSystemFont(const char* valueName, const char* section, const char* key, const char* directory) {
    SetupSession& s = g_session;
    const RegistryLocation& settings = s.displaySettingsKey;
    if (s.uninstallEnabled) {
        char old[261];
        ClearBytes(old, sizeof old);
        DWORD type = REG_SZ;
        GetRegKeyValueEx(settings.root, settings.subkey, valueName, &type, reinterpret_cast<BYTE*>(old),
                         sizeof old);
        ResourceText<32> saved(IDS_SAVED_SYSTEM_FONTS);
        if (s.loggingEnabled) LogConfigLine(" Saving", settings.subkey, valueName);
        WriteProfileValueOrReport(s.uninstallRecordPath, saved, valueName, old);
    }
    char line[1024], field[128] = "";
    ReadProfileValue(s.setupInfPath, section, key, nullptr, line);
    GetListMember(line, 1, field, ",", false);
    // Without a line for this size the system font stays as it is.
    if (!field[0]) return 1;
    char data[260];
    InDirectory(directory, field, data);
    if (s.loggingEnabled) LogConfigLine("Writing", ResourceText<32>(IDS_SECTION_BOOT), valueName);
    return WriteRegistryText(settings, valueName, data) ? 1 : 0;
}
