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
    static Lines LogLines() {
        Lines lines;
        std::string log = ReadTextFile(g_session.logPath);
        for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(log.substr(at, end - at));
        return lines;
    }

    ScratchDir scratch_;
};

TEST_F(Progman, NothingChosenCreatesNoGroup) {
    EXPECT_EQ(CreateProgmanGroups(), 1);
    EXPECT_EQ(LogLines(), (Lines{"Initiating Progman...", "Creating Progman group and icons complete."}));
    EXPECT_EQ(g_commands, Lines{});
    EXPECT_EQ(ProgmanExecute("[CreateGroup(K-VOX)]"), 0);  // disconnected after the phase
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
    EXPECT_EQ(LogLines(), (Lines{"Initiating Progman...", "Creating Progman group...", "Adding icons in K-VOX group...",
                                 "Creating icons: Program Files...", "Creating icons: Uninstall...",
                                 "Creating icons: Applications...", "Adding icon in start-up group...",
                                 "Creating or activating StartUp group...", "Errors occured.",
                                 "Creating Progman group and icons complete."}));
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

}  // namespace
