// The uninstaller's steps over real profile files, scratch registry keys, and scratch
// directories standing for the K-VOX, Windows, system and fonts directories.
#include <array>
#include <string>
#include <vector>

#include "base/install_list.h"
#include "base/paths.h"
#include "base/text.h"
#include "progman/progman.h"
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
    "[programfiles.k-vox]\r\nkvox.exe=1\r\n..\\..\\autoexec.bat=1\r\nC:\\config.sys=1\r\n[K-VOX.programfiles]\r\nkvox.exe,K-VOX Indicator=\r\n"
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

// A record is enabled only by a Yes in any letter case and a [Location] that names the
// directory it lies in; with a list of what the setup wrote, one that a setup stopped halfway
// left without [Enabled] and [Location] is enabled too.
TEST_F(Uninstall, RecordStates) {
    struct Case { std::string text; bool list; RecordState state; UINT problem; } cases[] = {
        {"[Enabled]\r\nEnabled=yes\r\n", false, RecordState::Damaged, IDS_UNINSTALL_DAMAGED_LOCATION},
        {"[Enabled]\r\nEnabled=Yes\r\n[Location]\r\n" + kvox_.Path().substr(0, kvox_.Path().size() - 1) + "= \r\n",
         false, RecordState::Enabled, 0},
        {"[Enabled]\r\nEnabled=Yes\r\n[Location]\r\nC:\\KVOX\\= \r\n", true, RecordState::Damaged,
         IDS_UNINSTALL_DAMAGED_ELSEWHERE},
        {"[languages.installed]\r\nRussian=RUS\r\n", true, RecordState::Enabled, 0},
        {"[Enabled]\r\nEnabled=Perhaps\r\n", true, RecordState::Damaged, IDS_UNINSTALL_DAMAGED_ENABLED},
        {"[Enabled]\r\nEnabled=No\r\n", false, RecordState::Disabled, 0},
    };
    for (const Case& c : cases) {
        WriteTextFile(kvox_.File("uninst.inf"), c.text);
        if (c.list) WriteTextFile(kvox_.File("uninst.lst"), "K-VOX install list 1\r\n");
        else DeleteFileA(kvox_.File("uninst.lst").c_str());
        ReadUninstallRecord(kvox_.Path().c_str(), record_);
        EXPECT_EQ(record_.state, c.state) << c.text;
        EXPECT_EQ(record_.problem, c.problem) << c.text;
        EXPECT_STREQ(record_.directory, kvox_.Path().c_str());
    }
}

// From a record without a list: saved values come back, empty ones as empty entries but for
// the package's own, which go; [intl] entries the setup added are removed, others kept; the
// layout switch, written unsaved, and a key the setup never saves (a hostile [boot] shell=)
// are left.
TEST_F(Uninstall, ProfileValuesComeBack) {
    WriteTextFile(RealWindows("win.ini"), "[intl]\r\nsCountry=Russia\r\niCountry=7\r\nsLanguage=rus\r\nsMine=x\r\n");
    WriteTextFile(RealWindows("system.ini"),
                  "[boot]\r\nshell=Explorer.exe\r\nlanguage.dll=langrus.dll\r\nwincodepage=1251\r\n[boot.description]\r\n"
                  "language.dll=Russian\r\n[keyboard]\r\nhotkey=1\r\nkeyboard.dll=kbdru.kbd\r\nsecondkeyb.dll=kbdus.kbd\r\n");
    WriteRecord("[intl.svd]\r\nsCountry=United States\r\niCountry=1\r\n[boot.svd]\r\nlanguage.dll=\r\n"
                "wincodepage=1252\r\nshell=evil.exe\r\n[Lang.svd]\r\nlanguage.dll=English (American)\r\n[keyboard.svd]\r\n"
                "keyboard.dll=\r\nsecondkeyb.dll=\r\n");
    RestoreProfileValues(record_, tally_);
    ExpectEntries("win.ini", {{"intl", "sCountry", "United States"}, {"intl", "iCountry", "1"},
                              {"intl", "sLanguage", "(missing)"}, {"intl", "sMine", "x"}});
    ExpectEntries("system.ini", {{"boot", "language.dll", ""}, {"boot", "wincodepage", "1252"},
                                 {"boot", "shell", "Explorer.exe"},
                                 {"boot.description", "language.dll", "English (American)"},
                                 {"keyboard", "keyboard.dll", ""}, {"keyboard", "secondkeyb.dll", "(missing)"},
                                 {"keyboard", "hotkey", "1"}});
    EXPECT_EQ(tally_.restored, 6);
    EXPECT_EQ(tally_.removed, 2);
    EXPECT_EQ(tally_.refused, 1);
    EXPECT_EQ(tally_.failed, 0);
    EXPECT_TRUE(Logged("Restored [boot] language.dll=\r\n"));
}

