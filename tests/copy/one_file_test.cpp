// Copying one file: LZ expansion from the sample disks, the compressed name, the disk
// prompt (its label, the path it offers, Browse and Cancel) and the path typed there, and
// the questions that real failures bring.
#include <windows.h>

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
    ASSERT_FALSE(Exists(SampleDisks("DISK1") + "KVOX.EXE"));  // only KVOX.EX_
    std::string original = ReadTextFile(SampleDisks("ORIGINALS") + "kvox.exe");
    ASSERT_GT(original.size(), 100u);
    CopyText(g_session.sourceDir, SampleDisks("DISK1").c_str());

    EXPECT_EQ(Copy("1", "KVOX.EXE"), static_cast<int32_t>(original.size()));
    EXPECT_EQ(ReadTextFile(destination_ + "KVOX.EXE"), original);
    EXPECT_FALSE(Exists(destination_ + "KVOX.EX_"));
    EXPECT_EQ(LogLines(), Lines{destination_ + "KVOX.EXE " + std::to_string(original.size())});
}

TEST_F(OneFile, TheCompressedNameEndsTheExtensionWithAnUnderscore) {
    const char* cases[][2] = {
        {"KVOX.EXE", "KVOX.EX_"}, {"README", "README._"}, {"A.", "A._"}, {"A.B", "A._"},
        {"PAGE.HTML", "PAGE.HTM_"}, {"C:\\DIR.X\\README", "C:\\DIR.X\\README._"},
        {"C:\\DIR.X\\SUB\\A.B", "C:\\DIR.X\\SUB\\A._"},
    };
    for (const auto& c : cases) {
        char compressed[260] = "";
        CompressedFileName(c[0], compressed);
        EXPECT_STREQ(compressed, c[1]) << c[0];
    }
}

// The system drops a trailing blank or dot from a name it opens, as from "langrus.dll ,1"
// or README.; the directory's listing cannot vouch for such names, nor for any once the
// system has ended the listing with an error. They are opened for real, without a prompt.
TEST_F(OneFile, NamesTheListingCannotVouchForAreOpenedForReal) {
    WriteTextFile(source_ + "langrus.dll", "language");
    WriteTextFile(source_ + "README", "read me");
    WriteTextFile(source_ + "NOTE.TXT", "note");
    for (const char* name : {"langrus.dll ", "README."}) {
        SCOPED_TRACE(name);
        Answers none;
        EXPECT_GT(Copy("1", name), 1);
    }
    EXPECT_EQ(ReadTextFile(destination_ + "langrus.dll"), "language");
    EXPECT_EQ(ReadTextFile(destination_ + "README"), "read me");

    g_findNextFileForTesting = [](HANDLE, WIN32_FIND_DATAA*) -> BOOL {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    };
    ForgetSourceListing();
    {
        Answers none;
        EXPECT_EQ(Copy("1", "NOTE.TXT"), 4);
    }
    g_findNextFileForTesting = nullptr;
    ForgetSourceListing();
}

TEST_F(OneFile, ThePromptOffersSetupDiskThenTheLastConfirmedDirectoryAndAddsTheBackslash) {
    // Without [SetupDisk]: "A:\".
    EXPECT_EQ(Prompt("1", "B:"), 1);
    EXPECT_EQ(label_, "Disk One - Setup");
    EXPECT_EQ(offered_, "A:\\");
    EXPECT_STREQ(directory_, "B:\\");
    EXPECT_EQ(g_session.sourceDirKnown, 1);
    EXPECT_EQ(LogLines(), (Lines{"Prompt: Insert disk or type path to file kvox.exe", "New source path:B:\\"}));

    CopyText(g_session.sourceDir, directory_);
    EXPECT_EQ(Prompt("7", "C:\\FILES"), 1);  // not in [disks]
    EXPECT_EQ(label_, "K-VOX Disk");
    EXPECT_EQ(offered_, "B:\\");
    EXPECT_STREQ(directory_, "C:\\FILES\\");

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
    EXPECT_EQ(lstrcmpiA((startedAt + "\\").c_str(), work_.Path().c_str()), 0) << startedAt;
}

