// Profile key lists and their defaults, write failures, and the fillers of combo and list
// boxes.
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
        WriteTextFile(file_, "[nokeys]\r\n[order]\r\nzulu=1\r\nalpha=2\r\nmike=3\r\n");
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

TEST_F(Profile, AFailedWriteIsReported) {
    std::string unwritable = scratch_.File("no\\such\\dir\\win.ini");
    EXPECT_EQ(Reported([&] {
                  EXPECT_EQ(WriteProfileValueOrReport(unwritable.c_str(), "intl", "sCountry", "Russia"), 0);
              }),
              std::vector<std::string>{"Can't write 'sCountry' =  'Russia' in section 'intl'"});
}

// Key names in file order; a missing or empty section gives the default, as a list.
TEST_F(Profile, KeyListsGiveTheDefaultForMissingOrEmptySections) {
    struct Case { const char *section, *defaultValue, *names; DWORD length; } cases[] = {
        {"order", nullptr, "zulu|alpha|mike", 16}, {"nokeys", nullptr, "", 0}, {"nokeys", "A:\\", "A:\\", 3},
        {"missing", "RUS", "RUS", 3},             {"missing", "", "", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " default " + (c.defaultValue ? c.defaultValue : "none"));
        char list[64];
        memset(list, 'x', sizeof list);
        EXPECT_EQ(ReadKeyList(file_.c_str(), c.section, c.defaultValue, list), c.length);
        std::string joined;  // the list must end with an empty name
        ForEachListedName(list, [&](const char* name) { joined += std::string(joined.empty() ? "" : "|") + name; });
        EXPECT_EQ(joined, c.names);
    }
}

// Names go in file order unless the control sorts; a section without keys and without a
// default reports the file.
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
    HWND combo = make("ComboBox", CBS_DROPDOWNLIST), sorted = make("ListBox", LBS_SORT),
         empty = make("ComboBox", CBS_DROPDOWNLIST);
    EXPECT_EQ(FillComboFromSection(combo, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(entries(combo, true), "zulu|alpha|mike");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(FillListFromSection(sorted, "order", "Not found", file_.c_str()), 1);
    EXPECT_EQ(entries(sorted, false), "alpha|mike|zulu");
    EXPECT_EQ(SendMessageA(sorted, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(Reported([&] { EXPECT_EQ(FillComboFromSection(empty, "nokeys", "", file_.c_str()), 0); }),
              std::vector<std::string>{"Can't read the file '" + file_ + "'"});
    EXPECT_EQ(entries(empty, true), "");
    for (HWND control : {combo, sorted, empty}) DestroyWindow(control);
}

}  // namespace
