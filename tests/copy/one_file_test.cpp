// Copying one file: LZ expansion from the sample disks, the compressed name, the disk
// prompt (its label, the path it offers, Browse and Cancel) and the path typed there, and
// the questions that real failures bring.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/message_dialog.h"
#include "copy/copy.h"
#include "copy_test_support.h"

namespace {

class OneFile : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        WriteInf("[disks]\r\n1=Disk One - Setup,KV1\r\n2=Disk Two\r\n");
    }
    int32_t Copy(const char* disk, const std::string& name) {
        return CopyOneFile(disk, g_session.sourceDir, destination_.c_str(), name.c_str());
    }
    Lines DestinationFiles() const {
        Lines names;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((destination_ + "*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return names;
    }
    // Runs the disk prompt for `disk`: the user types `typed` (unless empty) and presses OK,
    // or cancels and confirms.
    int Prompt(const char* disk, const std::string& typed, bool cancel = false) {
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND dialog) {
            label_ = WindowText(GetDlgItem(dialog, IDC_DISK_LABEL));
            offered_ = WindowText(GetDlgItem(dialog, IDC_DISK_PATH));
            if (!typed.empty()) SetWindowTextA(GetDlgItem(dialog, IDC_DISK_PATH), typed.c_str());
            okEnabled_ = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
            ClickButton(dialog, cancel ? IDCANCEL : IDOK);
        });
        if (cancel) script.OnMessage(messages_, IDOK);
        return PromptForDisk("kvox.exe", disk, directory_);
    }

    char directory_[128] = "unchanged";
    std::string label_, offered_;
    bool okEnabled_ = false;
    Lines messages_;
};

