// The configuration phase: country settings, the code-page, language, keyboard and hot-key
// entries of system.ini, the signal to a running keyboard driver, the DOS-window fonts, the
// font registrations and control.inf, in this order.
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"
#include "sysconfig/sysconfig.h"

namespace {

constexpr DWORD kShortValue = 120;  // the boot driver entry, [386Enh] entries, woafont.fon
constexpr DWORD kLongValue = 1024;  // the other system.ini entries

// system.ini and the names of its sections and keys.
struct SystemIni {
    ResourceText<32> file{IDS_SYSTEM_INI};
    ResourceText<32> boot{IDS_SECTION_BOOT};
    ResourceText<32> bootDescription{IDS_SECTION_BOOT_DESCRIPTION};
    ResourceText<32> keyboard{IDS_SECTION_KEYBOARD};
    ResourceText<32> enhanced{IDS_SECTION_386ENH};
};

// Field `member` of a setup1.inf value, reporting a missing one. False when missing.
bool InfField(UINT sectionId, const char* key, int member, char (&field)[120]) {
    char line[1024];
    ReadProfileValue(g_session.setupInfPath, ResourceText<32>(sectionId), key, nullptr, line);
    return GetListMember(line, member, field, ",", true) != 0;
}

void ReplaceInSystemIni(const char* section, UINT keyId, const char* value, UINT savedId, DWORD oldSize = kLongValue) {
    SystemIni ini;
    ReplaceProfileEntry(ini.file, section, ResourceText<32>(keyId), value, savedId, oldSize);
}

// Entry 7: the first key of setup1.inf [boot] takes its value there into system.ini [boot].
void ApplyBootDriver() {
    SetupSession& s = g_session;
    SystemIni ini;
    char keys[1024];
    if (ReadKeyList(s.setupInfPath, ini.boot, nullptr, keys) == 0 || !keys[0]) return;
    char value[kShortValue];
    ReadProfileValue(s.setupInfPath, ini.boot, keys, nullptr, value);
    ReplaceProfileEntry(ini.file, ini.boot, keys, value, IDS_SAVED_BOOT, kShortValue);
}

// The keyboard driver of a layout: field 2 of its [Keyboard Layouts] line.
void ApplyKeyboardDriver(const char* layout, UINT keyId) {
    char driver[120];
    if (InfField(IDS_SECTION_KEYBOARD_LAYOUTS, layout, 2, driver))
        ReplaceInSystemIni(SystemIni().keyboard, keyId, driver, IDS_SAVED_KEYBOARD);
}

void ApplyOemToAnsiTable() {
    SetupSession& s = g_session;
    char line[1024], table[120] = "";
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_OEMANSI), s.dosCodePage, nullptr, line);
    GetListMember(line, 1, table, ",", false);
    ReplaceInSystemIni(SystemIni().keyboard, IDS_KEY_OEMANSI_BIN, table, IDS_SAVED_KEYBOARD);
}

// The layout switch, written without saving; returns the hot-key code.
int32_t ApplyHotKey() {
    SetupSession& s = g_session;
    char value[120];
    ClearBytes(value, sizeof value);
    ResourceText<32> hotkey(IDS_SECTION_HOTKEY);
    ReadProfileValue(s.setupInfPath, hotkey, s.chosenHotKey, nullptr, value);
    WriteConfigEntry(SystemIni().file, SystemIni().keyboard, hotkey, value);
    return LeadingNumber(value);
}

// A keyboard driver of an earlier installation learns of the new switch through a key it
// alone knows, when system.ini still names it.
void SignalKeyboardDriver(int32_t hotKeyCode) {
    SetupSession& s = g_session;
    SystemIni ini;
    ResourceText<32> driverKey(IDS_KEY_KEYBOARD_DRV);
    char ours[1024], running[120];
    ReadProfileValue(s.setupInfPath, ini.boot, driverKey, nullptr, ours);
    ReadProfileValue(ini.file, ini.boot, driverKey, nullptr, running);
    if (lstrcmpiA(ours, running) != 0) return;
    BYTE keyState[256];
    ClearBytes(keyState, sizeof keyState);
    WORD output = 0;
    ToAscii(0x8B, HotKeyScanCode(hotKeyCode), keyState, &output, 0);
}

