// The list of what the setup wrote: its lines, and the setup's writing of it.
#include <string>
#include <vector>

#include "base/install_list.h"
#include "base/text.h"
#include "test_support.h"

namespace {

// Tabs, line ends, "%" and letters beyond ASCII come back as they went in; lines that are not
// whole entries are refused.
TEST(InstallListLines, RoundTripAndRefusals) {
    const char* fields[] = {"C:\\A B\\x.ini", "sec\ttion", "50%\r\n\xE0\xE1", "E", "", "v"};
    ListEntry entry{};
    entry.kind = ListKind::Profile;
    for (const char* field : fields) entry.field[entry.fieldCount++] = field;
    char line[512];
    ASSERT_TRUE(FormatListLine(entry, line, sizeof line));
    std::string text(line);
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\t', 2), text.find("\tsec%09tion"));
    text.resize(text.size() - 2);
    ListEntry parsed{};
    ASSERT_TRUE(ParseListLine(text.data(), parsed));
    ASSERT_EQ(parsed.fieldCount, 6);
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(parsed.field[i], fields[i]);
    EXPECT_FALSE(FormatListLine(entry, line, 20));
    for (std::string bad : {"F\tC:\\x", "F\tC:\\x\tN\t\tmore", "X\ta", "V\ta\tb\tc\tE\t%4\tz", "F"}) {
        EXPECT_FALSE(ParseListLine(bad.data(), parsed)) << bad;
    }
}

// A zero byte spoils its own line only; a list cut by a crash inside its last line is read up
// to that line, and an installation that goes on with it starts a line of its own.
TEST(InstallListReading, DamageStaysInItsOwnLine) {
    ScratchDir dir;
    const std::string path = dir.File("uninst.lst");
    WriteTextFile(path, std::string("K-VOX install list 1\r\nF\tC:\\a\0b\tN\t\r\nF\tC:\\c\tN\t\r\nF\tC:\\d", 52));
    InstallList list;
    ASSERT_TRUE(list.Load(path.c_str()));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_STREQ(list[0].field[0], "C:\\c");
    EXPECT_EQ(list.Unreadable(), 2);
    EXPECT_FALSE(list.EndsWithLineEnd());
}

class InstallListWriting : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        CopyText(g_session.windowsDir, windows_.Path().c_str());
        CopyText(g_session.systemDir, system_.Path().c_str());
        CopyText(g_session.destinationDir, kvox_.Path().c_str());
        g_session.uninstallEnabled = 1;
        WriteTextFile(windows_.File("k-vox.ini"), "[Location]\r\nC:\\EARLIER\\= \r\n");
    }
    void TearDown() override { CloseInstallList(); }
    // The list's lines after the header.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        std::string text = ReadTextFile(kvox_.File("uninst.lst"));
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        if (!lines.empty()) lines.erase(lines.begin());
        return lines;
    }
    static void Create(const std::string& path, const char* content) {
        HFILE file = CreateListedFile(path.c_str());
        ASSERT_NE(file, HFILE_ERROR) << path;
        _lwrite(file, content, lstrlenA(content));
        _lclose(file);
    }
    ScratchDir windows_, system_, kvox_;
};

// A new file is listed as new; one that stood in the system directory is kept first; one
// that stood in the K-VOX directory is listed as left; a second write of a file adds nothing
// and keeps the first copy; entries and values note what stood there.
TEST_F(InstallListWriting, WhatStoodThereIsNotedFirst) {
    WriteTextFile(system_.File("kbdus.kbd"), "Windows' own");
    WriteTextFile(kvox_.File("readme.txt"), "the user's");
    WriteTextFile(windows_.File("test.ini"), "[boot]\r\nshell=Explorer.exe\r\n");
    ASSERT_TRUE(StartInstallList());
    Create(system_.File("kvkbd.drv"), "driver");
    Create(system_.File("kbdus.kbd"), "the package's");
    Create(system_.File("kbdus.kbd"), "again");
    Create(kvox_.File("readme.txt"), "package readme");
    const std::string ini = windows_.File("test.ini");
    ListProfileWrite(ini.c_str(), "boot", "shell", "kvox.exe");
    ListProfileWrite(ini.c_str(), "boot", "missing", "x");
    ListProfileWrite(ini.c_str(), "boot", "shell", "third");
    const char* subkey = "Software\\KVoxListTest";
    RegDeleteKeyA(HKEY_CURRENT_USER, subkey);
    const BYTE data[] = {'a', 'b'};
    ListRegistryWrite(HKEY_CURRENT_USER, subkey, "Value", REG_SZ, data, 2);
    ListProgmanItem("StartUp", "C:\\KVOX\\kvox.exe,K-VOX Indicator");
    CloseInstallList();
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "P\tC:\\EARLIER\\",
                           "F\t" + system_.File("kvkbd.drv") + "\tN\t",
                           "F\t" + system_.File("kbdus.kbd") + "\tK\t00000001.KEP",
                           "F\t" + kvox_.File("readme.txt") + "\tL\t",
                           "V\t" + ini + "\tboot\tshell\tE\tExplorer.exe\tkvox.exe",
                           "V\t" + ini + "\tboot\tmissing\tM\t\tx",
                           "R\tHKCU\tSoftware\\KVoxListTest\tValue\tM\t\t\t1\t6162",
                           "I\tStartUp\tC:\\KVOX\\kvox.exe,K-VOX Indicator",
                       }));
    EXPECT_EQ(ReadTextFile(kvox_.File("KEPT\\00000001.KEP")), "Windows' own");
    EXPECT_EQ(ReadTextFile(system_.File("kbdus.kbd")), "again");
}

// An installation over an earlier one in the same directory goes on with its list: what the
// earlier one listed stays first, what is new is added.
TEST_F(InstallListWriting, AnInstallationOverAnEarlierOneGoesOnWithItsList) {
    WriteTextFile(kvox_.File("uninst.lst"),
                  "K-VOX install list 1\r\nF\t" + system_.File("kvkbd.drv") + "\tN\t\r\nF\tC:\\cut");
    WriteTextFile(system_.File("kvkbd.drv"), "the first installation's");
    g_session.uninstallEnabled = 0;
    g_session.alreadyInstalled = 1;
    ASSERT_TRUE(StartInstallList());
    Create(system_.File("kvkbd.drv"), "driver");
    Create(system_.File("kbdbe.kbd"), "another layout");
    CloseInstallList();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"F\t" + system_.File("kvkbd.drv") + "\tN\t", "F\tC:\\cut",
                                                 "F\t" + system_.File("kbdbe.kbd") + "\tN\t"}));
    g_session.alreadyInstalled = 0;
    EXPECT_FALSE(StartInstallList());  // uninstall is off: nothing is listed
}

}  // namespace
