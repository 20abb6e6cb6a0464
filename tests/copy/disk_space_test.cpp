// The free-space check: which [volume] sizes count for which components, and the check on
// real small drives (K: 1128 KB and L: 4096 KB free): the margin, the log reserve, the
// message for one and for two drives, and the user's answers.
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "base/message_dialog.h"
#include "copy/copy.h"
#include "copy_test_support.h"

namespace {

// The components a [volume] key can count for, in the order of the tables below.
int32_t SetupSession::* const kComponents[] = {
    &SetupSession::uninstallEnabled, &SetupSession::programFiles, &SetupSession::applications,
    &SetupSession::developersKitSample, &SetupSession::fonts, &SetupSession::plotterFonts,
    &SetupSession::printerFonts, &SetupSession::twentyFourPinPrinterFonts, &SetupSession::ninePinPrinterFonts,
    &SetupSession::trueTypeFonts, &SetupSession::screenFonts, &SetupSession::systemFonts};
using Components = std::array<int32_t, std::size(kComponents)>;

void Choose(const Components& chosen) {
    for (size_t i = 0; i < chosen.size(); ++i) g_session.*kComponents[i] = chosen[i];
}

constexpr Components kProgramFilesOnly = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

class DiskSpace : public CopyTest {};

TEST_F(DiskSpace, EachVolumeKeyCountsUnderItsOwnCondition) {
    WriteInf(
        "[volume]\r\nUNINSTFILES=1\r\nPROGFILES=2\r\nAPPLIC=+4\r\nKDK=8 bytes\r\nALL=16\r\nPR2=32\r\nPR9=64\r\n"
        "TTF=128\r\nWINSPACE=256\r\nHI2=512\r\nOEM=1024\r\nWINOTHER=2048\r\nHI1=4096\r\n");
    const struct {
        const char* what;
        Components chosen;
        const char* fontSize;
        int32_t destination, windows;
    } cases[] = {
        {"uninstall", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "HI2", 1, 0},
        {"program files", kProgramFilesOnly, "HI2", 2, 256},
        {"applications", {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "HI2", 4, 0},
        {"developer's kit", {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "HI2", 8, 0},
        {"plotter fonts", {0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0}, "HI2", 16, 0},
        {"plotter fonts without fonts", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, "HI2", 0, 0},
        {"24-pin printer fonts", {0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0, 0}, "HI2", 32, 0},
        {"9-pin printer fonts", {0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0}, "HI2", 64, 0},
        {"pin sets without printer fonts", {0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0}, "HI2", 0, 0},
        {"printer fonts without fonts", {0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0}, "HI2", 0, 0},
        {"TrueType without fonts", {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, "HI2", 128, 0},
        {"screen fonts", {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0}, "HI2", 0, 512 + 1024},
        {"system fonts", {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}, "HI2", 0, 512 + 1024},
        {"fonts chosen in the fonts dialog", {0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0}, "HI2", 0, 512 + 1024},
        {"screen and system fonts without fonts", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}, "HI2", 0, 0},
        {"everything", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "HI1", 255, 256 + 4096 + 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Choose(c.chosen);
        CopyText(g_session.fontSizeCode, c.fontSize);
        EXPECT_EQ(DestinationBytesNeeded(), c.destination);
        EXPECT_EQ(WindowsBytesNeeded(), c.windows);
    }
}

// The check on the small drives: destination on K:, Windows on L: unless a case says otherwise.
class SpaceCheck : public CopyTest {
protected:
    void SetUp() override {
        CopyTest::SetUp();
        Choose(kProgramFilesOnly);
        g_session.loggingEnabled = 0;
        CopyText(g_session.destinationDir, "K:\\KVOX\\");
    }
    void Volume(int32_t progfiles, int32_t winother) {
        WriteInf("[volume]\r\nPROGFILES=" + std::to_string(progfiles) + "\r\nWINOTHER=" + std::to_string(winother) +
                 "\r\n");
    }
    static std::string Shortage(const std::string& drives) {
        return "Insufficient disk space:\r\n\r\nDestination directory: " + std::string(g_session.destinationDir) +
               "\r\n" + drives + "Switch to file manager application, free some disk space\r\n" +
               "and then press Retry button.";
    }
};

TEST_F(SpaceCheck, TheNeedHasATenPerCentMarginAndTheMessageShowsBothDrivesOrOneWithTheSummedNeed) {
    REQUIRE_SMALL_DRIVES();
    ASSERT_EQ(DriveFreeBytes(kSmallDrive), 1128 * 1024);
    ASSERT_EQ(DriveFreeBytes(kSecondDrive), 4096 * 1024);
    auto onK = [](int needKb) {
        return "Windows drive [L:]      Free: 4096KB   Need: 0KB\r\nDestination drive [K:]  Free: 1128KB   Need: " +
               std::to_string(needKb) + "KB\r\n\r\n";
    };
    const struct {
        const char* what;
        const char* destinationDir;
        const char* windowsDir;
        int32_t progfiles, winother, logging;
        std::string drives;  // empty: passes
    } cases[] = {
        {"1 MB: 1126 KB", "K:\\KVOX\\", "L:\\WINDOWS\\", 1048576, 0, 0, ""},
        {"1127 KB", "K:\\KVOX\\", "L:\\WINDOWS\\", 1050065, 0, 0, ""},
        {"as much as is free", "K:\\KVOX\\", "L:\\WINDOWS\\", 1050066, 0, 0, onK(1128)},
        {"the log's 8 KB before the margin", "K:\\KVOX\\", "L:\\WINDOWS\\", 1048576, 0, 1, onK(1135)},
        {"only the Windows drive short", "L:\\KVOX\\", "K:\\WINDOWS\\", 1048576, 2097152, 0,
         "Windows drive [K:]      Free: 1128KB   Need: 2252KB\r\n"
         "Destination drive [L:]  Free: 4096KB   Need: 1126KB\r\n\r\n"},
        {"one drive, enough for each need but not for both", "k:\\kvox\\", "K:\\WINDOWS\\", 716800, 716800, 0, ""},
        {"one drive short", "k:\\kvox\\", "K:\\WINDOWS\\", 1150000, 204800, 0,  // 1235 KB and 220 KB
         "Destination drive [K:]  Free: 1128KB   Need: 1455KB\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CopyText(g_session.destinationDir, c.destinationDir);
        CopyText(g_session.windowsDir, c.windowsDir);
        Volume(c.progfiles, c.winother);
        g_session.loggingEnabled = c.logging;
        Answers answers(c.drives.empty() ? std::vector<ModalScript::Action>{} : std::vector{Click(IDC_MESSAGE_BUTTON1)});
        EXPECT_EQ(CheckDiskSpace(), c.drives.empty() ? 1 : 0);
        if (c.drives.empty()) continue;
        EXPECT_EQ(answers.shown, (std::vector<Shown>{{Shortage(c.drives),
                                                      MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON2,
                                                      {"Abort", "Retry", "Ignore"}}}));
    }
}

// Abort is answered above, Retry and Ignore in the end-to-end disk-full scenario; here Retry
// finds the room freed meanwhile.
TEST_F(SpaceCheck, RetryMeasuresAgain) {
    REQUIRE_SMALL_DRIVES();
    CopyText(g_session.windowsDir, "K:\\WINDOWS\\");
    Volume(1048576, 0);  // 1126 KB
    ScratchDir onSmallDrive(std::string(1, kSmallDrive) + ":\\");
    std::string filler = onSmallDrive.File("filler");
    WriteFileOfSize(filler, 4096);
    Answers answers{[&filler](HWND dialog) {
        DeleteFileA(filler.c_str());
        ClickButton(dialog, IDC_MESSAGE_BUTTON2);
    }};
    EXPECT_EQ(CheckDiskSpace(), 1);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].text, Shortage("Destination drive [K:]  Free: 1124KB   Need: 1126KB\r\n\r\n"));
}

}  // namespace
