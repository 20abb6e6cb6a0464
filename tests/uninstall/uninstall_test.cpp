// The uninstaller's steps over real profile files, scratch registry keys, and scratch
// directories standing for the K-VOX, Windows, system and fonts directories.
#include <array>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "test_support.h"
#include "uninstall/uninstall.h"
#include "uninstall/uninstall_run.h"

namespace {

using namespace std::string_literals;

constexpr char kScratchKey[] = "Software\\KVoxUninstallTest";
const char* const kSubkeys[] = {"\\Fonts", "\\Substitutes", "\\DisplayFonts", "\\Settings"};
const char* const kIniFiles[] = {"win.ini", "system.ini"};

const char kSetupInf[] =
    "[uninstall.k-vox]\r\nuninst.exe=1\r\nsetup1.inf=1\r\n[windows.system]\r\nkvoxnls.dll=1\r\n"
    "[programfiles.k-vox]\r\nkvox.exe=1\r\n[K-VOX.programfiles]\r\nkvox.exe,K-VOX Indicator=\r\n"
    "[default.setup]\r\nRUS=1251,866,1,langrus.dll,2\r\n"
    "[Keyboard Layouts]\r\nRussian=00000419,kbdru.kbd,2,RU,RUS\r\nUkrainian=00000422,kbdur.kbd,2,UA,UKR\r\n"
    "[oemansi]\r\n866=xlat866.bin,2\r\n[VGA.GR3]\r\n866=866,3\r\n"
    "[oemfonts]\r\n866=oemfonts.866\r\n[oemfonts.866]\r\nHI2=vga866.fon,3\r\n[sysfonts.1251]\r\nHI2=vgasysr.fon,3\r\n"
    "[cour.1251]\r\nHI2=courvcyr.fon,3,Courier\r\nALL=courpcyr.fon,3,Courier CYR Plotter\r\n"
    "[TTF.1251]\r\nDejaVu Sans (TrueType)=dejavus.ttf,3\r\n[FontSubstitutes]\r\nArial CYR,204=Arial\r\n";

class Uninstall : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        realWindows_ = g_session.windowsDir;
        for (const char* name : kIniFiles) saved_.push_back(ReadTextFile(realWindows_ + name));
        CopyText(g_session.windowsDir, windows_.Path().c_str());
        CopyText(g_session.systemDir, system_.Path().c_str());
        CopyText(g_session.fontsDir, fonts_.Path().c_str());
        CopyText(g_session.logPath, kvox_.File("uninst.log").c_str());
        WriteTextFile(g_session.logPath, "");
        WriteTextFile(kvox_.File("setup1.inf"), kSetupInf);
        WriteRecord("");
        DeleteScratchKeys();
        RegistryLocation* keys[] = {&g_session.installedFontsKey, &g_session.fontSubstitutesKey,
                                    &g_session.displayFontsKey, &g_session.displaySettingsKey};
        for (int i = 0; i < 4; ++i) {
            keys[i]->root = HKEY_CURRENT_USER;
            CopyText(keys[i]->subkey, (kScratchKey + std::string(kSubkeys[i])).c_str());
        }
    }
    void TearDown() override {
        for (int i = 0; i < 2; ++i) WriteTextFile(realWindows_ + kIniFiles[i], saved_[i]);
        DeleteScratchKeys();
    }
    static void DeleteScratchKeys() {
        for (const char* name : kSubkeys) RegDeleteKeyA(HKEY_CURRENT_USER, (kScratchKey + std::string(name)).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    }
    std::string RealWindows(const char* name) const { return realWindows_ + name; }
    void WriteRecord(const std::string& more) {
        WriteTextFile(kvox_.File("uninst.inf"), "[Enabled]\r\nEnabled=Yes\r\n[Location]\r\n" + kvox_.Path() +
                                                   "= \r\n[languages.installed]\r\nRussian=RUS\r\n" + more);
        ReadUninstallRecord(kvox_.Path().c_str(), record_);
    }
    // Each {section, key, value} of the profile file; "(missing)" for no entry.
    static void ExpectEntries(const char* file, std::initializer_list<std::array<const char*, 3>> entries) {
        for (const auto& [section, key, value] : entries) {
            char text[256] = "";
            GetPrivateProfileStringA(section, key, "(missing)", text, sizeof text, file);
            EXPECT_STREQ(text, value) << file << " [" << section << "] " << key;
        }
    }
    static void SetValue(const RegistryLocation& location, const char* name, const char* text) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(location.root, location.subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
        RegCloseKey(key);
    }
    static std::string Value(const RegistryLocation& location, const char* name) {
        char value[256] = "";
        DWORD size = sizeof value - 1;
        HKEY key;
        if (RegOpenKeyExA(location.root, location.subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(missing)";
        LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? value : "(missing)";
    }
    bool Logged(const char* text) { return ReadTextFile(g_session.logPath).find(text) != std::string::npos; }

    ScratchDir kvox_, windows_, system_, fonts_;
    std::string realWindows_;
    std::vector<std::string> saved_;
    UninstallRecord record_;
    UninstallTally tally_;
};

// A record is enabled only by a Yes in any letter case and a [Location], whose directory
// gets its backslash.
TEST_F(Uninstall, RecordStates) {
    WriteTextFile(kvox_.File("uninst.inf"), "[Enabled]\r\nEnabled=yes\r\n");
    ReadUninstallRecord(kvox_.Path().c_str(), record_);
    EXPECT_EQ(record_.state, RecordState::Damaged);
    EXPECT_EQ(record_.problem, static_cast<UINT>(IDS_UNINSTALL_DAMAGED_LOCATION));
    WriteTextFile(kvox_.File("uninst.inf"), "[Enabled]\r\nEnabled=Yes\r\n[Location]\r\nC:\\KVOX= \r\n");
    ReadUninstallRecord(kvox_.Path().c_str(), record_);
    EXPECT_EQ(record_.state, RecordState::Enabled);
    EXPECT_STREQ(record_.directory, "C:\\KVOX\\");
}

// Saved values come back, empty ones as empty entries but for the package's own, which go;
// [intl] entries the setup added are removed, others kept; the layout switch, written
// unsaved, goes.
TEST_F(Uninstall, ProfileValuesComeBack) {
    WriteTextFile(RealWindows("win.ini"), "[intl]\r\nsCountry=Russia\r\niCountry=7\r\nsLanguage=rus\r\nsMine=x\r\n");
    WriteTextFile(RealWindows("system.ini"),
                  "[boot]\r\nlanguage.dll=langrus.dll\r\nwincodepage=1251\r\n[boot.description]\r\n"
                  "language.dll=Russian\r\n[keyboard]\r\nhotkey=1\r\nkeyboard.dll=kbdru.kbd\r\nsecondkeyb.dll=kbdus.kbd\r\n");
    WriteRecord("[intl.svd]\r\nsCountry=United States\r\niCountry=1\r\n[boot.svd]\r\nlanguage.dll=\r\n"
                "wincodepage=1252\r\n[Lang.svd]\r\nlanguage.dll=English (American)\r\n[keyboard.svd]\r\n"
                "keyboard.dll=\r\nsecondkeyb.dll=\r\n");
    RestoreProfileValues(record_, tally_);
    ExpectEntries("win.ini", {{"intl", "sCountry", "United States"}, {"intl", "iCountry", "1"},
                              {"intl", "sLanguage", "(missing)"}, {"intl", "sMine", "x"}});
    ExpectEntries("system.ini", {{"boot", "language.dll", ""}, {"boot", "wincodepage", "1252"},
                                 {"boot.description", "language.dll", "English (American)"},
                                 {"keyboard", "keyboard.dll", ""}, {"keyboard", "secondkeyb.dll", "(missing)"},
                                 {"keyboard", "hotkey", "(missing)"}});
    EXPECT_EQ(tally_.restored, 6);
    EXPECT_EQ(tally_.removed, 3);
    EXPECT_EQ(tally_.failed, 0);
    EXPECT_TRUE(Logged("Restored [boot] language.dll=\r\n"));
}

// Whole keys come back as they were saved; values the setup added go when they name a file
// of the package or a substitute it lists; values of others stay. A key that cannot be
// written fails and the others still come back.
TEST_F(Uninstall, RegistryValuesComeBack) {
    const RegistryLocation &fonts = g_session.installedFontsKey, &substitutes = g_session.fontSubstitutesKey,
                           &display = g_session.displaySettingsKey;
    const std::string plotter = std::string(record_.directory) + "courpcyr.fon";
    struct Entry { const RegistryLocation& key; const char *name, *before, *after; } entries[] = {
        {fonts, "Courier", "courvcyr.fon", "COURE.FON"},     {fonts, "Empty", nullptr, ""},
        {fonts, "Courier CYR Plotter", plotter.c_str(), "(missing)"}, {fonts, "User Font", "user.fon", "user.fon"},
        {substitutes, "Helv", nullptr, "MS Sans Serif"},     {substitutes, "Arial CYR,204", "Arial", "(missing)"},
        {substitutes, "Mine", "Arial", "Arial"},             {display, "fonts.fon", "vgasysr.fon", "vgasys.fon"},
        {display, "oemfonts.fon", "vga866.fon", "(missing)"},
    };
    for (const Entry& e : entries)
        if (e.before) SetValue(e.key, e.name, e.before);
    WriteRecord("[fonts.svd]\r\nCourier=COURE.FON\r\nEmpty=\r\n[FontSubstitutes.svd]\r\nHelv=MS Sans Serif\r\n"
                "[SystemFonts]\r\nfonts.fon=vgasys.fon\r\noemfonts.fon=\r\n");
    RestoreRegistryValues(record_, tally_);
    for (const Entry& e : entries) EXPECT_EQ(Value(e.key, e.name), e.after) << e.name;
    EXPECT_EQ(tally_.left, 2);
    EXPECT_EQ(tally_.failed, 0);

    tally_ = {};
    WriteRecord("[fonts.svd]\r\nCourier=COURE.FON\r\n[FontSubstitutes.svd]\r\nHelv=MS Sans Serif\r\n");
    g_session.installedFontsKey.root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345678));
    SetValue(substitutes, "Helv", "Arial");
    RestoreRegistryValues(record_, tally_);
    EXPECT_EQ(tally_.failed, 1);
    EXPECT_EQ(Value(substitutes, "Helv"), "MS Sans Serif");
    EXPECT_TRUE(Logged("Could not restore value Courier of "));
}

