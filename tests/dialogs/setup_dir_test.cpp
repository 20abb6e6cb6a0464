// SETUPDIR, the country and destination dialog, and DRIVEDIR, the directory picker.
#include <tuple>

#include "base/text.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "wizard_test_support.h"

namespace {

std::string Upper(std::string text) {
    CharUpperA(text.data());
    return text;
}

// Runs SETUPDIR and presses OK; `shown` takes the texts of the message dialogs after it.
uint16_t RunSetupDirAndOk(Names* shown = nullptr) {
    ModalScript script;
    script.On("K-VOX Setup", [](HWND dialog) { ClickButton(dialog, IDOK); });
    if (shown) script.OnMessage(*shown);
    return RunSetupDirDialog();
}

using SetupDir = WizardTest;

TEST_F(SetupDir, OpensOnTheDefaultCountryFoundByNameAndOkTakesItsSettings) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Belarus", "BLR", "1251"},
        {"bulgaria", "BGR", "1252"},  // letter case ignored
        {"Ukr", "UKR", "1251"},       // the first entry that begins with it
        {"Atlantis", "BLR", "1251"},  // none: the entry shown is the one taken
    };
    for (const auto& [defaultCountry, key, codePage] : cases) {
        SCOPED_TRACE(defaultCountry);
        CopyText(g_session.defaultUserCountry, defaultCountry);
        g_session.countryStepDefault = IDS_DEFAULT_COUNTRY_KEY;
        EXPECT_EQ(RunSetupDirAndOk(), 1);
        EXPECT_STREQ(g_session.countryKey, key);
        EXPECT_STREQ(g_session.systemFontsCodePage, codePage);
        EXPECT_EQ(g_session.countryStepDefault, static_cast<UINT>(IDS_NOT_FOUND));
    }
}

// Browse adds KVOX unless the chosen directory is one; OK needs two characters and adds
// the final backslash.
TEST_F(SetupDir, TheUserChoosesTheCountryAndTheDestination) {
    MakeDirectories({"Programs", "Tools", "Tools\\kvox"});
    std::string base = Upper(scratch_.Path());
    OpenDialog<SetupDirState> dialog(IDD_SETUPDIR, SetupDirDlgProc);
    EXPECT_EQ(dialog.Entries(IDC_COUNTRY_LIST), (Names{"Belarus", "Bulgaria", "Russia", "Ukraine"}));
    EXPECT_EQ(dialog.Shown(IDC_COUNTRY_LIST), "Russia");
    const std::tuple<std::string, bool, std::string> cases[] = {
        {scratch_.File("Programs"), false, base + "PROGRAMS\\KVOX\\"},
        {scratch_.File("Tools\\kvox"), false, base + "TOOLS\\KVOX\\"},
        {scratch_.File("Programs"), true, base + "TOOLS\\KVOX\\"},  // cancelled: unchanged
    };
    for (const auto& [chosen, cancel, destination] : cases) {
        SCOPED_TRACE(chosen);
        ModalScript script;
        script.On("Define Directory", [&](HWND picker) {
            SetWindowTextA(GetDlgItem(picker, IDC_DRIVEDIR_PATH), chosen.c_str());
            ClickButton(picker, cancel ? IDCANCEL : IDOK);
        });
        dialog.Click(IDC_BROWSE);
        EXPECT_EQ(script.StepsLeft(), 0u);
        EXPECT_EQ(std::string(g_session.destinationDir), destination);
        EXPECT_EQ(dialog.Text(IDC_DESTINATION_EDIT), destination);
    }

    dialog.Type(IDC_DESTINATION_EDIT, "D");
    EXPECT_FALSE(dialog.Enabled(IDOK));
    dialog.Type(IDC_DESTINATION_EDIT, "D:");
    EXPECT_TRUE(dialog.Enabled(IDOK));
    dialog.Choose(IDC_COUNTRY_LIST, "Bulgaria");
    dialog.Command(IDOK);
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_STREQ(g_session.destinationDir, "D:\\");
    EXPECT_STREQ(g_session.countryKey, "BGR");

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
    Names shown;
    EXPECT_EQ(RunSetupDirAndOk(&shown), 0);
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
    EXPECT_EQ(g_session.dialogResult, 1);
    EXPECT_EQ(std::string(g_session.messageBuffer), Upper(scratch_.File("alpha")));
}

// Every pick of a drive lists it, also the drive listed last: here after a path typed on
// another drive, and again once the drive's disk is in. The notifications of one pick list
// it once. Wine takes the directory of a drive that is not the current one from the
// drive's "=C:" variable: one that is not there stands for a disk not yet in.
TEST_F(DriveDir, EveryPickOfADriveListsThatDriveOnce) {
    char drive = static_cast<char>(tolower(scratch_.Path()[0]));
    ASSERT_NE(drive, 'z');
    std::string entry = "[-" + std::string(1, drive) + "-]", variable = "=" + std::string(1, drive) + ":";
    std::string disk = scratch_.File("disk");
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    OpenDialog<DriveDirState> dialog(IDD_DRIVEDIR, DriveDirDlgProc);
    dialog.Type(IDC_DRIVEDIR_PATH, "Z:\\tmp");
    SetEnvironmentVariableA(variable.c_str(), disk.c_str());
    Names shown;
    {
        ModalScript script;
        script.OnMessage(shown).OnMessage(shown);
        dialog.Choose(IDC_DRIVEDIR_DRIVES, entry.c_str());
    }
    for (std::string& text : shown) text = Upper(text);
    EXPECT_EQ(shown, Names{Upper("Directory path not valid: '" + variable.substr(1) + "'")});

    MakeDirectories({"disk", "disk\\inside"});
    dialog.Choose(IDC_DRIVEDIR_DRIVES, entry.c_str());
    EXPECT_EQ(Upper(dialog.Text(IDC_DRIVEDIR_PATH)), Upper(disk));
    EXPECT_EQ(dialog.Entries(IDC_DRIVEDIR_DIRECTORIES), (Names{"[..]", "[inside]"}));
    SetEnvironmentVariableA(variable.c_str(), nullptr);
}

TEST_F(DriveDir, ReportsAPathThatCannotBeListed) {
    std::string missing = scratch_.File("gone\\deeper");
    Names report{"Directory path not valid: '" + missing + "'"};
    // On opening: the picker ends.
    CopyText(g_session.messageBuffer, (missing + "\\").c_str());
    EXPECT_EQ(MessagesDuring([] { EXPECT_EQ(RunDriveDirDialog(), 0); }), report);

    // Typed into the path field: reported, and the picker stays.
    CopyText(g_session.messageBuffer, scratch_.Path().c_str());
    OpenDialog<DriveDirState> dialog(IDD_DRIVEDIR, DriveDirDlgProc);
    EXPECT_EQ(MessagesDuring([&] { dialog.Type(IDC_DRIVEDIR_PATH, missing.c_str()); }), report);
    EXPECT_FALSE(dialog.Ended());

    // A path of one character cannot be confirmed.
    CopyText(g_session.messageBuffer, ".");
    OpenDialog<DriveDirState> shortPath(IDD_DRIVEDIR, DriveDirDlgProc);
    EXPECT_FALSE(shortPath.Enabled(IDOK));
    shortPath.Command(IDOK);
    EXPECT_FALSE(shortPath.Ended());
}

}  // namespace
