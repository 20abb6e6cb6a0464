// Copying one file: LZ expansion from the sample disks, the compressed name, the disk
// prompt and the path typed there, and the questions that real failures bring.
#include <windows.h>
#include <lzexpand.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/message_dialog.h"
#include "copy/copy.h"
#include "copy_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class OneFile : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        WriteInf("[disks]\r\n1=Disk One - Setup,KV1\r\n2=Disk Two\r\n");
    }
    int32_t Copy(const char* disk, const std::string& name) {
        return CopyOneFile(disk, g_session.sourceDir, destination_.c_str(), name.c_str());
    }
    std::vector<std::string> DestinationFiles() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((destination_ + "*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return names;
    }
};

TEST_F(OneFile, AFileStoredUnderItsCompressedNameIsExpandedToItsOwnName) {
    const struct {
        const char* disk;
        const char* name;      // stored on the disk as KVOX.EX_ and KVOX._
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

TEST_F(OneFile, AMissingFileBringsThePromptForItsDiskAndIsCopiedFromThePathTypedThere) {
    ScratchDir other;
    std::string typed = other.Path().substr(0, other.Path().size() - 1);  // no final backslash
    WriteTextFile(other.File("NOTE.TXT"), "eleven byte");
    const struct {
        const char* disk;
        const char* label;
    } cases[] = {{"2", "Disk Two"}, {"1", "Disk One - Setup"}, {"7", "K-VOX Disk"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.disk);
        CopyText(g_session.sourceDir, source_.c_str());
        g_session.bytesDone = 10;
        WriteTextFile(g_session.logPath, "");
        std::string caption, label;
        ModalScript script;
        script.On("", [&](HWND dialog) {
            caption = WindowText(dialog);
            label = WindowText(GetDlgItem(dialog, 1131));
            SetWindowTextA(GetDlgItem(dialog, IDC_DISK_PATH), typed.c_str());
            ClickButton(dialog, IDOK);
        });
        NothingElse(script);

        EXPECT_EQ(Copy(c.disk, "NOTE.TXT"), 11);
        EXPECT_EQ(caption, "K-VOX Setup");
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "eleven byte");
        EXPECT_EQ(g_session.sourceDir, other.Path());
        EXPECT_EQ(g_session.bytesDone, 21);
        EXPECT_EQ(LogLines(), (Lines{source_ + "NOTE.TXT - can not open source file.",
                                     "Prompt: Insert disk or type path to file NOTE.TXT",
                                     "New source path:" + other.Path(), destination_ + "NOTE.TXT 11"}));
        DeleteFileA((destination_ + "NOTE.TXT").c_str());
    }
}

TEST_F(OneFile, CancellingThePromptStopsWithNothingCounted) {
    g_session.bytesDone = 500;
    std::vector<Shown> shown;
    ModalScript script;
    script.On("K-VOX Setup", Click(IDCANCEL)).On("K-VOX Setup", Record(shown, Click(IDOK)));
    NothingElse(script);

    EXPECT_EQ(Copy("1", "NOTE.TXT"), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Do you want to exit from K-VOX Setup?");
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
    std::vector<Shown> shown;
    ModalScript script;
    script.On("K-VOX Setup", Record(shown, Press(VK_RETURN)))
        .On("K-VOX Setup", Record(shown, [&](HWND dialog) {
                SetWindowTextA(GetDlgItem(dialog, IDC_DISK_PATH), source_.c_str());
                ClickButton(dialog, IDOK);
            }));
    NothingElse(script);

    EXPECT_EQ(Copy("2", "NOTE.TXT"), 4);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Destination and source directories are the same.");
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(shown[0].buttons, Lines{"OK"});
    EXPECT_EQ(shown[1].text, "disk prompt: Disk Two");
    EXPECT_EQ(g_session.sourceDir, source_);
    EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "four");
}

// Reading the Linux file /proc/self/mem at offset 0 fails with an I/O error: a source that
// opens but cannot be read.
const char kUnreadableDir[] = "Z:\\proc\\self\\";

int32_t CopyErrorOfUnreadableSource(const std::string& scratchFile) {
    OFSTRUCT opened{};
    std::string path = std::string(kUnreadableDir) + "mem";
    INT from = LZOpenFileA(path.data(), &opened, OF_READ);
    if (from < 0) return from;
    OFSTRUCT created{};
    INT to = LZOpenFileA(const_cast<char*>(scratchFile.c_str()), &created, OF_CREATE);
    LONG copied = to >= 0 ? LZCopy(from, to) : to;
    LZClose(from);
    if (to >= 0) LZClose(to);
    return copied;
}

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
    ASSERT_EQ(CopyErrorOfUnreadableSource(work_.File("probe")), LZERROR_READ);
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
            std::vector<Shown> shown;
            ModalScript script;
            script.On("K-VOX Setup", Record(shown, enter ? Press(VK_RETURN) : Click(q.otherButton)));
            NothingElse(script);

            bool skipped = q.enterSkips == enter;
            EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, q.destinationDir.c_str(), q.name), skipped ? 1 : 0);
            EXPECT_EQ(g_session.bytesDone, skipped ? 8 : 7);
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, text);
            EXPECT_EQ(shown[0].style, q.style);
            EXPECT_EQ(shown[0].buttons, q.buttons);
            EXPECT_EQ(LogLines(), (Lines{path + q.logSuffix,
                                         skipped ? "User skipped copying file." : "Copying stopped by user."}));
            EXPECT_EQ(g_session.ignoreAllDestinationErrors, 0);
            DeleteFileA(path.c_str());
        }
    }
}

