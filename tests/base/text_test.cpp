// The text and path helpers that stand in for the C runtime's.
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "test_support.h"

namespace {

TEST(Paths, TrailingBackslashHelpers) {
    char path[16] = "C:\\KVOX";
    for (int twice = 0; twice < 2; ++twice) {
        AddTrailingBackslash(path);
        EXPECT_STREQ(path, "C:\\KVOX\\");
    }
    for (int twice = 0; twice < 2; ++twice) {
        RemoveTrailingBackslash(path);
        EXPECT_STREQ(path, "C:\\KVOX");
    }
    char empty[4] = "", full[8] = "ABCDEFG";  // full: no room, stays as it is
    AddTrailingBackslash(empty);
    AddTrailingBackslash(full);
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(full, "ABCDEFG");
}

TEST(Text, SplitPathTakesDriveDirectoryNameAndExtension) {
    struct Case {
        const char *path, *drive, *directory, *name, *extension;
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
    for (auto [text, number] : {std::pair{"866", 866}, {" 1x", 1}, {"-5", -5}, {"RUS", 0}, {"", 0}})
        EXPECT_EQ(LeadingNumber(text), number) << text;
}

}  // namespace
