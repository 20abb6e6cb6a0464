// Profile reads and writes: missing versus empty, key lists and their defaults, and the
// fillers of combo and list boxes.
#include <string>

#include "base/text.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

class Profile : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        file_ = scratch_.File("test.ini");
        WriteTextFile(file_,
                      "[values]\r\nempty=\r\nname=Alpha\r\nlong=0123456789\r\nzero=0\r\ntwo=2\r\n"
                      "[nokeys]\r\n"
                      "[order]\r\nzulu=1\r\nalpha=2\r\nmike=3\r\n");
    }
    std::string Read(const char* section, const char* key, const char* defaultValue, DWORD* length = nullptr) {
        char buffer[32];
        DWORD n = ReadProfileValue(file_.c_str(), section, key, defaultValue, buffer);
        if (length) *length = n;
        return buffer;
    }
    // The names of a key list, joined by "|"; the list must end with an empty name.
    std::string Names(const char* section, const char* defaultValue, DWORD* length) {
        char list[64];
        memset(list, 'x', sizeof list);
        *length = ReadKeyList(file_.c_str(), section, defaultValue, list);
        std::string joined;
        ForEachListedName(list, [&](const char* name) { joined += std::string(joined.empty() ? "" : "|") + name; });
        return joined;
    }

    ScratchDir scratch_;
    std::string file_;
};

TEST_F(Profile, AnEmptyValueIsNotMissing) {
    DWORD length = 99;
    EXPECT_EQ(Read("values", "empty", "default", &length), "");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Read("values", "absent", "default", &length), "default");
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(Read("nosuchsection", "name", "default"), "default");
    EXPECT_EQ(Read("values", "absent", nullptr, &length), "");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Read("values", "name", "default"), "Alpha");
}

TEST_F(Profile, AValueLongerThanTheBufferIsCutToSizeLessOne) {
    char buffer[5];
    EXPECT_EQ(ReadProfileValue(file_.c_str(), "values", "long", nullptr, buffer), 4u);
    EXPECT_STREQ(buffer, "0123");
}

TEST_F(Profile, KeyListsGiveTheDefaultForMissingOrEmptySections) {
    DWORD length = 0;
    EXPECT_EQ(Names("order", nullptr, &length), "zulu|alpha|mike");
    EXPECT_EQ(Names("nokeys", nullptr, &length), "");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Names("nokeys", "A:\\", &length), "A:\\");
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(Names("missing", "RUS", &length), "RUS");
    EXPECT_EQ(Names("missing", "", &length), "");
    EXPECT_EQ(length, 0u);
}

TEST_F(Profile, NumbersDefaultWhenMissing) {
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "zero", 1), 0u);
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "two", 1), 2u);
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "absent", 1), 1u);
    EXPECT_EQ(ReadProfileNumber(scratch_.File("none.ini").c_str(), "values", "zero", 1), 1u);
}

TEST_F(Profile, WritesCreateFilesAndDeletingAMissingSectionSucceeds) {
    std::string fresh = scratch_.File("fresh.ini");
    ASSERT_TRUE(WriteProfileValue(fresh.c_str(), "Location", "C:\\KVOX\\", " "));
    char buffer[16];
    EXPECT_EQ(ReadProfileValue(fresh.c_str(), "Location", "C:\\KVOX\\", "missing", buffer), 0u);  // Wine writes " " as ""

    std::string before = ReadTextFile(file_);
    EXPECT_TRUE(DeleteProfileSection(file_.c_str(), "nosuchsection"));
    EXPECT_EQ(ReadTextFile(file_), before);

    EXPECT_TRUE(DeleteProfileSection(file_.c_str(), "order"));
    DWORD length = 0;
    EXPECT_EQ(Names("order", nullptr, &length), "");
}

TEST_F(Profile, AFailedWriteIsReportedWithKeyValueAndSection) {
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    std::string unwritable = scratch_.File("no\\such\\dir\\win.ini");
    EXPECT_EQ(WriteProfileValueOrReport(unwritable.c_str(), "intl", "sCountry", "Russia"), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Can't write 'sCountry' =  'Russia' in section 'intl'"});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x10});
}

class FillFromSection : public Profile {
protected:
    HWND MakeControl(const char* className, DWORD style) {
        return CreateWindowA(className, "", WS_POPUP | style, 0, 0, 200, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    }
    static std::string Entries(HWND control, bool combo) {
        std::string joined;
        int count = static_cast<int>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64];
            SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            joined += std::string(i ? "|" : "") + text;
        }
        return joined;
    }
};

TEST_F(FillFromSection, NamesGoInFileOrderUnlessTheControlSorts) {
    HWND combo = MakeControl("ComboBox", CBS_DROPDOWNLIST);
    EXPECT_EQ(FillComboFromSection(combo, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(Entries(combo, true), "zulu|alpha|mike");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    DestroyWindow(combo);

    HWND list = MakeControl("ListBox", LBS_SORT);
    EXPECT_EQ(FillListFromSection(list, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(Entries(list, false), "alpha|mike|zulu");
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    DestroyWindow(list);
}

TEST_F(FillFromSection, ASectionWithoutKeysGivesTheDefaultOrReportsTheFile) {
    HWND list = MakeControl("ListBox", 0);
    EXPECT_EQ(FillListFromSection(list, "nokeys", "Not found", file_.c_str()), 1);
    EXPECT_EQ(Entries(list, false), "Not found");
    DestroyWindow(list);

    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    HWND combo = MakeControl("ComboBox", CBS_DROPDOWNLIST);
    EXPECT_EQ(FillComboFromSection(combo, "nokeys", "", file_.c_str()), 0);
    EXPECT_EQ(Entries(combo, true), "");
    EXPECT_EQ(shown, std::vector<std::string>{"Can't read the file '" + file_ + "'"});
    DestroyWindow(combo);
}

}  // namespace
