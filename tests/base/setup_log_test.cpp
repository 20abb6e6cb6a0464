// The setup log: creation, appending one line, the header.
#include "base/paths.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "test_support.h"

namespace {

class SetupLog : public SessionTest {
protected:
    ScratchDir scratch_;
};

// An old log is replaced; nothing is logged while logging is off.
TEST_F(SetupLog, IsCreatedEmptyInTheDirectoryWithItsFirstLine) {
    std::string path = scratch_.File("KVSETUP.LOG"), directory = scratch_.Path();
    WriteTextFile(path, "an old log\r\n");
    directory.pop_back();  // without its backslash
    CreateSetupLog(directory.c_str());
    EXPECT_EQ(std::string(g_session.logPath), path);
    g_session.loggingEnabled = 0;
    LogLine("dropped");
    g_session.loggingEnabled = 1;
    LogLine("kept ", "in two parts");
    EXPECT_EQ(ReadTextFile(path), "Log file created.\r\nkept in two parts\r\n");
}

TEST_F(SetupLog, ALogThatCannotBeCreatedTurnsLoggingOff) {
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    std::string missing = scratch_.File("no\\such\\dir\\");
    CreateSetupLog(missing.c_str());
    EXPECT_EQ(shown, std::vector<std::string>{"Can not create .LOG file " + missing + "KVSETUP.LOG."});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x40});
    EXPECT_STREQ(g_session.logPath, "");
    EXPECT_EQ(g_session.loggingEnabled, 0);
}

TEST_F(SetupLog, LinesAreAppendedWholeOrNotAtAll) {
    std::string path = scratch_.File("KVSETUP.LOG");
    EXPECT_EQ(AppendLogLine(path.c_str(), "no file yet"), 0);
    EXPECT_FALSE(FileExists(path.c_str()));
    WriteTextFile(path, "");
    EXPECT_EQ(AppendLogLine(path.c_str(), "first"), 1);
    EXPECT_EQ(AppendLogLine(path.c_str(), ""), 0);
    EXPECT_EQ(AppendLogLine("", "no path"), 0);
    EXPECT_EQ(AppendLogLine(path.c_str(), "  second, indented"), 1);
    EXPECT_EQ(AppendLogLine(path.c_str(), std::string(300, 'x').c_str()), 1);
    EXPECT_EQ(ReadTextFile(path), "first\r\n  second, indented\r\n" + std::string(253, 'x') + "\r\n");
}

TEST_F(SetupLog, TheHeaderRecordsTheSessionsChoices) {
    CreateSetupLog(scratch_.Path().c_str());
    SetupSession& s = g_session;
    CopyText(s.countryKey, "UKR");
    CopyText(s.systemFontsCodePage, "1251");
    CopyText(s.dosCodePage, "866");
    CopyText(s.hotKey, "Caps Lock");
    s.layouts = 2;  // chosen in the layouts dialog: printed as 1
    s.applications = 0;
    s.ninePinPrintersPresent = s.ninePinPrinterFonts = s.alreadyInstalled = 1;
    s.printerDriversToUpdate = 3;
    s.uninstallEnabled = 0;
    WriteLogHeader();
    EXPECT_EQ(ReadTextFile(g_session.logPath),
              "Log file created.\r\nInstalling components and flags:\r\n Windows version=4.0\r\n Country key=UKR\r\n"
              " System Fonts Code Page=1251\r\n DOS Code Page=866\r\n Hot Key=Caps Lock\r\n Program Files=1\r\n"
              " Layouts=1\r\n Fonts=1\r\n Applications=0\r\n TrueType Fonts=1\r\n Screen Fonts=1\r\n"
              " Developers Kit Sample=0\r\n 24-pin Printers Present=0\r\n  9-pin Printers Present=1\r\n"
              " Printer Drivers to Update=3\r\n Printer Fonts=0\r\n 24-pin Printer Fonts=0\r\n"
              "  9-pin Printer Fonts=1\r\n K-VOX Already Installed=1\r\n Uninstall Enabled=0\r\n"
              " Replace Old Files=1\r\n");
}

}  // namespace
