// kvdrive: drives the windows of another process as a user would, for end-to-end tests.
//
//   kvdrive COMMAND ARGS... [; COMMAND ARGS...]
//
// A window is named by its caption; of several top-level windows with that caption the
// enabled one is taken (the one a modal dialog leaves usable). Controls are named by id.
//   wait CAPTION [ms]            wait until such a window exists (default 15000 ms)
//   wait-class CLASS [ms]        the same by window class
//   wait-gone CAPTION [ms]       wait until no such window exists
//   exists CAPTION               exit code 0 when it exists now, 1 otherwise
//   controls CAPTION             list the controls: id class visible enabled state "text"
//   text CAPTION ID              print a control's text
//   items CAPTION ID             print the entries of a list or combo box, one per line
//   selected CAPTION ID          print the selected entries of a list or combo box
//   click CAPTION ID             click a button
//   key CAPTION enter|escape     press a key in the focused control
//   close CAPTION                close the window from its system menu
//   settext CAPTION ID TEXT      type TEXT into an edit field
//   choose CAPTION ID TEXT       choose an entry of a combo box, as a user's pick notifies it
//   pick CAPTION ID TEXT...      select these entries of a multiple-selection list box
//   open CAPTION ID TEXT         double-click an entry of a list box
//   sleep MS
//   answer [ms]                  answer every dialog of setup.exe and uninst.exe as it
//                                appears, for ms (default: until ended); one line per answer
//
// How `answer` answers, so that a program waiting on the user goes on and every question
// that is asked again and again is left by another way at last:
//   - a disk prompt (the path field beside the disk's label) and the open-file dialog: Cancel;
//   - any other dialog: its default button, or its first button without a default;
//   - the fourth and later time the same process shows a dialog of the same caption and
//     buttons, the button after the default instead, then the next one, and so on round.
// Each answer prints: answered PID "CAPTION" [BUTTON|BUTTON...] -> BUTTON.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDefaultTimeout = 15000;
constexpr DWORD kPoll = 50;

