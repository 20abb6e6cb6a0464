// Helpers shared by the tests: a fresh session, scratch files, and a script that answers
// the dialogs that code under test runs modally.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/session.h"

// Puts the session back to its initial values, with the fields start-up fills.
void ResetTestSession();

// Every test starts from a fresh session.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTestSession(); }
};

// A directory of its own for one test, removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir();
    // A directory of its own inside `parent` (which ends with a backslash), e.g. on another drive.
    explicit ScratchDir(const std::string& parent);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    // The directory, with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
void WriteFileOfSize(const std::string& path, size_t size);

// Steps run from a timer inside whatever modal loop the code under test runs: each step
// waits for a visible, enabled dialog of this thread with the given caption (any caption
// when empty) other than the one the step before acted on, then acts on it once.
class ModalScript {
public:
    using Action = std::function<void(HWND dialog)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& On(const std::string& caption, Action action);
    // A message dialog: its text is added to `shown` and its style to Styles(), then the
    // button is clicked.
    ModalScript& OnMessage(std::vector<std::string>& shown, int button = IDOK);
    size_t StepsLeft() const { return steps_.size(); }
    const std::vector<UINT>& Styles() const { return styles_; }

private:
    struct Step {
        std::string caption;
        Action action;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunNextStep();

    std::deque<Step> steps_;
    std::vector<UINT> styles_;
    HWND last_ = nullptr;
    UINT_PTR timer_ = 0;
};

// What a user does to a dialog.
void PressKey(HWND dialog, WPARAM key);
void ClickButton(HWND dialog, int id);
void CloseFromSystemMenu(HWND dialog);

// Captions of a dialog's buttons that stand on screen, from left to right.
std::vector<std::string> VisibleButtonCaptions(HWND dialog);
std::string WindowText(HWND window);

// The text that an open message dialog shows, and the style it was asked for with.
std::string MessageText(HWND dialog);
UINT MessageStyle(HWND dialog);

