// Walking the sections of setup1.inf: missing and empty sections, files already present,
// items without a file or a disk, and TrueType fonts that are loaded once copied.
#include <string>
#include <vector>

#include "copy/copy.h"
#include "copy_test_support.h"

namespace {

class Sections : public CopyTest {};

// A section whose only key is one character long copies nothing, like a missing one.
TEST_F(Sections, MissingEmptyAndOneCharacterSectionsCopyNothingButAreLogged) {
    WriteTextFile(source_ + "kvox.exe", "program");
    WriteTextFile(source_ + "A", "a file named A");
    const char* infs[] = {
        "[other]\r\nkvox.exe=1\r\n",
        "[windows]\r\n[other]\r\nkvox.exe=1\r\n",
        "[windows]\r\n; nothing but a remark\r\n",
        "[windows]\r\nA=1\r\n",
    };
    for (const char* inf : infs) {
        SCOPED_TRACE(inf);
        WriteInf(inf);
        WriteTextFile(g_session.logPath, "");
        Answers none;
        EXPECT_EQ(CopySection(IDS_SECTION_WINDOWS, destination_.c_str()), 1);
        EXPECT_FALSE(Exists(destination_ + "kvox.exe"));
        EXPECT_FALSE(Exists(destination_ + "A"));
        EXPECT_EQ(LogLines(), Lines{"Copying section [windows]"});
    }
}

// Old files replaced: the TrueType test, through the same check.
TEST_F(Sections, FilesAlreadyPresentAreCountedButNotCopiedAgain) {
    WriteInf("[windows]\r\nkvox.ini=1\r\nkvox.exe=2\r\n");
    WriteTextFile(source_ + "kvox.ini", "new settings");
    WriteTextFile(source_ + "kvox.exe", "program");
    WriteTextFile(destination_ + "kvox.ini", "old");
    g_session.replaceOldFiles = 0;
    Answers none;
    EXPECT_EQ(CopySection(IDS_SECTION_WINDOWS, destination_.c_str()), 1);
    EXPECT_EQ(ReadTextFile(destination_ + "kvox.ini"), "old");
    EXPECT_EQ(ReadTextFile(destination_ + "kvox.exe"), "program");
    EXPECT_EQ(g_session.bytesDone, 3 + 7);
}

// Each file is asked for by the disk its own line names, read as the profile reader reads
// it: blanks around the name and the value, a quoted value, the first of two lines, a value
// cut to seven characters, and and each file its own line.
TEST_F(Sections, EachFileIsAskedForOnTheDiskItsLineNames) {
    WriteInf("[disks]\r\n1=One\r\n2=Two\r\n3=Three\r\n1234567=Cut\r\n"
             "[windows]\r\n a.exe = 2 \r\nb.exe=\"1\"\r\nc.exe=2\r\nc.exe=1\r\nd.exe=12345678\r\n");
    std::vector<std::string> labels;
    g_session.sourceDirKnown = 1;  // each prompt offers the source directory
    ModalScript script;
    auto promptThenSource = [&](HWND dialog) {
        labels.push_back(WindowText(GetDlgItem(dialog, IDC_DISK_LABEL)));
        // The file appears on the "disk": the copy goes on with the next one.
        for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe", "e.exe"})
            if (!Exists(source_ + name)) {
                WriteTextFile(source_ + name, name);
                break;
            }
        ClickButton(dialog, IDOK);
    };
    for (int i = 0; i < 4; ++i) script.On("K-VOX Setup", promptThenSource);
    EXPECT_EQ(CopySection(IDS_SECTION_WINDOWS, destination_.c_str()), 1);
    EXPECT_EQ(labels, (std::vector<std::string>{"Two", "One", "Two", "Cut"}));
}

TEST_F(Sections, AnItemWithoutAFileCopiesNothingAndOneWithoutADiskIsReported) {
    WriteTextFile(source_ + "helv.fon", "font");
    const struct {
        const char* inf;
        int result;
        std::vector<Shown> shown;
    } cases[] = {
        {"[helv.1251]\r\nHI2=,3\r\n", 1, {}},
        {"[helv.1251]\r\nHI1=helv.fon,1\r\n", 1, {}},  // no item HI2: an empty value
        {"[helv.1251]\r\nHI2=helv.fon\r\n", 0, {{"Can't search member number 2 in 'helv.fon'", MB_ICONHAND, {"OK"}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inf);
        WriteInf(c.inf);
        WriteTextFile(g_session.logPath, "");
        Answers answers(std::vector(c.shown.size(), Press(VK_RETURN)));
        EXPECT_EQ(CopySectionItem(IDS_SECTION_HELV_1251, "HI2", 1, destination_.c_str()), c.result);
        EXPECT_EQ(answers.shown, c.shown);
        EXPECT_FALSE(Exists(destination_ + "helv.fon"));
        EXPECT_EQ(LogLines(), Lines{"Copying section [helv.1251] item HI2"});
    }
}

TEST_F(Sections, AMissingTrueTypeSectionIsReportedAndStops) {
    WriteInf("[ttf]\r\nDejaVu Sans=dejavus.ttf,1\r\n");
    Answers answers{Press(VK_RETURN)};
    EXPECT_EQ(CopyTrueTypeSection(IDS_SECTION_TTF_1251, 1, destination_.c_str()), 0);
    EXPECT_EQ(answers.shown, (std::vector<Shown>{
                                 {"Can't read the file '" + std::string(g_session.setupInfPath) + "'", MB_ICONHAND, {"OK"}}}));
}

// Whether a font was loaded shows in the log: a file that is no font fails to load and is
// logged, so an existing file of junk would be reported if the walker tried to load it.
TEST_F(Sections, AnExistingTrueTypeFontIsNeitherCopiedNorLoadedUnlessOldFilesAreReplaced) {
    WriteInf("[TTF.1251]\r\nDejaVu Sans=dejavus.ttf,1\r\n");
    std::string font = ReadTextFile(SampleDisks("ORIGINALS") + "dejavus.ttf");
    ASSERT_GT(font.size(), 1000u);
    const std::string junk = "no font at all";
    const std::string copied = destination_ + "dejavus.ttf";
    const struct {
        int replace;
        const std::string& source;
        const std::string& after;
        Lines log;
    } cases[] = {
        {0, font, junk, {}},
        {1, font, font, {copied + " " + std::to_string(font.size())}},
        {1, junk, junk, {copied + " " + std::to_string(junk.size()), ".TTF not loaded."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replace);
        WriteTextFile(source_ + "dejavus.ttf", c.source);
        WriteTextFile(copied, junk);
        WriteTextFile(g_session.logPath, "");
        g_session.replaceOldFiles = c.replace;
        g_session.bytesDone = 0;
        Answers none;
        EXPECT_EQ(CopyTrueTypeSection(IDS_SECTION_TTF_1251, 1, destination_.c_str()), 1);
        EXPECT_TRUE(ReadTextFile(copied) == c.after);
        EXPECT_EQ(g_session.bytesDone, static_cast<int32_t>(c.after.size()));
        EXPECT_EQ(LogLines(), c.log);
    }
}

}  // namespace
