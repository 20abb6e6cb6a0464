// The command-line tokenizer and switch table.
#include "app/command_line.h"
#include "test_support.h"

namespace {

constexpr StartAction kRun = StartAction::Run, kHelp = StartAction::ShowHelp, kRefuse = StartAction::RefuseNetwork;

TEST(CommandLine, EachLineSetsTheSwitchesItsWholeTokensName) {
    struct Case {
        std::vector<std::string> lines;
        StartAction action;
        int32_t express, logging, oem, uninstaller;
        const char* startDir;
        const char* refused;
    } cases[] = {
        // Blanks and slashes both delimit tokens; letter case is ignored.
        {{"/e/q/o/d", "/e /q /o /d", "e q o d", "/E /Q /O /D", "  //e//q  o/ d "}, kRun, 1, 0, 1, 1, "", ""},
        // Unknown tokens, and switches that are only part of a token, are ignored.
        {{"/x", "/help", "-e", "/eq", "/qq", "/oem", "/an", "/?x"}, kRun, 0, 1, 0, 0, "", ""},
        // The start directory takes a small "s" only and gets a backslash; a later "s"
        // replaces an earlier one, and a blank ends the token.
        {{"/sA:\\DISK1"}, kRun, 0, 1, 0, 0, "A:\\DISK1\\", ""},
        {{"/sA:\\ /sB:\\X"}, kRun, 0, 1, 0, 0, "B:\\X\\", ""},
        {{"", "/SA:\\", "/sA:\\ /s"}, kRun, 0, 1, 0, 0, "", ""},
        {{"/sC:\\MY DIR"}, kRun, 0, 1, 0, 0, "C:\\MY\\", ""},
        // Help and the network switches end the parse where they stand.
        {{"/e /?"}, kHelp, 1, 1, 0, 0, "", ""},
        {{"/q /a /?"}, kRefuse, 0, 0, 0, 0, "", "/a"},
        {{"/N"}, kRefuse, 0, 1, 0, 0, "", "/n"},
        {{"/? /a"}, kHelp, 0, 1, 0, 0, "", ""},
        {{"/a /q"}, kRefuse, 0, 1, 0, 0, "", "/a"},
        // Overlong lines are cut to 511 characters.
        {{std::string(506, ' ') + "/q /e"}, kRun, 1, 0, 0, 0, "", ""},
        {{std::string(507, ' ') + "/q /e"}, kRun, 0, 0, 0, 0, "", ""},  // "e" is character 512
    };
    for (const Case& c : cases)
        for (const std::string& line : c.lines) {
            SCOPED_TRACE("[" + line + "]");
            SetupSession session;
            SwitchResult result = ParseCommandLine(line.c_str(), session);
            EXPECT_EQ(result.action, c.action);
            EXPECT_STREQ(result.refusedSwitch, c.refused);
            EXPECT_EQ(session.expressSetup, c.express);
            EXPECT_EQ(session.loggingEnabled, c.logging);
            EXPECT_EQ(session.oemSetup, c.oem);
            EXPECT_EQ(session.runUninstallerAtExit, c.uninstaller);
            EXPECT_STREQ(session.startDir, c.startDir);
        }
}

}  // namespace
