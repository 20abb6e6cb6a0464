// Install flags, the running DOS code page, the printer survey and the earlier installation.
#include <string>
#include <vector>

#include "base/text.h"
#include "setupinfo/surveys.h"
#include "test_support.h"

namespace {

// Puts a file of the prefix's Windows fixture back as it was.
struct KeptFile {
    std::string path, text = ReadTextFile(path);
    ~KeptFile() { WriteTextFile(path, text); }
};

class Surveys : public SessionTest {
protected:
    ScratchDir scratch_;
};

// Without the section every switch is on and the defaults apply; zero turns a switch off and
// any other number on; an OEM setup reads the OEM section alone, nothing from the other.
TEST_F(Surveys, InstallFlags) {
    const std::string common = "[CommonInstallFlags]\r\nShowWelcomeDialog=0\r\nAskSetupOptions=0\r\n";
    struct Case {
        int32_t oem;
        std::string text;
        std::vector<int32_t> flags;  // welcome, country and path, options, restart, group opened
        const char *country, *hotKey;
    } cases[] = {
        {0, "[disks]\r\n1=Disk 1\r\n", {1, 1, 1, 1, 1}, "Russia", "Left Ctrl"},
        {0, common + "AskCountryAndPath=2\r\nCreatedProgmanGroupOpened=0\r\nDefaultUserCountry=Ukraine\r\n"
                     "DefaultHotKey=Caps Lock\r\n", {0, 2, 0, 1, 0}, "Ukraine", "Caps Lock"},
        {1, common + "DefaultUserCountry=Serbia\r\n[OemInstallFlags]\r\nShowWelcomeDialog=0\r\n", {0, 1, 1, 1, 1},
         "Russia", "Left Ctrl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        g_session.oemSetup = c.oem;
        WriteTextFile(scratch_.File("setup1.inf"), c.text);
        ReadInstallFlags(scratch_.File("setup1.inf").c_str());
        EXPECT_EQ((std::vector<int32_t>{g_session.showWelcomeDialog, g_session.askCountryAndPath,
                                        g_session.askSetupOptions, g_session.askRestartOrReturn,
                                        g_session.createdProgmanGroupOpened}),
                  c.flags);
        EXPECT_STREQ(g_session.defaultUserCountry, c.country);
        EXPECT_STREQ(g_session.hotKey, c.hotKey);
    }
    // The start-up group comes from Windows' own setup information.
    KeptFile setupInf{std::string(g_session.systemDir) + "setup.inf"};
    WriteTextFile(setupInf.path, "[progman.groups]\r\ngroup1=Autostart\r\ngroup2=Main\r\n");
    ReadInstallFlags(scratch_.File("setup1.inf").c_str());
    EXPECT_STREQ(g_session.startupGroupName, "Autostart");
}

// The digits stand at the fifth to seventh character; without the entry the code page is 437.
TEST_F(Surveys, DosCodePage) {
    KeptFile systemIni{std::string(g_session.windowsDir) + "system.ini"};
    struct Case { const char* value; int32_t codePage; } cases[] = {
        {"XLAT855.BIN", 855}, {"xlat8x6.bin", 8}, {"abcdefg.bin", 0}, {"xlat86", 86}, {nullptr, 437},
        {"xlat1251.bin", 125},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(no entry)");
        WritePrivateProfileStringA("keyboard", "oemansi.bin", c.value, "system.ini");
        EXPECT_EQ(ReadCurrentDosCodePage(), c.codePage);
    }
}

// Dot-matrix printers of win.ini are known by their kind, which the first member names.
TEST_F(Surveys, Printers) {
    KeptFile winIni{std::string(g_session.windowsDir) + "win.ini"};
    CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
    WriteTextFile(g_session.setupInfPath, "[printers]\r\nEpson LQ-570=PR2,24-pin\r\nEpson FX-850=PR9\r\n"
                                          "Star LC24-10=pr2\r\nOdd Printer=,PR9\r\n");
    struct Case { const char* devices; int32_t kinds; } cases[] = {
        {"HP LaserJet=HPPCL5MS,LPT2:\r\n", 0}, {"Odd Printer=X,LPT1:\r\n", 0}, {"Epson LQ-570=EPSON24,LPT1:\r\n", 24},
        {"Epson FX-850=EPSON9,LPT1:\r\n", 9}, {"Epson FX-850=EPSON9,LPT1:\r\nStar LC24-10=STAR24,LPT2:\r\n", 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devices);
        WriteTextFile(winIni.path, std::string("[windows]\r\nload=\r\n[devices]\r\n") + c.devices);
        EXPECT_EQ(SurveyPrinters(), c.kinds);
    }
}

// Installed here only when k-vox.ini's first location names the destination.
TEST_F(Surveys, EarlierInstallation) {
    CopyText(g_session.windowsDir, scratch_.Path().c_str());  // k-vox.ini lives here
    struct Case { const char *destination, *profile; int32_t installed; } cases[] = {
        {"c:\\kvox\\", "[Location]\r\nC:\\KVOX\\= \r\n", 1},
        {"C:\\KVOX", "[Location]\r\nC:\\KVOX\\= \r\n", 0},
        {"C:\\KVOX\\", "[Location]\r\nD:\\KVOX\\= \r\nC:\\KVOX\\= \r\n", 0},
        {"C:\\KVOX\\", "[Location]\r\n[country]\r\nRUS= \r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.destination) + " in " + c.profile);
        WriteTextFile(scratch_.File("k-vox.ini"), c.profile);
        CopyText(g_session.destinationDir, c.destination);
        EXPECT_EQ(IsAlreadyInstalled(), c.installed);
    }
}

}  // namespace
