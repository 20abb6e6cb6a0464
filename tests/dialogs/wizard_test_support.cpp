// Helpers of the wizard dialog tests.
#include "wizard_test_support.h"

#include "base/text.h"

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

void WizardTest::UseSetupInf(const std::string& text) { WriteTextFile(g_session.setupInfPath, text); }

DialogUnderTest::DialogUnderTest(const char* templateName, DLGPROC procedure, void* state)
    : window_(CreateDialogParamA(GetModuleHandleA(nullptr), templateName, nullptr, procedure,
                                 reinterpret_cast<LPARAM>(state))) {
    ShowWindow(window_, SW_SHOWNA);
}

DialogUnderTest::~DialogUnderTest() { DestroyWindow(window_); }

void DialogUnderTest::Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }

void DialogUnderTest::Command(int id) {
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void DialogUnderTest::Type(int id, const char* text) { SetWindowTextA(Item(id), text); }

void DialogUnderTest::Choose(int id, const char* entry) {
    HWND combo = Item(id);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    EXPECT_NE(index, CB_ERR) << "no entry " << entry;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    for (int code : {CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP})
        SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(combo));
}

void DialogUnderTest::Pick(int id, const std::vector<std::string>& entries) {
    HWND list = Item(id);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (const std::string& entry : entries) {
        LRESULT index =
            SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
        EXPECT_NE(index, LB_ERR) << "no entry " << entry;
        SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

namespace {

bool IsComboBox(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

std::string EntryText(HWND control, int index) {
    bool combo = IsComboBox(control);
    char text[256] = "";
    SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

std::vector<std::string> DialogUnderTest::Entries(int id) const {
    HWND control = Item(id);
    int count = static_cast<int>(SendMessageA(control, IsComboBox(control) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back(EntryText(control, i));
    return entries;
}

std::vector<std::string> DialogUnderTest::Picked(int id) const {
    HWND list = Item(id);
    std::vector<std::string> picked;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0) picked.push_back(EntryText(list, i));
    return picked;
}

std::string DialogUnderTest::Shown(int id) const {
    HWND combo = Item(id);
    LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? "" : EntryText(combo, static_cast<int>(index));
}
