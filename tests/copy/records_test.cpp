// Where the package lives and whether it can be uninstalled: [Location] rewritten, and the
// whole copy phase over a small package of scratch files, to its records in k-vox.ini and
// uninst.inf, or to a stop that leaves the uninstall record without them.
#include <string>
#include <vector>

#include "copy/copy.h"
#include "copy_test_support.h"
#include "dialogs/layout_table.h"

namespace {

// The lines of a profile section as "key=value", a trailing blank dropped (Wine writes a
// value of one blank as an empty one).
Lines Section(const std::string& file, const char* section) {
    char buffer[4096] = "";
    GetPrivateProfileSectionA(section, buffer, sizeof buffer, file.c_str());
    Lines lines;
    for (const char* line = buffer; *line; line += strlen(line) + 1) {
        std::string text = line;
        while (!text.empty() && text.back() == ' ') text.pop_back();
        lines.push_back(text);
    }
    return lines;
}

class Records : public CopyTest {};

TEST_F(Records, TheLocationRecordNamesOnlyTheNewDirectory) {
    std::string profile = work_.File("k-vox.ini");
    WriteTextFile(profile, "[Location]\r\nC:\\OLD\\= \r\nD:\\OLDER\\= \r\n[KVNLS]\r\nRussian=1\r\n");
    EXPECT_EQ(WriteLocationRecord(profile.c_str(), "C:\\KVOX\\"), 1);
    EXPECT_EQ(Section(profile, "Location"), Lines{"C:\\KVOX\\="});
    EXPECT_EQ(Section(profile, "KVNLS"), Lines{"Russian=1"});
}

// A package of a few small files in the source directory; the Windows, system and fonts
// directories and the destination are scratch directories.
class CopyPhase : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        SetupSession& s = g_session;
        for (const std::string& dir : {windows_, system_, fonts_}) CreateDirectoryA(dir.c_str(), nullptr);
        CopyText(s.windowsDir, windows_.c_str());
        CopyText(s.systemDir, system_.c_str());
        CopyText(s.fontsDir, fonts_.c_str());
        CopyText(s.destinationDir, destination_.c_str());
        CopyText(s.startDir, source_.c_str());
        CopyText(s.uninstallRecordPath, uninst_.c_str());
        CopyText(s.countryKey, "RUS");
        CopyText(s.dosCodePage, "866");
        CopyText(s.systemFontsCodePage, "1251");
        CopyText(s.fontSizeCode, "HI2");
        s.programFiles = s.layouts = s.replaceOldFiles = 1;
        s.fonts = s.trueTypeFonts = s.applications = s.developersKitSample = 0;
        WriteInf(
            "[disks]\r\n1=Test Disk\r\n"
            "[volume]\r\nUNINSTFILES=100\r\nPROGFILES=1000\r\nWINSPACE=10\r\nWINOTHER=5\r\n"
            "[windows.system]\r\nkvkbd.drv=1\r\n"
            "[windows]\r\nkvlang.ini=1\r\n"
            "[uninstall.k-vox]\r\nuninst.exe=1\r\n"
            "[programfiles.k-vox]\r\nkvox.exe=1\r\n"
            "[oemansi]\r\n866=xlat866.bin,1\r\n"
            "[default.setup]\r\nRUS=1251,866,1,langrus.dll,1,English (US),Russian\r\n"
            "[Keyboard Layouts]\r\nEnglish (US)=00000409,kbdus.kbd,1,US,USA\r\n"
            "Russian=00000419,kbdru.kbd,1,RU,RUS\r\n");
        WriteTextFile(source_ + "k-vox.ini", "[Package]\r\nVersion=2.0\r\n");
        for (const char* name : {"kvkbd.drv", "kvlang.ini", "uninst.exe", "kvox.exe", "xlat866.bin", "langrus.dll",
                                 "kbdus.kbd", "kbdru.kbd"})
            WriteTextFile(source_ + name, name);
        Layouts({{"RUS", "Russian"}, {"USA", "English (US)"}});
    }
    void TearDown() override {
        if (g_session.layoutTable) GlobalFree(g_session.layoutTable);
        g_session.layoutTable = nullptr;
    }
    void Layouts(const std::vector<LayoutRecord>& records) {
        HGLOBAL table = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, records.size() * sizeof(LayoutRecord));
        auto* locked = static_cast<LayoutRecord*>(GlobalLock(table));
        for (size_t i = 0; i < records.size(); ++i) locked[i] = records[i];
        GlobalUnlock(table);
        g_session.layoutTable = table;
        g_session.layoutCount = static_cast<int32_t>(records.size());
    }

    std::string windows_ = work_.File("win\\");
    std::string system_ = work_.File("sys\\");
    std::string fonts_ = work_.File("fonts\\");
    std::string profile_ = windows_ + "k-vox.ini";
    std::string uninst_ = destination_ + "uninst.inf";
};