TEST_F(OneFile, CancellingThePromptAsksAndStopsWithNothingCounted) {
    EXPECT_EQ(Prompt("1", "", true), 0);
    EXPECT_EQ(messages_, Lines{"Do you want to exit from K-VOX Setup?"});
    EXPECT_STREQ(directory_, "unchanged");
    EXPECT_EQ(g_session.sourceDirKnown, 0);
    EXPECT_EQ(LogLines(), (Lines{"Prompt: Insert disk or type path to file kvox.exe", "Prompt dialog cancelled."}));

    g_session.bytesDone = 500;
    Answers answers{Click(IDCANCEL), Click(IDOK)};
    EXPECT_EQ(Copy("1", "NOTE.TXT"), 0);
    EXPECT_EQ(answers.shown.size(), 2u);
    EXPECT_EQ(g_session.bytesDone, 500);
    EXPECT_EQ(g_session.sourceDir, source_);
}

// The source refused first, as the destination in another case; then the file missing in
// the directory typed; then found in the one typed after it, without its final backslash.
TEST_F(OneFile, ASourceEqualToTheDestinationOrWithoutTheFileBringsThePromptForItsDisk) {
    ScratchDir other;
    WriteTextFile(other.File("NOTE.TXT"), "eleven byte");
    std::string same = destination_;
    CharLowerA(same.data());
    CopyText(g_session.sourceDir, same.c_str());
    g_session.bytesDone = 10;
    Answers answers{Press(VK_RETURN), TypePath(source_), TypePath(other.Path().substr(0, other.Path().size() - 1))};

    EXPECT_EQ(Copy("2", "NOTE.TXT"), 11);
    EXPECT_EQ(answers.shown, (std::vector<Shown>{{"Destination and source directories are the same.",
                                                  MB_OK | MB_ICONEXCLAMATION, {"OK"}},
                                                 {"disk prompt: Disk Two"}, {"disk prompt: Disk Two"}}));
    EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "eleven byte");
    EXPECT_EQ(g_session.sourceDir, other.Path());
    EXPECT_EQ(g_session.bytesDone, 21);
}

