// SETUPOPTIONS: the component boxes, the code page and switch lists, and what each way out
// stores.
#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

struct OptionsDialog : OpenDialog<OptionsState> {
    OptionsDialog() : OpenDialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc) {}
    // Opens the dialog of `caption` with `button` and answers it with `answer`.
    void RunFromButton(int button, const char* caption, int answer) {
        ModalScript script;
        script.On(caption, [answer](HWND inner) { ClickButton(inner, answer); });
        Click(button);
    }
    void ExpectBox(int box, UINT check, int button) {
        EXPECT_EQ(Check(box), check);
        EXPECT_EQ(Enabled(button), check != BST_UNCHECKED);
    }
};

class Options : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ASSERT_EQ(LoadLayoutTable(), 1);
    }
};

TEST_F(Options, OpensOnTheSessionsChoicesTheCountryAndTheDefaultSwitch) {
    // The other boxes' states come back through what Continue stores.
    g_session.layouts = 2;
    OptionsDialog dialog;
    dialog.ExpectBox(IDC_OPTION_LAYOUTS, BST_INDETERMINATE, IDC_OPTION_LAYOUTS_BUTTON);
    EXPECT_EQ(dialog.Shown(IDC_OPTION_DOS_CODE_PAGE), "Russia");
    // The switches keep the order of the file.
    EXPECT_EQ(dialog.Entries(IDC_OPTION_LAYOUT_SWITCH), (Names{"Left Ctrl", "Right Ctrl", "Ctrl+Shift", "Caps Lock"}));
    EXPECT_EQ(dialog.Shown(IDC_OPTION_LAYOUT_SWITCH), "Left Ctrl");
}

TEST_F(Options, AClickNeverReachesTheThirdStateOnlyTheLayoutsDialogsOkDoes) {
    OptionsDialog dialog;
    dialog.Click(IDC_OPTION_LAYOUTS);
    dialog.ExpectBox(IDC_OPTION_LAYOUTS, BST_UNCHECKED, IDC_OPTION_LAYOUTS_BUTTON);
    dialog.Click(IDC_OPTION_LAYOUTS);
    dialog.ExpectBox(IDC_OPTION_LAYOUTS, BST_CHECKED, IDC_OPTION_LAYOUTS_BUTTON);

    // Cancel in the layouts dialog changes nothing; OK marks the layouts as chosen there.
    dialog.RunFromButton(IDC_OPTION_LAYOUTS_BUTTON, "Keyboard Layouts", IDCANCEL);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_CHECKED);
    EXPECT_EQ(g_session.layouts, 1);
    dialog.RunFromButton(IDC_OPTION_LAYOUTS_BUTTON, "Keyboard Layouts", IDOK);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_INDETERMINATE);
    EXPECT_EQ(g_session.layouts, 2);
    dialog.Click(IDC_OPTION_LAYOUTS);
    dialog.ExpectBox(IDC_OPTION_LAYOUTS, BST_UNCHECKED, IDC_OPTION_LAYOUTS_BUTTON);
}

TEST_F(Options, ContinueStoresTheBoxesTheCodePageOfTheChosenCountryAndTheSwitch) {
    g_session.trueTypeFonts = g_session.systemFonts = g_session.screenFonts = g_session.plotterFonts = 1;
    g_session.printerFonts = 1;
    OptionsDialog dialog;
    for (int box : {IDC_OPTION_FONTS, IDC_OPTION_APPLICATIONS, IDC_OPTION_KDK_SAMPLE}) dialog.Click(box);  // off, off, on
    dialog.Choose(IDC_OPTION_DOS_CODE_PAGE, "Bulgaria");
    dialog.Choose(IDC_OPTION_LAYOUT_SWITCH, "Caps Lock");
    dialog.Command(IDC_OPTION_CONTINUE);
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(g_session.fonts, 0);
    // Without fonts every font set goes.
    EXPECT_EQ(g_session.systemFonts + g_session.screenFonts + g_session.trueTypeFonts + g_session.plotterFonts +
                  g_session.printerFonts,
              0);
    EXPECT_EQ(g_session.applications, 0);
    EXPECT_EQ(g_session.developersKitSample, 1);
    EXPECT_EQ(g_session.programFiles, 1);
    EXPECT_EQ(g_session.layouts, 1);
    EXPECT_STREQ(g_session.dosCodePage, "855");  // member 2 of Bulgaria's settings, not the user's country's
    EXPECT_STREQ(g_session.chosenHotKey, "Caps Lock");
}

