// The configuration: the saving rule over real profile files and a scratch registry key,
// the country settings, font registrations and the system.ini entries.
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "dialogs/layout_table.h"
#include "resources/resource_ids.h"
#include "sysconfig/sysconfig.h"
#include "test_support.h"

namespace {

using Messages = std::vector<std::string>;

// A session with its uninstall record and log in a scratch directory, a scratch registry key,
// and win.ini and system.ini put back as they were after each test.
class Configuration : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.uninstallRecordPath, scratch_.File("uninst.inf").c_str());
        CopyText(g_session.logPath, scratch_.File("KVSETUP.LOG").c_str());
        WriteTextFile(g_session.logPath, "");
        CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
        CopyText(g_session.destinationDir, "C:\\KVOX\\");
        winIni_ = ReadTextFile(Windows("win.ini"));
        systemIni_ = ReadTextFile(Windows("system.ini"));
        DeleteScratchKey();
        g_session.installedFontsKey = {HKEY_CURRENT_USER, "Software\\KVoxTest\\Fonts"};
        g_session.displayFontsKey = {HKEY_CURRENT_USER, "Software\\KVoxTest\\Display"};
    }
    void TearDown() override {
        WriteTextFile(Windows("win.ini"), winIni_);
        WriteTextFile(Windows("system.ini"), systemIni_);
        DeleteScratchKey();
    }
    static void DeleteScratchKey() {
        for (const char* key : {"Software\\KVoxTest\\Fonts", "Software\\KVoxTest\\Display", "Software\\KVoxTest"})
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
    }
    static std::string Windows(const char* name) { return std::string(g_session.windowsDir) + name; }
    std::string Log() { return ReadTextFile(g_session.logPath); }
    std::string Record() { return ReadTextFile(g_session.uninstallRecordPath); }
    static std::string Ini(const char* file, const char* section, const char* key) {
        char value[256] = "";
        GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, file);
        return value;
    }
    // Each {section, key, value} of the profile file; "(missing)" for no entry.
    static void ExpectEntries(const char* file, std::initializer_list<std::array<std::string, 3>> entries) {
        for (const auto& [section, key, value] : entries)
            EXPECT_EQ(Ini(file, section.c_str(), key.c_str()), value) << file << " [" << section << "] " << key;
    }
    // The messages shown while `action` runs; the script answers up to `count` of them.
    static Messages Shown(int count, const std::function<void()>& action) {
        Messages shown;
        ModalScript script;
        for (int i = 0; i < count; ++i) script.OnMessage(shown);
        action();
        return shown;
    }

    ScratchDir scratch_;
    std::string winIni_, systemIni_;
};

// The old value is saved cut to the size asked for; with uninstall off nothing is saved and
// no " Saving" line is logged; a long log line is cut to its limit.
TEST_F(Configuration, TheSavingRuleAndItsLogLines) {
    std::string ini = scratch_.File("system.ini");
    WriteTextFile(ini, "[boot]\r\nwincodepage=1252\r\nlong=" + std::string(300, 'x') + "\r\n");
    EXPECT_TRUE(ReplaceProfileEntry(ini.c_str(), "boot", "long", "y", IDS_SAVED_GRAB, 120));
    EXPECT_EQ(Record(), "[Grab.Svd]\r\nlong=" + std::string(119, 'x') + "\r\n");

    DeleteFileA(g_session.uninstallRecordPath);
    WriteTextFile(g_session.logPath, "");
    g_session.uninstallEnabled = 0;
    EXPECT_TRUE(ReplaceProfileEntry(ini.c_str(), "boot", "wincodepage", "866", IDS_SAVED_BOOT, 1024));
    EXPECT_FALSE(FileExists(g_session.uninstallRecordPath));
    EXPECT_EQ(Ini(ini.c_str(), "boot", "wincodepage"), "866");
    LogConfigLine("Writing", std::string(200, 's').c_str(), "entry");
    EXPECT_EQ(Log(), "Writing entry wincodepage section [boot]\r\n"
                     "Writing entry entry section [" + std::string(127 - 29, 's') + "\r\n");

    std::string nowhere = scratch_.File("missing\\system.ini");
    EXPECT_EQ(Shown(1, [&] {
                  EXPECT_FALSE(ReplaceProfileEntry(nowhere.c_str(), "boot", "wincodepage", "866", IDS_SAVED_BOOT, 1024));
              }),
              Messages{"Can't write 'wincodepage' =  '866' in section 'boot'"});
}

