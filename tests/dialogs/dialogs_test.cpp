// The welcome and exit dialogs, the country step without a dialog, and the layout table.
#include <functional>
#include <tuple>

#include "base/text.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

using WizardDialogs = SessionTest;

TEST_F(WizardDialogs, WelcomeGoesOnOnlyWithContinue) {
    const std::pair<std::function<void(HWND)>, uint16_t> cases[] = {
        {[](HWND d) { ClickButton(d, 1); }, 1}, {[](HWND d) { PressKey(d, VK_RETURN); }, 1},
        {[](HWND d) { ClickButton(d, 2); }, 0}, {[](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
        {CloseFromSystemMenu, 0}};
    for (const auto& [act, result] : cases) {
        ModalScript script;
        script.On("Welcome", act);
        EXPECT_EQ(RunWelcomeDialog(), result);
        EXPECT_EQ(script.StepsLeft(), 0u);
    }
}

TEST_F(WizardDialogs, ExitDialogsOfferReturnToWindowsOnlyInMode3) {
    // mode, button clicked (0: the window closed), choice
    const int cases[][3] = {{3, 3, 0}, {3, 1032, 1}, {3, 1030, 2}, {2, 0, 0}};
    for (const auto& [mode, button, choice] : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << mode << " button " << button);
        bool hasReturn = false;
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND dialog) {
            HWND returnButton = GetDlgItem(dialog, 3);
            hasReturn = returnButton && IsWindowVisible(returnButton);
            if (hasReturn) EXPECT_EQ(WindowText(returnButton), "Return to &Windows");
            if (button) ClickButton(dialog, button);
            else CloseFromSystemMenu(dialog);
        });
        EXPECT_EQ(RunExitDialog(mode), choice);
        EXPECT_EQ(hasReturn, mode == 3);
    }
}

RECT RectInDialog(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A long disk label shows whole, wrapped, above the controls that follow it, in a dialog of
// the template's size.
TEST_F(WizardDialogs, TheDiskPromptShowsALongLabelWhole) {
    const char label[] = "K-VOX Disk 2 - Layouts and Applications";
    CopyText(g_session.valueBuffer, label);
    DialogUnderTest dialog(IDD_INSERTDISK, SourceDirDlgProc);
    HWND shown = dialog.Item(IDC_DISK_LABEL);
    EXPECT_EQ(WindowText(shown), label);

    RECT room, needed;
    GetClientRect(shown, &room);
    needed = room;
    HDC dc = GetDC(shown);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(shown, WM_GETFONT, 0, 0)));
    DrawTextA(dc, label, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, font);
    ReleaseDC(shown, dc);
    EXPECT_LE(needed.right, room.right);
    EXPECT_LE(needed.bottom, room.bottom);

    RECT client, size{0, 0, 185, 86};
    GetClientRect(dialog.Window(), &client);
    MapDialogRect(dialog.Window(), &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    // No other control shares the label's room; all stand within the dialog.
    RECT labelRect = RectInDialog(shown);
    for (HWND child = GetWindow(dialog.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = RectInDialog(child), common;
        SCOPED_TRACE(WindowText(child));
        if (child != shown) EXPECT_FALSE(IntersectRect(&common, &rect, &labelRect));
        EXPECT_LE(rect.bottom, client.bottom);
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
    EXPECT_EQ(LayoutTable(1), (Names{"Beta/BBB", "Alpha/AAA", "/"}));
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

    // A country with one layout, loaded into the same table, leaves no trace of the other.
    ReadCountryDefaults("Belarus");
    ASSERT_EQ(LoadLayoutTable(), 1);
    EXPECT_EQ(LayoutTable(1), (Names{"Alpha/AAA", "/"}));
    EXPECT_STREQ(g_session.secondLayout, "");
    EXPECT_EQ(g_session.screenFonts, 0);
}

// The size class of the country's fonts follows the system font and the screen.
TEST_F(CountryDefaults, TheFontSizeFollowsTheSystemFontAndTheScreen) {
    char saved[260] = "";
    GetPrivateProfileStringA("boot", "fonts.fon", "", saved, sizeof saved, "system.ini");
    const std::tuple<const char*, int, const char*> cases[] = {
        {"8514sys.fon", 768, "HI4"}, {"vgasys.fon", 768, "HI2"}, {"8514sys.fon", 481, "HI4"},
        {"8514sys.fon", 480, "HI2"}, {"8514sys.fon", 350, "HI1"}, {"vgasys.fon", 351, "HI2"}};
    for (const auto& [systemFont, height, code] : cases) {
        SCOPED_TRACE(testing::Message() << systemFont << " " << height);
        WritePrivateProfileStringA("boot", "fonts.fon", systemFont, "system.ini");
        g_screenHeightForTesting = height;
        ReadCountryDefaults("Russia");
        ASSERT_EQ(LoadLayoutTable(), 1);
        EXPECT_STREQ(g_session.fontSizeCode, code);
    }
    WritePrivateProfileStringA("boot", "fonts.fon", saved, "system.ini");
}

TEST_F(CountryDefaults, ACountryWithoutLayoutsIsReported) {
    ReadCountryDefaults("Ukraine");
    EXPECT_EQ(MessagesDuring([] { EXPECT_EQ(LoadLayoutTable(), 0); }), Names{"Can't read all section 'default.setup'"});
}

}  // namespace
