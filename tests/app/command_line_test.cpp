// The command-line tokenizer and switch table.
#include <string>

#include "app/command_line.h"
#include "test_support.h"

namespace {

struct Parsed {
    SwitchResult result;
    SetupSession session;
};

Parsed Parse(const char* commandLine) {
    Parsed parsed;
    parsed.result = ParseCommandLine(commandLine, parsed.session);
    return parsed;
}

TEST(CommandLine, EmptyLineSetsNothing) {
    Parsed parsed = Parse("");
    SetupSession defaults;
    EXPECT_EQ(parsed.result.action, StartAction::Run);
    EXPECT_EQ(parsed.session.expressSetup, defaults.expressSetup);
    EXPECT_EQ(parsed.session.loggingEnabled, 1);
    EXPECT_EQ(parsed.session.oemSetup, 0);
    EXPECT_EQ(parsed.session.runUninstallerAtExit, 0);
    EXPECT_STREQ(parsed.session.startDir, "");
}

TEST(CommandLine, BlanksAndSlashesBothDelimitTokensAndLetterCaseIsIgnored) {
    for (const char* line : {"/e/q/o/d", "/e /q /o /d", "e q o d", "/E /Q /O /D", "  //e//q  o/ d "}) {
        SCOPED_TRACE(line);
        Parsed parsed = Parse(line);
        EXPECT_EQ(parsed.result.action, StartAction::Run);
        EXPECT_EQ(parsed.session.expressSetup, 1);
        EXPECT_EQ(parsed.session.loggingEnabled, 0);
        EXPECT_EQ(parsed.session.oemSetup, 1);
        EXPECT_EQ(parsed.session.runUninstallerAtExit, 1);
    }
}

TEST(CommandLine, SwitchesMustBeWholeTokens) {
    for (const char* line : {"/x", "/help", "-e", "/eq", "/qq", "/oem", "/an", "/?x"}) {
        SCOPED_TRACE(line);
        Parsed parsed = Parse(line);
        EXPECT_EQ(parsed.result.action, StartAction::Run);
        EXPECT_EQ(parsed.session.expressSetup, 0);
        EXPECT_EQ(parsed.session.loggingEnabled, 1);
        EXPECT_EQ(parsed.session.oemSetup, 0);
    }
}

TEST(CommandLine, StartDirectoryTakesSmallSOnlyAndGetsABackslash) {
    EXPECT_STREQ(Parse("/sA:\\").session.startDir, "A:\\");
    EXPECT_STREQ(Parse("/sA:\\DISK1").session.startDir, "A:\\DISK1\\");
    EXPECT_STREQ(Parse("/SA:\\").session.startDir, "");
    // A later "s" replaces an earlier one; a bare "s" leaves the start directory empty.
    EXPECT_STREQ(Parse("/sA:\\ /sB:\\X").session.startDir, "B:\\X\\");
    EXPECT_STREQ(Parse("/sA:\\ /s").session.startDir, "");
    // A blank ends the token: the rest is another token.
    EXPECT_STREQ(Parse("/sC:\\MY DIR").session.startDir, "C:\\MY\\");
}

TEST(CommandLine, HelpAndNetworkSwitchesEndTheParseWhereTheyStand) {
    Parsed help = Parse("/e /?");
    EXPECT_EQ(help.result.action, StartAction::ShowHelp);
    EXPECT_EQ(help.session.expressSetup, 1);  // set, but the program ends

    Parsed network = Parse("/q /a /?");
    EXPECT_EQ(network.result.action, StartAction::RefuseNetwork);
    EXPECT_STREQ(network.result.refusedSwitch, "/a");

    EXPECT_STREQ(Parse("/N").result.refusedSwitch, "/n");
    EXPECT_EQ(Parse("/? /a").result.action, StartAction::ShowHelp);
    // Nothing after the ending switch is applied.
    EXPECT_EQ(Parse("/a /q").session.loggingEnabled, 1);
}

TEST(CommandLine, OverlongLinesAreCutTo511Characters) {
    std::string line(506, ' ');
    line += "/q /e";  // characters 507 to 511: both switches fit
    EXPECT_EQ(Parse(line.c_str()).session.expressSetup, 1);
    line = std::string(508, ' ') + "/q /e";  // "/e" starts beyond the cut
    Parsed parsed = Parse(line.c_str());
    EXPECT_EQ(parsed.session.loggingEnabled, 0);
    EXPECT_EQ(parsed.session.expressSetup, 0);
}

}  // namespace