// An existing destination held open without write sharing, as another program would hold it.
class HeldDestination {
public:
    explicit HeldDestination(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldDestination() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

TEST_F(OneFile, YesToAllSkipsLaterUncreatableDestinationsWithoutAsking) {
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT"}) WriteTextFile(source_ + name, "new");
    std::string gone = work_.File("gone\\");
    std::vector<Shown> shown;
    ModalScript script;
    script.On("K-VOX Setup", Record(shown, Click(IDC_MESSAGE_BUTTON2)));
    NothingElse(script);

    EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, gone.c_str(), "A.TXT"), 1);
    EXPECT_EQ(g_session.ignoreAllDestinationErrors, 1);
    EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, gone.c_str(), "B.TXT"), 1);
    EXPECT_EQ(g_session.bytesDone, 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].buttons[1], "Yes to All");

    // A destination that exists but cannot be written is still kept, as without Yes to All
    // (a directory under its compressed name: see below).
    WriteTextFile(destination_ + "C.TXT", "kept");
    CreateDirectoryA((destination_ + "C.TX_").c_str(), nullptr);
    {
        HeldDestination held(destination_ + "C.TXT");
        ASSERT_TRUE(held.Held());
        EXPECT_EQ(CopyOneFile("1", g_session.sourceDir, destination_.c_str(), "C.TXT"), 4);
    }
    EXPECT_EQ(ReadTextFile(destination_ + "C.TXT"), "kept");
    EXPECT_EQ(LogLines(), (Lines{gone + "A.TXT - can not open destination file.",
                                 "Set ignore all errors on creating destination files.",
                                 gone + "B.TXT - can not create destination file, skipped.",
                                 destination_ + "C.TXT - file exist, can not be overwritten.",
                                 destination_ + "C.TXT 4"}));
}

TEST_F(OneFile, AnExistingDestinationThatCannotBeOverwrittenIsKeptAndCounted) {
    WriteTextFile(source_ + "NOTE.TXT", "new contents");
    WriteTextFile(destination_ + "NOTE.TXT", "old");
    // When the destination cannot be created, LZOpenFileA creates the compressed name in its
    // place; a directory there leaves it no way out.
    CreateDirectoryA((destination_ + "NOTE.TX_").c_str(), nullptr);
    HeldDestination held(destination_ + "NOTE.TXT");
    ASSERT_TRUE(held.Held());
    g_session.bytesDone = 1;
    ModalScript script;
    NothingElse(script);

    EXPECT_EQ(Copy("1", "NOTE.TXT"), 3);
    EXPECT_EQ(ReadTextFile(destination_ + "NOTE.TXT"), "old");
    EXPECT_EQ(g_session.bytesDone, 4);
    EXPECT_EQ(LogLines(), (Lines{destination_ + "NOTE.TXT - file exist, can not be overwritten.",
                                 destination_ + "NOTE.TXT 3"}));
}

// A destination that cannot be opened is kept: the copy goes to no other name (LZ32 would
// try the compressed one).
TEST_F(OneFile, AHeldDestinationIsKeptWithoutAFileUnderItsCompressedName) {
    WriteTextFile(source_ + "NOTE.TXT", "new contents");
    WriteTextFile(destination_ + "NOTE.TXT", "old");
    HeldDestination held(destination_ + "NOTE.TXT");
    ASSERT_TRUE(held.Held());
    ModalScript script;
    NothingElse(script);

    EXPECT_EQ(Copy("1", "NOTE.TXT"), 3);
    EXPECT_EQ(DestinationFiles(), Lines{"NOTE.TXT"});
    EXPECT_EQ(LogLines(), (Lines{destination_ + "NOTE.TXT - file exist, can not be overwritten.",
                                 destination_ + "NOTE.TXT 3"}));
}

}  // namespace