// A value too long for the save ends it; a missing key saves nothing; a too small buffer is
// told and left empty; a key that cannot be created is told twice.
TEST_F(Configuration, RegistryFailures) {
    const RegistryLocation& fonts = g_session.installedFontsKey;
    EXPECT_EQ(SaveRegistryKey(fonts.root, fonts.subkey, "fonts.svd", g_session.uninstallRecordPath), 0);
    EXPECT_FALSE(FileExists(g_session.uninstallRecordPath));
    WriteRegistryText(fonts, "Arial (TrueType)", "ARIAL.TTF");
    WriteRegistryText(fonts, "Long", std::string(1100, 'L').c_str());
    WriteRegistryText(fonts, "Modern", "MODERN.FON");
    EXPECT_EQ(SaveRegistryKey(fonts.root, fonts.subkey, "fonts.svd", g_session.uninstallRecordPath), 1);
    EXPECT_EQ(Record(), "[fonts.svd]\r\nArial (TrueType)=ARIAL.TTF\r\n");

    char buffer[8] = "x";
    DWORD type = REG_SZ;
    auto get = [&](const char* subkey, const char* name) {
        return GetRegKeyValueEx(fonts.root, subkey, name, &type, reinterpret_cast<BYTE*>(buffer), sizeof buffer);
    };
    EXPECT_EQ(get("Software\\KVoxTest\\None", "x"), ERROR_BADKEY);
    EXPECT_EQ(Shown(1, [&] { EXPECT_EQ(get(fonts.subkey, "Modern"), ERROR_MORE_DATA); }),
              Messages{"GetRegKeyValueEx: buffer too small"});
    EXPECT_STREQ(buffer, "");
    // A value stored without its zero that fills the buffer leaves no room for one: it does
    // not fit either. (Stored as bytes here: the platform counts the zero of a REG_SZ text.)
    const BYTE text[] = "EIGHT.FONT";
    SetRegKeyValue(fonts.root, fonts.subkey, "Seven", REG_BINARY, text, 7);
    SetRegKeyValue(fonts.root, fonts.subkey, "Eight", REG_BINARY, text, 8);
    char guarded[16];
    std::fill(std::begin(guarded), std::end(guarded), 'y');
    guarded[sizeof guarded - 1] = '\0';
    auto getInto8 = [&](const char* name) {
        return GetRegKeyValueEx(fonts.root, fonts.subkey, name, &type, reinterpret_cast<BYTE*>(guarded), 8);
    };
    EXPECT_EQ(getInto8("Seven"), ERROR_SUCCESS);
    EXPECT_STREQ(guarded, "EIGHT.F");
    EXPECT_EQ(Shown(1, [&] { EXPECT_EQ(getInto8("Eight"), ERROR_MORE_DATA); }),
              Messages{"GetRegKeyValueEx: buffer too small"});
    EXPECT_STREQ(guarded, "");

    RegistryLocation nowhere{reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), "Fonts"};
    EXPECT_EQ(Shown(2, [&] { EXPECT_FALSE(WriteRegistryText(nowhere, "Helv CYR", "C:\\KVOX\\helv.fon")); }),
              (Messages{"Can not create registry key:\r  Fonts\rfor WRITING value:\r  Helv CYR.\rYou may not have "
                        "the permission for this action.",
                        "Can't write 'Helv CYR' =  'C:\\KVOX\\helv.fon' in section 'Fonts'"}));
}

// A country line short of its 21st field leaves sLongDate as it was and is reported.
TEST_F(Configuration, AShortCountryLineStopsAtItsEnd) {
    std::string fields;
    for (int n = 2; n <= 20; ++n) fields += "! f" + std::to_string(n);
    WriteTextFile(g_session.setupInfPath, "[country]\r\nBLR=Belarus" + fields + "\r\n");
    WritePrivateProfileStringA("intl", "sLongDate", "old", "win.ini");
    CopyText(g_session.countryKey, "BLR");
    Messages shown = Shown(1, [] { EXPECT_EQ(UpdateCountrySettings(), 0); });
    ExpectEntries("win.ini", {{"intl", "sShortDate", "f20"}, {"intl", "sLongDate", "old"}});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("Can't search member number 21 in 'Belarus! f2", 0), 0u);
}

