// The probes of the system font against real files in the system directory.
#include <string>

#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

// Sets system.ini [boot] fonts.fon for one test and puts the old value back after it.
class SystemFont : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        GetPrivateProfileStringA("boot", "fonts.fon", "", saved_, sizeof saved_, "system.ini");
    }
    void TearDown() override {
        WritePrivateProfileStringA("boot", "fonts.fon", saved_, "system.ini");
        for (const std::string& file : files_) DeleteFileA(file.c_str());
    }
    void UseFont(const char* value) { WritePrivateProfileStringA("boot", "fonts.fon", value, "system.ini"); }
    void MakeSystemFile(const char* name, size_t size) {
        files_.push_back(std::string(g_session.systemDir) + name);
        WriteFileOfSize(files_.back(), size);
    }

    char saved_[260] = "";
    std::vector<std::string> files_;
};

TEST_F(SystemFont, StandardFontsAreKnownByFirstLetterAndExactSize) {
    MakeSystemFile("vkvtest.fon", 7872);
    MakeSystemFile("ekvtest.fon", 6528);
    MakeSystemFile("8kvtest.fon", 10960);
    MakeSystemFile("wkvtest.fon", 7872);
    MakeSystemFile("xkvtest.fon", 7873);

    struct Case {
        const char* value;
        int standard;
    } cases[] = {
        {"vkvtest.fon", 1}, {"ekvtest.fon", 1}, {"8kvtest.fon", 1},
        {"VKVTEST.FON", 0},  // the first letter is compared as it stands
        {"wkvtest.fon", 0}, {"vnothere.fon", 0}, {"", 0},
        {"C:\\FONTS\\1251\\vgasys.fon", 1},      // a directory ending in 1
        {"C:\\WINDOWS\\SYSTEM\\vgasys.fon", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        UseFont(c.value);
        EXPECT_EQ(IsStandardSystemFont(), c.standard);
    }
    UseFont("xkvtest.fon");  // 'x' is no standard letter whatever the size
    EXPECT_EQ(IsStandardSystemFont(), 0);
}

TEST_F(SystemFont, LargeFontsAreTheOnesWhoseFileNameBeginsWithEight) {
    UseFont("8514sys.fon");
    EXPECT_EQ(UsesSmallSystemFont(), 0);
    UseFont("C:\\WINDOWS\\SYSTEM\\8514sys.fon");
    EXPECT_EQ(UsesSmallSystemFont(), 0);
    UseFont("vgasys.fon");
    EXPECT_EQ(UsesSmallSystemFont(), 1);
    UseFont("C:\\8514\\vgasys.fon");
    EXPECT_EQ(UsesSmallSystemFont(), 1);
    UseFont("");
    EXPECT_EQ(UsesSmallSystemFont(), 1);

    char file[260];
    UseFont("C:\\FONTS\\1251\\vgasys.fon");
    GetSystemFontFile(file);
    EXPECT_STREQ(file, "C:\\FONTS\\1251\\vgasys.fon");
}

}  // namespace
