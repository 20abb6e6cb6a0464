// Install flags, the running DOS code page, the printer survey and the earlier installation.
#include <string>

#include "base/text.h"
#include "setupinfo/surveys.h"
#include "test_support.h"

namespace {

// Keeps a file of the prefix's Windows fixture as it was and puts it back afterwards.
class KeptFile {
public:
    explicit KeptFile(std::string path) : path_(std::move(path)), text_(ReadTextFile(path_)) {}
    ~KeptFile() { WriteTextFile(path_, text_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string text_;
};

class InstallFlags : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        inf_ = scratch_.File("setup1.inf");
    }
    void ReadFlags(const std::string& text) {
        WriteTextFile(inf_, text);
        ReadInstallFlags(inf_.c_str());
    }
    ScratchDir scratch_;
    std::string inf_;
};

TEST_F(InstallFlags, WithoutTheSectionEverySwitchIsOnAndTheDefaultsApply) {
    g_session.showWelcomeDialog = g_session.askCountryAndPath = g_session.createdProgmanGroupOpened = 7;
    ReadFlags("[disks]\r\n1=Disk 1\r\n");
    EXPECT_EQ(g_session.createdProgmanGroupOpened, 1);
    EXPECT_EQ(g_session.showWelcomeDialog, 1);
    EXPECT_EQ(g_session.askCountryAndPath, 1);
    EXPECT_EQ(g_session.askSetupOptions, 1);
    EXPECT_EQ(g_session.askRestartOrReturn, 1);
    EXPECT_STREQ(g_session.defaultUserCountry, "Russia");
    EXPECT_STREQ(g_session.hotKey, "Left Ctrl");
    EXPECT_STREQ(g_session.startupGroupName, "StartUp");  // the fixture's setup.inf
}

TEST_F(InstallFlags, ZeroTurnsASwitchOffAndAnyOtherNumberOn) {
    ReadFlags("[CommonInstallFlags]\r\nShowWelcomeDialog=0\r\nAskCountryAndPath=2\r\nAskSetupOptions=0\r\n"
              "CreatedProgmanGroupOpened=0\r\nDefaultUserCountry=Ukraine\r\nDefaultHotKey=Caps Lock\r\n");
    EXPECT_EQ(g_session.showWelcomeDialog, 0);
    EXPECT_NE(g_session.askCountryAndPath, 0);
    EXPECT_EQ(g_session.askSetupOptions, 0);
    EXPECT_EQ(g_session.askRestartOrReturn, 1);
    EXPECT_EQ(g_session.createdProgmanGroupOpened, 0);
    EXPECT_STREQ(g_session.defaultUserCountry, "Ukraine");
    EXPECT_STREQ(g_session.hotKey, "Caps Lock");
}

TEST_F(InstallFlags, OemSetupReadsTheOemSectionAlone) {
    g_session.oemSetup = 1;
    ReadFlags("[CommonInstallFlags]\r\nShowWelcomeDialog=0\r\nAskSetupOptions=0\r\nDefaultUserCountry=Serbia\r\n"
              "[OemInstallFlags]\r\nShowWelcomeDialog=0\r\n");
    EXPECT_EQ(g_session.showWelcomeDialog, 0);
    EXPECT_EQ(g_session.askSetupOptions, 1);  // missing from the OEM section: not taken from the other
    EXPECT_STREQ(g_session.defaultUserCountry, "Russia");
}

TEST_F(InstallFlags, TheStartUpGroupComesFromWindowsSetupInformation) {
    KeptFile setupInf(std::string(g_session.systemDir) + "setup.inf");
    WriteTextFile(setupInf.Path(), "[progman.groups]\r\ngroup1=Autostart\r\ngroup2=Main\r\n");
    ReadFlags("");
    EXPECT_STREQ(g_session.startupGroupName, "Autostart");
}

class DosCodePage : public SessionTest {
protected:
    KeptFile systemIni_{std::string(g_session.windowsDir) + "system.ini"};
};

TEST_F(DosCodePage, DigitsStandAtTheFifthToSeventhCharacter) {
    struct Case {
        const char* value;
        int32_t codePage;
    } cases[] = {
        {"xlat866.bin", 866}, {"XLAT855.BIN", 855}, {"", 437}, {"xlat8x6.bin", 8},
        {"abcdefg.bin", 0},   {"xlat86", 86},       {"abc", 0},          {"xlat1251.bin", 125},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        WritePrivateProfileStringA("keyboard", "oemansi.bin", c.value, "system.ini");
        EXPECT_EQ(ReadCurrentDosCodePage(), c.codePage);
    }
    WritePrivateProfileStringA("keyboard", "oemansi.bin", nullptr, "system.ini");
    EXPECT_EQ(ReadCurrentDosCodePage(), 437);
}

class Printers : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
        WriteTextFile(g_session.setupInfPath,
                      "[printers]\r\nEpson LQ-570=PR2,24-pin\r\nEpson FX-850=PR9\r\nStar LC24-10=pr2\r\n"
                      "Odd Printer=,PR9\r\n");
    }
    int32_t Survey(const char* devices) {
        WriteTextFile(winIni_.Path(), std::string("[windows]\r\nload=\r\n[devices]\r\n") + devices);
        return SurveyPrinters();
    }
    ScratchDir scratch_;
    KeptFile winIni_{std::string(g_session.windowsDir) + "win.ini"};
};

TEST_F(Printers, DotMatrixPrintersOfWinIniAreKnownByTheirKind) {
    EXPECT_EQ(Survey(""), 0);
    EXPECT_EQ(Survey("HP LaserJet 4L=HPPCL5MS,LPT2:\r\n"), 0);
    EXPECT_EQ(Survey("Epson LQ-570=EPSON24,LPT1:\r\n"), 24);
    EXPECT_EQ(Survey("Epson FX-850=EPSON9,LPT1:\r\n"), 9);
    EXPECT_EQ(Survey("Epson FX-850=EPSON9,LPT1:\r\nStar LC24-10=STAR24,LPT2:\r\n"), 33);
    EXPECT_EQ(Survey("Odd Printer=X,LPT1:\r\n"), 0);  // only the first member names the kind
}

class EarlierInstallation : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.windowsDir, scratch_.Path().c_str());  // k-vox.ini lives here
    }
    void Profile(const std::string& text) { WriteTextFile(scratch_.File("k-vox.ini"), text); }
    ScratchDir scratch_;
};

TEST_F(EarlierInstallation, TheFirstLocationMustNameTheDestination) {
    CopyText(g_session.destinationDir, "c:\\kvox\\");
    EXPECT_EQ(IsAlreadyInstalled(), 0);  // no k-vox.ini
    Profile("[Location]\r\nC:\\KVOX\\= \r\n");
    EXPECT_EQ(IsAlreadyInstalled(), 1);
    CopyText(g_session.destinationDir, "C:\\KVOX");
    EXPECT_EQ(IsAlreadyInstalled(), 0);
    CopyText(g_session.destinationDir, "C:\\KVOX\\");
    Profile("[Location]\r\nD:\\KVOX\\= \r\nC:\\KVOX\\= \r\n");
    EXPECT_EQ(IsAlreadyInstalled(), 0);
    Profile("[Location]\r\n[country]\r\nRUS= \r\n");
    EXPECT_EQ(IsAlreadyInstalled(), 0);
}

}  // namespace
