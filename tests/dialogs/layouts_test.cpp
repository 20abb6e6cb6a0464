// LANGLAYOUT: moving layouts between the lists, the two current layouts, and what OK stores.
#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

using Names = std::vector<std::string>;

const Names kAllLayouts = {"Belarusian", "Bulgarian", "English (US)", "Russian", "Russian (Typewriter)", "Ukrainian"};

class Layouts : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ASSERT_EQ(LoadLayoutTable(), 1);  // Russia: English (US) and Russian
    }

    // Every layout stands in exactly one list, and both drop-down lists hold the selected ones.
    void ExpectInvariants(const DialogUnderTest& dialog) {
        Names supported = dialog.Entries(IDC_LAYOUTS_SUPPORTED);
        Names selected = dialog.Entries(IDC_LAYOUTS_SELECTED);
        Names all = supported;
        all.insert(all.end(), selected.begin(), selected.end());
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, kAllLayouts);
        EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_FIRST), selected);
        EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SECOND), selected);
        EXPECT_EQ(dialog.Enabled(IDC_LAYOUTS_ADD), !supported.empty());
        EXPECT_EQ(dialog.Enabled(IDC_LAYOUTS_ADD_ALL), !supported.empty());
        EXPECT_EQ(dialog.Enabled(IDC_LAYOUTS_REMOVE), !selected.empty());
        EXPECT_EQ(dialog.Enabled(IDC_LAYOUTS_REMOVE_ALL), !selected.empty());
    }

    Names TableNames() {
        Names names;
        auto* table = static_cast<LayoutRecord*>(GlobalLock(g_session.layoutTable));
        for (int i = 0; i < g_session.layoutCount; ++i) names.push_back(std::string(table[i].name) + "/" + table[i].countryKey);
        GlobalUnlock(g_session.layoutTable);
        return names;
    }

    LayoutsState state_;
};

TEST_F(Layouts, OpensWithTheTablesLayoutsSelectedAndTheCurrentOnesShown) {
    DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state_);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"English (US)", "Russian"}));
    // "Russian (Typewriter)" is another layout: it stays supported.
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SUPPORTED),
              (Names{"Belarusian", "Bulgarian", "Russian (Typewriter)", "Ukrainian"}));
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "English (US)");
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_SECOND), "Russian");
    EXPECT_EQ(state_.remembered[0], 0);
    EXPECT_EQ(state_.remembered[1], 1);
    EXPECT_TRUE(dialog.Enabled(IDOK));
    ExpectInvariants(dialog);
}

TEST_F(Layouts, AddRemoveAndTheirAllVariantsKeepEveryLayoutInOneList) {
    DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state_);
    // A choice made in the drop-down lists is not kept by Add.
    dialog.Choose(IDC_LAYOUTS_FIRST, "Russian");
    dialog.Pick(IDC_LAYOUTS_SUPPORTED, {"Bulgarian", "Ukrainian"});
    dialog.Click(IDC_LAYOUTS_ADD);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"Bulgarian", "English (US)", "Russian", "Ukrainian"}));
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "English (US)");
    EXPECT_EQ(state_.remembered[0], 1);
    EXPECT_EQ(state_.remembered[1], 2);
    ExpectInvariants(dialog);

    // Removing an entry before the remembered one keeps the same layout remembered.
    dialog.Pick(IDC_LAYOUTS_SELECTED, {"Bulgarian"});
    dialog.Click(IDC_LAYOUTS_REMOVE);
    EXPECT_EQ(state_.remembered[0], 0);
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "English (US)");
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_SECOND), "Russian");
    ExpectInvariants(dialog);

    // Removing layout 1 itself selects the first entry left; one after it changes nothing.
    dialog.Choose(IDC_LAYOUTS_SECOND, "English (US)");
    dialog.Pick(IDC_LAYOUTS_SELECTED, {"English (US)", "Ukrainian"});
    dialog.Click(IDC_LAYOUTS_REMOVE);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"Russian"}));
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "Russian");
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_SECOND), "Russian");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    ExpectInvariants(dialog);

    // Remove All empties the current layouts, and OK waits for both to be chosen again.
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);
    EXPECT_TRUE(dialog.Entries(IDC_LAYOUTS_SELECTED).empty());
    EXPECT_FALSE(dialog.Enabled(IDOK));
    ExpectInvariants(dialog);
    dialog.Command(IDOK);
    EXPECT_FALSE(dialog.Ended());

    // One current layout found again is not enough for OK; choosing the other is.
    dialog.Pick(IDC_LAYOUTS_SUPPORTED, {"Russian"});
    dialog.Click(IDC_LAYOUTS_ADD);
    EXPECT_EQ(state_.remembered[0], -1);  // "English (US)" is not selected
    EXPECT_EQ(state_.remembered[1], 0);
    EXPECT_FALSE(dialog.Enabled(IDOK));
    dialog.Choose(IDC_LAYOUTS_FIRST, "Russian");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);

    // Add All remembers the layouts' names without showing them.
    dialog.Click(IDC_LAYOUTS_ADD_ALL);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), kAllLayouts);
    EXPECT_EQ(state_.remembered[0], 2);  // English (US)
    EXPECT_EQ(state_.remembered[1], 3);  // Russian
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    ExpectInvariants(dialog);
}

