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
        WriteTextFile(file_, "[values]\r\nempty=\r\nname=Alpha\r\nlong=0123456789\r\nzero=0\r\ntwo=2\r\n[nokeys]\r\n"
                             "[order]\r\nzulu=1\r\nalpha=2\r\nmike=3\r\n");
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
    // The messages that `action` shows, each an error message.
    std::vector<std::string> Reported(const std::function<void()>& action) {
        std::vector<std::string> shown;
        ModalScript script;
        script.OnMessage(shown);
        action();
        EXPECT_EQ(script.Styles(), std::vector<UINT>(shown.size(), 0x10));
        return shown;
    }

    ScratchDir scratch_;
    std::string file_ = scratch_.File("test.ini");
};

// An empty value is not missing; a value longer than the buffer is cut to its size less one.
TEST_F(Profile, ValuesAndNumbers) {
    struct Case { const char *section, *key, *defaultValue; DWORD size; const char* value; DWORD length; } cases[] = {
        {"values", "empty", "default", 32, "", 0},        {"values", "absent", "default", 32, "default", 7},
        {"nosuchsection", "name", "default", 32, "default", 7}, {"values", "absent", nullptr, 32, "", 0},
        {"values", "name", "default", 32, "Alpha", 5},    {"values", "long", nullptr, 5, "0123", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        char buffer[32];
        EXPECT_EQ(ReadProfileValue(file_.c_str(), c.section, c.key, c.defaultValue, buffer, c.size), c.length);
        EXPECT_STREQ(buffer, c.value);
    }
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "zero", 1), 0u);
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "two", 1), 2u);
    EXPECT_EQ(ReadProfileNumber(file_.c_str(), "values", "absent", 1), 1u);
    EXPECT_EQ(ReadProfileNumber(scratch_.File("none.ini").c_str(), "values", "zero", 1), 1u);
}

TEST_F(Profile, KeyListsGiveTheDefaultForMissingOrEmptySections) {
    DWORD length = 0;
    EXPECT_EQ(Names("order", nullptr, &length), "zulu|alpha|mike");
    struct Case { const char *section, *defaultValue, *names; DWORD length; } cases[] = {
        {"nokeys", nullptr, "", 0}, {"nokeys", "A:\\", "A:\\", 3}, {"missing", "RUS", "RUS", 3},
        {"missing", "", "", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " default " + (c.defaultValue ? c.defaultValue : "none"));
        EXPECT_EQ(Names(c.section, c.defaultValue, &length), c.names);
        EXPECT_EQ(length, c.length);
    }
}

TEST_F(Profile, WritesCreateFilesDeletingAMissingSectionSucceedsAndFailuresAreReported) {
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

    std::string unwritable = scratch_.File("no\\such\\dir\\win.ini");
    EXPECT_EQ(Reported([&] {
                  EXPECT_EQ(WriteProfileValueOrReport(unwritable.c_str(), "intl", "sCountry", "Russia"), 0);
              }),
              std::vector<std::string>{"Can't write 'sCountry' =  'Russia' in section 'intl'"});
}

// Names go in file order unless the control sorts; a section without keys gives the default,
// or without one reports the file.
TEST_F(Profile, FillingControlsFromASection) {
    auto make = [](const char* className, DWORD style) {
        return CreateWindowA(className, "", WS_POPUP | style, 0, 0, 200, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    };
    auto entries = [](HWND control, bool combo) {
        std::string joined;
        int count = static_cast<int>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64];
            SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            joined += std::string(i ? "|" : "") + text;
        }
        return joined;
    };
    HWND combo = make("ComboBox", CBS_DROPDOWNLIST), sorted = make("ListBox", LBS_SORT), list = make("ListBox", 0),
         empty = make("ComboBox", CBS_DROPDOWNLIST);
    EXPECT_EQ(FillComboFromSection(combo, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(entries(combo, true), "zulu|alpha|mike");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(FillListFromSection(sorted, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(entries(sorted, false), "alpha|mike|zulu");
    EXPECT_EQ(SendMessageA(sorted, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(FillListFromSection(list, "nokeys", "Not found", file_.c_str()), 1);
    EXPECT_EQ(entries(list, false), "Not found");
    EXPECT_EQ(Reported([&] { EXPECT_EQ(FillComboFromSection(empty, "nokeys", "", file_.c_str()), 0); }),
              std::vector<std::string>{"Can't read the file '" + file_ + "'"});
    EXPECT_EQ(entries(empty, true), "");
    for (HWND control : {combo, sorted, list, empty}) DestroyWindow(control);
}

}  // namespace
