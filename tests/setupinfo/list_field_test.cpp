// The list-field lookup.
#include <string>

#include "setupinfo/setup_info.h"
#include "test_support.h"

namespace {

class ListMember : public SessionTest {};

// Member n of the list, or "<none>" when it is not found.
std::string Member(const char* list, int n, const char* separator = ",") {
    char out[128] = "<none>";
    return GetListMember(list, n, out, separator, false) ? out : "<none>";
}

TEST_F(ListMember, BlanksAfterASeparatorAreSkippedOthersStay) {
    EXPECT_EQ(Member("1251, 866,1", 1), "1251");
    EXPECT_EQ(Member("1251, 866,1", 2), "866");
    EXPECT_EQ(Member("1251, 866,1", 3), "1");
    EXPECT_EQ(Member(" RUS,x", 1), " RUS");
    EXPECT_EQ(Member("a ,  b c  ,d", 1), "a ");
    EXPECT_EQ(Member("a ,  b c  ,d", 2), "b c  ");
}

TEST_F(ListMember, EmptyMembersAreFound) {
    EXPECT_EQ(Member("", 1), "");
    EXPECT_EQ(Member("a,", 2), "");
    EXPECT_EQ(Member("a,,b", 2), "");
    EXPECT_EQ(Member("a,,b", 3), "b");
    EXPECT_EQ(Member("x,   ,y", 2), "");
    EXPECT_EQ(Member("x,   ,y", 3), "y");
    EXPECT_EQ(Member("x,   ", 2), "");
}

TEST_F(ListMember, MissingMembersAndMemberZeroAreNotFoundAndLeaveOutUnchanged) {
    EXPECT_EQ(Member("a,b", 3), "<none>");
    EXPECT_EQ(Member("", 2), "<none>");
    EXPECT_EQ(Member("a,b", 0), "<none>");
    EXPECT_EQ(Member("a,b", -1), "<none>");
}

TEST_F(ListMember, OnlyTheGivenSeparatorCounts) {
    EXPECT_EQ(Member("Russia!7!1", 2, "!"), "7");
    EXPECT_EQ(Member("Russia!7!1", 1, ","), "Russia!7!1");
    EXPECT_EQ(Member("Russia! 7, 8!1", 2, "!"), "7, 8");
    EXPECT_EQ(Member("a!b", 2, "!x"), "b");  // only the first character of the separator counts
}

TEST_F(ListMember, TheCallersListIsLeftUnchangedAndOutIsCutToItsSize) {
    const char list[] = "alpha,beta";
    char out[4] = "";
    EXPECT_EQ(GetListMember(list, 2, out, ",", false), 1);
    EXPECT_STREQ(out, "bet");
    EXPECT_STREQ(list, "alpha,beta");
}

TEST_F(ListMember, ListsLongerThanHalfAKilobyteAreTakenApartWhole) {
    std::string list = std::string(600, 'a') + ",tail";
    EXPECT_EQ(Member(list.c_str(), 2), "tail");
}

TEST_F(ListMember, AMissingMemberIsReportedWhenAsked) {
    std::vector<std::string> shown;
    ModalScript script;
    script.OnMessage(shown);
    char out[8] = "same";
    EXPECT_EQ(GetListMember("a,b", 3, out, ",", true), 0);
    EXPECT_STREQ(out, "same");
    EXPECT_EQ(shown, std::vector<std::string>{"Can't search member number 3 in 'a,b'"});
    EXPECT_EQ(script.Styles(), std::vector<UINT>{0x10});
}

}  // namespace
