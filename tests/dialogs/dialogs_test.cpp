// The welcome and exit dialogs, the country step without a dialog, and the layout table.
#include <string>

#include "base/text.h"
#include "base/windowing.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

using WizardDialogs = SessionTest;

TEST_F(WizardDialogs, WelcomeGoesOnOnlyWithContinue) {
    struct Case {
        std::function<void(HWND)> act;
        uint16_t result;
    } cases[] = {
        {[](HWND d) { ClickButton(d, 1); }, 1}, {[](HWND d) { PressKey(d, VK_RETURN); }, 1},
        {[](HWND d) { ClickButton(d, 2); }, 0}, {[](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
        {CloseFromSystemMenu, 0},
    };
    for (const Case& c : cases) {
        g_session.dialogResult = 7;
        ModalScript script;
        script.On("Welcome", c.act);
        EXPECT_EQ(RunWelcomeDialog(), c.result);
        EXPECT_EQ(g_session.dialogResult, c.result);
        EXPECT_EQ(script.StepsLeft(), 0u);
    }
}

TEST_F(WizardDialogs, ExitDialogsOfferReturnToWindowsOnlyInMode3) {
    struct Case {
        int32_t mode;
        int button, choice;
    } cases[] = {{3, 3, 0}, {3, 1032, 1}, {3, 1030, 2}, {2, 1032, 1}, {2, 1030, 2}, {2, 0, 0}, {3, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " button " << c.button);
        bool hasReturn = false;
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND dialog) {
            HWND returnButton = GetDlgItem(dialog, 3);
            hasReturn = returnButton && IsWindowVisible(returnButton);
            if (hasReturn) EXPECT_EQ(WindowText(returnButton), "Return to &Windows");
            if (c.button) ClickButton(dialog, c.button);
            else CloseFromSystemMenu(dialog);
        });
        EXPECT_EQ(RunExitDialog(c.mode), c.choice);
        EXPECT_EQ(hasReturn, c.mode == 3);
    }
}

class CountryDefaults : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        UseSetupInf("[Country Key]\r\nRussia=RUS\r\nUkraine=UKR\r\nBelarus=BLR\r\nNowhere=XXX\r\n"
                    "[default.setup]\r\nRUS=1251, 866,1,langrus.dll,2,Beta,Alpha\r\nUKR=1251\r\n"
                    "BLR=1252,855,0,langbel.dll,2,Alpha\r\n"
                    "[Keyboard Layouts]\r\nBeta=x,kbdb.kbd,2,B,BBB\r\nAlpha=x,kbda.kbd,2,A,AAA\r\n");
    }
};

TEST_F(CountryDefaults, TakeTheKeyAndCodePageOfTheCountry) {
    EXPECT_EQ(ReadCountryDefaults("Russia"), 1);
    EXPECT_STREQ(g_session.countryKey, "RUS");
    EXPECT_STREQ(g_session.systemFontsCodePage, "1251");
    EXPECT_EQ(std::string(g_session.destinationDir), std::string(g_session.windowsDir) + "KVOX\\");
    // A country missing from [Country Key] reads the default key.
    EXPECT_EQ(ReadCountryDefaults("Atlantis"), 1);
    EXPECT_STREQ(g_session.countryKey, "RUS");
    // A key missing from [default.setup] reads the default key, which becomes member 1.
    EXPECT_EQ(ReadCountryDefaults("Nowhere"), 1);
    EXPECT_STREQ(g_session.systemFontsCodePage, "RUS");
}

// The table closes with an empty record.
TEST_F(CountryDefaults, TheLayoutTableHoldsTheCountrysDefaultLayouts) {
    ReadCountryDefaults("Russia");
    CopyText(g_session.hotKey, "Caps Lock");
    g_session.printerFonts = g_session.ninePinPrinterFonts = g_session.twentyFourPinPrinterFonts = 1;
    g_session.twentyFourPinPrintersPresent = 1;  // a printer found turns on no printer fonts here
    ASSERT_EQ(LoadLayoutTable(), 1);
    EXPECT_EQ(LayoutTable(1), (std::vector<std::string>{"Beta/BBB", "Alpha/AAA", "/"}));
    EXPECT_STREQ(g_session.firstLayout, "Beta");
    EXPECT_STREQ(g_session.secondLayout, "Alpha");
    EXPECT_STREQ(g_session.dosCodePage, "866");
    EXPECT_EQ(g_session.screenFonts, 1);
    EXPECT_EQ(g_session.printerFonts + g_session.ninePinPrinterFonts + g_session.twentyFourPinPrinterFonts, 0);
    EXPECT_STREQ(g_session.chosenHotKey, "Caps Lock");

    CopyText(g_session.windowsDir, scratch_.Path().c_str());
    SaveLayoutsToProfile();
    EXPECT_EQ(ReadTextFile(scratch_.File("k-vox.ini")),
              "[KVNLS]\r\nBeta=X,KBDB.KBD,2,B,BBB\r\nAlpha=X,KBDA.KBD,2,A,AAA\r\n");

    // Loading a country with one layout into the same table leaves no trace of the other.
    ReadCountryDefaults("Belarus");
    ASSERT_EQ(LoadLayoutTable(), 1);
    EXPECT_EQ(LayoutTable(1), (std::vector<std::string>{"Alpha/AAA", "/"}));
    EXPECT_STREQ(g_session.firstLayout, "Alpha");
    EXPECT_STREQ(g_session.secondLayout, "");
    EXPECT_STREQ(g_session.dosCodePage, "855");
    EXPECT_EQ(g_session.screenFonts, 0);
}

// The size class of the country's fonts follows the system font and the screen.
TEST_F(CountryDefaults, TheFontSizeFollowsTheSystemFontAndTheScreen) {
    char saved[260] = "";
    GetPrivateProfileStringA("boot", "fonts.fon", "", saved, sizeof saved, "system.ini");
    struct Case {
        const char* systemFont;
        int height;
        const char* code;
    } cases[] = {{"8514sys.fon", 768, "HI4"}, {"vgasys.fon", 768, "HI2"}, {"8514sys.fon", 481, "HI4"},
                 {"8514sys.fon", 480, "HI2"}, {"8514sys.fon", 350, "HI1"}, {"vgasys.fon", 351, "HI2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.systemFont << " " << c.height);
        WritePrivateProfileStringA("boot", "fonts.fon", c.systemFont, "system.ini");
        g_screenHeightForTesting = c.height;
        ReadCountryDefaults("Russia");
        ASSERT_EQ(LoadLayoutTable(), 1);
        EXPECT_STREQ(g_session.fontSizeCode, c.code);
    }
    WritePrivateProfileStringA("boot", "fonts.fon", saved, "system.ini");
}

TEST_F(CountryDefaults, ACountryWithoutLayoutsIsReported) {
    ReadCountryDefaults("Ukraine");
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    EXPECT_EQ(LoadLayoutTable(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Can't read all section 'default.setup'"});
}

}  // namespace
