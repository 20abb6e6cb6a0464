// Test helpers.
#include "test_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/text.h"

namespace {

ModalScript* g_activeScript = nullptr;

void RemoveTree(const std::string& directory) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((directory + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = directory + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + "\\");
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(directory.c_str());
}

struct DialogSearch {
    const std::string* caption;
    HWND last;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || window == search->last) return TRUE;
    if (!search->caption->empty() && WindowText(window) != *search->caption) return TRUE;
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

void ResetTestSession() {
    g_session = SetupSession{};
    g_session.instance = GetModuleHandleA(nullptr);
    FindWindowsDirectories(g_session);
}

namespace {

std::string TempDirectory() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

}  // namespace

ScratchDir::ScratchDir() : ScratchDir(TempDirectory()) {}

ScratchDir::ScratchDir(const std::string& parent) {
    // Process ids come round again in a new Wine session: a name is taken only when the
    // directory is new, so no test starts among another run's files.
    static int counter = 0;
    do {
        path_ = parent + "kvoxtest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    path_ += "\\";
}

ScratchDir::~ScratchDir() {
    // A directory picker under test leaves the current directory inside; it could not go.
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, current, static_cast<int>(path_.size()) - 1, path_.c_str(),
                       static_cast<int>(path_.size()) - 1) == CSTR_EQUAL)
        SetCurrentDirectoryA(TempDirectory().c_str());
    RemoveTree(path_);
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFileOfSize(const std::string& path, size_t size) { WriteTextFile(path, std::string(size, 'x')); }

ModalScript::ModalScript() {
    g_activeScript = this;
    timer_ = SetTimer(nullptr, 0, 30, Tick);
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, timer_);
    g_activeScript = nullptr;
}

ModalScript& ModalScript::On(const std::string& caption, Action action) {
    steps_.push_back({caption, std::move(action)});
    return *this;
}

ModalScript& ModalScript::OnMessage(std::vector<std::string>& shown, int button) {
    return On("K-VOX Setup", [this, &shown, button](HWND dialog) {
        shown.push_back(MessageText(dialog));
        styles_.push_back(MessageStyle(dialog));
        ClickButton(dialog, button);
    });
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_activeScript) g_activeScript->RunNextStep();
}

void ModalScript::RunNextStep() {
    if (steps_.empty()) return;
    DialogSearch search{&steps_.front().caption, last_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    last_ = search.found;
    step.action(search.found);
}

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void ClickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void CloseFromSystemMenu(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> VisibleButtonCaptions(HWND dialog) {
    std::vector<std::pair<LONG, std::string>> buttons;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        POINT origin{rect.left, rect.top};
        ScreenToClient(dialog, &origin);
        RECT client;
        GetClientRect(dialog, &client);
        if (IsWindowVisible(child) && origin.y < client.bottom) buttons.push_back({origin.x, WindowText(child)});
    }
    std::sort(buttons.begin(), buttons.end());
    std::vector<std::string> captions;
    for (auto& button : buttons) captions.push_back(button.second);
    return captions;
}

std::string MessageText(HWND dialog) {
    auto* request = reinterpret_cast<const MessageDialogRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return request && request->text ? request->text : "";
}

UINT MessageStyle(HWND dialog) {
    auto* request = reinterpret_cast<const MessageDialogRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return request ? request->style : 0;
}