TEST_F(Layouts, OkReplacesTheTableInAlphabeticalOrderAndTheCurrentLayouts) {
    DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state_);
    dialog.Pick(IDC_LAYOUTS_SUPPORTED, {"Ukrainian", "Belarusian"});
    dialog.Click(IDC_LAYOUTS_ADD);
    dialog.Pick(IDC_LAYOUTS_SELECTED, {"English (US)"});
    dialog.Click(IDC_LAYOUTS_REMOVE);
    dialog.Choose(IDC_LAYOUTS_FIRST, "Ukrainian");
    dialog.Choose(IDC_LAYOUTS_SECOND, "Belarusian");
    dialog.Command(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(g_session.layoutCount, 3);
    EXPECT_EQ(TableNames(), (Names{"Belarusian/BLR", "Russian/RUS", "Ukrainian/UKR"}));
    EXPECT_STREQ(g_session.firstLayout, "Ukrainian");
    EXPECT_STREQ(g_session.secondLayout, "Belarusian");
}

TEST_F(Layouts, ACountryWithOneLayoutShowsTheFirstEntryAsLayout2) {
    CopyText(g_session.countryKey, "BLR");
    ASSERT_EQ(LoadLayoutTable(), 1);
    ASSERT_STREQ(g_session.secondLayout, "");
    DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state_);
    dialog.Pick(IDC_LAYOUTS_SUPPORTED, {"Russian"});
    dialog.Click(IDC_LAYOUTS_ADD);
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_FIRST), "Belarusian");
    EXPECT_EQ(dialog.Shown(IDC_LAYOUTS_SECOND), "Belarusian");  // every name begins with an empty one
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Command(IDOK);
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_STREQ(g_session.secondLayout, "Belarusian");
}

TEST_F(Layouts, CancelAndExitLeaveTheTableAsItWas) {
    {
        DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state_);
        dialog.Click(IDC_LAYOUTS_ADD_ALL);
        dialog.Click(IDCANCEL);
        EXPECT_TRUE(dialog.Ended());
        EXPECT_EQ(g_session.dialogResult, 0);
    }
    std::vector<std::string> shown;
    LayoutsState exitState;
    DialogUnderTest dialog(IDD_LANGLAYOUT, LanguageLayoutProc, &exitState);
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);
    {
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            shown.push_back(MessageText(question));
            PressKey(question, VK_RETURN);  // OK is the default
        });
        dialog.Click(IDC_WIZARD_EXIT);
    }
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 2);
    EXPECT_EQ(shown, std::vector<std::string>{"Do you want to exit from K-VOX Setup?"});
    EXPECT_EQ(TableNames(), (Names{"English (US)/USA", "Russian/RUS"}));
    EXPECT_STREQ(g_session.firstLayout, "English (US)");
}

}  // namespace
