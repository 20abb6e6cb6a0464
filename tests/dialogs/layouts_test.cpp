// LANGLAYOUT: moving layouts between the lists, the two current layouts, and what OK stores.
#include <algorithm>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "wizard_test_support.h"

namespace {

const Names kAllLayouts = {"Belarusian", "Bulgarian", "English (US)", "Russian", "Russian (Typewriter)", "Ukrainian"};

struct LayoutsDialog : OpenDialog<LayoutsState> {
    LayoutsDialog() : OpenDialog(IDD_LANGLAYOUT, LanguageLayoutProc) {}
    void Move(int list, const Names& entries, int button) {
        Pick(list, entries);
        Click(button);
    }
    // The two current layouts shown, and the entries remembered for them.
    void ExpectCurrent(const char* first, const char* second, int rememberedFirst, int rememberedSecond) {
        EXPECT_EQ(Shown(IDC_LAYOUTS_FIRST), first);
        EXPECT_EQ(Shown(IDC_LAYOUTS_SECOND), second);
        EXPECT_EQ(state.remembered[0], rememberedFirst);
        EXPECT_EQ(state.remembered[1], rememberedSecond);
    }
    // Every layout stands in exactly one list, and both drop-down lists hold the selected ones.
    void ExpectInvariants() {
        Names supported = Entries(IDC_LAYOUTS_SUPPORTED), selected = Entries(IDC_LAYOUTS_SELECTED);
        Names all = supported;
        all.insert(all.end(), selected.begin(), selected.end());
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, kAllLayouts);
        EXPECT_EQ(Entries(IDC_LAYOUTS_FIRST), selected);
        EXPECT_EQ(Entries(IDC_LAYOUTS_SECOND), selected);
        for (int add : {IDC_LAYOUTS_ADD, IDC_LAYOUTS_ADD_ALL}) EXPECT_EQ(Enabled(add), !supported.empty());
        for (int remove : {IDC_LAYOUTS_REMOVE, IDC_LAYOUTS_REMOVE_ALL}) EXPECT_EQ(Enabled(remove), !selected.empty());
    }
};

class Layouts : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ASSERT_EQ(LoadLayoutTable(), 1);  // Russia: English (US) and Russian
    }
};

TEST_F(Layouts, AddRemoveAndTheirAllVariantsKeepEveryLayoutInOneList) {
    LayoutsDialog dialog;
    // Opens with the table's layouts selected; "Russian (Typewriter)" is another layout.
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"English (US)", "Russian"}));
    dialog.ExpectCurrent("English (US)", "Russian", 0, 1);
    dialog.ExpectInvariants();

    // A choice made in the drop-down lists is not kept by Add.
    dialog.Choose(IDC_LAYOUTS_FIRST, "Russian");
    dialog.Move(IDC_LAYOUTS_SUPPORTED, {"Bulgarian", "Ukrainian"}, IDC_LAYOUTS_ADD);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"Bulgarian", "English (US)", "Russian", "Ukrainian"}));
    dialog.ExpectCurrent("English (US)", "Russian", 1, 2);
    dialog.ExpectInvariants();

    // Removing an entry before the remembered one keeps the same layout remembered.
    dialog.Move(IDC_LAYOUTS_SELECTED, {"Bulgarian"}, IDC_LAYOUTS_REMOVE);
    dialog.ExpectCurrent("English (US)", "Russian", 0, 1);

    // Removing layout 1 itself selects the first entry left; one after it changes nothing.
    dialog.Choose(IDC_LAYOUTS_SECOND, "English (US)");
    dialog.Move(IDC_LAYOUTS_SELECTED, {"English (US)", "Ukrainian"}, IDC_LAYOUTS_REMOVE);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), (Names{"Russian"}));
    dialog.ExpectCurrent("Russian", "Russian", 0, 0);
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.ExpectInvariants();

    // Remove All empties the current layouts, and OK waits for both to be chosen again.
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);
    EXPECT_FALSE(dialog.Enabled(IDOK));
    dialog.ExpectInvariants();
    dialog.Command(IDOK);
    EXPECT_FALSE(dialog.Ended());

    // One current layout found again is not enough for OK; choosing the other is.
    dialog.Move(IDC_LAYOUTS_SUPPORTED, {"Russian"}, IDC_LAYOUTS_ADD);
    dialog.ExpectCurrent("", "Russian", -1, 0);  // "English (US)" is not selected
    EXPECT_FALSE(dialog.Enabled(IDOK));
    dialog.Choose(IDC_LAYOUTS_FIRST, "Russian");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);

    // Add All remembers the layouts' names (English (US) and Russian) without showing them.
    dialog.Click(IDC_LAYOUTS_ADD_ALL);
    EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), kAllLayouts);
    dialog.ExpectCurrent("", "", 2, 3);
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.ExpectInvariants();
}

