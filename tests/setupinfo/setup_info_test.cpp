// Finding the setup information file beside the program or through the open-file dialog.
#include <string>

#include "base/text.h"
#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

class LocatingSetupInfo : public SessionTest {
protected:
    void TearDown() override {
        if (!besideProgram_.empty()) DeleteFileA(besideProgram_.c_str());
    }
    std::string ProgramDirectory() {
        char directory[260];
        GetProgramDirectory(directory);
        return directory;
    }
    std::string besideProgram_;
};

// Types a path into the open-file dialog's name field and presses its OK button.
void ChooseFile(HWND dialog, const std::string& path) {
    for (int id : {1148, 1152}) {  // the name field of the explorer-style and the old-style dialog
        if (HWND field = GetDlgItem(dialog, id)) SetWindowTextA(field, path.c_str());
    }
    ClickButton(dialog, IDOK);
}

TEST_F(LocatingSetupInfo, AFileBesideTheProgramIsTakenWithoutAsking) {
    std::string directory = ProgramDirectory();
    ASSERT_EQ(directory.back(), '\\');
    besideProgram_ = directory + "setup1.inf";
    WriteTextFile(besideProgram_, "[disks]\r\n1=K-VOX Disk 1\r\n");
    ModalScript script;
    script.On("", [](HWND) { ADD_FAILURE() << "no dialog expected"; });
    EXPECT_EQ(LocateSetupInformationFile(nullptr), 1);
    EXPECT_STREQ(g_session.setupInfPath, besideProgram_.c_str());
}

TEST_F(LocatingSetupInfo, AMissingFileIsReportedThenAskedFor) {
    ScratchDir scratch;
    std::string chosen = scratch.File("other.inf");
    WriteTextFile(chosen, "[disks]\r\n");
    std::string reported, fileDialogName, fileType;
    UINT style = 0;
    bool readOnlyShown = true;
    ModalScript script;
    script
        .On("K-VOX Setup",
            [&](HWND dialog) {
                reported = MessageText(dialog);
                style = MessageStyle(dialog);
                PressKey(dialog, VK_RETURN);
            })
        .On("", [&](HWND dialog) {
            fileDialogName = WindowText(dialog);
            fileType = WindowText(GetDlgItem(dialog, 1136));  // the file-type combo box
            readOnlyShown = IsWindowVisible(GetDlgItem(dialog, 1040));
            ChooseFile(dialog, chosen);
        });
    EXPECT_EQ(LocateSetupInformationFile(nullptr), 1);
    EXPECT_EQ(reported, "Setup information file 'setup1.inf' not found.");
    EXPECT_EQ(style, 0x30u);
    EXPECT_FALSE(fileDialogName.empty());
    EXPECT_EQ(fileType, "Inf Files (*.inf)");
    EXPECT_FALSE(readOnlyShown);
    EXPECT_STREQ(g_session.setupInfPath, chosen.c_str());
    EXPECT_EQ(script.StepsLeft(), 0u);
}

TEST_F(LocatingSetupInfo, CancellingTheOpenFileDialogGivesUp) {
    ModalScript script;
    script.On("K-VOX Setup", [](HWND dialog) { PressKey(dialog, VK_RETURN); })
        .On("", [](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    EXPECT_EQ(LocateSetupInformationFile(nullptr), 0);
    EXPECT_EQ(script.StepsLeft(), 0u);
}

}  // namespace