TEST_F(OneFile, AFileStoredUnderItsCompressedNameIsExpandedToItsOwnName) {
    const struct {
        const char* disk;
        const char* name;  // stored on the disk as KVOX.EX_ and KVOX._
        const char* original;
    } cases[] = {{"DISK1", "KVOX.EXE", "kvox.exe"}, {"DISK2", "KVOX.H", "kvox.h"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(Exists(SampleDisks(c.disk) + c.name));
        std::string original = ReadTextFile(SampleDisks("ORIGINALS") + c.original);
        ASSERT_GT(original.size(), 100u);
        CopyText(g_session.sourceDir, SampleDisks(c.disk).c_str());
        WriteTextFile(g_session.logPath, "");
        g_session.bytesDone = 0;

        EXPECT_EQ(Copy("1", c.name), static_cast<int32_t>(original.size()));
        EXPECT_EQ(ReadTextFile(destination_ + c.name), original);
        EXPECT_EQ(DestinationFiles(), Lines{c.name});
        EXPECT_EQ(g_session.bytesDone, static_cast<int32_t>(original.size()));
        EXPECT_EQ(LogLines(), Lines{destination_ + c.name + " " + std::to_string(original.size())});
        DeleteFileA((destination_ + c.name).c_str());
    }
}

TEST_F(OneFile, TheCompressedNameEndsTheExtensionWithAnUnderscore) {
    const struct {
        const char* path;
        const char* compressed;
    } cases[] = {
        {"KVOX.EXE", "KVOX.EX_"},
        {"README", "README._"},
        {"A.", "A._"},
        {"A.B", "A._"},
        {"PAGE.HTML", "PAGE.HTM_"},
        {"A:\\KVOX.EXE", "A:\\KVOX.EX_"},
        {"C:\\DIR.X\\README", "C:\\DIR.X\\README._"},
        {"C:\\DIR.X\\SUB\\A.B", "C:\\DIR.X\\SUB\\A._"},
    };
    for (const auto& c : cases) {
        char compressed[260] = "";
        CompressedFileName(c.path, compressed);
        EXPECT_STREQ(compressed, c.compressed) << c.path;
    }
}

TEST_F(OneFile, ThePromptOffersSetupDiskThenTheLastConfirmedDirectoryAndAddsTheBackslash) {
    // Without [SetupDisk]: "A:\".
    EXPECT_EQ(Prompt("1", "B:"), 1);
    EXPECT_EQ(label_, "Disk One - Setup");
    EXPECT_EQ(offered_, "A:\\");
    EXPECT_STREQ(directory_, "B:\\");
    EXPECT_EQ(g_session.sourceDirKnown, 1);

    CopyText(g_session.sourceDir, directory_);
    EXPECT_EQ(Prompt("2", ""), 1);
    EXPECT_EQ(label_, "Disk Two");
    EXPECT_EQ(offered_, "B:\\");

    EXPECT_EQ(Prompt("7", "C:\\FILES"), 1);  // not in [disks]
    EXPECT_EQ(label_, "K-VOX Disk");
    EXPECT_STREQ(directory_, "C:\\FILES\\");
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:B:\\\r\n"
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:B:\\\r\n"
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:C:\\FILES\\\r\n");

    // The first key of [SetupDisk] is offered; one character cannot be confirmed.
    WriteInf("[SetupDisk]\r\nB:\\=\r\nC:\\=\r\n[disks]\r\n1=One\r\n");
    EXPECT_EQ(Prompt("1", "B"), 1);
    EXPECT_EQ(offered_, "B:\\");
    EXPECT_FALSE(okEnabled_);
}

TEST_F(OneFile, BrowseStartsAtTheDestinationAndCancellingItKeepsThePath) {
    CreateDirectoryA(work_.File("files").c_str(), nullptr);
    CopyText(g_session.destinationDir, work_.Path().c_str());
    std::string startedAt, chosen = work_.File("files");
    ModalScript script;
    script.On("K-VOX Setup", [](HWND dialog) {
              SetWindowTextA(GetDlgItem(dialog, IDC_DISK_PATH), "D:\\TYPED");
              ClickButton(dialog, IDC_BROWSE);
          })
        .On("Define Directory", [](HWND picker) { ClickButton(picker, IDCANCEL); })
        .On("K-VOX Setup", [&](HWND dialog) {
            offered_ = WindowText(GetDlgItem(dialog, IDC_DISK_PATH));
            ClickButton(dialog, IDC_BROWSE);
        })
        .On("Define Directory", [&](HWND picker) {
            startedAt = WindowText(GetDlgItem(picker, IDC_DRIVEDIR_PATH));
            SetWindowTextA(GetDlgItem(picker, IDC_DRIVEDIR_PATH), chosen.c_str());
            ClickButton(picker, IDOK);
        })
        .On("K-VOX Setup", [](HWND dialog) { ClickButton(dialog, IDOK); });
    EXPECT_EQ(PromptForDisk("kvox.exe", "1", directory_), 1);
    EXPECT_EQ(offered_, "D:\\TYPED");
    std::string expected = chosen + "\\";
    CharUpperA(expected.data());
    EXPECT_STREQ(directory_, expected.c_str());
    std::string destination = work_.Path();
    destination.pop_back();
    EXPECT_EQ(lstrcmpiA(startedAt.c_str(), destination.c_str()), 0) << startedAt;
}

TEST_F(OneFile, AMissingFileBringsThePromptForItsDiskAndIsCopiedFromThePathTypedThere) {
    ScratchDir other;
    WriteTextFile(other.File("NOTE.TXT"), "eleven byte");
    g_session.bytesDone = 10;
    std::string caption;
    ModalScript script;
    script.On("", [&](HWND dialog) {
        caption = WindowText(dialog);
        EXPECT_EQ(Describe(dialog), "disk prompt: Disk Two");
        TypePath(other.Path().substr(0, other.Path().size() - 1))(dialog);  // no final backslash
    });
    NothingElse(script);

    EXPECT_EQ(Copy("2", "NOTE.TXT"), 11);
    EXPECT_EQ(caption, "K-VOX Setup");
    EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "eleven byte");
    EXPECT_EQ(g_session.sourceDir, other.Path());
    EXPECT_EQ(g_session.bytesDone, 21);
    EXPECT_EQ(LogLines(), (Lines{source_ + "NOTE.TXT - can not open source file.",
                                 "Prompt: Insert disk or type path to file NOTE.TXT",
                                 "New source path:" + other.Path(), destination_ + "NOTE.TXT 11"}));
}