// The name after the second comma is registered whole, under the printer-class key in any
// letter case, with a backslash added to the directory; a line without two commas
// registers nothing.
TEST_F(Configuration, FontGroupLines) {
    WriteTextFile(g_session.setupInfPath, "[helv.1251]\r\nall=helvpcyr.fon,3, Helv CYR Plotter\r\n"
                                          "PR2=helv2cyr.fon,3,Helv CYR 24-pin\r\nHI1=nocommas.fon\r\n");
    const RegistryLocation *display = &g_session.displayFontsKey, *installed = &g_session.installedFontsKey;
    struct Case { const char *key, *directory; const RegistryLocation* target; const char *name, *data; } cases[] = {
        {"ALL", "C:\\KVOX", installed, " Helv CYR Plotter", "C:\\KVOX\\helvpcyr.fon"},
        {"pr2", "C:\\KVOX\\", installed, "Helv CYR 24-pin", "C:\\KVOX\\helv2cyr.fon"},
        {"HI1", nullptr, display, "nocommas.fon", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(RegisterFontGroup(IDS_SECTION_HELV_1251, c.key, c.directory), 1);
        char data[64] = "";
        DWORD type = REG_SZ;
        GetRegKeyValueEx(c.target->root, c.target->subkey, c.name, &type, reinterpret_cast<BYTE*>(data), sizeof data);
        EXPECT_STREQ(data, c.data);
    }
}

// Each printer class chosen registers its own line of every printer font group, with the
// destination directory: plotter fonts "ALL", 24-pin printers "PR2", 9-pin printers "PR9".
TEST_F(Configuration, PrinterFontsAreRegisteredUnderTheirOwnClass) {
    std::string inf;
    for (const char* group : {"helv", "cour", "tmsr"}) {
        std::string g = group;
        inf += "[" + g + ".1251]\r\nALL=" + g + "p.fon,3," + g + " plotter\r\nPR2=" + g + "2.fon,3," + g +
               " 24-pin\r\nPR9=" + g + "9.fon,3," + g + " 9-pin\r\n";
    }
    WriteTextFile(g_session.setupInfPath, inf);
    SetupSession& s = g_session;
    s.uninstallEnabled = s.screenFonts = s.trueTypeFonts = 0;
    s.printerFonts = 1;
    auto registered = [] {
        std::vector<std::string> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(g_session.installedFontsKey.root, g_session.installedFontsKey.subkey, 0, KEY_READ, &key))
            return values;
        char name[128], data[128];
        for (DWORD i = 0, nameSize = sizeof name, dataSize = sizeof data;
             RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) == 0;
             ++i, nameSize = sizeof name, dataSize = sizeof data)
            values.push_back(std::string(name) + "=" + data);
        RegCloseKey(key);
        std::sort(values.begin(), values.end());
        return values;
    };
    // The class chosen, and the name and file ending of its lines.
    const struct { int plotter, twentyFourPin, ninePin; const char *name, *file; } cases[] = {
        {0, 0, 1, "9-pin", "9"}, {0, 1, 0, "24-pin", "2"}, {1, 0, 0, "plotter", "p"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteScratchKey();
        s.plotterFonts = c.plotter;
        s.twentyFourPinPrinterFonts = c.twentyFourPin;
        s.ninePinPrinterFonts = c.ninePin;
        EXPECT_EQ(ConfigureFonts(), 1);
        std::vector<std::string> expected;
        for (std::string group : {"cour", "helv", "tmsr"})
            expected.push_back(group + " " + c.name + "=C:\\KVOX\\" + group + c.file + ".fon");
        EXPECT_EQ(registered(), expected);
    }
}

