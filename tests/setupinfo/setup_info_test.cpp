// Asking for the setup information file, the list-field lookup and the system font probes.
#include <string>

#include "base/text.h"
#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

using SetupInfo = SessionTest;

// A missing file is reported with an exclamation, then asked for in an open-file dialog
// that offers inf files and hides the read-only box.
TEST_F(SetupInfo, AMissingFileIsReportedThenAskedFor) {
    ScratchDir scratch;
    std::string chosen = scratch.File("other.inf"), fileType;
    WriteTextFile(chosen, "[disks]\r\n");
    std::vector<std::string> shown;
    bool readOnlyShown = true;
    ModalScript script;
    script.OnMessage(shown).On("", [&](HWND dialog) {
        fileType = WindowText(GetDlgItem(dialog, 1136));  // the file-type combo box
        readOnlyShown = IsWindowVisible(GetDlgItem(dialog, 1040));
        // The name field of the explorer-style and of the old-style dialog.
        for (int id : {1148, 1152})
            if (HWND field = GetDlgItem(dialog, id)) SetWindowTextA(field, chosen.c_str());
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(LocateSetupInformationFile(nullptr), 1);
    EXPECT_EQ(shown, std::vector<std::string>{"Setup information file 'setup1.inf' not found."});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x30});
    EXPECT_EQ(fileType, "Inf Files (*.inf)");
    EXPECT_FALSE(readOnlyShown);
    EXPECT_STREQ(g_session.setupInfPath, chosen.c_str());
    // Windows 95's dialog refuses a structure of any size but its own.
    OPENFILENAMEA dialog;
    FillOpenFileDialog(dialog, nullptr);
    EXPECT_EQ(dialog.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
}

// Blanks after a separator are skipped, others stay; empty members are found; only the
// first character of the separator counts; a member is cut to the buffer; "<none>" stands
// for not found.
TEST_F(SetupInfo, ListMembersAcrossBlanksEmptiesAndSeparators) {
    const std::string longList = std::string(600, 'a') + ",tail";  // longer than half a kilobyte
    struct Case { const char* list; int n; const char* separator; const char* member; } cases[] = {
        {"1251, 866,1", 2, ",", "866"},  {"1251, 866,1", 3, ",", "1"},   {" RUS,x", 1, ",", " RUS"},
        {"a ,  b c  ,d", 1, ",", "a "},  {"a ,  b c  ,d", 2, ",", "b c  "}, {"", 1, ",", ""},
        {"a,", 2, ",", ""},              {"a,,b", 2, ",", ""},           {"a,,b", 3, ",", "b"},
        {"x,   ,y", 2, ",", ""},         {"x,   ,y", 3, ",", "y"},       {"a,b", 3, ",", "<none>"},
        {"a,b", 0, ",", "<none>"},       {"Russia!7!1", 2, "!", "7"},    {"Russia!7!1", 1, ",", "Russia!7!1"},
        {"Russia! 7, 8!1", 2, "!", "7, 8"}, {"a!b", 2, "!x", "b"},      {longList.c_str(), 2, ",", "tail"},
        {"alpha,beta longer than that", 2, ",", "beta longer tha"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.list).substr(0, 20) + " #" + std::to_string(c.n) + " by " + c.separator);
        char out[16] = "<none>";
        EXPECT_EQ(GetListMember(c.list, c.n, out, c.separator, false) ? out : "<none>", std::string(c.member));
    }
    // Reported when asked, with the list and the output left as they were.
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    char out[8] = "same";
    EXPECT_EQ(GetListMember("a,b", 3, out, ",", true), 0);
    EXPECT_STREQ(out, "same");
    EXPECT_EQ(shown, std::vector<std::string>{"Can't search member number 3 in 'a,b'"});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x10});
}

// Sets system.ini [boot] fonts.fon for one test and puts the old value back after it; the
// system directory is a scratch one.
class SystemFont : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        GetPrivateProfileStringA("boot", "fonts.fon", "", saved_, sizeof saved_, "system.ini");
        CopyText(g_session.systemDir, system_.Path().c_str());
    }
    void TearDown() override { WritePrivateProfileStringA("boot", "fonts.fon", saved_, "system.ini"); }

    char saved_[260] = "";
    ScratchDir system_;
};

// A standard font is known by its first letter (as it stands) and exact size in the system
// directory, or by a directory ending in 1; a large font's file name begins with 8.
TEST_F(SystemFont, StandardAndLargeFonts) {
    for (auto [name, size] : {std::pair<const char*, size_t>{"vkvtest.fon", 7872}, {"ekvtest.fon", 6528},
                              {"8kvtest.fon", 10960}, {"wkvtest.fon", 7872}, {"vkvlarge.fon", 7873}})
        WriteFileOfSize(system_.File(name), size);
    struct Case { const char* value; int standard, small; } cases[] = {
        {"vkvtest.fon", 1, 1},  {"ekvtest.fon", 1, 1},  {"8kvtest.fon", 1, 0},  {"VKVTEST.FON", 0, 1},
        {"wkvtest.fon", 0, 1},  {"vkvlarge.fon", 0, 1},  {"vnothere.fon", 0, 1}, {"", 0, 1},
        {"C:\\FONTS\\1251\\vgasys.fon", 1, 1},          {"C:\\WINDOWS\\SYSTEM\\vgasys.fon", 0, 1},
        {"C:\\WINDOWS\\SYSTEM\\8514sys.fon", 0, 0},     {"C:\\8514\\vgasys.fon", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        WritePrivateProfileStringA("boot", "fonts.fon", c.value, "system.ini");
        EXPECT_EQ(IsStandardSystemFont(), c.standard);
        EXPECT_EQ(UsesSmallSystemFont(), c.small);
    }
}

}  // namespace
