// Helpers of the wizard dialog tests.
#include "wizard_test_support.h"

#include "base/text.h"
#include "dialogs/layout_table.h"

Names MessagesDuring(const std::function<void()>& act, int button) {
    Names shown;
    ModalScript script;
    script.OnMessage(shown, button);
    act();
    return shown;
}

void WizardTest::SetUp() {
    SessionTest::SetUp();
    CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
    UseSetupInf(kWizardSetupInf);
    CopyText(g_session.defaultUserCountry, "Russia");
    CopyText(g_session.hotKey, "Left Ctrl");
    CopyText(g_session.countryKey, "RUS");
    CopyText(g_session.systemFontsCodePage, "1251");
    g_session.countryStepDefault = IDS_NOT_FOUND;
}

void WizardTest::TearDown() {
    if (g_session.layoutTable) GlobalFree(g_session.layoutTable);
    g_session.layoutTable = nullptr;
    g_screenHeightForTesting = 0;
}

std::vector<std::string> WizardTest::LayoutTable(int beyond) {
    std::vector<std::string> records;
    auto* table = static_cast<LayoutRecord*>(GlobalLock(g_session.layoutTable));
    for (int i = 0; i < g_session.layoutCount + beyond; ++i)
        records.push_back(std::string(table[i].name) + "/" + table[i].countryKey);
    GlobalUnlock(g_session.layoutTable);
    return records;
}

DialogUnderTest::DialogUnderTest(const char* templateName, DLGPROC procedure, void* state)
    : window_(CreateDialogParamA(GetModuleHandleA(nullptr), templateName, nullptr, procedure,
                                 reinterpret_cast<LPARAM>(state))) {
    ShowWindow(window_, SW_SHOWNA);
}

void DialogUnderTest::Command(int id) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void DialogUnderTest::Choose(int id, const char* entry) {
    HWND combo = Item(id);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    EXPECT_NE(index, CB_ERR) << "no entry " << entry;
    auto notify = [&](int code) {
        SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(combo));
    };
    notify(CBN_DROPDOWN);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    for (int code : {CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}) notify(code);
}

void DialogUnderTest::Pick(int id, const std::vector<std::string>& entries) {
    HWND list = Item(id);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (const std::string& entry : entries) {
        LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(entry.c_str()));
        EXPECT_NE(index, LB_ERR) << "no entry " << entry;
        SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::vector<std::string> DialogUnderTest::Entries(int id) const {
    char name[16] = "";
    GetClassNameA(Item(id), name, sizeof name);
    bool combo = lstrcmpiA(name, "ComboBox") == 0;
    std::vector<std::string> entries(SendMessageA(Item(id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < entries.size(); ++i) {
        char text[256] = "";
        SendMessageA(Item(id), combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
}

std::string DialogUnderTest::Shown(int id) const {
    LRESULT index = SendMessageA(Item(id), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? "" : Entries(id)[index];
}