TEST_F(CopyPhase, WritesTheRecordsOfANewOrAnEarlierInstallation) {
    const std::string location = destination_ + "=";
    const struct {
        const char* what;
        int32_t uninstallEnabled, alreadyInstalled;
        const char* profileBefore;  // k-vox.ini in the Windows directory, if any
        const char* recordBefore;   // uninst.inf, if any
        int32_t totalBytes;
        Lines country, enabled, recordLocation;
        bool packageProfile;  // k-vox.ini is the package's copy
    } cases[] = {
        {"new, with uninstall", 1, 0, nullptr, nullptr, 1110, {"RUS="}, {"Enabled=Yes"}, {location}, true},
        {"new, without uninstall", 0, 0, nullptr, nullptr, 1010, {"RUS="}, {"Enabled=No"}, {}, true},
        {"over an earlier installation", 0, 1, "[country]\r\nUKR= \r\n[Location]\r\nC:\\OLD\\= \r\n",
         "[Enabled]\r\nEnabled=Yes\r\n[Location]\r\nC:\\OLD\\= \r\n", 1010, {"UKR="}, {"Enabled=Yes"},
         {"C:\\OLD\\="}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(profile_.c_str());
        DeleteFileA(uninst_.c_str());
        DeleteFileA((destination_ + "uninst.exe").c_str());
        if (c.profileBefore) WriteTextFile(profile_, c.profileBefore);
        if (c.recordBefore) WriteTextFile(uninst_, c.recordBefore);
        g_session.uninstallEnabled = c.uninstallEnabled;
        g_session.alreadyInstalled = c.alreadyInstalled;
        g_session.bytesDone = 0;
        Answers none;

        EXPECT_EQ(CopyPackageFiles(), 1);
        EXPECT_EQ(g_session.totalBytes, c.totalBytes);
        EXPECT_EQ(g_session.bytesDone, c.totalBytes + 1);
        EXPECT_EQ(Section(profile_, "Location"), Lines{location});
        EXPECT_EQ(Section(profile_, "country"), c.country);
        EXPECT_EQ(Section(profile_, "Package"), c.packageProfile ? Lines{"Version=2.0"} : Lines{});
        EXPECT_EQ(Section(uninst_, "Enabled"), c.enabled);
        EXPECT_EQ(Section(uninst_, "Location"), c.recordLocation);
        EXPECT_EQ(Section(uninst_, "languages.installed"), (Lines{"Russian=RUS", "English (US)=USA"}));
        EXPECT_EQ(Exists(destination_ + "uninst.exe"), c.uninstallEnabled != 0);
        for (const std::string& file : {system_ + "kvkbd.drv", windows_ + "kvlang.ini", destination_ + "kvox.exe",
                                        system_ + "xlat866.bin", system_ + "langrus.dll", system_ + "kbdru.kbd",
                                        system_ + "kbdus.kbd"})
            EXPECT_TRUE(Exists(file)) << file;
    }
}

TEST_F(CopyPhase, AStopLeavesTheUninstallRecordWithoutEnabledAndLocation) {
    DeleteFileA((source_ + "kbdus.kbd").c_str());  // the second layout's file
    g_session.uninstallEnabled = 1;
    Answers answers{Click(IDCANCEL), Click(IDOK)};

    EXPECT_EQ(CopyPackageFiles(), 0);
    EXPECT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].text, "disk prompt: Test Disk");
    EXPECT_TRUE(Section(uninst_, "Enabled").empty());
    EXPECT_TRUE(Section(uninst_, "Location").empty());
    EXPECT_EQ(Section(uninst_, "languages.installed"), Lines{"Russian=RUS"});
    EXPECT_NE(g_session.bytesDone, g_session.totalBytes + 1);
}

}  // namespace
