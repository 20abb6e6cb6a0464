// The text and path helpers that stand in for the C runtime's.
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "test_support.h"

namespace {

TEST(Paths, TrailingBackslashHelpers) {
    char path[16] = "C:\\KVOX";
    AddTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX\\");
    AddTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX\\");
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX");
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX");

    char empty[4] = "";
    AddTrailingBackslash(empty);
    EXPECT_STREQ(empty, "");
    char full[8] = "ABCDEFG";  // no room: stays as it is
    AddTrailingBackslash(full);
    EXPECT_STREQ(full, "ABCDEFG");
}

TEST(Text, SplitPathTakesDriveDirectoryNameAndExtension) {
    struct Case {
        const char* path;
        const char* drive;
        const char* directory;
        const char* name;
        const char* extension;
    } cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\vgasys.fon", "C:", "\\WINDOWS\\SYSTEM\\", "vgasys", ".fon"},
        {"vgasys.fon", "", "", "vgasys", ".fon"},
        {"A:setup1.inf", "A:", "", "setup1", ".inf"},
        {"C:\\FONTS\\1251\\", "C:", "\\FONTS\\1251\\", "", ""},
        {"DIR.D/README", "", "DIR.D/", "README", ""},
        {"a.b.c", "", "", "a.b", ".c"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        PathParts parts = SplitPath(c.path);
        EXPECT_STREQ(parts.drive, c.drive);
        EXPECT_STREQ(parts.directory, c.directory);
        EXPECT_STREQ(parts.name, c.name);
        EXPECT_STREQ(parts.extension, c.extension);
    }
}

TEST(Text, LeadingNumberReadsTheDigitsAtTheStart) {
    EXPECT_EQ(LeadingNumber("866"), 866);
    EXPECT_EQ(LeadingNumber(" 1x"), 1);
    EXPECT_EQ(LeadingNumber("-5"), -5);
    EXPECT_EQ(LeadingNumber("RUS"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
}

}  // namespace