void ConfigureFontsComponent() {
    ConfigureDosWindowFonts();
    ConfigureFonts();
    if (g_session.systemFonts) ConfigureSystemFonts();
    SetFontSubstitutes();
}

}  // namespace

uint32_t HotKeyScanCode(int32_t hotKeyCode) { return static_cast<uint32_t>(hotKeyCode) * 256 + 2; }

int ConfigureLanguageAndKeyboard() {
    SetupSession& s = g_session;
    SystemIni ini;
    char languageDriver[120] = "";
    if (InfField(IDS_SECTION_DEFAULT_SETUP, s.countryKey, 4, languageDriver))
        ReplaceInSystemIni(ini.boot, IDS_KEY_LANGUAGE_DLL, languageDriver, IDS_SAVED_BOOT);
    ResourceText<32> languageKey(IDS_KEY_LANGUAGE_DLL);
    SaveProfileEntry(ini.file, ini.bootDescription, languageKey, IDS_SAVED_LANG, kLongValue);
    char description[120];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_LANGUAGE), languageDriver,
                     ResourceText<64>(IDS_DEFAULT_LANGUAGE), description);
    WriteConfigEntry(ini.file, ini.bootDescription, languageKey, description);
    ApplyKeyboardDriver(s.firstLayout, IDS_KEY_KEYBOARD_DLL);
    ApplyKeyboardDriver(s.secondLayout, IDS_KEY_SECOND_KEYB_DLL);
    ApplyBootDriver();
    return 1;
}

int ConfigureDosWindowFonts() {
    SetupSession& s = g_session;
    SystemIni ini;
    char woafontFon[32];
    LoadText(IDS_KEY_WOAFONT, woafontFon);
    AppendText(woafontFon, ".fon");
    SaveProfileEntry(ini.file, ini.bootDescription, woafontFon, IDS_SAVED_LANG, kShortValue);
    char description[120];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_OEM_CODEPAGE_DESCRIPTION), s.dosCodePage, nullptr,
                     description);
    WriteConfigEntry(ini.file, ini.bootDescription, woafontFon, description);

    const UINT keys[] = {IDS_KEY_WOAFONT, IDS_KEY_EGA80WOA, IDS_KEY_EGA80WOA + 1, IDS_KEY_EGA80WOA + 2,
                         IDS_KEY_EGA80WOA + 3};
    for (UINT keyId : keys) {
        ResourceText<32> key(keyId);
        SaveProfileEntry(ini.file, ini.enhanced, key, IDS_SAVED_GRAB, kShortValue);
        char line[1024];
        if (ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_VGA_GR3), s.dosCodePage, nullptr, line) == 0)
            continue;  // no fonts for this code page: the old value was saved, nothing changes
        char code[120] = "";
        GetListMember(line, 1, code, ",", false);
        char value[128] = "";
        if (keyId == IDS_KEY_WOAFONT) {
            CopyText(value, s.destinationDir);
            AppendText(value, "app");
        } else {
            CopyText(value, 6, key);  // "EGA80" of "EGA80WOA.FON"
        }
        AppendText(value, code);
        AppendText(value, ".fon");
        WriteConfigEntry(ini.file, ini.enhanced, key, value);
    }
    return 1;
}

int UpdateSystemInformation() {
    SetupSession& s = g_session;
    SystemIni ini;
    UpdateCountrySettings();
    ReplaceInSystemIni(ini.boot, IDS_KEY_WINCODEPAGE, s.systemFontsCodePage, IDS_SAVED_BOOT);
    ReplaceInSystemIni(ini.bootDescription, IDS_KEY_CODEPAGE, s.dosCodePage, IDS_SAVED_LANG);
    if (s.programFiles) ConfigureLanguageAndKeyboard();
    ApplyOemToAnsiTable();
    int32_t hotKeyCode = ApplyHotKey();
    if (s.alreadyInstalled) SignalKeyboardDriver(hotKeyCode);
    if (s.fonts) ConfigureFontsComponent();
    if (EditControlInf()) {
        LogLine("Editing CONTROL.INF complete.");
        return 1;
    }
    LogLine("Editing CONTROL.INF not complete.");
    return 0;
}
