// File names of the disks, and the compressed files LZ32 expands.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "names.h"
#include "szdd.h"

namespace {

TEST(Names, CompressedNameReplacesTheExtensionsLastCharacter) {
    const std::pair<const char*, const char*> cases[] = {
        {"KVOX.EXE", "KVOX.EX_"}, {"README", "README._"}, {"A.", "A._"}, {"A.B", "A._"},
        {"PAGE.HTML", "PAGE.HTM_"}, {"kvox.h", "kvox._"}, {"xlat866.bin", "xlat866.bi_"},
    };
    Arena arena;
    for (const auto& [name, compressed] : cases) EXPECT_EQ(std::string(CompressedName(arena, name)), compressed) << name;
}

TEST(Names, ShortNamesAreThoseADosDiskHolds) {
    const std::pair<const char*, bool> cases[] = {
        {"KVOX.EXE", true},         {"8514sysr.fon", true},    {"k-vox.ini", true},
        {"README", true},           {"kvsampleprog.c", false}, {"kvox.html", false},
        {"my file.txt", false},     {"a.b.c", false},          {".fon", false},
        {"", false},                {"kv+x.exe", false},       {"EGA808666.fon", false},
    };
    for (const auto& [name, valid] : cases) EXPECT_EQ(ShortNameProblem(name) == nullptr, valid) << name;
}

TEST(Names, PatternsMatchWithoutRegardToCase) {
    EXPECT_TRUE(MatchesPattern("KVOX.EXE", "*.exe"));
    EXPECT_TRUE(MatchesPattern("dejavumo.ttf", "dejavu??.ttf"));
    EXPECT_FALSE(MatchesPattern("dejavus.ttf", "dejavu??.ttf"));
    EXPECT_TRUE(MatchesPattern("kvreadme.txt", "kvreadme.txt"));
    EXPECT_FALSE(MatchesPattern("kvreadme.txt", "kvreadme"));
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

TEST(Szdd, WhatIsCompressedExpandsByteForByte) {
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "Cyrillic layout " + std::to_string(i % 37) + "\r\n";
    std::string window = RandomBytes(5000, 7);
    window += window.substr(0, 4096);  // references as far back as the window reaches
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"one byte", "K"},
        {"a run of zeros", std::string(70000, '\0')},
        {"blanks, the window's first content", std::string(5000, ' ')},
        {"runs shorter than a reference", "aabbaabbccddccdd"},
        {"text", text},
        {"64 KB of random bytes", RandomBytes(65536, 1995)},
        {"repeats a window apart", window},
    };
    for (const auto& [what, data] : cases) {
        Arena arena;
        Bytes packed = SzddCompress(arena, AsBytes(data), 'E');
        uint32_t size = 0;
        ASSERT_TRUE(IsSzdd(packed, &size)) << what;
        EXPECT_EQ(size, data.size()) << what;
        EXPECT_EQ(packed[9], 'E') << what;
        EXPECT_LE(packed.size(), kSzddHeaderSize + data.size() + (data.size() + 7) / 8) << what;
        Bytes expanded;
        ASSERT_TRUE(SzddExpand(arena, packed, expanded)) << what;
        EXPECT_EQ(std::string(AsText(expanded)), data) << what;
    }
}

TEST(Szdd, CompressesWhatRepeats) {
    Arena arena;
    std::string run(10000, 'x');
    EXPECT_LT(SzddCompress(arena, AsBytes(run), 'T').size(), 1500u);
}

// The expander fills its window with blanks and writes from 16 places before its end, as
// LZ32 does: a reference there gives blanks.
TEST(Szdd, ExpanderStartsWithAWindowOfBlanks) {
    const uint8_t file[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 6, 0, 0, 0,
                            0x01, 'x',    // flags (a literal, then a reference), the literal
                            0x00, 0x02};  // 5 bytes from place 0: blanks
    Arena arena;
    Bytes expanded;
    ASSERT_TRUE(SzddExpand(arena, file, expanded));
    EXPECT_EQ(std::string(AsText(expanded)), "x     ");
}

// LZ32 expands every code of the file, whatever size its header states: so must kvpack,
// for the files other compressors make.
TEST(Szdd, ExpandsToTheEndOfTheCodesAsLZ32Does) {
    const uint8_t statesNone[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 0, 0, 0, 0, 0x01, 0x00};
    Arena arena;
    Bytes expanded;
    ASSERT_TRUE(SzddExpand(arena, statesNone, expanded));
    EXPECT_EQ(std::string(AsText(expanded)), std::string(1, '\0'));
    std::string plain = "MZ not compressed";
    EXPECT_FALSE(SzddExpand(arena, AsBytes(plain), expanded));
}

}  // namespace