// The options come back after Continue (No to the uninstall question, Abort in the space
// check): ticking Fonts again brings back the font sets that Continue cleared, or the
// defaults when none was chosen, so that a ticked box installs fonts.
TEST_F(Options, TickingFontsAgainBringsBackTheFontSets) {
    SetupSession& s = g_session;
    s.trueTypeFonts = s.plotterFonts = 0;
    s.printerFonts = s.ninePinPrinterFonts = 1;
    auto fontSets = [&s] {
        return std::vector<int32_t>{s.systemFonts, s.screenFonts, s.trueTypeFonts, s.plotterFonts, s.printerFonts};
    };
    auto continueAfter = [](std::initializer_list<int> clicks) {
        OptionsDialog dialog;
        for (int box : clicks) dialog.Click(box);
        dialog.Command(IDC_OPTION_CONTINUE);
    };
    continueAfter({IDC_OPTION_FONTS});
    EXPECT_EQ(fontSets(), (std::vector<int32_t>{0, 0, 0, 0, 0}));
    continueAfter({});  // unticked once more: the sets stay aside
    continueAfter({IDC_OPTION_FONTS});
    EXPECT_EQ(s.fonts, 1);
    EXPECT_EQ(fontSets(), (std::vector<int32_t>{1, 1, 0, 0, 1}));
    EXPECT_EQ(s.ninePinPrinterFonts, 1);

    // None chosen in the fonts dialog: a click empties the box, the next ticks it.
    s.fonts = 2;
    s.systemFonts = s.screenFonts = s.printerFonts = 0;
    continueAfter({IDC_OPTION_FONTS, IDC_OPTION_FONTS});
    EXPECT_EQ(s.fonts, 1);
    EXPECT_EQ(fontSets(), (std::vector<int32_t>{1, 1, 1, 1, 0}));  // the country's and TrueType
}

TEST_F(Options, BackStoresNothingAndExitAsksFirst) {
    OptionsDialog dialog;
    dialog.Click(IDC_OPTION_APPLICATIONS);
    dialog.Choose(IDC_OPTION_DOS_CODE_PAGE, "Bulgaria");
    bool clickableUnderQuestion = true;
    {
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            clickableUnderQuestion = IsWindowEnabled(dialog.Window()) != FALSE;
            ClickButton(question, IDCANCEL);
        });
        dialog.Click(IDC_OPTION_EXIT);
    }
    EXPECT_FALSE(clickableUnderQuestion);  // the question is the dialog's own
    EXPECT_FALSE(dialog.Ended());

    dialog.Click(IDC_OPTION_BACK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 2);
    EXPECT_EQ(g_session.applications, 1);
    EXPECT_STREQ(g_session.dosCodePage, "866");

    // Exit confirmed in the fonts dialog opened from the options ends them too.
    OptionsDialog second;
    Names shown;
    ModalScript script;
    script.On("Fonts", [](HWND fonts) { ClickButton(fonts, IDC_WIZARD_EXIT); }).OnMessage(shown, IDOK);
    second.Click(IDC_OPTION_FONTS_BUTTON);
    EXPECT_TRUE(second.Ended());
    EXPECT_EQ(g_session.dialogResult, 0);
    EXPECT_EQ(g_session.fonts, 1);
}

TEST_F(Options, ACountryWithAnEmptyLineInCountryIsReported) {
    std::string inf = kWizardSetupInf;
    inf.replace(inf.find("RUS=Russia!7!1"), 14, "RUS=");
    UseSetupInf(inf);
    EXPECT_EQ(MessagesDuring([] { EXPECT_EQ(RunSetupOptionsDialog(), 0); }),
              Names{"Can't read string 'RUS' from section 'country'"});
}

}  // namespace
