// setup1.inf read as the setup's profile functions and its list-field lookup read it.
#include <gtest/gtest.h>

#include <string>

#include "inf.h"
#include "kvpack_test_support.h"

namespace {

TEST(ListMember, TakesMembersAsTheSetupsLookupDoes) {
    const struct {
        const char* list;
        int member;
        char separator;
        bool found;
        const char* expected;
    } cases[] = {
        {"1251, 866,1", 2, ',', true, "866"},     // blanks after a separator are dropped
        {" RUS,x", 1, ',', true, " RUS"},         // blanks before member 1 stay
        {"kbdru.kbd ,2", 1, ',', true, "kbdru.kbd "},  // and those at a member's end
        {"a,b", 3, ',', false, ""},
        {"", 1, ',', true, ""},
        {"a,", 2, ',', true, ""},
        {"a,,b", 2, ',', true, ""},
        {"x,   ,y", 2, ',', true, ""},
        {"x,   ,y", 3, ',', true, "y"},
        {"Russia!7!1", 2, '!', true, "7"},
        {"Russia!7!1", 1, ',', true, "Russia!7!1"},
        {"a,b", 0, ',', false, ""},
    };
    for (const auto& c : cases) {
        Text member;
        EXPECT_EQ(ListMember(c.list, c.member, c.separator, member), c.found) << c.list << " #" << c.member;
        if (c.found) {
            EXPECT_EQ(std::string(member), c.expected) << c.list << " #" << c.member;
        }
    }
}

TEST(Inf, ReadsKeysValuesAndLinesAsTheProfileFunctions) {
    Arena arena;
    std::string text =
        "; comment\r\n"
        "  [ disks ]  \r\n"
        "1 = Disk One , KV1 \r\n"
        "2=\"quoted, with blanks \"\r\n"
        "\r\n"
        "[Disks]\r\n"
        "1=the second [disks], never read\r\n"
        "[volume]\r\n"
        "TTF=1\r\n"
        "ttf=2\r\n"
        "no equals here\r\n";
    Inf inf(arena, AsBytes(text));
    const InfKey* one = inf.FindKey("DISKS", "1");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(std::string(one->value), "Disk One , KV1");
    EXPECT_EQ(one->line, 3u);
    EXPECT_EQ(text.substr(one->valueOffset, one->value.size()), "Disk One , KV1");
    const InfKey* two = inf.FindKey("disks", "2");
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(std::string(two->value), "quoted, with blanks ");
    EXPECT_EQ(text.substr(two->valueOffset, two->value.size()), "quoted, with blanks ");
    EXPECT_EQ(std::string(inf.FindKey("volume", "ttf")->value), "1");  // the first of two

    std::vector<std::pair<uint32_t, InfOddity::Kind>> oddities;
    for (const InfOddity& odd : inf.oddities()) oddities.emplace_back(odd.line, odd.kind);
    std::vector<std::pair<uint32_t, InfOddity::Kind>> expected = {
        {11, InfOddity::Kind::NoEquals}, {6, InfOddity::Kind::RepeatedSection}, {10, InfOddity::Kind::RepeatedKey}};
    EXPECT_EQ(oddities, expected);
}

TEST(Inf, KeyListLengthCountsEveryNameWithItsZeroAndTheListsEnd) {
    Arena arena;
    std::string text = "[windows]\r\nab.c=1\r\nd.e=1\r\n";
    Inf inf(arena, AsBytes(text));
    EXPECT_EQ(inf.KeyListLength(*inf.Find("windows")), 5u + 4u + 1u);
}

// A file section's names fill the setup's 700 characters exactly, or by one too many.
TEST(Check, FileSectionNamesFitSevenHundredCharactersWithTheirZeros) {
    for (int over : {0, 1}) {
        TestPackage package;
        // 53 names of 12 characters take 689 with their zeros, and the list's end 1 more;
        // one of 9 characters (10 with its zero) makes 700, one of 10 makes 701.
        std::string names;
        for (int i = 0; i < 53; ++i) names += "kvnote" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt=1\r\n";
        std::string last = over ? "kvlast1.tx" : "kvlast.tx";
        std::string inf = Replaced(BaseInf(), "kvox.exe=1\r\n[programfiles.system]",
                                   names + last + "=1\r\n[programfiles.system]");
        inf = Replaced(inf, "kvox.exe,K-VOX Indicator=", "kvnote00.txt,K-VOX Indicator=");
        package.WriteInf(inf);
        std::vector<std::string> messages = package.Check();
        if (!over) {
            EXPECT_TRUE(messages.empty()) << messages[0];
            continue;
        }
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].rfind(std::to_string(LineOf(inf, last)) + " error: [programfiles.k-vox] lists 701", 0), 0u)
            << messages[0];
    }
}

}  // namespace
