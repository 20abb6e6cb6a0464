// Finding the setup information file, the list-field lookup and the system font probes.
#include <string>

#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

class LocatingSetupInfo : public SessionTest {
protected:
    void TearDown() override {
        if (!besideProgram_.empty()) DeleteFileA(besideProgram_.c_str());
    }
    std::string besideProgram_;
};

TEST_F(LocatingSetupInfo, AFileBesideTheProgramIsTakenWithoutAsking) {
    char directory[260];
    GetProgramDirectory(directory);
    ASSERT_EQ(std::string(directory).back(), '\\');
    besideProgram_ = std::string(directory) + "setup1.inf";
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
            // The name field of the explorer-style and of the old-style dialog.
            for (int id : {1148, 1152})
                if (HWND field = GetDlgItem(dialog, id)) SetWindowTextA(field, chosen.c_str());
            ClickButton(dialog, IDOK);
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

// Blanks after a separator are skipped, others stay; empty members are found; only the
// first character of the separator counts; "<none>" stands for not found.
class ListMember : public SessionTest {};

TEST_F(ListMember, MembersAcrossBlanksEmptiesAndSeparators) {
    const std::string longList = std::string(600, 'a') + ",tail";  // longer than half a kilobyte
    struct Case { const char* list; int n; const char* separator; const char* member; } cases[] = {
        {"1251, 866,1", 1, ",", "1251"}, {"1251, 866,1", 2, ",", "866"}, {"1251, 866,1", 3, ",", "1"},
        {" RUS,x", 1, ",", " RUS"},      {"a ,  b c  ,d", 1, ",", "a "}, {"a ,  b c  ,d", 2, ",", "b c  "},
        {"", 1, ",", ""},                {"a,", 2, ",", ""},             {"a,,b", 2, ",", ""},
        {"a,,b", 3, ",", "b"},           {"x,   ,y", 2, ",", ""},        {"x,   ,y", 3, ",", "y"},
        {"x,   ", 2, ",", ""},           {"a,b", 3, ",", "<none>"},      {"", 2, ",", "<none>"},
        {"a,b", 0, ",", "<none>"},       {"a,b", -1, ",", "<none>"},     {"Russia!7!1", 2, "!", "7"},
        {"Russia!7!1", 1, ",", "Russia!7!1"}, {"Russia! 7, 8!1", 2, "!", "7, 8"}, {"a!b", 2, "!x", "b"},
        {longList.c_str(), 2, ",", "tail"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list).substr(0, 20) + " #" + std::to_string(c.n) + " by " + c.separator);
        char out[128] = "<none>";
        EXPECT_EQ(GetListMember(c.list, c.n, out, c.separator, false) ? out : "<none>", std::string(c.member));
    }
}

TEST_F(ListMember, IsCutToTheBufferAndTheListLeftUnchanged) {
    const char list[] = "alpha,beta";
    char out[4] = "";
    EXPECT_EQ(GetListMember(list, 2, out, ",", false), 1);
    EXPECT_STREQ(out, "bet");
    EXPECT_STREQ(list, "alpha,beta");
}

TEST_F(ListMember, AMissingOneIsReportedWhenAskedAndLeavesOutUnchanged) {
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    char out[8] = "same";
    EXPECT_EQ(GetListMember("a,b", 3, out, ",", true), 0);
    EXPECT_STREQ(out, "same");
    EXPECT_EQ(shown, std::vector<std::string>{"Can't search member number 3 in 'a,b'"});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x10});
}

// Sets system.ini [boot] fonts.fon for one test and puts the old value back after it.
class SystemFont : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        GetPrivateProfileStringA("boot", "fonts.fon", "", saved_, sizeof saved_, "system.ini");
    }
    void TearDown() override {
        WritePrivateProfileStringA("boot", "fonts.fon", saved_, "system.ini");
        for (const std::string& file : files_) DeleteFileA(file.c_str());
    }
    void UseFont(const char* value) { WritePrivateProfileStringA("boot", "fonts.fon", value, "system.ini"); }

    char saved_[260] = "";
    std::vector<std::string> files_;
};

// A standard font is known by its first letter (as it stands) and exact size in the system
// directory, or by a directory ending in 1; a large font's file name begins with 8.
TEST_F(SystemFont, StandardAndLargeFonts) {
    const std::pair<const char*, size_t> files[] = {
        {"vkvtest.fon", 7872}, {"ekvtest.fon", 6528}, {"8kvtest.fon", 10960},
        {"wkvtest.fon", 7872}, {"xkvtest.fon", 7873}};
    for (auto [name, size] : files) {
        files_.push_back(std::string(g_session.systemDir) + name);
        WriteFileOfSize(files_.back(), size);
    }
    struct Case { const char* value; int standard, small; } cases[] = {
        {"vkvtest.fon", 1, 1},  {"ekvtest.fon", 1, 1},  {"8kvtest.fon", 1, 0},  {"VKVTEST.FON", 0, 1},
        {"wkvtest.fon", 0, 1},  {"xkvtest.fon", 0, 1},  {"vnothere.fon", 0, 1}, {"", 0, 1},
        {"C:\\FONTS\\1251\\vgasys.fon", 1, 1},          {"C:\\WINDOWS\\SYSTEM\\vgasys.fon", 0, 1},
        {"C:\\WINDOWS\\SYSTEM\\8514sys.fon", 0, 0},     {"C:\\8514\\vgasys.fon", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        UseFont(c.value);
        EXPECT_EQ(IsStandardSystemFont(), c.standard);
        EXPECT_EQ(UsesSmallSystemFont(), c.small);
    }
    char file[260];
    UseFont("C:\\FONTS\\1251\\vgasys.fon");
    GetSystemFontFile(file);
    EXPECT_STREQ(file, "C:\\FONTS\\1251\\vgasys.fon");
}

}  // namespace