TEST_F(OneFile, CancellingThePromptAsksAndStopsWithNothingCounted) {
    EXPECT_EQ(Prompt("1", "", true), 0);
    EXPECT_EQ(messages_, Lines{"Do you want to exit from K-VOX Setup?"});
    EXPECT_STREQ(directory_, "unchanged");
    EXPECT_EQ(g_session.sourceDirKnown, 0);
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Prompt: Insert disk or type path to file kvox.exe\r\nPrompt dialog cancelled.\r\n");

    g_session.bytesDone = 500;
    Answers answers{Click(IDCANCEL), Click(IDOK)};
    EXPECT_EQ(Copy("1", "NOTE.TXT"), 0);
    EXPECT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(g_session.bytesDone, 500);
    EXPECT_EQ(g_session.sourceDir, source_);
    EXPECT_TRUE(DestinationFiles().empty());
    EXPECT_EQ(LogLines().back(), "Prompt dialog cancelled.");
}

TEST_F(OneFile, ASourceEqualToTheDestinationInAnyCaseIsRefusedBeforeThePrompt) {
    WriteTextFile(source_ + "NOTE.TXT", "four");
    std::string same = destination_;
    CharLowerA(same.data());
    CopyText(g_session.sourceDir, same.c_str());
    Answers answers{Press(VK_RETURN), TypePath(source_)};

    EXPECT_EQ(Copy("2", "NOTE.TXT"), 4);
    EXPECT_EQ(answers.shown, (std::vector<Shown>{{"Destination and source directories are the same.",
                                                  MB_OK | MB_ICONEXCLAMATION, {"OK"}},
                                                 {"disk prompt: Disk Two"}}));
    EXPECT_EQ(g_session.sourceDir, source_);
    EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "four");
}

// Reading the Linux file /proc/self/mem at offset 0 fails with an I/O error: a source that
// opens but cannot be read.
const char kUnreadableDir[] = "Z:\\proc\\self\\";

// A question asked for a real failure, answered with Enter (its preselected button) and with
// the other answer.
struct Question {
    const char* what;
    std::string sourceDir;
    std::string destinationDir;  // empty: the case cannot be made here
    const char* name;
    const char* format;  // the question, %s the path
    UINT style;
    Lines buttons;
    const char* logSuffix;
    bool enterSkips;
    int otherButton;
};