// From a record without a list, a saved value comes back only where the value holds what
// the setup writes (a file of the package, a substitute it lists); values the setup added go;
// values of others, values the user changed and values the user removed stay.
TEST_F(Uninstall, RegistryValuesComeBack) {
    const RegistryLocation &fonts = g_session.installedFontsKey, &substitutes = g_session.fontSubstitutesKey,
                           &display = g_session.displaySettingsKey;
    const std::string plotter = std::string(record_.directory) + "courpcyr.fon";
    struct Entry { const RegistryLocation& key; const char *name, *before, *after; } entries[] = {
        {fonts, "Courier", "courvcyr.fon", "COURE.FON"},     {fonts, "Empty", nullptr, "(missing)"},
        {fonts, "Courier CYR Plotter", plotter.c_str(), "(missing)"}, {fonts, "User Font", "user.fon", "user.fon"},
        {fonts, "Changed", "mine.fon", "mine.fon"},          {substitutes, "Helv", nullptr, "(missing)"},
        {substitutes, "Arial CYR,204", "Arial", "(missing)"}, {substitutes, "Mine", "Arial", "Arial"},
        {display, "fonts.fon", "vgasysr.fon", "vgasys.fon"}, {display, "oemfonts.fon", "vga866.fon", "(missing)"},
    };
    for (const Entry& e : entries)
        if (e.before) SetValue(e.key, e.name, e.before);
    WriteRecord("[fonts.svd]\r\nCourier=COURE.FON\r\nEmpty=\r\nChanged=old.fon\r\n[FontSubstitutes.svd]\r\n"
                "Helv=MS Sans Serif\r\n[SystemFonts]\r\nfonts.fon=vgasys.fon\r\noemfonts.fon=\r\nshell=x\r\n");
    RestoreRegistryValues(record_, tally_);
    for (const Entry& e : entries) EXPECT_EQ(Value(e.key, e.name), e.after) << e.name;
    EXPECT_EQ(tally_.left, 3);
    EXPECT_EQ(tally_.refused, 1);
    EXPECT_EQ(tally_.failed, 0);
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

// A legacy record in a directory so long that a joined name is cut: the cut name would be
// another file, which stays.
TEST_F(Uninstall, PathsThatDoNotFitAreRefused) {
    std::string directory = kvox_.Path();
    while (directory.size() + 2 <= 259 - 6) directory += ".\\";
    directory.resize(259 - 6);
    if (directory.back() == '.') directory += "\\";  // keep it a directory of "." steps
    ASSERT_LE(directory.size() + 6, 260u);
    CopyText(record_.directory, directory.c_str());
    std::string cut = std::string("kvox.exe").substr(0, 259 - directory.size());
    WriteTextFile(kvox_.File(cut), "the user's own");
    WriteTextFile(kvox_.File("kvox.exe"), "program");
    RemovePackageFiles(record_, tally_);
    EXPECT_TRUE(FileExists(kvox_.File(cut).c_str())) << cut;
    EXPECT_GE(tally_.refused, 1);
}

// ---- From the list of what the setup wrote

class UninstallFromList : public Uninstall {
protected:
    std::vector<std::string> lines_ = {"K-VOX install list 1"};
    void Line(const std::vector<std::string>& fields) {
        std::string line;
        for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
        lines_.push_back(line);
    }
    static std::string Hex(const std::string& bytes) {
        static const char digits[] = "0123456789ABCDEF";
        std::string hex;
        for (unsigned char c : bytes) hex += std::string{digits[c >> 4], digits[c & 15]};
        return hex;
    }
    void Prepare() {
        std::string text;
        for (const std::string& line : lines_) text += line + "\r\n";
        WriteTextFile(kvox_.File("uninst.lst"), text);
        ReadUninstallRecord(kvox_.Path().c_str(), record_);
        ASSERT_TRUE(record_.hasList);
        ASSERT_TRUE(PrepareListUndo(record_, undo_));
    }
    void Run() {
        Prepare();
        UndoValues(record_, undo_, tally_);
        UndoFiles(record_, undo_, tally_);
        FinishListUndo(record_, undo_, tally_);
    }
    ListUndo undo_;
};

// Entries that still hold what the setup wrote get back what stood there (or go when none
// stood there); one changed since stays; an entry the setup never writes is refused.
TEST_F(UninstallFromList, ProfileEntries) {
    WriteTextFile(RealWindows("win.ini"), "[intl]\r\nsCountry=Russia\r\niCountry=42\r\nsLanguage=rus\r\n");
    WriteTextFile(RealWindows("system.ini"), "[boot]\r\nshell=Explorer.exe\r\nkeyboard.drv=kvkbd.drv\r\n"
                                             "[keyboard]\r\nhotkey=1\r\n");
    const std::string control = system_.File("control.inf");
    WriteTextFile(control, "[country]\r\n\"Russia\", \"7!RUS\"= \r\n");
    Line({"V", "win.ini", "intl", "sCountry", "E", "United States", "Russia"});
    Line({"V", "win.ini", "intl", "iCountry", "E", "1", "7"});  // the user has made it 42
    Line({"V", "win.ini", "intl", "sLanguage", "M", "", "rus"});
    Line({"V", "system.ini", "boot", "keyboard.drv", "E", "keyboard.drv", "kvkbd.drv"});
    Line({"V", "system.ini", "keyboard", "hotkey", "E", "3", "1"});
    Line({"V", "system.ini", "boot", "shell", "E", "evil.exe", "Explorer.exe"});
    Line({"V", control, "country", "\"Russia\", \"7!RUS\"", "M", "", " "});
    Run();
    ExpectEntries("win.ini", {{"intl", "sCountry", "United States"}, {"intl", "iCountry", "42"},
                              {"intl", "sLanguage", "(missing)"}});
    ExpectEntries("system.ini", {{"boot", "keyboard.drv", "keyboard.drv"}, {"keyboard", "hotkey", "3"},
                                 {"boot", "shell", "Explorer.exe"}});
    ExpectEntries(control.c_str(), {{"country", "\"Russia\", \"7!RUS\"", "(missing)"}});
    EXPECT_EQ(tally_.restored, 3);
    EXPECT_EQ(tally_.removed, 2);
    EXPECT_EQ(tally_.left, 1);
    EXPECT_EQ(tally_.refused, 1);
    EXPECT_TRUE(Logged("Left [intl] iCountry in win.ini"));
}

// Values keep their type; one the user changed since stays; a value outside the keys the
// setup writes is refused.
TEST_F(UninstallFromList, RegistryValues) {
    const RegistryLocation &fonts = g_session.installedFontsKey, &display = g_session.displaySettingsKey;
    SetValue(fonts, "DejaVu Sans (TrueType)", "C:\\KVOX\\dejavus.ttf");
    SetValue(fonts, "User Changed", "C:\\MINE\\font.ttf");
    SetValue(display, "fonts.fon", "vgasysr.fon");
    const std::string fontsRoot = "HKCU", written = Hex("C:\\KVOX\\dejavus.ttf");
    Line({"R", fontsRoot, fonts.subkey, "DejaVu Sans (TrueType)", "E", "2", Hex(std::string("%WINDIR%\\x.ttf\0", 15)), "1", written});
    Line({"R", fontsRoot, fonts.subkey, "User Changed", "M", "", "", "1", Hex("C:\\KVOX\\f.ttf")});
    Line({"R", fontsRoot, display.subkey, "fonts.fon", "E", "1", Hex(std::string("vgasys.fon\0", 11)), "1", Hex("vgasysr.fon")});
    Line({"R", fontsRoot, display.subkey, "shell", "M", "", "", "1", Hex("x")});
    Run();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(fonts.root, fonts.subkey, 0, KEY_READ, &key), 0);
    char data[64] = "";
    DWORD type = 0, size = sizeof data;
    RegQueryValueExA(key, "DejaVu Sans (TrueType)", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_STREQ(data, "%WINDIR%\\x.ttf");
    EXPECT_EQ(Value(fonts, "User Changed"), "C:\\MINE\\font.ttf");
    EXPECT_EQ(Value(display, "fonts.fon"), "vgasys.fon");
    EXPECT_EQ(tally_.restored, 2);
    EXPECT_EQ(tally_.left, 1);
    EXPECT_EQ(tally_.refused, 1);
}

// Files the setup made go; a file it replaced comes back byte for byte from its kept copy;
// one that stood in the K-VOX directory stays; paths that climb out or lie outside the
// directories the setup writes to are refused; k-vox.ini goes last.
TEST_F(UninstallFromList, Files) {
    WriteTextFile(system_.File("kvkbd.drv"), "driver");
    WriteTextFile(system_.File("kbdus.kbd"), "the package's layout");
    CreateDirectoryA(kvox_.File("KEPT").c_str(), nullptr);
    WriteTextFile(kvox_.File("KEPT\\00000001.KEP"), "Windows' own layout");
    WriteTextFile(kvox_.File("readme.txt"), "the user's");
    WriteTextFile(windows_.File("k-vox.ini"), "[Location]\r\n" + kvox_.Path() + "= \r\n");
    ScratchDir elsewhere;
    WriteTextFile(elsewhere.File("victim.txt"), "keep me");
    WriteTextFile(system_.File("victim.txt"), "keep me too");
    Line({"F", windows_.File("k-vox.ini"), "N", ""});
    Line({"F", system_.File("kvkbd.drv"), "N", ""});
    Line({"F", system_.File("kbdus.kbd"), "K", "00000001.KEP"});
    Line({"F", kvox_.File("readme.txt"), "L", ""});
    Line({"F", system_.Path() + "..\\" + system_.Path().substr(system_.Path().rfind('\\', system_.Path().size() - 2) + 1) + "victim.txt", "N", ""});
    Line({"F", elsewhere.File("victim.txt"), "N", ""});
    Line({"not an entry"});
    Run();
    EXPECT_FALSE(FileExists(system_.File("kvkbd.drv").c_str()));
    EXPECT_EQ(ReadTextFile(system_.File("kbdus.kbd")), "Windows' own layout");
    EXPECT_FALSE(FileExists(kvox_.File("KEPT\\00000001.KEP").c_str()));
    EXPECT_TRUE(FileExists(kvox_.File("readme.txt").c_str()));
    EXPECT_TRUE(FileExists(elsewhere.File("victim.txt").c_str()));
    EXPECT_TRUE(FileExists(system_.File("victim.txt").c_str()));
    EXPECT_FALSE(FileExists(windows_.File("k-vox.ini").c_str()));
    EXPECT_EQ(tally_.refused, 2);
    EXPECT_EQ(undo_.own.Unreadable(), 1);
    // ".." is refused as such, however the directory it leads to is spelt.
    const std::string name = system_.Path().substr(system_.Path().rfind('\\', system_.Path().size() - 2) + 1);
    EXPECT_STREQ(RefusedFilePath((system_.Path() + "..\\" + name + "x.txt").c_str(), record_.directory),
                 "the path climbs out with \"..\"");
    EXPECT_EQ(tally_.failed, 0);
    EXPECT_FALSE(FileExists(kvox_.File("uninst.lst").c_str()));
}

// A value that could not be put back keeps the file it names, and k-vox.ini, for the next
// run; the list then holds what is left to do.
TEST_F(UninstallFromList, AFailedValueHoldsItsFile) {
    WriteTextFile(system_.File("kvkbd.drv"), "driver");
    WriteTextFile(system_.File("kvimage.dll"), "library");
    WriteTextFile(windows_.File("k-vox.ini"), "[Location]\r\n" + kvox_.Path() + "= \r\n");
    Line({"V", "system.ini", "boot", "keyboard.drv", "E", "keyboard.drv", "kvkbd.drv"});
    Line({"F", system_.File("kvkbd.drv"), "N", ""});
    Line({"F", system_.File("kvimage.dll"), "N", ""});
    Line({"F", windows_.File("k-vox.ini"), "N", ""});
    Prepare();
    // As if system.ini could not be written.
    ListEntry& value = undo_.own[0];
    ASSERT_EQ(value.kind, ListKind::Profile);
    value.failed = true;
    tally_.failed = 1;
    UndoFiles(record_, undo_, tally_);
    FinishListUndo(record_, undo_, tally_);
    EXPECT_TRUE(FileExists(system_.File("kvkbd.drv").c_str()));
    EXPECT_FALSE(FileExists(system_.File("kvimage.dll").c_str()));
    EXPECT_TRUE(FileExists(windows_.File("k-vox.ini").c_str()));
    EXPECT_TRUE(Logged("it is named by [boot] keyboard.drv"));
    std::string left = ReadTextFile(kvox_.File("uninst.lst"));
    EXPECT_NE(left.find("kvkbd.drv"), std::string::npos);
    EXPECT_NE(left.find("k-vox.ini"), std::string::npos);
    EXPECT_EQ(left.find("kvimage.dll"), std::string::npos);
}

// An installation made over this one in another directory takes over what both wrote, with
// what stood there before this one: its list then leads back to the one before this.
TEST_F(UninstallFromList, HandingOverToALaterInstallation) {
    ScratchDir later;
    WriteTextFile(windows_.File("k-vox.ini"), "[Location]\r\n" + later.Path() + "= \r\n");
    WriteTextFile(system_.File("kvkbd.drv"), "driver");
    WriteTextFile(system_.File("kbdus.kbd"), "layout");
    WriteTextFile(kvox_.File("kvox.exe"), "program");
    CreateDirectoryA(kvox_.File("KEPT").c_str(), nullptr);
    WriteTextFile(kvox_.File("KEPT\\00000001.KEP"), "Windows' own layout");
    CreateDirectoryA(later.File("KEPT").c_str(), nullptr);
    WriteTextFile(later.File("KEPT\\00000001.KEP"), "our driver");
    WriteTextFile(later.File("KEPT\\00000002.KEP"), "our layout");
    WriteTextFile(later.File("uninst.lst"),
                  "K-VOX install list 1\r\nP\t" + kvox_.Path() + "\r\nF\t" + system_.File("kvkbd.drv") +
                      "\tK\t00000001.KEP\r\nF\t" + system_.File("kbdus.kbd") + "\tK\t00000002.KEP\r\n"
                      "V\tsystem.ini\tboot\tkeyboard.drv\tE\tkvkbd.drv\tkvkbd.drv\r\n");
    Line({"P", "C:\\EARLIER\\"});
    Line({"F", system_.File("kvkbd.drv"), "N", ""});
    Line({"F", system_.File("kbdus.kbd"), "K", "00000001.KEP"});
    Line({"F", kvox_.File("kvox.exe"), "N", ""});
    Line({"V", "system.ini", "boot", "keyboard.drv", "E", "keyboard.drv", "kvkbd.drv"});
    Prepare();
    ASSERT_TRUE(undo_.hasAbove);
    HandOverShared(record_, undo_, tally_);
    UndoValues(record_, undo_, tally_);
    UndoFiles(record_, undo_, tally_);
    EXPECT_TRUE(FileExists(system_.File("kvkbd.drv").c_str()));
    EXPECT_EQ(ReadTextFile(system_.File("kbdus.kbd")), "layout");
    EXPECT_FALSE(FileExists(kvox_.File("kvox.exe").c_str()));
    const std::string theirs = ReadTextFile(later.File("uninst.lst"));
    EXPECT_NE(theirs.find("P\tC:\\EARLIER\\"), std::string::npos);
    EXPECT_NE(theirs.find(system_.File("kvkbd.drv") + "\tN\t"), std::string::npos);
    EXPECT_NE(theirs.find("keyboard.drv\tE\tkeyboard.drv\tkvkbd.drv"), std::string::npos);
    size_t kept = theirs.find(system_.File("kbdus.kbd") + "\tK\t");
    ASSERT_NE(kept, std::string::npos);
    std::string name = theirs.substr(kept + system_.File("kbdus.kbd").size() + 3, 12);
    EXPECT_EQ(ReadTextFile(later.File("KEPT\\" + name)), "Windows' own layout");
    EXPECT_FALSE(FileExists(later.File("KEPT\\00000001.KEP").c_str()));
    EXPECT_EQ(tally_.failed, 0);
}

// A start-up item whose name climbs out of its group is refused, and no command names it;
// the package's own item goes.
TEST_F(UninstallFromList, AStartUpItemNamedOutsideItsGroupIsRefused) {
    static std::vector<std::string> commands;
    commands.clear();
    Line({"I", "StartUp", "C:\\KVOX\\kvox.exe,..\\..\\Desktop\\Mine"});
    Line({"I", "StartUp", "C:\\KVOX\\kvox.exe,K-VOX Indicator"});
    Prepare();
    g_progmanCommandObserver = [](const char* command) { commands.push_back(command); };
    UndoProgmanItems(record_, undo_, tally_);
    g_progmanCommandObserver = nullptr;
    EXPECT_EQ(commands, (std::vector<std::string>{"[ShowGroup(StartUp,1)]", "[DeleteItem(K-VOX Indicator)]"}));
    EXPECT_EQ(tally_.refused, 1);
}

TEST(UninstallSwitches, EachSwitchChoosesTheEnd) {
    struct Case { const char* line; UninstallExit exit; } cases[] = {
        {"/d", UninstallExit::ShutDown}, {"/R", UninstallExit::Restart}, {"x -w", UninstallExit::ReturnToWindows},
        {"/dr", UninstallExit::Ask},     {"C:\\a/d", UninstallExit::Ask},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseUninstallSwitches(c.line), c.exit) << c.line;
}

}  // namespace
