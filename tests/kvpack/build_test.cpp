// kvpack build on the small package: which disk each file lands on, what setup1.inf on the
// first disk says, what is compressed, the images.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "kvpack_test_support.h"
#include "szdd.h"

namespace fs = std::filesystem;

namespace {

std::string Incompressible(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return "K-VOX" + bytes.substr(5);
}

bool Has(const TestPackage& package, const std::string& path) { return fs::exists(package.Path("OUT/" + path)); }

uint64_t VolumeOf(const std::string& inf, const std::string& key) {
    size_t at = inf.find("\r\n" + key + "=", inf.find("[volume]"));
    return std::stoull(inf.substr(at + key.size() + 3));
}

BuildOptions DisksOf(const char* size) {
    BuildOptions options;
    ParseSize(size, options.diskBytes);
    return options;
}

TEST(Build, KeepsDiskNumbersThatFitAndFillsInTheSizes) {
    TestPackage package;
    package.WriteFile("testsans.ttf", Incompressible(3000, 1));
    package.WriteInf(BaseInf());
    ASSERT_EQ(package.Build(DisksOf("1440K")), 0);
    EXPECT_TRUE(Has(package, "DISK1/SETUP.EXE"));
    EXPECT_TRUE(Has(package, "DISK1/KVOX.EXE"));
    EXPECT_TRUE(Has(package, "DISK2/TESTSANS.TTF"));
    EXPECT_TRUE(Has(package, "DISK2/EGA80866.FON"));
    EXPECT_FALSE(Has(package, "DISK3"));

    std::string inf = package.ReadFile("OUT/DISK1/SETUP1.INF");
    EXPECT_EQ(VolumeOf(inf, "TTF"), 3000u);
    // The uninstaller's files: uninst.exe and this very setup1.inf.
    EXPECT_EQ(VolumeOf(inf, "UNINSTFILES"), package.ReadFile("uninst.exe").size() + inf.size());
    // Everything else stands as it stood.
    std::string expected = BaseInf();
    for (const char* key : {"WINOTHER", "WINSPACE", "HI1", "HI2", "HI4", "OEM", "UNINSTFILES", "PROGFILES", "APPLIC",
                            "KDK", "ALL", "PR2", "PR9", "TTF"})
        expected = Replaced(expected, std::string("\r\n") + key + "=0\r\n",
                            std::string("\r\n") + key + "=" + std::to_string(VolumeOf(inf, key)) + "\r\n");
    EXPECT_EQ(inf, expected);
    EXPECT_EQ(package.ReadFile("OUT/DISK1/SETUP1.INF"), inf);
}

// A choice the user makes once (the DOS code page, the country) counts its largest files;
// files of every chosen layout count together.
TEST(Build, StatesTheLargestOfOneChoiceAndTheSumOfMany) {
    TestPackage package;
    package.WriteFile("xlat866.bin", "K-VOX" + std::string(700, 'x'));
    package.WriteFile("xlat855.bin", "K-VOX" + std::string(300, 'y'));
    package.WriteFile("kbdru.kbd", "K-VOX" + std::string(400, 'r'));
    package.WriteFile("kbdua.kbd", "K-VOX" + std::string(200, 'u'));
    std::string source = Replaced(BaseInf(), "866=xlat866.bin,1", "866=xlat866.bin,1\r\n855=xlat855.bin,1");
    source = Replaced(source, "Russian=00000419,kbdru.kbd,1,RU,RUS",
                      "Russian=00000419,kbdru.kbd,1,RU,RUS\r\nUkrainian=00000422,kbdua.kbd,1,UA,RUS");
    package.WriteInf(source);
    ASSERT_EQ(package.Build(DisksOf("1440K")), 0);
    std::string inf = package.ReadFile("OUT/DISK1/SETUP1.INF");
    auto size = [&](const char* name) { return package.ReadFile(name).size(); };
    EXPECT_EQ(VolumeOf(inf, "WINSPACE"), size("kvkbd.drv") + size("kvlang.ini") + 705 + size("langrus.dll"));
    EXPECT_EQ(VolumeOf(inf, "WINOTHER"),
              size("k-vox.ini") + size("kvoxnls.dll") + size("kvreadme.txt") + 405 + 205);
}

TEST(Build, MovesWhatDoesNotFitAndSaysWhere) {
    TestPackage package;
    // Disks of 16 KB hold 32 units of 512 bytes: with setup1.inf and setup.exe on it, the
    // first has no room for 12 KB of kvox.exe, nor has the second beside its fonts.
    package.WriteFile("kvox.exe", Incompressible(12000, 2));
    package.WriteInf(BaseInf());
    std::vector<std::string> messages;
    ASSERT_EQ(package.Build(DisksOf("16K"), &messages), 0);
    std::string inf = package.ReadFile("OUT/DISK1/SETUP1.INF");
    std::string line = std::to_string(LineOf(BaseInf(), "kvox.exe=1")) +
                       " warning: \"kvox.exe\": disk 1 is full, so it goes to disk 3";
    bool said = false;
    for (const std::string& message : messages) said = said || message.rfind(line, 0) == 0;
    EXPECT_TRUE(said) << line;
    EXPECT_NE(inf.find("\r\nkvox.exe=3\r\n"), std::string::npos);
    EXPECT_TRUE(Has(package, "DISK3/KVOX.EXE"));
    EXPECT_FALSE(Has(package, "DISK1/KVOX.EXE"));
}

TEST(Build, AssignsMissingDisksAndAddsDisksItNeeds) {
    TestPackage package;
    package.WriteFile("testsans.ttf", Incompressible(14000, 3));
    package.WriteFile("egasysr.fon", Incompressible(14000, 4));
    std::string source = Replaced(BaseInf(), "kvlang.ini=1", "kvlang.ini=");
    source = Replaced(source, "866=xlat866.bin,1", "866=xlat866.bin");
    package.WriteInf(source);
    std::vector<std::string> messages;
    ASSERT_EQ(package.Build(DisksOf("16K"), &messages), 0);
    std::string inf = package.ReadFile("OUT/DISK1/SETUP1.INF");
    EXPECT_NE(inf.find("\r\nkvlang.ini=1\r\n"), std::string::npos);
    EXPECT_NE(inf.find("\r\n866=xlat866.bin,1\r\n"), std::string::npos);
    // Neither large font has room beside the small ones: each goes to a disk of its own,
    // which [disks] gains.
    EXPECT_NE(inf.find(",TEST2\r\n3=Disk 3\r\n4=Disk 4\r\n[Country Key]"), std::string::npos);
    EXPECT_TRUE(Has(package, "DISK3"));
    bool added = false;
    for (const std::string& message : messages) added = added || message.find("disk 3 was added") != std::string::npos;
    EXPECT_TRUE(added);
}

TEST(Build, CompressesWhatSavesRoomOrWhatTheListNames) {
    for (bool listed : {false, true}) {
        TestPackage package;
        package.WriteFile("kvreadme.txt", "K-VOX " + std::string(4000, 'r'));
        package.WriteFile("kvedit.exe", Incompressible(4000, 5));
        if (listed) package.WriteFile("compress.lst", "; the editor only\r\nkvedit.*\r\n");
        package.WriteInf(BaseInf());
        ASSERT_EQ(package.Build(DisksOf("1440K")), 0);
        EXPECT_EQ(Has(package, "DISK1/KVREADME.TX_"), !listed);
        EXPECT_EQ(Has(package, "DISK1/KVEDIT.EX_"), listed);
        EXPECT_EQ(Has(package, "DISK1/KVEDIT.EXE"), !listed);
        std::string packed = package.ReadFile(listed ? "OUT/DISK1/KVEDIT.EX_" : "OUT/DISK1/KVREADME.TX_");
        Arena arena;
        Bytes expanded;
        ASSERT_TRUE(SzddExpand(arena, AsBytes(packed), expanded));
        EXPECT_EQ(std::string(AsText(expanded)), package.ReadFile(listed ? "kvedit.exe" : "kvreadme.txt"));
    }
}

TEST(Build, BuildsNothingFromAPackageWithAnError) {
    TestPackage package;
    package.WriteInf(Replaced(BaseInf(), "kvlang.ini=1", "kvlang.ini=9"));
    EXPECT_EQ(package.Build(DisksOf("1440K")), 1);
    EXPECT_FALSE(Has(package, ""));
}

TEST(Build, ClearsWhatAnEarlierBuildLeft) {
    TestPackage package;
    package.WriteFile("testsans.ttf", Incompressible(14000, 6));
    package.WriteFile("egasysr.fon", Incompressible(14000, 7));
    package.WriteInf(BaseInf());
    ASSERT_EQ(package.Build(DisksOf("16K")), 0);
    ASSERT_TRUE(Has(package, "DISK3"));
    package.WriteFile("OUT/notes.txt", "the maker's own");
    BuildOptions options = DisksOf("1440K");
    options.oneDirectory = true;
    ASSERT_EQ(package.Build(options), 0);
    EXPECT_FALSE(Has(package, "DISK3"));
    EXPECT_TRUE(Has(package, "ONEDIR/TESTSANS.TTF"));
    EXPECT_TRUE(Has(package, "notes.txt"));
}

uint32_t Get16(const std::string& image, size_t at) {
    return static_cast<uint8_t>(image[at]) | static_cast<uint8_t>(image[at + 1]) << 8;
}

// FAT12 entry `cluster` of the first FAT.
uint32_t FatEntry(const std::string& image, uint32_t cluster) {
    uint32_t pair = Get16(image, 512 + cluster * 3 / 2);
    return cluster & 1 ? pair >> 4 : pair & 0xFFF;
}

TEST(Build, ImagesAreFloppiesWithTheLabelAndFilesOfTheirDisks) {
    TestPackage package;
    package.WriteFile("testsans.ttf", Incompressible(3000, 8));
    package.WriteInf(BaseInf());
    BuildOptions options = DisksOf("1440K");
    options.images = true;
    ASSERT_EQ(package.Build(options), 0);
    std::string image = package.ReadFile("OUT/DISK2.IMG");
    ASSERT_EQ(image.size(), 1474560u);
    EXPECT_EQ(Get16(image, 11), 512u);    // bytes a sector
    EXPECT_EQ(Get16(image, 17), 224u);    // root entries
    EXPECT_EQ(Get16(image, 19), 2880u);   // sectors
    EXPECT_EQ(static_cast<uint8_t>(image[21]), 0xF0);
    EXPECT_EQ(image.substr(510, 2), "\x55\xAA");
    const size_t root = 512 * (1 + 2 * 9);
    EXPECT_EQ(image.substr(root, 11), "TEST2      ");
    EXPECT_EQ(image.substr(43, 11), "TEST2      ");
    // Follow the first file through the FAT.
    const size_t entry = root + 32;
    std::string name = image.substr(entry, 11);
    uint32_t size = Get16(image, entry + 28) | Get16(image, entry + 30) << 16;
    std::string bytes;
    for (uint32_t cluster = Get16(image, entry + 26); cluster < 0xFF8; cluster = FatEntry(image, cluster))
        bytes += image.substr(512 * (1 + 2 * 9 + 14) + (cluster - 2) * 512, 512);
    std::string stored = name.substr(0, 8);
    stored = stored.substr(0, stored.find(' ')) + "." + name.substr(8, 3);
    stored = stored.substr(0, stored.find(' '));
    EXPECT_EQ(bytes.substr(0, size), package.ReadFile("OUT/DISK2/" + stored)) << stored;
}

}  // namespace