TEST_F(OneFile, FailuresAskWhetherToSkipOrStop) {
    WriteTextFile(source_ + "NOTE.TXT", "note");
    WriteFileOfSize(source_ + "BIG.BIN", 2 * 1024 * 1024);  // more than drive K: holds
    std::optional<ScratchDir> smallDrive;
    if (DriveIsMounted(kSmallDrive)) smallDrive.emplace(std::string(1, kSmallDrive) + ":\\");
    const Question questions[] = {
        {"destination directory missing", source_, work_.File("gone\\"), "NOTE.TXT",
         "Can not copy to destination file: %s. \nContinue setup?", MB_YESYESTOALLNO | MB_ICONEXCLAMATION,
         {"Yes", "Yes to All", "No"}, " - can not open destination file.", true, IDC_MESSAGE_BUTTON3},
        {"source unreadable", kUnreadableDir, destination_, "mem",
         "Source file %s has bad compression format or corrupted. \nContinue Setup?",
         MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, {"Yes", "No"},
         " - read error, possible reason: bad compress format.", false, IDC_MESSAGE_BUTTON1},
        {"destination drive full", source_, smallDrive ? smallDrive->Path() : "", "BIG.BIN",
         "Can not write destination file: %s. \nContinue Setup?", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2,
         {"Yes", "No"}, " - write error, possible reason: out of disk space.", false, IDC_MESSAGE_BUTTON1},
    };
    for (const Question& q : questions) {
        if (q.destinationDir.empty()) {
            std::printf("  (skipped \"%s\": drive %c: is not mounted)\n", q.what, kSmallDrive);
            continue;
        }
        std::string path = q.destinationDir + q.name;
        char text[512];
        std::snprintf(text, sizeof text, q.format, path.c_str());
        for (bool enter : {true, false}) {
            SCOPED_TRACE(std::string(q.what) + (enter ? ", Enter" : ", the other answer"));
            CopyText(g_session.sourceDir, q.sourceDir.c_str());
            g_session.bytesDone = 7;
            WriteTextFile(g_session.logPath, "");
            Answers answers{enter ? Press(VK_RETURN) : Click(q.otherButton)};

            bool skipped = q.enterSkips == enter;
            EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, q.destinationDir.c_str(), q.name), skipped ? 1 : 0);
            EXPECT_EQ(g_session.bytesDone, skipped ? 8 : 7);
            EXPECT_EQ(answers.shown, (std::vector<Shown>{{text, q.style, q.buttons}}));
            EXPECT_EQ(LogLines(), (Lines{path + q.logSuffix,
                                         skipped ? "User skipped copying file." : "Copying stopped by user."}));
            EXPECT_EQ(g_session.ignoreAllDestinationErrors, 0);
            DeleteFileA(path.c_str());
        }
    }
}

TEST_F(OneFile, YesToAllSkipsLaterUncreatableDestinationsWithoutAsking) {
    for (const char* name : {"A.TXT", "B.TXT"}) WriteTextFile(source_ + name, "new");
    std::string gone = work_.File("gone\\");
    Answers answers{Click(IDC_MESSAGE_BUTTON2)};

    EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, gone.c_str(), "A.TXT"), 1);
    EXPECT_EQ(g_session.ignoreAllDestinationErrors, 1);
    EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, gone.c_str(), "B.TXT"), 1);
    EXPECT_EQ(g_session.bytesDone, 2);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].buttons[1], "Yes to All");
    EXPECT_EQ(LogLines(), (Lines{gone + "A.TXT - can not open destination file.",
                                 "Set ignore all errors on creating destination files.",
                                 gone + "B.TXT - can not create destination file, skipped."}));
}

// An existing destination held open without write sharing, as another program would hold it,
// is kept and counted, with Yes to All or without; the copy goes to no other name (LZ32 would
// try the compressed one, which a directory there leaves no way out).
TEST_F(OneFile, AHeldDestinationIsKeptAndCountedWithoutAFileUnderItsCompressedName) {
    WriteTextFile(source_ + "NOTE.TXT", "new contents");
    const struct {
        bool compressedNameTaken;
        int32_t ignoreAll;
    } cases[] = {{false, 0}, {true, 0}, {true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.compressedNameTaken << c.ignoreAll);
        WriteTextFile(destination_ + "NOTE.TXT", "old");
        if (c.compressedNameTaken) CreateDirectoryA((destination_ + "NOTE.TX_").c_str(), nullptr);
        g_session.ignoreAllDestinationErrors = c.ignoreAll;
        g_session.bytesDone = 1;
        WriteTextFile(g_session.logPath, "");
        Answers none;
        HANDLE held = CreateFileA((destination_ + "NOTE.TXT").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Copy("1", "NOTE.TXT"), 3);
        CloseHandle(held);

        EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "old");
        EXPECT_EQ(DestinationFiles(), Lines{"NOTE.TXT"});
        EXPECT_EQ(g_session.bytesDone, 4);
        EXPECT_EQ(LogLines(), (Lines{destination_ + "NOTE.TXT - file exist, can not be overwritten.",
                                     destination_ + "NOTE.TXT 3"}));
    }
}

}  // namespace