struct Search {
    const char* caption;
    const char* className;
    HWND found;
    HWND disabledMatch;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!IsWindowVisible(window)) return TRUE;
    char text[512];
    if (search->caption) {
        GetWindowTextA(window, text, sizeof text);
        if (strcmp(text, search->caption) != 0) return TRUE;
    }
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (strcmp(text, search->className) != 0) return TRUE;
    }
    if (!IsWindowEnabled(window)) {
        if (!search->disabledMatch) search->disabledMatch = window;
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(const char* caption, const char* className) {
    Search search{caption, className, nullptr, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : search.disabledMatch;
}

HWND WaitFor(const char* caption, const char* className, DWORD timeout) {
    for (DWORD waited = 0;; waited += kPoll) {
        if (HWND window = FindTopLevel(caption, className)) return window;
        if (waited >= timeout) return nullptr;
        Sleep(kPoll);
    }
}

[[noreturn]] void Fail(const char* format, const char* what) {
    fprintf(stderr, "kvdrive: ");
    fprintf(stderr, format, what);
    fprintf(stderr, "\n");
    exit(1);
}

HWND Window(const char* caption) {
    HWND window = WaitFor(caption, nullptr, kDefaultTimeout);
    if (!window) Fail("no window \"%s\"", caption);
    return window;
}

HWND Control(HWND window, const char* id) {
    HWND control = GetDlgItem(window, atoi(id));
    if (!control) Fail("no control %s", id);
    return control;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsCombo(HWND control) { return _stricmp(ClassOf(control).c_str(), "ComboBox") == 0; }

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// Entries are read as wide text: across processes the system hands list and combo box
// entries over in Unicode, whatever the caller asks for.
std::string ItemText(HWND control, int index) {
    bool combo = IsCombo(control);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (static_cast<LRESULT>(length) < 0) return "";
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
    SendMessageTimeoutW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    char text[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

int ItemCount(HWND control) {
    return static_cast<int>(Send(control, IsCombo(control) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

int FindItem(HWND control, const char* text) {
    int count = ItemCount(control);
    for (int i = 0; i < count; ++i)
        if (ItemText(control, i) == text) return i;
    Fail("no entry \"%s\"", text);
}

void Notify(HWND control, int code) {
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

const char* ButtonState(HWND control) {
    LONG style = GetWindowLongA(control, GWL_STYLE) & 0x0F;
    if (style == BS_DEFPUSHBUTTON) return "default";
    if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE || style == BS_AUTO3STATE ||
        style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON) {
        LRESULT state = Send(control, BM_GETCHECK, 0, 0);
        return state == BST_CHECKED ? "checked" : state == BST_INDETERMINATE ? "grayed" : "unchecked";
    }
    return "-";
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    RECT rect;
    GetWindowRect(control, &rect);
    HWND parent = GetParent(control);
    POINT origin{rect.left, rect.top};
    ScreenToClient(parent, &origin);
    bool onScreen = IsWindowVisible(control) && origin.y < 2000;
    std::string name = ClassOf(control);
    printf("%d %s %s %s %s \"%s\"\n", GetDlgCtrlID(control), name.c_str(), onScreen ? "visible" : "hidden",
           IsWindowEnabled(control) ? "enabled" : "disabled",
           _stricmp(name.c_str(), "Button") == 0 ? ButtonState(control) : "-", TextOf(control).c_str());
    return TRUE;
}

void PressKey(HWND window, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus ? info.hwndFocus : window;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// ---- answer

constexpr int kDiskPathId = 1101;
constexpr int kDiskLabelId = 1131;
constexpr int kOpenFileNameIds[] = {1148, 1152};  // the open-file dialog's name box
constexpr int kDefaultAnswersBeforeOthers = 3;

struct Dialog {
    HWND window;
    DWORD process;
};

bool IsAnsweredProgram(DWORD process) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle) return false;
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    BOOL named = QueryFullProcessImageNameA(handle, 0, path, &size);
    CloseHandle(handle);
    if (!named) return false;
    const char* name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    return _stricmp(name, "setup.exe") == 0 || _stricmp(name, "uninst.exe") == 0;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || ClassOf(window) != "#32770") return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (IsAnsweredProgram(process)) reinterpret_cast<std::vector<Dialog>*>(lParam)->push_back({window, process});
    return TRUE;
}

bool IsPushButton(HWND control) {
    if (_stricmp(ClassOf(control).c_str(), "Button") != 0) return false;
    LONG style = GetWindowLongA(control, GWL_STYLE) & 0x0F;
    return (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) && IsWindowVisible(control) &&
           IsWindowEnabled(control);
}

BOOL CALLBACK CollectButton(HWND control, LPARAM lParam) {
    if (IsPushButton(control)) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(control);
    return TRUE;
}

bool HasControl(HWND dialog, int id, const char* className) {
    HWND control = GetDlgItem(dialog, id);
    return control && _stricmp(ClassOf(control).c_str(), className) == 0;
}

// The button a user who wants to get on, or out, would press this time.
HWND ChooseButton(HWND dialog, const std::vector<HWND>& buttons, int timesSeen) {
    bool openFile = false;
    for (int id : kOpenFileNameIds) openFile = openFile || GetDlgItem(dialog, id) != nullptr;
    bool diskPrompt = HasControl(dialog, kDiskPathId, "Edit") && HasControl(dialog, kDiskLabelId, "Static");
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if ((diskPrompt || openFile) && cancel && IsPushButton(cancel)) return cancel;
    size_t chosen = 0;
    LRESULT defaultId = Send(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID)
        for (size_t i = 0; i < buttons.size(); ++i)
            if (GetDlgCtrlID(buttons[i]) == LOWORD(defaultId)) chosen = i;
    if (timesSeen > kDefaultAnswersBeforeOthers) chosen += static_cast<size_t>(timesSeen - kDefaultAnswersBeforeOthers);
    return buttons[chosen % buttons.size()];
}

void AnswerDialog(const Dialog& dialog, std::map<std::string, int>& seen) {
    std::vector<HWND> buttons;
    EnumChildWindows(dialog.window, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    if (buttons.empty()) return;  // a progress dialog: nothing to answer
    std::string caption = TextOf(dialog.window), names;
    for (HWND button : buttons) {
        if (!names.empty()) names += '|';
        names += TextOf(button);
    }
    std::string key = std::to_string(dialog.process);
    key.append(1, ' ').append(caption).append(1, ' ').append(names);
    int& times = seen[key];
    HWND chosen = ChooseButton(dialog.window, buttons, ++times);
    printf("answered %lu \"%s\" [%s] -> %s\n", static_cast<unsigned long>(dialog.process), caption.c_str(),
           names.c_str(), TextOf(chosen).c_str());
    fflush(stdout);
    PostMessageA(chosen, BM_CLICK, 0, 0);
}

int AnswerDialogs(DWORD duration) {
    std::map<std::string, int> seen;
    std::map<HWND, DWORD> answeredAt;
    for (DWORD start = GetTickCount(); duration == 0 || GetTickCount() - start < duration; Sleep(kPoll)) {
        std::vector<Dialog> dialogs;
        EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
        for (const Dialog& dialog : dialogs) {
            // A click takes a moment to close its dialog; the same window is answered
            // again only when it is still there well after.
            auto last = answeredAt.find(dialog.window);
            if (last != answeredAt.end() && GetTickCount() - last->second < 1000) continue;
            answeredAt[dialog.window] = GetTickCount();
            AnswerDialog(dialog, seen);
        }
    }
    return 0;
}

DWORD Timeout(const std::vector<const char*>& args, size_t index) {
    return args.size() > index ? static_cast<DWORD>(atol(args[index])) : kDefaultTimeout;
}

void Need(const std::vector<const char*>& args, size_t count) {
    if (args.size() < count) Fail("too few arguments for %s", args[0]);
}

int Run(const std::vector<const char*>& args) {
    const std::string command = args[0];
    if (command == "sleep") {
        Need(args, 2);
        Sleep(static_cast<DWORD>(atol(args[1])));
        return 0;
    }
    if (command == "answer") return AnswerDialogs(args.size() > 1 ? static_cast<DWORD>(atol(args[1])) : 0);
    Need(args, 2);
    const char* caption = args[1];
    if (command == "wait") {
        if (!WaitFor(caption, nullptr, Timeout(args, 2))) Fail("timed out waiting for \"%s\"", caption);
    } else if (command == "wait-class") {
        if (!WaitFor(nullptr, caption, Timeout(args, 2))) Fail("timed out waiting for class %s", caption);
    } else if (command == "wait-gone") {
        DWORD timeout = Timeout(args, 2);
        for (DWORD waited = 0; FindTopLevel(caption, nullptr); waited += kPoll) {
            if (waited >= timeout) Fail("\"%s\" is still there", caption);
            Sleep(kPoll);
        }
    } else if (command == "exists") {
        return FindTopLevel(caption, nullptr) ? 0 : 1;
    } else if (command == "controls") {
        EnumChildWindows(Window(caption), PrintControl, 0);
    } else if (command == "text") {
        Need(args, 3);
        printf("%s\n", TextOf(Control(Window(caption), args[2])).c_str());
    } else if (command == "items" || command == "selected") {
        Need(args, 3);
        HWND control = Control(Window(caption), args[2]);
        bool combo = IsCombo(control);
        int current = static_cast<int>(Send(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
        for (int i = 0, count = ItemCount(control); i < count; ++i) {
            bool selected = combo ? i == current : Send(control, LB_GETSEL, i, 0) > 0;
            if (command == "items" || selected) printf("%s\n", ItemText(control, i).c_str());
        }
    } else if (command == "click") {
        Need(args, 3);
        HWND control = Control(Window(caption), args[2]);
        if (!IsWindowEnabled(control)) Fail("control %s is disabled", args[2]);
        PostMessageA(control, BM_CLICK, 0, 0);
    } else if (command == "key") {
        Need(args, 3);
        PressKey(Window(caption), strcmp(args[2], "escape") == 0 ? VK_ESCAPE : VK_RETURN);
    } else if (command == "close") {
        PostMessageA(Window(caption), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (command == "settext") {
        Need(args, 4);
        Send(Control(Window(caption), args[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[3]));
    } else if (command == "choose") {
        Need(args, 4);
        HWND control = Control(Window(caption), args[2]);
        Notify(control, CBN_DROPDOWN);
        Send(control, CB_SETCURSEL, FindItem(control, args[3]), 0);
        Notify(control, CBN_SELCHANGE);
        Notify(control, CBN_SELENDOK);
        Notify(control, CBN_CLOSEUP);
    } else if (command == "pick") {
        Need(args, 4);
        HWND control = Control(Window(caption), args[2]);
        Send(control, LB_SETSEL, FALSE, -1);
        for (size_t i = 3; i < args.size(); ++i) Send(control, LB_SETSEL, TRUE, FindItem(control, args[i]));
        Notify(control, LBN_SELCHANGE);
    } else if (command == "open") {
        Need(args, 4);
        HWND control = Control(Window(caption), args[2]);
        Send(control, LB_SETCURSEL, FindItem(control, args[3]), 0);
        Notify(control, LBN_SELCHANGE);
        Notify(control, LBN_DBLCLK);
    } else {
        Fail("unknown command %s", command.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> args;
    int result = 0;
    for (int i = 1; i <= argc; ++i) {
        if (i == argc || strcmp(argv[i], ";") == 0) {
            if (!args.empty()) result = Run(args);
            if (result != 0) return result;
            args.clear();
        } else {
            args.push_back(argv[i]);
        }
    }
    fflush(stdout);
    return result;
}
