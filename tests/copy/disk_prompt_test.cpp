// The disk prompt: INSERTDISK's label, the path it offers, the final backslash, Browse and
// Cancel, and the log lines around it.
#include <string>
#include <vector>

#include "base/setup_log.h"
#include "base/text.h"
#include "copy/copy.h"
#include "dialogs/dialogs.h"
#include "resources/resource_ids.h"
#include "test_support.h"

namespace {

class DiskPrompt : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
        WriteTextFile(g_session.setupInfPath, "[disks]\r\n1=Disk One - Setup,KV1\r\n2=Disk Two\r\n");
        CopyText(g_session.logPath, scratch_.File("KVSETUP.LOG").c_str());
        WriteTextFile(g_session.logPath, "");
    }

    // Runs the prompt for `disk`; the user sees the dialog, types `typed` (unless empty) and
    // presses OK, or cancels and confirms.
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

    ScratchDir scratch_;
    char directory_[128] = "unchanged";
    std::string label_, offered_;
    bool okEnabled_ = false;
    std::vector<std::string> messages_;
};

TEST_F(DiskPrompt, OffersSetupDiskThenTheLastConfirmedDirectoryAndAddsTheBackslash) {
    // Without [SetupDisk]: "A:\".
    EXPECT_EQ(Prompt("1", "B:"), 1);
    EXPECT_EQ(label_, "Disk One - Setup");
    EXPECT_EQ(offered_, "A:\\");
    EXPECT_STREQ(directory_, "B:\\");
    EXPECT_EQ(g_session.sourceDirKnown, 1);

    // The directory confirmed for one disk is offered for the next.
    CopyText(g_session.sourceDir, directory_);
    EXPECT_EQ(Prompt("2", ""), 1);
    EXPECT_EQ(label_, "Disk Two");
    EXPECT_EQ(offered_, "B:\\");

    // A disk missing from [disks] is named "K-VOX Disk".
    EXPECT_EQ(Prompt("7", "C:\\FILES"), 1);
    EXPECT_EQ(label_, "K-VOX Disk");
    EXPECT_STREQ(directory_, "C:\\FILES\\");

    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:B:\\\r\n"
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:B:\\\r\n"
              "Prompt: Insert disk or type path to file kvox.exe\r\nNew source path:C:\\FILES\\\r\n");
}

TEST_F(DiskPrompt, TheFirstKeyOfSetupDiskIsOfferedAndOneCharacterCannotBeConfirmed) {
    WriteTextFile(g_session.setupInfPath, "[SetupDisk]\r\nB:\\=\r\nC:\\=\r\n[disks]\r\n1=One\r\n");
    EXPECT_EQ(Prompt("1", "B"), 1);
    EXPECT_EQ(offered_, "B:\\");
    EXPECT_FALSE(okEnabled_);
}

TEST_F(DiskPrompt, CancelAsksAndGivesUp) {
    EXPECT_EQ(Prompt("1", "", true), 0);
    EXPECT_EQ(messages_, std::vector<std::string>{"Do you want to exit from K-VOX Setup?"});
    EXPECT_STREQ(directory_, "unchanged");
    EXPECT_EQ(g_session.sourceDirKnown, 0);
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Prompt: Insert disk or type path to file kvox.exe\r\nPrompt dialog cancelled.\r\n");
}

TEST_F(DiskPrompt, BrowseStartsAtTheDestinationAndCancellingItKeepsThePath) {
    CreateDirectoryA(scratch_.File("files").c_str(), nullptr);
    CopyText(g_session.destinationDir, scratch_.Path().c_str());
    std::string startedAt, chosen = scratch_.File("files");
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
    std::string destination = scratch_.Path();
    destination.pop_back();
    EXPECT_EQ(lstrcmpiA(startedAt.c_str(), destination.c_str()), 0) << startedAt;
}

}  // namespace
