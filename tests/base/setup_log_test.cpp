// The setup log: creation, appending one line, the header.
#include "base/paths.h"
#include "base/setup_log.h"
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

// The end-to-end installations check the whole header; the printer fields they leave at 0
// must each reach their own line.
TEST_F(SetupLog, TheHeaderRecordsThePrinterChoices) {
    CreateSetupLog(scratch_.Path().c_str());
    g_session.ninePinPrintersPresent = g_session.ninePinPrinterFonts = 1;
    g_session.printerDriversToUpdate = 3;
    WriteLogHeader();
    EXPECT_NE(ReadTextFile(g_session.logPath)
                  .find(" 24-pin Printers Present=0\r\n  9-pin Printers Present=1\r\n Printer Drivers to Update=3\r\n"
                        " Printer Fonts=0\r\n 24-pin Printer Fonts=0\r\n  9-pin Printer Fonts=1\r\n"),
              std::string::npos)
        << ReadTextFile(g_session.logPath);
}

}  // namespace