// Enter answers a question with its preselected button: Yes for a destination that cannot be
// created, No for a source that cannot be read (/proc/self/mem at offset 0, a compressed
// file cut short). The end-to-end disk-full scenario asks about a full destination.
TEST_F(OneFile, FailuresAskWhetherToSkipOrStop) {
    WriteTextFile(source_ + "NOTE.TXT", "note");
    std::string packed = ReadTextFile(SampleDisks("DISK1") + "KVOX.EX_");
    ASSERT_GT(packed.size(), 1000u);
    WriteTextFile(source_ + "CUT.EX_", packed.substr(0, packed.size() / 2));
    const std::string gone = work_.File("gone\\");
    const struct {
        std::string sourceDir, destinationDir;
        const char* name;
        Shown question;
        const char* logged;
        bool enterSkips;
        int otherButton;
    } questions[] = {
        {source_, gone, "NOTE.TXT",
         {"Can not copy to destination file: " + gone + "NOTE.TXT. \nContinue setup?",
          MB_YESYESTOALLNO | MB_ICONEXCLAMATION, {"Yes", "Yes to All", "No"}},
         " - can not open destination file.", true, IDC_MESSAGE_BUTTON3},
        {"Z:\\proc\\self\\", destination_, "mem",
         {"Source file " + destination_ + "mem has bad compression format or corrupted. \nContinue Setup?",
          MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, {"Yes", "No"}},
         " - read error, possible reason: bad compress format.", false, IDC_MESSAGE_BUTTON1},
        {source_, destination_, "CUT.EXE",
         {"Source file " + destination_ + "CUT.EXE has bad compression format or corrupted. \nContinue Setup?",
          MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, {"Yes", "No"}},
         " - read error, possible reason: bad compress format.", false, IDC_MESSAGE_BUTTON1},
    };
    for (const auto& q : questions) {
        for (bool enter : {true, false}) {
            std::string path = q.destinationDir + q.name;
            SCOPED_TRACE(path + (enter ? ", Enter" : ", the other answer"));
            CopyText(g_session.sourceDir, q.sourceDir.c_str());
            g_session.bytesDone = 7;
            WriteTextFile(g_session.logPath, "");
            Answers answers{enter ? Press(VK_RETURN) : Click(q.otherButton)};

            bool skipped = q.enterSkips == enter;
            EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, q.destinationDir.c_str(), q.name), skipped ? 1 : 0);
            EXPECT_EQ(g_session.bytesDone, skipped ? 8 : 7);
            EXPECT_EQ(answers.shown, std::vector<Shown>{q.question});
            EXPECT_EQ(LogLines(), (Lines{path + q.logged,
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
    EXPECT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(LogLines(), (Lines{gone + "A.TXT - can not open destination file.",
                                 "Set ignore all errors on creating destination files.",
                                 gone + "B.TXT - can not create destination file, skipped."}));
}

// A name that climbs out of its directory, or names a drive or a pattern, is neither read
// at the source nor written at the destination, even where both resolve to a file: the user
// is asked as for a destination that cannot be made, and Yes to All covers it too.
TEST_F(OneFile, ANameThatIsNotAFileNameIsNeitherReadNorWrittenButAskedAbout) {
    const std::string outside = work_.File("outside.txt");
    WriteTextFile(outside, "the user's own");
    WriteTextFile(source_ + "x.txt", "new");
    const std::string climbing = "..\\outside.txt";  // from src\ and from dst\ alike
    const std::string question =
        "Can not copy to destination file: " + destination_ + climbing + ". \nContinue setup?";
    for (int button : {IDC_MESSAGE_BUTTON1, IDC_MESSAGE_BUTTON3}) {
        SCOPED_TRACE(button);
        WriteTextFile(g_session.logPath, "");
        Answers answers{Click(button)};
        EXPECT_EQ(Copy("1", climbing), button == IDC_MESSAGE_BUTTON1 ? 1 : 0);
        EXPECT_EQ(answers.shown, (std::vector<Shown>{{question, MB_YESYESTOALLNO | MB_ICONEXCLAMATION,
                                                      {"Yes", "Yes to All", "No"}}}));
        EXPECT_EQ(LogLines(), (Lines{destination_ + climbing + " - not a file name, can not be copied.",
                                     button == IDC_MESSAGE_BUTTON1 ? "User skipped copying file."
                                                                   : "Copying stopped by user."}));
    }
    Answers yesToAll{Click(IDC_MESSAGE_BUTTON2)};
    EXPECT_EQ(Copy("1", source_ + "x.txt"), 1);
    EXPECT_EQ(Copy("1", "*.txt"), 1);
    EXPECT_EQ(yesToAll.shown.size(), 1u);
    EXPECT_EQ(LogLines().back(), destination_ + "*.txt - not a file name, skipped.");
    EXPECT_EQ(ReadTextFile(outside), "the user's own");
    EXPECT_FALSE(Exists(destination_ + "x.txt"));
}

// An existing destination held open without write sharing, as another program would hold it,
// is kept and counted, with Yes to All or without; the copy goes to no other name (LZ32 would
// try the compressed one, which a directory there leaves no way out).
TEST_F(OneFile, AHeldDestinationIsKeptAndCountedWithoutAFileUnderItsCompressedName) {
    WriteTextFile(source_ + "NOTE.TXT", "new contents");
    for (bool compressedNameTaken : {false, true}) {
        SCOPED_TRACE(compressedNameTaken);
        WriteTextFile(destination_ + "NOTE.TXT", "old");
        if (compressedNameTaken) CreateDirectoryA((destination_ + "NOTE.TX_").c_str(), nullptr);
        g_session.ignoreAllDestinationErrors = compressedNameTaken;
        g_session.bytesDone = 1;
        WriteTextFile(g_session.logPath, "");
        Answers none;
        HANDLE held = CreateFileA((destination_ + "NOTE.TXT").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Copy("1", "NOTE.TXT"), 3);
        CloseHandle(held);

        EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "old");
        EXPECT_EQ(Exists(destination_ + "NOTE.TX_"), compressedNameTaken);
        EXPECT_EQ(g_session.bytesDone, 4);
        EXPECT_EQ(LogLines(), (Lines{destination_ + "NOTE.TXT - file exist, can not be overwritten.",
                                     destination_ + "NOTE.TXT 3"}));
    }
}

}  // namespace
