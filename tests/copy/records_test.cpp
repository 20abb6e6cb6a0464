// The whole copy phase over a small package of scratch files: over an earlier installation,
// whose records stay but for the new [Location], and to a stop that leaves the uninstall
// record without [Enabled] and [Location].
#include <string>
#include <vector>

#include "copy/copy.h"
#include "copy_test_support.h"

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

// The Windows and system directories and the destination are scratch directories.
class CopyPhase : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        SetupSession& s = g_session;
        for (const std::string& dir : {windows_, system_}) CreateDirectoryA(dir.c_str(), nullptr);
        CopyText(s.windowsDir, windows_.c_str());
        CopyText(s.systemDir, system_.c_str());
        CopyText(s.destinationDir, destination_.c_str());
        CopyText(s.startDir, source_.c_str());
        CopyText(s.uninstallRecordPath, uninst_.c_str());
        CopyText(s.countryKey, "RUS");
        s.layouts = s.fonts = s.trueTypeFonts = 0;
        WriteInf(
            "[disks]\r\n1=Test Disk\r\n[volume]\r\nUNINSTFILES=100\r\nPROGFILES=1000\r\nWINSPACE=10\r\n"
            "[windows]\r\nkvlang.ini=1\r\n[uninstall.k-vox]\r\nuninst.exe=1\r\n"
            "[programfiles.k-vox]\r\nkvox.exe=1\r\n[default.setup]\r\nRUS=1251,866,1,langrus.dll,1\r\n"
            "[application]\r\nkvedit.exe=1\r\n");
        WritePackage(source_);
    }
    static void WritePackage(const std::string& directory) {
        WriteTextFile(directory + "k-vox.ini", "[Package]\r\nVersion=2.0\r\n");
        for (const char* name : {"kvlang.ini", "uninst.exe", "kvox.exe", "langrus.dll", "kvedit.exe"})
            WriteTextFile(directory + name, name);
    }

    std::string windows_ = work_.File("win\\");
    std::string system_ = work_.File("sys\\");
    std::string profile_ = windows_ + "k-vox.ini";
    std::string uninst_ = destination_ + "uninst.inf";
};

TEST_F(CopyPhase, OverAnEarlierInstallationOnlyTheProfilesLocationIsRewritten) {
    WriteTextFile(profile_, "[country]\r\nUKR= \r\n[Location]\r\nC:\\OLD\\= \r\nD:\\OLDER\\= \r\n");
    WriteTextFile(uninst_, "[Enabled]\r\nEnabled=Yes\r\n[Location]\r\nC:\\OLD\\= \r\n");
    g_session.alreadyInstalled = 1;
    g_session.uninstallEnabled = 0;
    Answers none;

    EXPECT_EQ(CopyPackageFiles(), 1);
    EXPECT_EQ(g_session.totalBytes, 1010);
    EXPECT_EQ(g_session.bytesDone, 1011);
    EXPECT_EQ(Section(profile_, "Location"), Lines{destination_ + "="});
    EXPECT_EQ(Section(profile_, "country"), Lines{"UKR="});
    EXPECT_EQ(Section(profile_, "Package"), Lines{});  // the package's copy did not replace it
    EXPECT_EQ(Section(uninst_, "Enabled"), Lines{"Enabled=Yes"});
    EXPECT_EQ(Section(uninst_, "Location"), Lines{"C:\\OLD\\="});
    EXPECT_FALSE(Exists(destination_ + "uninst.exe"));
    for (const std::string& file : {windows_ + "kvlang.ini", destination_ + "kvox.exe", destination_ + "kvedit.exe"})
        EXPECT_TRUE(Exists(file)) << file;
}

// A start directory one character longer than the source directory holds (127) is not cut
// into another directory: the disk prompt comes first, offering what fits.
TEST_F(CopyPhase, AStartDirectoryTooLongForTheSourceIsAskedForAtOnce) {
    std::string start = source_ + std::string(128 - source_.size() - 1, 'd') + "\\";
    ASSERT_EQ(start.size(), 128u);
    CreateDirectoryA(start.c_str(), nullptr);
    WritePackage(start);
    CopyText(g_session.startDir, start.c_str());
    std::string offered;
    Answers answers{[&](HWND prompt) {
        offered = WindowText(GetDlgItem(prompt, IDC_DISK_PATH));
        TypePath(source_)(prompt);
    }};

    EXPECT_EQ(CopyPackageFiles(), 1);
    EXPECT_EQ(answers.shown, std::vector<Shown>{{"disk prompt: Test Disk"}});
    EXPECT_EQ(offered, start.substr(0, sizeof g_session.messageBuffer - 1));
    Lines log = LogLines();
    log.resize(4);
    EXPECT_EQ(log, (Lines{"Setup.exe start directory: " + start, "Prompt: Insert disk or type path to file ",
                          "New source path:" + source_, "Source directory: " + source_}));
}

TEST_F(CopyPhase, AStopLeavesTheUninstallRecordWithoutEnabledAndLocation) {
    DeleteFileA((source_ + "kvedit.exe").c_str());  // after the profile's [Location]
    Answers answers{Click(IDCANCEL), Click(IDOK)};

    EXPECT_EQ(CopyPackageFiles(), 0);
    EXPECT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(answers.shown[0].text, "disk prompt: Test Disk");
    EXPECT_EQ(Section(profile_, "Location"), Lines{destination_ + "="});
    EXPECT_EQ(Section(uninst_, "Enabled"), Lines{});
    EXPECT_EQ(Section(uninst_, "Location"), Lines{});
    EXPECT_NE(g_session.bytesDone, g_session.totalBytes + 1);
}

}  // namespace
