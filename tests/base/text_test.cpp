// The text and path helpers that stand in for the C runtime's.
#include "base/paths.h"
#include "base/text.h"
#include "test_support.h"

namespace {

// Adding or removing a backslash twice changes nothing more; a full buffer stays as it is.
TEST(Paths, TrailingBackslashHelpers) {
    char path[16] = "C:\\KVOX", empty[4] = "", full[8] = "ABCDEFG";
    AddTrailingBackslash(path);
    AddTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX\\");
    RemoveTrailingBackslash(path);
    RemoveTrailingBackslash(path);
    EXPECT_STREQ(path, "C:\\KVOX");
    AddTrailingBackslash(empty);
    AddTrailingBackslash(full);
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(full, "ABCDEFG");
}

// What setup1.inf names as a file must stay in the directory it is copied into.
TEST(Paths, APlainFileNameHasNoDirectoryDriveOrPattern) {
    for (const char* name : {"kvox.exe", "README", "a b.txt", "...txt", "kvx.", "CON"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "..\\x.txt", "sub\\x.txt", "a/b", "\\x", "C:x", "C:\\x", "*.*",
                             "kv?.txt", "a\x01b", "x\\"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(Text, SplitPathTakesDriveDirectoryNameAndExtension) {
    struct Case {
        const char *path, *drive, *directory, *name, *extension;
    } cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\vgasys.fon", "C:", "\\WINDOWS\\SYSTEM\\", "vgasys", ".fon"},
        {"A:setup1.inf", "A:", "", "setup1", ".inf"},
        {"C:\\FONTS\\1251\\", "C:", "\\FONTS\\1251\\", "", ""},
        {"DIR.D/README", "", "DIR.D/", "README", ""},
        {"a.b.c", "", "", "a.b", ".c"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        PathParts parts = SplitPath(c.path);
        EXPECT_EQ(std::vector<std::string>({parts.drive, parts.directory, parts.name, parts.extension}),
                  std::vector<std::string>({c.drive, c.directory, c.name, c.extension})) << c.path;
    }
}

// Beyond 32 bits the number stops at the limit of its sign ([volume] sizes, [hotkey] values).
TEST(Text, LeadingNumberReadsTheDigitsAtTheStartAndSaturates) {
    const std::pair<const char*, int32_t> cases[] = {
        {"866", 866}, {" 1x", 1}, {"-5", -5}, {"+7", 7}, {"RUS", 0}, {"", 0},
        {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"99999999999999999999 bytes", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"-2147483649", -2147483647 - 1}, {"-99999999999", -2147483647 - 1},
        {"0000000000000000000012", 12},
    };
    for (auto [text, number] : cases) EXPECT_EQ(LeadingNumber(text), number) << text;
}

}  // namespace
