// The wizard's dialogs under test: a setup information file of their own, and a dialog
// made from its real template with its real procedure, acted on as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/windowing.h"
#include "dialogs/dialog_common.h"
#include "resources/resource_ids.h"
#include "test_support.h"

// Countries, layouts, switches and code pages in the layout the setup reads.
constexpr char kWizardSetupInf[] =
    "[Country Key]\r\nRussia=RUS\r\nUkraine=UKR\r\nBelarus=BLR\r\nBulgaria=BGR\r\n[default.setup]\r\n"
    "RUS=1251,866,1,langrus.dll,2,English (US),Russian\r\nUKR=1251,866,1,langukr.dll,2,English (US),Ukrainian\r\n"
    "BLR=1251,849,0,langbel.dll,2,Belarusian\r\nBGR=1252,855,1,langbgr.dll,2,Bulgarian,English (US)\r\n"
    "[country]\r\nRUS=Russia!7!1\r\nUKR=Ukraine!380!1\r\nBLR=Belarus!375!1\r\nBGR=Bulgaria!359!1\r\n"
    "[Keyboard Layouts]\r\nEnglish (US)=00000409,kbdus.kbd,2,US,USA\r\nRussian=00000419,kbdru.kbd,2,RU,RUS\r\n"
    "Russian (Typewriter)=00010419,kbdrut.kbd,2,RU,RUS\r\nUkrainian=00000422,kbdur.kbd,2,UA,UKR\r\n"
    "Belarusian=00000423,kbdbe.kbd,2,BY,BLR\r\nBulgarian=00000402,kbdbu.kbd,2,BG,BGR\r\n"
    "[hotkey]\r\nLeft Ctrl=1\r\nRight Ctrl=2\r\nCtrl+Shift=4\r\nCaps Lock=5\r\n"
    "[codepage.number]\r\nCyrillic (Windows 1251)=1251\r\nWestern European (Windows 1252)=1252\r\n"
    "Wide (Windows 12520)=12520\r\n"
    "[codepage.description]\r\n1251=Cyrillic (Windows 1251)\r\n1252=Western European (Windows 1252)\r\n";

using Names = std::vector<std::string>;

// The texts of the message dialogs shown while `act` runs, each answered with `button`.
Names MessagesDuring(const std::function<void()>& act, int button = IDOK);

// Every test starts from a fresh session that has found the file above, with the
// defaults of the dialog-driven country step.
class WizardTest : public SessionTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void UseSetupInf(const std::string& text) { WriteTextFile(g_session.setupInfPath, text); }
    // "name/country key" of every record of the layout table, and of `beyond` records after them.
    static std::vector<std::string> LayoutTable(int beyond = 0);
    void MakeDirectories(std::initializer_list<const char*> names) {
        for (const char* name : names) CreateDirectoryA(scratch_.File(name).c_str(), nullptr);
    }

    ScratchDir scratch_;
};

// A wizard dialog made modelessly from its template, shown, and destroyed at the end.
// Acts run synchronously through the dialog's own controls.
class DialogUnderTest {
public:
    DialogUnderTest(const char* templateName, DLGPROC procedure, void* state = nullptr);
    ~DialogUnderTest() { DestroyWindow(window_); }
    DialogUnderTest(const DialogUnderTest&) = delete;
    DialogUnderTest& operator=(const DialogUnderTest&) = delete;

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    bool Ended() const { return !IsWindowVisible(window_); }  // a dialog that has ended is hidden

    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }  // a mouse click on a button or check box
    void Command(int id);                    // the command a button sends, whatever its state
    void Type(int id, const char* text) { SetWindowTextA(Item(id), text); }
    void Choose(int id, const char* entry);  // a combo box entry, with the notifications of a mouse pick
    void Pick(int id, const std::vector<std::string>& entries);  // entries of a list box

    std::vector<std::string> Entries(int id) const;  // of a list or combo box, in order
    std::string Shown(int id) const;                 // the entry a combo box shows
    std::string Text(int id) const { return WindowText(Item(id)); }
    UINT Check(int id) const { return IsDlgButtonChecked(window_, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

private:
    HWND window_;
};

// A dialog under test with a fresh state of its own, made before the dialog.
template <class State>
struct OwnState {
    State state;
};
template <class State>
class OpenDialog : public OwnState<State>, public DialogUnderTest {
public:
    OpenDialog(const char* templateName, DLGPROC procedure) : DialogUnderTest(templateName, procedure, &this->state) {}
};
