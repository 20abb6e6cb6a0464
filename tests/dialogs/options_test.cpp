// SETUPOPTIONS: the component boxes, the code page and switch lists, and what each way out
// stores.
#include <string>
#include <vector>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

class Options : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ASSERT_EQ(LoadLayoutTable(), 1);
    }
    OptionsState state_;
};

TEST_F(Options, OpensOnTheSessionsChoicesTheCountryAndTheDefaultSwitch) {
    g_session.applications = 0;
    g_session.developersKitSample = 1;
    g_session.layouts = 2;
    DialogUnderTest dialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state_);
    EXPECT_EQ(dialog.Check(IDC_OPTION_PROGRAM_FILES), BST_CHECKED);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_INDETERMINATE);
    EXPECT_EQ(dialog.Check(IDC_OPTION_APPLICATIONS), BST_UNCHECKED);
    EXPECT_EQ(dialog.Check(IDC_OPTION_KDK_SAMPLE), BST_CHECKED);
    EXPECT_EQ(dialog.Shown(IDC_OPTION_DOS_CODE_PAGE), "Russia");
    // The switches keep the order of the file.
    EXPECT_EQ(dialog.Entries(IDC_OPTION_LAYOUT_SWITCH),
              (std::vector<std::string>{"Left Ctrl", "Right Ctrl", "Ctrl+Shift", "Caps Lock"}));
    EXPECT_EQ(dialog.Shown(IDC_OPTION_LAYOUT_SWITCH), "Left Ctrl");
    EXPECT_TRUE(dialog.Enabled(IDC_OPTION_LAYOUTS_BUTTON));
    EXPECT_TRUE(dialog.Enabled(IDC_OPTION_FONTS_BUTTON));
}

TEST_F(Options, AClickNeverReachesTheThirdStateOnlyTheLayoutsDialogsOkDoes) {
    DialogUnderTest dialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state_);
    dialog.Click(IDC_OPTION_LAYOUTS);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_UNCHECKED);
    EXPECT_FALSE(dialog.Enabled(IDC_OPTION_LAYOUTS_BUTTON));
    dialog.Click(IDC_OPTION_LAYOUTS);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_CHECKED);
    EXPECT_TRUE(dialog.Enabled(IDC_OPTION_LAYOUTS_BUTTON));

    // Cancel in the layouts dialog changes nothing; OK marks the layouts as chosen there.
    {
        ModalScript script;
        script.On("Keyboard Layouts", [](HWND layouts) { ClickButton(layouts, IDCANCEL); });
        dialog.Click(IDC_OPTION_LAYOUTS_BUTTON);
    }
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_CHECKED);
    EXPECT_EQ(g_session.layouts, 1);
    {
        ModalScript script;
        script.On("Keyboard Layouts", [](HWND layouts) { ClickButton(layouts, IDOK); });
        dialog.Click(IDC_OPTION_LAYOUTS_BUTTON);
    }
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_INDETERMINATE);
    EXPECT_EQ(g_session.layouts, 2);
    dialog.Click(IDC_OPTION_LAYOUTS);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_UNCHECKED);
    EXPECT_FALSE(dialog.Enabled(IDC_OPTION_LAYOUTS_BUTTON));
    dialog.Click(IDC_OPTION_LAYOUTS);
    EXPECT_EQ(dialog.Check(IDC_OPTION_LAYOUTS), BST_CHECKED);

    // The fonts box the same way, with the fonts dialog.
    {
        ModalScript script;
        script.On("Fonts", [](HWND fonts) { ClickButton(fonts, IDOK); });
        dialog.Click(IDC_OPTION_FONTS_BUTTON);
    }
    EXPECT_EQ(dialog.Check(IDC_OPTION_FONTS), BST_INDETERMINATE);
    dialog.Click(IDC_OPTION_FONTS);
    EXPECT_EQ(dialog.Check(IDC_OPTION_FONTS), BST_UNCHECKED);
    EXPECT_FALSE(dialog.Enabled(IDC_OPTION_FONTS_BUTTON));
}

TEST_F(Options, ContinueStoresTheBoxesTheCodePageOfTheChosenCountryAndTheSwitch) {
    g_session.trueTypeFonts = g_session.systemFonts = g_session.screenFonts = g_session.plotterFonts = 1;
    g_session.printerFonts = 1;
    DialogUnderTest dialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state_);
    dialog.Click(IDC_OPTION_FONTS);        // off
    dialog.Click(IDC_OPTION_APPLICATIONS);  // off
    dialog.Click(IDC_OPTION_KDK_SAMPLE);    // on
    dialog.Choose(IDC_OPTION_DOS_CODE_PAGE, "Bulgaria");
    dialog.Choose(IDC_OPTION_LAYOUT_SWITCH, "Caps Lock");
    dialog.Command(IDC_OPTION_CONTINUE);
    EXPECT_TRUE(dialog.Ended());
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

TEST_F(Options, BackStoresNothingAndExitAsksFirst) {
    DialogUnderTest dialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state_);
    dialog.Click(IDC_OPTION_APPLICATIONS);
    dialog.Choose(IDC_OPTION_DOS_CODE_PAGE, "Bulgaria");
    std::vector<std::string> shown;
    bool clickableUnderQuestion = true;
    {
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            shown.push_back(MessageText(question));
            clickableUnderQuestion = IsWindowEnabled(dialog.Window()) != FALSE;
            ClickButton(question, IDCANCEL);
        });
        dialog.Click(IDC_OPTION_EXIT);
    }
    EXPECT_EQ(shown, std::vector<std::string>{"Do you want to exit from K-VOX Setup?"});
    EXPECT_FALSE(clickableUnderQuestion);  // the question is the dialog's own
    EXPECT_FALSE(dialog.Ended());
    EXPECT_TRUE(IsWindowEnabled(dialog.Window()));
    EXPECT_EQ(dialog.Check(IDC_OPTION_APPLICATIONS), BST_UNCHECKED);  // the choices are kept

    dialog.Click(IDC_OPTION_BACK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 2);
    EXPECT_EQ(g_session.applications, 1);
    EXPECT_STREQ(g_session.dosCodePage, "866");

    OptionsState again;
    DialogUnderTest second(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &again);
    {
        ModalScript script;
        script.OnMessage(shown, IDOK);
        second.Click(IDC_OPTION_EXIT);
    }
    EXPECT_TRUE(second.Ended());
    EXPECT_EQ(g_session.dialogResult, 0);
}

TEST_F(Options, AnExitConfirmedInTheFontsDialogEndsTheOptionsToo) {
    DialogUnderTest dialog(IDD_SETUPOPTIONS, SetupOptionsDlgProc, &state_);
    std::vector<std::string> shown;
    ModalScript script;
    script.On("Fonts", [](HWND fonts) { ClickButton(fonts, IDC_WIZARD_EXIT); }).OnMessage(shown, IDOK);
    dialog.Click(IDC_OPTION_FONTS_BUTTON);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 0);
    EXPECT_EQ(g_session.fonts, 1);
}

TEST_F(Options, ACountryWithAnEmptyLineInCountryIsReported) {
    std::string inf = kWizardSetupInf;
    inf.replace(inf.find("RUS=Russia!7!1"), 14, "RUS=");
    UseSetupInf(inf);
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    EXPECT_EQ(RunSetupOptionsDialog(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Can't read string 'RUS' from section 'country'"});
}

}  // namespace
