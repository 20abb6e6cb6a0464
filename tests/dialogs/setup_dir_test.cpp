// SETUPDIR, the country and destination dialog, and DRIVEDIR, the directory picker.
#include <string>
#include <vector>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "wizard_test_support.h"

namespace {

using Names = std::vector<std::string>;

std::string Upper(std::string text) {
    CharUpperA(text.data());
    return text;
}

// Runs SETUPDIR and presses OK, after noting what it shows.
uint16_t RunSetupDirAndOk(std::string* shown = nullptr, std::string* destination = nullptr) {
    ModalScript script;
    script.On("K-VOX Setup", [&](HWND dialog) {
        if (shown) *shown = WindowText(GetDlgItem(dialog, IDC_COUNTRY_LIST));
        if (destination) *destination = WindowText(GetDlgItem(dialog, IDC_DESTINATION_EDIT));
        ClickButton(dialog, IDOK);
    });
    return RunSetupDirDialog();
}

using SetupDir = WizardTest;

TEST_F(SetupDir, OpensOnTheDefaultCountryFoundByNameAndOkTakesItsSettings) {
    struct Case {
        const char *defaultCountry, *shown, *key, *codePage;
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
        EXPECT_EQ(RunSetupDirAndOk(&shown, &destination), 1);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(destination, std::string(g_session.windowsDir) + "KVOX\\");
        EXPECT_STREQ(g_session.countryKey, c.key);
        EXPECT_STREQ(g_session.systemFontsCodePage, c.codePage);
        EXPECT_EQ(g_session.countryStepDefault, static_cast<UINT>(IDS_NOT_FOUND));
    }
}

// Browse adds KVOX unless the chosen directory is one; the destination is taken as typed,
// OK needs two characters and adds the final backslash.
TEST_F(SetupDir, TheUserChoosesTheCountryAndTheDestination) {
    MakeDirectories({"Programs", "Tools", "Tools\\kvox"});
    std::string base = Upper(scratch_.Path());
    OpenDialog<SetupDirState> dialog(IDD_SETUPDIR, SetupDirDlgProc);
    EXPECT_EQ(dialog.Entries(IDC_COUNTRY_LIST), (Names{"Belarus", "Bulgaria", "Russia", "Ukraine"}));
    EXPECT_EQ(dialog.Shown(IDC_COUNTRY_LIST), "Russia");
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
        script.On("Define Directory", [&](HWND picker) {
            SetWindowTextA(GetDlgItem(picker, IDC_DRIVEDIR_PATH), c.chosen.c_str());
            ClickButton(picker, c.cancel ? IDCANCEL : IDOK);
        });
        dialog.Click(IDC_BROWSE);
        EXPECT_EQ(script.StepsLeft(), 0u);
        EXPECT_EQ(std::string(g_session.destinationDir), c.destination);
        EXPECT_EQ(dialog.Text(IDC_DESTINATION_EDIT), c.destination);
    }

    dialog.Type(IDC_DESTINATION_EDIT, "D");
    EXPECT_FALSE(dialog.Enabled(IDOK));
    EXPECT_STREQ(g_session.destinationDir, "D");
    dialog.Type(IDC_DESTINATION_EDIT, "D:");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Type(IDC_DESTINATION_EDIT, "D:\\Programs\\Cyrillic");
    EXPECT_STREQ(g_session.destinationDir, "D:\\Programs\\Cyrillic");
    dialog.Choose(IDC_COUNTRY_LIST, "Bulgaria");
    dialog.Command(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_STREQ(g_session.destinationDir, "D:\\Programs\\Cyrillic\\");
    EXPECT_STREQ(g_session.countryKey, "BGR");
    EXPECT_STREQ(g_session.systemFontsCodePage, "1252");

    OpenDialog<SetupDirState> exiting(IDD_SETUPDIR, SetupDirDlgProc);
    exiting.Command(IDC_SETUPDIR_EXIT);
    EXPECT_TRUE(exiting.Ended());
    EXPECT_EQ(g_session.dialogResult, 0);
}

TEST_F(SetupDir, ACountryWithoutASettingsLineIsReported) {
    // The key is missing from [default.setup]: the default "Not found" becomes the code page,
    // cut to its eight characters.
    UseSetupInf("[Country Key]\r\nRussia=RUS\r\n");
    EXPECT_EQ(RunSetupDirAndOk(), 1);
    EXPECT_STREQ(g_session.systemFontsCodePage, "Not fou");

    UseSetupInf("[Country Key]\r\nRussia=\r\n[default.setup]\r\nRUS=1251\r\n");
    std::vector<std::string> shown;
    ModalScript script;
    script.On("K-VOX Setup", [](HWND dialog) { ClickButton(dialog, IDOK); }).OnMessage(shown);
    EXPECT_EQ(RunSetupDirDialog(), 0);
    EXPECT_EQ(shown, Names{"Can't read section [nation] in file '" + std::string(g_session.setupInfPath) + "'"});
}

using DriveDir = WizardTest;

TEST_F(DriveDir, ListsTheSubdirectoriesAndGivesTheChosenPathInCapitals) {
    MakeDirectories({"alpha", "alpha\\inner", "beta"});
    WriteTextFile(scratch_.File("file.txt"), "not a directory");
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    OpenDialog<DriveDirState> dialog(IDD_DRIVEDIR, DriveDirDlgProc);
    EXPECT_EQ(dialog.Entries(IDC_DRIVEDIR_DIRECTORIES), (Names{"[..]", "[alpha]", "[beta]"}));
    std::string drive = "[-" + std::string(1, static_cast<char>(tolower(scratch_.Path()[0]))) + "-]";
    EXPECT_EQ(dialog.Shown(IDC_DRIVEDIR_DRIVES), drive);
    EXPECT_TRUE(dialog.Enabled(IDOK));

    // Into "alpha" by a double click.
    HWND list = dialog.Item(IDC_DRIVEDIR_DIRECTORIES);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    for (int code : {LBN_SELCHANGE, LBN_DBLCLK})
        SendMessageA(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDC_DRIVEDIR_DIRECTORIES, code),
                     reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(dialog.Entries(IDC_DRIVEDIR_DIRECTORIES), (Names{"[..]", "[inner]"}));
    dialog.Command(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(std::string(g_session.messageBuffer), Upper(scratch_.File("alpha")));
}

TEST_F(DriveDir, ReportsAPathThatCannotBeListed) {
    // On opening: the picker ends.
    std::string missing = scratch_.File("gone\\deeper");
    Names shown;
    CopyText(g_session.messageBuffer, (missing + "\\").c_str());
    {
        ModalScript script;
        script.OnMessage(shown);
        EXPECT_EQ(RunDriveDirDialog(), 0);
    }
    EXPECT_EQ(shown, Names{"Directory path not valid: '" + missing + "'"});

    // Typed into the path field: reported, and the picker stays.
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    OpenDialog<DriveDirState> dialog(IDD_DRIVEDIR, DriveDirDlgProc);
    ModalScript typed;
    typed.OnMessage(shown);
    dialog.Type(IDC_DRIVEDIR_PATH, missing.c_str());
    EXPECT_EQ(shown, Names(2, "Directory path not valid: '" + missing + "'"));
    EXPECT_FALSE(dialog.Ended());

    // A path of one character cannot be confirmed.
    CopyText(g_session.messageBuffer, ".");
    OpenDialog<DriveDirState> shortPath(IDD_DRIVEDIR, DriveDirDlgProc);
    EXPECT_FALSE(shortPath.Enabled(IDOK));
    shortPath.Command(IDOK);
    EXPECT_FALSE(shortPath.Ended());
}

}  // namespace