TEST_F(Layouts, OkReplacesTheTableInAlphabeticalOrderAndTheCurrentLayouts) {
    LayoutsDialog dialog;
    dialog.Move(IDC_LAYOUTS_SUPPORTED, {"Ukrainian", "Belarusian"}, IDC_LAYOUTS_ADD);
    dialog.Move(IDC_LAYOUTS_SELECTED, {"English (US)"}, IDC_LAYOUTS_REMOVE);
    dialog.Choose(IDC_LAYOUTS_FIRST, "Ukrainian");
    dialog.Choose(IDC_LAYOUTS_SECOND, "Belarusian");
    dialog.Command(IDOK);
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(LayoutTable(), (Names{"Belarusian/BLR", "Russian/RUS", "Ukrainian/UKR"}));
    EXPECT_STREQ(g_session.firstLayout, "Ukrainian");
    EXPECT_STREQ(g_session.secondLayout, "Belarusian");
}

TEST_F(Layouts, ACountryWithOneLayoutShowsTheFirstEntryAsLayout2) {
    CopyText(g_session.countryKey, "BLR");
    ASSERT_EQ(LoadLayoutTable(), 1);
    LayoutsDialog dialog;
    dialog.Move(IDC_LAYOUTS_SUPPORTED, {"Russian"}, IDC_LAYOUTS_ADD);
    // Every name begins with an empty one.
    dialog.ExpectCurrent("Belarusian", "Belarusian", 0, 0);
    dialog.Command(IDOK);
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_STREQ(g_session.secondLayout, "Belarusian");
}

// A country without default layouts opens the dialog with nothing selected and OK enabled.
// OK then empties the table, which must stay usable for copying and for the next load.
TEST_F(Layouts, OkWithNoLayoutSelectedLeavesAnEmptyTableThatStillWorks) {
    std::string inf = kWizardSetupInf;
    inf.insert(inf.find("RUS=1251"), "SRB=1251,855,1,langsrb.dll,2\r\n");
    UseSetupInf(inf);
    CopyText(g_session.countryKey, "SRB");
    Names shown;
    ModalScript script;
    for (int i = 0; i < 8; ++i) script.OnMessage(shown);  // more than a broken table brings
    EXPECT_EQ(LoadLayoutTable(), 0);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        LayoutsDialog dialog;
        EXPECT_EQ(dialog.Entries(IDC_LAYOUTS_SELECTED), Names{});
        dialog.Command(IDOK);
        EXPECT_EQ(g_session.dialogResult, 1);
        EXPECT_EQ(g_session.layoutCount, 0);
        void* records = GlobalLock(g_session.layoutTable);
        EXPECT_NE(records, nullptr);
        if (records) GlobalUnlock(g_session.layoutTable);
    }

    // Back: the country's defaults load into the same table again.
    CopyText(g_session.countryKey, "RUS");
    ASSERT_EQ(LoadLayoutTable(), 1);
    EXPECT_EQ(LayoutTable(1), (Names{"English (US)/USA", "Russian/RUS", "/"}));
    EXPECT_EQ(shown, Names{"Can't read all section 'default.setup'"});
}

TEST_F(Layouts, CancelAndExitLeaveTheTableAsItWas) {
    LayoutsDialog cancelled;
    cancelled.Click(IDC_LAYOUTS_ADD_ALL);
    cancelled.Click(IDCANCEL);
    EXPECT_TRUE(cancelled.Ended());
    Names shown;
    LayoutsDialog dialog;
    dialog.Click(IDC_LAYOUTS_REMOVE_ALL);
    {
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND question) {
            shown.push_back(MessageText(question));
            PressKey(question, VK_RETURN);  // OK is the default
        });
        dialog.Click(IDC_WIZARD_EXIT);
    }
    EXPECT_EQ(g_session.dialogResult, 2);
    EXPECT_EQ(shown, Names{"Do you want to exit from K-VOX Setup?"});
    EXPECT_EQ(LayoutTable(), (Names{"English (US)/USA", "Russian/RUS"}));
    EXPECT_STREQ(g_session.firstLayout, "English (US)");
}

}  // namespace
