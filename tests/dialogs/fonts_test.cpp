// FONTS: the font boxes, the printer-font question, the size rule and the code page.
#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "wizard_test_support.h"

namespace {

constexpr int kYes = IDOK;  // the controls of Yes and No in the message dialog
constexpr int kNo = IDCANCEL;
constexpr int kEnter = -1;  // the question's default button

struct FontsDialog : OpenDialog<FontsState> {
    FontsDialog() : OpenDialog(IDD_FONTS, FontsDlgProc) {}
};

using Fonts = WizardTest;

TEST_F(Fonts, ThePrinterFontsFollowThePrintersFoundOrTheAnswer) {
    struct Case {
        int32_t ninePinPresent, twentyFourPinPresent, wanted, answer, printerFonts, ninePin, twentyFourPin;
    } cases[] = {
        {1, 0, 1, kYes, 1, 1, 0}, {0, 1, 1, kYes, 1, 0, 1}, {1, 1, 0, kYes, 0, 0, 0},
        {0, 0, 1, kYes, 1, 1, 1},  // asked only when no printer was found
        {0, 0, 1, kNo, 1, 0, 0},   // No keeps the printer fonts without a set
        {0, 0, 1, kEnter, 1, 0, 0},  // No is the default
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ninePinPresent << c.twentyFourPinPresent << c.wanted << c.answer);
        g_session.ninePinPrintersPresent = c.ninePinPresent;
        g_session.twentyFourPinPrintersPresent = c.twentyFourPinPresent;
        g_session.ninePinPrinterFonts = g_session.twentyFourPinPrinterFonts = 1;
        FontsDialog dialog;
        CheckDlgButton(dialog.Window(), IDC_FONTS_PRINTER, c.wanted ? BST_CHECKED : BST_UNCHECKED);
        Names questions;
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            questions.push_back(MessageText(question));
            if (c.answer == kEnter) PressKey(question, VK_RETURN);
            else ClickButton(question, c.answer);
        });
        dialog.Command(IDOK);
        bool asked = !c.ninePinPresent && !c.twentyFourPinPresent;
        ASSERT_EQ(questions.size(), asked ? 1u : 0u);
        if (asked) EXPECT_EQ(questions[0].rfind("Warning: Setup has not detected dot-matrix printers", 0), 0u);
        EXPECT_EQ(g_session.printerFonts, c.printerFonts);
        EXPECT_EQ(g_session.ninePinPrinterFonts, c.ninePin);
        EXPECT_EQ(g_session.twentyFourPinPrinterFonts, c.twentyFourPin);
    }
}

// Large is offered above 480 pixels only; the opening shows the size chosen.
TEST_F(Fonts, TheSizeBoxesFollowTheScreenAndTheSizeChosen) {
    for (int height : {481, 480}) {
        SCOPED_TRACE(height);
        g_screenHeightForTesting = height;
        CopyText(g_session.fontSizeCode, "HI2");
        FontsDialog dialog;
        EXPECT_EQ(dialog.Enabled(IDC_FONTS_LARGE), height > 480);
        EXPECT_EQ(dialog.Check(IDC_FONTS_SMALL), BST_CHECKED);
        CheckRadioButton(dialog.Window(), IDC_FONTS_SMALL, IDC_FONTS_LARGE, IDC_FONTS_LARGE);
        dialog.Command(IDOK);
        EXPECT_STREQ(g_session.fontSizeCode, height > 480 ? "HI4" : "HI2");
        FontsDialog reopened;
        EXPECT_EQ(reopened.Check(IDC_FONTS_LARGE), height > 480 ? BST_CHECKED : BST_UNCHECKED);
    }
}

TEST_F(Fonts, OkStoresTheBoxesAndTheCodePageOfTheChosenDescription) {
    g_session.screenFonts = 0;
    g_session.plotterFonts = g_session.trueTypeFonts = 1;
    {
        FontsDialog dialog;
        for (int box : {IDC_FONTS_SCREEN, IDC_FONTS_PLOTTER, IDC_FONTS_TRUETYPE, IDC_FONTS_SYSTEM}) dialog.Click(box);
        dialog.Choose(IDC_FONTS_CODE_PAGE, "Western European (Windows 1252)");
        dialog.Command(IDOK);
    }
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(g_session.screenFonts, 1);
    EXPECT_EQ(g_session.plotterFonts + g_session.trueTypeFonts + g_session.systemFonts, 0);
    EXPECT_STREQ(g_session.systemFontsCodePage, "1252");

    // A code page of five digits is cut to four.
    FontsDialog again;
    EXPECT_EQ(again.Shown(IDC_FONTS_CODE_PAGE), "Western European (Windows 1252)");
    again.Choose(IDC_FONTS_CODE_PAGE, "Wide (Windows 12520)");
    again.Command(IDOK);
    EXPECT_STREQ(g_session.systemFontsCodePage, "1252");
}

TEST_F(Fonts, CancelAndExitStoreNothing) {
    g_session.screenFonts = 1;
    Names questions;
    for (int way : {IDCANCEL, IDC_WIZARD_EXIT}) {
        FontsDialog dialog;
        dialog.Click(IDC_FONTS_SCREEN);
        ModalScript script;
        script.OnMessage(questions, kYes);
        dialog.Click(way);
        EXPECT_TRUE(dialog.Ended());
        EXPECT_EQ(g_session.dialogResult, way == IDCANCEL ? 0 : 2);
        EXPECT_EQ(g_session.screenFonts, 1);
    }
    EXPECT_EQ(questions.size(), 1u);  // only Exit asks
}

TEST_F(Fonts, ACodePageWithoutDescriptionIsReported) {
    CopyText(g_session.systemFontsCodePage, "866");
    UseSetupInf("[codepage.number]\r\nCyrillic=1251\r\n[codepage.description]\r\n866=\r\n");
    EXPECT_EQ(MessagesDuring([] { EXPECT_EQ(RunFontsDialog(), 0); }),
              Names{"Can't read string '866' from section 'codepage.description'"});
}

}  // namespace
