// SETUPDIR, the country and destination dialog, and DRIVEDIR, the directory picker.
#include <string>
#include <vector>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "wizard_test_support.h"

namespace {

class SetupDir : public WizardTest {
protected:
    std::string WindowsKvox() const { return std::string(g_session.windowsDir) + "KVOX\\"; }
};

TEST_F(SetupDir, OpensOnTheDefaultCountryFoundByNameAndOkTakesItsSettings) {
    struct Case {
        const char* defaultCountry;
        const char* shown;
        const char* key;
        const char* codePage;
    } cases[] = {
        {"Belarus", "Belarus", "BLR", "1251"},
        {"bulgaria", "Bulgaria", "BGR", "1252"},  // letter case ignored
        {"Ukr", "Ukraine", "UKR", "1251"},        // the first entry that begins with it
        {"Atlantis", "Belarus", "BLR", "1251"},   // none: the entry shown is the one taken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultCountry);
        CopyText(g_session.defaultUserCountry, c.defaultCountry);
        CopyText(g_session.destinationDir, "C:\\OLD\\");
        g_session.countryStepDefault = IDS_DEFAULT_COUNTRY_KEY;
        std::string shown, destination;
        ModalScript script;
        script.On("K-VOX Setup", [&](HWND dialog) {
            shown = WindowText(GetDlgItem(dialog, IDC_COUNTRY_LIST));
            destination = WindowText(GetDlgItem(dialog, IDC_DESTINATION_EDIT));
            ClickButton(dialog, IDOK);
        });
        EXPECT_EQ(RunSetupDirDialog(), 1);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(destination, WindowsKvox());
        EXPECT_STREQ(g_session.countryKey, c.key);
        EXPECT_STREQ(g_session.systemFontsCodePage, c.codePage);
        EXPECT_EQ(g_session.countryStepDefault, static_cast<UINT>(IDS_NOT_FOUND));
    }
}

TEST_F(SetupDir, ACountryChosenByTheUserIsTheOneTaken) {
    SetupDirState state;
    DialogUnderTest dialog(IDD_SETUPDIR, SetupDirDlgProc, &state);
    EXPECT_EQ(dialog.Entries(IDC_COUNTRY_LIST), (std::vector<std::string>{"Belarus", "Bulgaria", "Russia", "Ukraine"}));
    EXPECT_EQ(dialog.Shown(IDC_COUNTRY_LIST), "Russia");
    dialog.Choose(IDC_COUNTRY_LIST, "Bulgaria");
    dialog.Command(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_STREQ(g_session.countryKey, "BGR");
    EXPECT_STREQ(g_session.systemFontsCodePage, "1252");
}

TEST_F(SetupDir, TheDestinationIsTakenAsTypedAndOkNeedsTwoCharacters) {
    SetupDirState state;
    DialogUnderTest dialog(IDD_SETUPDIR, SetupDirDlgProc, &state);
    dialog.Type(IDC_DESTINATION_EDIT, "D");
    EXPECT_FALSE(dialog.Enabled(IDOK));
    EXPECT_STREQ(g_session.destinationDir, "D");
    dialog.Type(IDC_DESTINATION_EDIT, "D:");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Type(IDC_DESTINATION_EDIT, "D:\\Programs\\Cyrillic");
    EXPECT_STREQ(g_session.destinationDir, "D:\\Programs\\Cyrillic");
    dialog.Command(IDC_SETUPDIR_EXIT);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 0);
}

TEST_F(SetupDir, ACountryWithoutASettingsLineIsReported) {
    UseSetupInf("[Country Key]\r\nRussia=RUS\r\n");
    std::vector<std::string> shown;
    ModalScript script;
    script.On("K-VOX Setup", [](HWND dialog) { ClickButton(dialog, IDOK); }).OnMessage(shown);
    // The key is missing from [default.setup]: the default "Not found" becomes the code page.
    EXPECT_EQ(RunSetupDirDialog(), 1);
    EXPECT_STREQ(g_session.systemFontsCodePage, "Not fou");  // cut to its eight characters

    UseSetupInf("[Country Key]\r\nRussia=\r\n[default.setup]\r\nRUS=1251\r\n");
    ModalScript failing;
    failing.On("K-VOX Setup", [](HWND dialog) { ClickButton(dialog, IDOK); }).OnMessage(shown);
    EXPECT_EQ(RunSetupDirDialog(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Can't read section [nation] in file '" + std::string(g_session.setupInfPath) + "'");
}

// Answers DRIVEDIR by typing a path and pressing OK, or cancels it.
void AnswerDriveDir(ModalScript& script, const std::string& path, bool cancel = false) {
    script.On("Define Directory", [path, cancel](HWND dialog) {
        if (cancel) {
            ClickButton(dialog, IDCANCEL);
            return;
        }
        SetWindowTextA(GetDlgItem(dialog, IDC_DRIVEDIR_PATH), path.c_str());
        ClickButton(dialog, IDOK);
    });
}

TEST_F(SetupDir, BrowseAddsKvoxUnlessTheChosenDirectoryIsOne) {
    CreateDirectoryA(scratch_.File("Programs").c_str(), nullptr);
    CreateDirectoryA(scratch_.File("Tools").c_str(), nullptr);
    CreateDirectoryA(scratch_.File("Tools\\kvox").c_str(), nullptr);
    std::string base = scratch_.Path();
    CharUpperA(base.data());

    SetupDirState state;
    DialogUnderTest dialog(IDD_SETUPDIR, SetupDirDlgProc, &state);
    struct Case {
        std::string chosen;
        bool cancel;
        std::string destination;
    } cases[] = {
        {scratch_.File("Programs"), false, base + "PROGRAMS\\KVOX\\"},
        {scratch_.File("Tools\\kvox"), false, base + "TOOLS\\KVOX\\"},
        {scratch_.File("Tools\\kvox\\"), false, base + "TOOLS\\KVOX\\"},
        {scratch_.File("Programs"), true, base + "TOOLS\\KVOX\\"},  // cancelled: unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        ModalScript script;
        AnswerDriveDir(script, c.chosen, c.cancel);
        dialog.Click(IDC_BROWSE);
        EXPECT_EQ(script.StepsLeft(), 0u);
        EXPECT_EQ(std::string(g_session.destinationDir), c.destination);
        EXPECT_EQ(dialog.Text(IDC_DESTINATION_EDIT), c.destination);
    }
}

class DriveDir : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreateDirectoryA(scratch_.File("alpha").c_str(), nullptr);
        CreateDirectoryA(scratch_.File("alpha\\inner").c_str(), nullptr);
        CreateDirectoryA(scratch_.File("beta").c_str(), nullptr);
        WriteTextFile(scratch_.File("file.txt"), "not a directory");
    }
};

TEST_F(DriveDir, ListsTheSubdirectoriesAndGivesTheChosenPathInCapitals) {
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    DriveDirState state;
    DialogUnderTest dialog(IDD_DRIVEDIR, DriveDirDlgProc, &state);
    // The directory list and the drives.
    EXPECT_EQ(dialog.Entries(IDC_DRIVEDIR_DIRECTORIES), (std::vector<std::string>{"[..]", "[alpha]", "[beta]"}));
    std::string drive = "[-" + std::string(1, static_cast<char>(tolower(scratch_.Path()[0]))) + "-]";
    EXPECT_EQ(dialog.Shown(IDC_DRIVEDIR_DRIVES), drive);
    EXPECT_TRUE(dialog.Enabled(IDOK));

    // Into "alpha" by a double click.
    HWND list = dialog.Item(IDC_DRIVEDIR_DIRECTORIES);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_DRIVEDIR_DIRECTORIES, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    SendMessageA(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_DRIVEDIR_DIRECTORIES, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(dialog.Entries(IDC_DRIVEDIR_DIRECTORIES), (std::vector<std::string>{"[..]", "[inner]"}));

    dialog.Command(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 1);
    std::string expected = scratch_.File("alpha");
    CharUpperA(expected.data());
    EXPECT_EQ(std::string(g_session.messageBuffer), expected);
}

TEST_F(DriveDir, APathThatCannotBeListedIsReported) {
    // On opening: the picker ends.
    std::string missing = scratch_.File("gone\\deeper");
    CopyText(g_session.messageBuffer, (missing + "\\").c_str());
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    EXPECT_EQ(RunDriveDirDialog(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Directory path not valid: '" + missing + "'"});

    // Typed into the path field: reported, and the picker stays.
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    DriveDirState state;
    DialogUnderTest dialog(IDD_DRIVEDIR, DriveDirDlgProc, &state);
    ModalScript typed;
    typed.OnMessage(shown);
    dialog.Type(IDC_DRIVEDIR_PATH, missing.c_str());
    EXPECT_EQ(shown.back(), "Directory path not valid: '" + missing + "'");
    EXPECT_FALSE(dialog.Ended());

    // A path of one character cannot be confirmed.
    CopyText(g_session.messageBuffer, ".");
    DriveDirState shortState;
    DialogUnderTest shortPath(IDD_DRIVEDIR, DriveDirDlgProc, &shortState);
    EXPECT_FALSE(shortPath.Enabled(IDOK));
    shortPath.Command(IDOK);
    EXPECT_FALSE(shortPath.Ended());
}

}  // namespace
