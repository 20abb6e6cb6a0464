// Program Manager groups over DDE, against the Program Manager service of the test desktop.
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "progman/progman.h"
#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

Lines g_commands;  // every command sent during a test, in order

class Progman : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.setupInfPath, scratch_.File("setup1.inf").c_str());
        WriteTextFile(g_session.setupInfPath,
                      "[K-VOX.programfiles]\r\nkvtest1.exe,K-VOX Test One=\r\nkvtest2.exe,K-VOX Test Two=\r\n"
                      "[K-VOX]\r\nuninst.exe,K-VOX Test Uninstall=\r\n");
        CopyText(g_session.logPath, scratch_.File("KVSETUP.LOG").c_str());
        WriteTextFile(g_session.logPath, "");
        CopyText(g_session.destinationDir, "C:\\KVTEST\\");
        CopyText(g_session.startupGroupName, "StartUp");
        g_session.programFiles = g_session.applications = g_session.developersKitSample = 0;
        g_session.uninstallEnabled = 0;
        g_commands.clear();
        g_progmanCommandObserver = [](const char* command) { g_commands.push_back(command); };
    }
    void TearDown() override { g_progmanCommandObserver = nullptr; }

    ScratchDir scratch_;
};

// Nothing chosen: no group, and the conversation is closed after the phase.
TEST_F(Progman, NothingChosenCreatesNoGroup) {
    EXPECT_EQ(CreateProgmanGroups(), 1);
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Initiating Progman...\r\nCreating Progman group and icons complete.\r\n");
    EXPECT_EQ(g_commands, Lines{});
    EXPECT_EQ(ProgmanExecute("[CreateGroup(K-VOX)]"), 0);
}

TEST_F(Progman, AMissingItemSectionIsReportedAndCountedAndTheOthersStillGo) {
    g_session.programFiles = 1;
    g_session.applications = 1;  // [K-VOX.apl] is missing
    g_session.uninstallEnabled = 1;
    Lines shown;
    ModalScript script;
    script.OnMessage(shown);
    EXPECT_EQ(CreateProgmanGroups(), 0);
    EXPECT_EQ(shown, Lines{"Can't read the file '" + std::string(g_session.setupInfPath) + "'"});
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Initiating Progman...\r\nCreating Progman group...\r\nAdding icons in K-VOX group...\r\n"
              "Creating icons: Program Files...\r\nCreating icons: Uninstall...\r\nCreating icons: Applications...\r\n"
              "Adding icon in start-up group...\r\nCreating or activating StartUp group...\r\nErrors occured.\r\n"
              "Creating Progman group and icons complete.\r\n");
}

// Every item is replaced by name before it is added, so an old item of that name goes; the
// start-up group gets the first program's item the same way.
TEST_F(Progman, EveryAddItemFollowsItsReplaceItem) {
    g_session.programFiles = 1;
    CreateProgmanGroups();
    EXPECT_EQ(g_commands, (Lines{"[CreateGroup(K-VOX)]", "[ReplaceItem(K-VOX Test One)]",
                                 "[AddItem(C:\\KVTEST\\kvtest1.exe,K-VOX Test One)]", "[ReplaceItem(K-VOX Test Two)]",
                                 "[AddItem(C:\\KVTEST\\kvtest2.exe,K-VOX Test Two)]", "[CreateGroup(StartUp)]",
                                 "[ReplaceItem(K-VOX Test One)]", "[AddItem(C:\\KVTEST\\kvtest1.exe,K-VOX Test One)]"}));
}

// An item's name becomes a file in the group's folder: one that holds a directory or a drive
// is refused with a log line and counted, and the section's other items still go.
TEST_F(Progman, AnItemNamedWithAPathIsRefusedAndCounted) {
    WriteTextFile(g_session.setupInfPath,
                  "[K-VOX.programfiles]\r\nkvtest1.exe,..\\..\\K-VOX Test Out=\r\n"
                  "kvtest2.exe,K-VOX Test Two,kvtest2.exe,0=\r\nkvtest3.exe,C:K-VOX Test Three=\r\n");
    g_session.programFiles = 1;
    EXPECT_EQ(CreateProgmanGroups(), 0);
    EXPECT_EQ(g_commands, (Lines{"[CreateGroup(K-VOX)]", "[ReplaceItem(K-VOX Test Two,kvtest2.exe,0)]",
                                 "[AddItem(C:\\KVTEST\\kvtest2.exe,K-VOX Test Two,kvtest2.exe,0)]",
                                 "[CreateGroup(StartUp)]"}));
    std::string log = ReadTextFile(g_session.logPath);
    EXPECT_NE(log.find("Item name is not a file name, no icon: kvtest1.exe,..\\..\\K-VOX Test Out\r\n"
                       "Item name is not a file name, no icon: kvtest3.exe,C:K-VOX Test Three\r\n"
                       "Adding icon in start-up group...\r\nCreating or activating StartUp group...\r\n"
                       "Item name is not a file name, no icon: kvtest1.exe,..\\..\\K-VOX Test Out\r\n"
                       "Errors occured.\r\n"),
              std::string::npos)
        << log;
}

}  // namespace
