// FONTS: the font boxes, the printer-font question, the size rule and the code page.
#include <string>
#include <vector>

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
        int32_t ninePinPresent, twentyFourPinPresent;
        bool wanted;
        int answer;
        bool asked;
        int32_t printerFonts, ninePin, twentyFourPin;
    } cases[] = {
        {1, 0, true, kYes, false, 1, 1, 0},  {0, 1, true, kYes, false, 1, 0, 1}, {1, 1, true, kYes, false, 1, 1, 1},
        {0, 0, true, kYes, true, 1, 1, 1},   {1, 1, false, kYes, false, 0, 0, 0},
        {0, 0, true, kNo, true, 1, 0, 0},     // No keeps the printer fonts without a set
        {0, 0, true, kEnter, true, 1, 0, 0},  // No is the default
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ninePinPresent << c.twentyFourPinPresent << c.wanted << c.answer);
        g_session.ninePinPrintersPresent = c.ninePinPresent;
        g_session.twentyFourPinPrintersPresent = c.twentyFourPinPresent;
        g_session.ninePinPrinterFonts = g_session.twentyFourPinPrinterFonts = 1;
        FontsDialog dialog;
        CheckDlgButton(dialog.Window(), IDC_FONTS_PRINTER, c.wanted ? BST_CHECKED : BST_UNCHECKED);
        std::vector<std::string> questions;
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            questions.push_back(MessageText(question));
            if (c.answer == kEnter) PressKey(question, VK_RETURN);
            else ClickButton(question, c.answer);
        });
        dialog.Command(IDOK);
        EXPECT_TRUE(dialog.Ended());
        EXPECT_EQ(g_session.dialogResult, 1);
        EXPECT_EQ(!questions.empty(), c.asked);
        if (c.asked) EXPECT_EQ(questions[0].rfind("Warning: Setup has not detected dot-matrix printers", 0), 0u);
        EXPECT_EQ(g_session.printerFonts, c.printerFonts);
        EXPECT_EQ(g_session.ninePinPrinterFonts, c.ninePin);
        EXPECT_EQ(g_session.twentyFourPinPrinterFonts, c.twentyFourPin);
    }
}

TEST_F(Fonts, TheFontSizeRule) {
    struct Case {
        bool large;
        int height;
        const char* code;
    } cases[] = {{true, 768, "HI4"}, {false, 768, "HI2"}, {true, 481, "HI4"}, {true, 480, "HI2"},
                 {true, 351, "HI2"}, {true, 350, "HI1"}, {false, 350, "HI1"}, {false, 200, "HI1"}};
    for (const Case& c : cases) {
        char code[4] = "";
        FontSizeCodeFor(c.large, c.height, code);
        EXPECT_STREQ(code, c.code) << c.large << " " << c.height;
    }
}

// Large is offered above 480 pixels only; the opening shows the size chosen.
TEST_F(Fonts, TheSizeBoxesFollowTheScreenAndTheSizeChosen) {
    struct Case {
        int height;
        bool largeOffered;
        const char* afterLarge;
    } cases[] = {{768, true, "HI4"}, {481, true, "HI4"}, {480, false, "HI2"}, {350, false, "HI1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        g_screenHeightForTesting = c.height;
        CopyText(g_session.fontSizeCode, "HI2");
        FontsDialog dialog;
        EXPECT_EQ(dialog.Enabled(IDC_FONTS_LARGE), c.largeOffered);
        EXPECT_EQ(dialog.Check(IDC_FONTS_SMALL), BST_CHECKED);
        CheckRadioButton(dialog.Window(), IDC_FONTS_SMALL, IDC_FONTS_LARGE, IDC_FONTS_LARGE);
        dialog.Command(IDOK);
        EXPECT_STREQ(g_session.fontSizeCode, c.afterLarge);
        FontsDialog reopened;
        EXPECT_EQ(reopened.Check(IDC_FONTS_LARGE), c.largeOffered ? BST_CHECKED : BST_UNCHECKED);
    }
}

TEST_F(Fonts, OkStoresTheBoxesAndTheCodePageOfTheChosenDescription) {
    g_session.screenFonts = 0;
    g_session.plotterFonts = g_session.trueTypeFonts = 1;
    {
        FontsDialog dialog;
        EXPECT_EQ(dialog.Shown(IDC_FONTS_CODE_PAGE), "Cyrillic (Windows 1251)");
        EXPECT_EQ(dialog.Check(IDC_FONTS_SCREEN), BST_UNCHECKED);
        EXPECT_EQ(dialog.Check(IDC_FONTS_PLOTTER), BST_CHECKED);
        for (int box : {IDC_FONTS_SCREEN, IDC_FONTS_PLOTTER, IDC_FONTS_TRUETYPE, IDC_FONTS_SYSTEM}) dialog.Click(box);
        dialog.Choose(IDC_FONTS_CODE_PAGE, "Western European (Windows 1252)");
        dialog.Command(IDOK);
    }
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(g_session.screenFonts, 1);
    EXPECT_EQ(g_session.plotterFonts, 0);
    EXPECT_EQ(g_session.trueTypeFonts, 0);
    EXPECT_EQ(g_session.systemFonts, 0);
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
    std::vector<std::string> questions;
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
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    EXPECT_EQ(RunFontsDialog(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Can't read string '866' from section 'codepage.description'"});
}

}  // namespace