// Only the chosen layouts' drivers are the package's (not Ukrainian's here).
TEST_F(Uninstall, PackageFilesAndTheirDirectories) {
    PackageFileList files;
    CollectPackageFiles(record_, files);
    std::vector<std::string> listed;
    files.ForEach([&](PackageDir dir, const char* name) { listed.push_back(std::string(1, char(dir)) + name); });
    EXPECT_EQ(listed, (std::vector<std::string>{"Skvoxnls.dll", "Duninst.exe", "Dsetup1.inf", "Dkvox.exe",
                                                "Sxlat866.bin", "Slangrus.dll", "Skbdru.kbd", "SEGA80866.fon",
                                                "SEGA40866.fon", "SCGA80866.fon", "SCGA40866.fon", "Dapp866.fon",
                                                "Fvga866.fon", "Fvgasysr.fon", "Fcourvcyr.fon", "Dcourpcyr.fon",
                                                "Ddejavus.ttf"}));
    EXPECT_TRUE(files.Names("KBDRU.KBD"));
    EXPECT_FALSE(files.Names("kbdur.kbd"));
}

// In the K-VOX directory every listed file goes; elsewhere only one that carries the mark;
// a file in use stays and counts as a failure.
TEST_F(Uninstall, FilesGoOnlyWhereTheyAreProvenThePackages) {
    const std::string mark = "\r\nK-VOX 2.0, Cyrillic localization package\r\n";
    WriteTextFile(kvox_.File("kvox.exe"), "program");
    WriteTextFile(system_.File("kvoxnls.dll"), "library" + mark);
    WriteTextFile(system_.File("xlat866.bin"), "Windows' own table");
    WriteTextFile(fonts_.File("vga866.fon"), "font" + mark);
    HANDLE inUse = CreateFileA(fonts_.File("vga866.fon").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    RemovePackageFiles(record_, tally_);
    CloseHandle(inUse);
    EXPECT_FALSE(FileExists(kvox_.File("kvox.exe").c_str()));
    EXPECT_FALSE(FileExists(system_.File("kvoxnls.dll").c_str()));
    EXPECT_TRUE(FileExists(system_.File("xlat866.bin").c_str()));
    EXPECT_TRUE(FileExists(fonts_.File("vga866.fon").c_str()));
    EXPECT_TRUE(FileExists(kvox_.File("setup1.inf").c_str()));  // goes with the record
    EXPECT_EQ(tally_.removed, 2);
    EXPECT_EQ(tally_.left, 1);
    EXPECT_EQ(tally_.failed, 1);
}

TEST_F(Uninstall, PackageMark) {
    WriteTextFile(kvox_.File("wide"), std::string(16384 - 4, 'x') + "K\0-\0V\0O\0X\0"s);  // across a read block
    WriteTextFile(kvox_.File("ansi"), "K-VOX");
    WriteTextFile(kvox_.File("none"), std::string(40000, 'K'));
    const std::pair<const char*, bool> cases[] = {{"wide", true}, {"ansi", true}, {"none", false}, {"missing", false}};
    for (auto [name, marked] : cases) EXPECT_EQ(HasPackageMark(kvox_.File(name).c_str()), marked) << name;
}

// k-vox.ini that names another installation stays; otherwise only this one's records go.
TEST_F(Uninstall, ProductProfileRecords) {
    const std::string profile = windows_.File("k-vox.ini");
    WriteTextFile(profile, "[K-VOX]\r\nVersion=2.0\r\n[Location]\r\nD:\\OTHER\\= \r\n");
    RemoveProductProfileRecords(record_, tally_);
    EXPECT_TRUE(FileExists(profile.c_str()));
    WriteTextFile(profile, "[Location]\r\n" + kvox_.Path() + "= \r\n[country]\r\nRUS= \r\n[Other]\r\na=1\r\n");
    RemoveProductProfileRecords(record_, tally_);
    EXPECT_EQ(ReadTextFile(profile), "[Other]\r\na=1\r\n");
}

TEST(UninstallSwitches, EachSwitchChoosesTheEnd) {
    struct Case { const char* line; UninstallExit exit; } cases[] = {
        {"/d", UninstallExit::ShutDown}, {"/R", UninstallExit::Restart}, {"x -w", UninstallExit::ReturnToWindows},
        {"/dr", UninstallExit::Ask},     {"C:\\a/d", UninstallExit::Ask},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseUninstallSwitches(c.line), c.exit) << c.line;
}

}  // namespace
