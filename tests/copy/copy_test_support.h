// What the copy tests share: a scratch package (setup1.inf, source and destination
// directories, the log), the sample disks, the two small drives, and the answering of the
// questions that copying asks.
#pragma once

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "test_support.h"

using Lines = std::vector<std::string>;

// The sample disks the build lays out (DISK1..3, ORIGINALS), as a Windows path.
inline std::string SampleDisks(const std::string& name) {
    std::string path = KVOX_TEST_DISKS;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path + name + "\\";
}

// Small tmpfs drives that tests/copy/small_drives.sh mounts for the copy program: exact free
// space, and writes that fail for real when they are full.
constexpr char kSmallDrive = 'K';  // 1128 KB
constexpr char kSecondDrive = 'L';  // 4096 KB

inline bool DriveIsMounted(char letter) {
    char root[4] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root) != DRIVE_NO_ROOT_DIR;
}

#define REQUIRE_SMALL_DRIVES()                                                                     \
    if (!DriveIsMounted(kSmallDrive) || !DriveIsMounted(kSecondDrive))                             \
    GTEST_SKIP() << "drives K: and L: are not mounted (tests/copy/small_drives.sh, run by ctest as root)"

// One question or message as the user saw it.
struct Shown {
    std::string text;
    UINT style = 0;
    std::vector<std::string> buttons;
    bool operator==(const Shown&) const = default;
};
inline void PrintTo(const Shown& shown, std::ostream* out) {
    *out << ::testing::PrintToString(shown.text) << " style " << shown.style << " buttons "
         << ::testing::PrintToString(shown.buttons);
}

class CopyTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CreateDirectoryA(source_.c_str(), nullptr);
        CreateDirectoryA(destination_.c_str(), nullptr);
        CopyText(g_session.setupInfPath, work_.File("setup1.inf").c_str());
        WriteTextFile(g_session.setupInfPath, "");
        CopyText(g_session.logPath, work_.File("KVSETUP.LOG").c_str());
        WriteTextFile(g_session.logPath, "");
        CopyText(g_session.sourceDir, source_.c_str());
    }

    void WriteInf(const std::string& text) { WriteTextFile(g_session.setupInfPath, text); }
    std::vector<std::string> LogLines() const {
        std::string log = ReadTextFile(g_session.logPath);
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(log.substr(start, end - start));
        return lines;
    }
    bool Exists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static ModalScript::Action Press(WPARAM key) {
        return [key](HWND dialog) { PressKey(dialog, key); };
    }
    static ModalScript::Action Click(int id) {
        return [id](HWND dialog) { ClickButton(dialog, id); };
    }
    // Types a path into the disk prompt and confirms it.
    static ModalScript::Action TypePath(std::string path) {
        return [path](HWND dialog) {
            SetWindowTextA(GetDlgItem(dialog, IDC_DISK_PATH), path.c_str());
            ClickButton(dialog, IDOK);
        };
    }

    // The questions copying asks, recorded (a disk prompt by its label) and answered in turn.
    // Any further one is a failure, answered with its first button (Cancel in a disk prompt)
    // so that the code under test comes to an end.
    class Answers {
    public:
        explicit Answers(const std::vector<ModalScript::Action>& answers = {}) {
            for (const auto& answer : answers)
                script_.On("K-VOX Setup", [this, answer](HWND dialog) {
                    if (IsDiskPrompt(dialog)) shown.push_back({Describe(dialog)});
                    else shown.push_back({MessageText(dialog), MessageStyle(dialog), VisibleButtonCaptions(dialog)});
                    answer(dialog);
                });
            NothingElse();
        }
        Answers(std::initializer_list<ModalScript::Action> answers) : Answers(std::vector(answers)) {}
        std::vector<Shown> shown;

    private:
        static bool IsDiskPrompt(HWND dialog) { return GetDlgItem(dialog, IDC_DISK_LABEL) != nullptr; }
        static std::string Describe(HWND dialog) {
            return IsDiskPrompt(dialog) ? "disk prompt: " + WindowText(GetDlgItem(dialog, IDC_DISK_LABEL))
                                        : MessageText(dialog);
        }
        void NothingElse() {
            script_.On("", [this](HWND dialog) {
                ADD_FAILURE() << "unexpected dialog: " << Describe(dialog);
                ClickButton(dialog, IsDiskPrompt(dialog) ? IDCANCEL : IDC_MESSAGE_BUTTON1);
                NothingElse();
            });
        }
        ModalScript script_;
    };

    ScratchDir work_;
    std::string source_ = work_.File("src\\");
    std::string destination_ = work_.File("dst\\");
};