TEST_F(Configuration, SystemIniEntriesOfTheLanguageKeyboardAndDosWindows) {
    WriteTextFile(g_session.setupInfPath,
                  "[default.setup]\r\nRUS=1251,866,1\r\n[Keyboard Layouts]\r\nRussian=00000419,kbdru.kbd,2,RU,RUS\r\n"
                  "[boot]\r\nkeyboard.drv=kvkbd.drv\r\nother.drv=x.drv\r\n"
                  "[codepage.oem.description]\r\n855=Cyrillic (855)\r\n");
    CopyText(g_session.countryKey, "RUS");
    CopyText(g_session.firstLayout, "Russian");
    CopyText(g_session.secondLayout, "");
    WritePrivateProfileStringA("keyboard", "secondkeyb.dll", "old.dll", "system.ini");
    WritePrivateProfileStringA("boot", "language.dll", "old.dll", "system.ini");
    // Field 4 and Layout 2's line are missing: reported, their entries left as they were.
    EXPECT_EQ(Shown(2, [] { EXPECT_EQ(ConfigureLanguageAndKeyboard(), 1); }),
              (Messages{"Can't search member number 4 in '1251,866,1'", "Can't search member number 2 in ''"}));
    ExpectEntries("system.ini", {{"boot", "language.dll", "old.dll"},
                                 {"boot.description", "language.dll", "English (American)"},
                                 {"keyboard", "keyboard.dll", "kbdru.kbd"},
                                 {"keyboard", "secondkeyb.dll", "old.dll"},
                                 {"boot", "keyboard.drv", "kvkbd.drv"},
                                 {"boot", "other.drv", "(missing)"}});  // only the first key
    EXPECT_EQ(Ini(g_session.uninstallRecordPath, "keyboard.svd", "secondkeyb.dll"), "(missing)");

    // A DOS code page without [VGA.GR3] fonts: the five old values saved, [386Enh] unchanged.
    CopyText(g_session.dosCodePage, "855");
    WritePrivateProfileStringA("386Enh", "woafont", "dosapp.fon", "system.ini");
    EXPECT_EQ(ConfigureDosWindowFonts(), 1);
    ExpectEntries("system.ini", {{"boot.description", "woafont.fon", "Cyrillic (855)"},
                                 {"386Enh", "woafont", "dosapp.fon"}});
    ExpectEntries(g_session.uninstallRecordPath, {{"Grab.Svd", "woafont", "dosapp.fon"},
                                                  {"Grab.Svd", "CGA40WOA.FON", Ini("system.ini", "386Enh", "CGA40WOA.FON")}});
}

// A country key that does not fit control.inf's 120 characters whole is not written cut
// (without its closing quote and "!RUS"): it is logged and the next layout goes on.
TEST_F(Configuration, ControlInfGetsTheCountryLinesThatFitWhole) {
    CopyText(g_session.systemDir, scratch_.Path().c_str());
    std::string controlInf = scratch_.File("control.inf");
    WriteTextFile(controlInf, "[country]\r\n\"Other\", \"1!1!ENU\"= \r\n");
    // Keys: quote, name, quote, comma, blank, quote, rest, "!RUS", quote: 10 + name + rest.
    std::string rest(102, '1');
    WriteTextFile(g_session.setupInfPath, "[Layouts.K-VOX]\r\nRussian=1\r\nLong=1\r\nFit=1\r\n"
                                          "[country]\r\nRUS=Russia!7!1\r\nLNG=Longland!" + rest + "\r\n"
                                          "FIT=Fitland!" + rest + "\r\n");
    const LayoutRecord records[] = {{"RUS", "Russian"}, {"LNG", "Long"}, {"FIT", "Fit"}};
    g_session.layoutTable = GlobalAlloc(GMEM_MOVEABLE, sizeof records);
    CopyMemory(GlobalLock(g_session.layoutTable), records, sizeof records);
    GlobalUnlock(g_session.layoutTable);
    g_session.layoutCount = 3;

    EXPECT_EQ(EditControlInf(), 1);
    GlobalFree(g_session.layoutTable);
    g_session.layoutTable = nullptr;
    char keys[1024] = "";
    GetPrivateProfileStringA("country", nullptr, "", keys, sizeof keys, controlInf.c_str());
    std::vector<std::string> written;
    for (const char* key = keys; *key; key += strlen(key) + 1) written.push_back(key);
    std::string fit = "\"Fitland\", \"" + rest + "!RUS\"";
    ASSERT_EQ(fit.size(), 119u);
    std::vector<std::string> expected{"\"Other\", \"1!1!ENU\"", "\"Russia\", \"7!1!RUS\"", fit};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(Log(), "Country line of LNG too long for CONTROL.INF, skipped.\r\n");
}

}  // namespace
