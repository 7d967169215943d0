// The popup titles against the real registry, clock and names.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "popup_title.h"
#include "test_registry.h"

using namespace holm;

namespace {

void SetTitle(const char* name, const std::string& value) { holmtest::WriteOption(name, value); }

std::string Now(bool time) {
    char text[128] = "";
    if (time)
        GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof(text));
    else
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof(text));
    return text;
}

std::string UserName() {
    char name[257] = "";
    DWORD size = sizeof(name);
    GetUserNameA(name, &size);
    return name;
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    GetComputerNameA(name, &size);
    return name;
}

class PopupTitleTest : public ::testing::Test {
protected:
    void SetUp() override {
        holmtest::ResetHolmRegistry();
        ResetTitles();
    }
};

}  // namespace

TEST_F(PopupTitleTest, WithoutAnOptionsKeyBothShowDateAndTime) {
    // The minute may turn between the two readings: accept either side of it.
    const std::string before = Now(false) + ", " + Now(true);
    const std::string left = RefreshTitle(TitleSide::Left);
    const std::string right = RefreshTitle(TitleSide::Right);
    const std::string after = Now(false) + ", " + Now(true);
    EXPECT_TRUE(left == before || left == after) << left;
    EXPECT_TRUE(right == before || right == after) << right;
}

TEST_F(PopupTitleTest, UserAndComputerAreFilledInOnceAndKeptUntilReset) {
    SetTitle("RCancelStr", "%u on \\\\%c");
    EXPECT_EQ(std::string(RefreshTitle(TitleSide::Right)), UserName() + " on \\\\" + ComputerName());
    SetTitle("RCancelStr", "changed");
    EXPECT_EQ(std::string(RefreshTitle(TitleSide::Right)), UserName() + " on \\\\" + ComputerName());
    ResetTitles();
    EXPECT_STREQ(RefreshTitle(TitleSide::Right), "changed");
}

TEST_F(PopupTitleTest, PlainAndEmptyTitles) {
    SetTitle("LCancelStr", "Programs 100%");
    SetTitle("RCancelStr", "");
    EXPECT_STREQ(RefreshTitle(TitleSide::Left), "Programs 100%");
    EXPECT_STREQ(RefreshTitle(TitleSide::Right), "");
}

TEST_F(PopupTitleTest, TimeAndDateAreFilledInAtEveryRefresh) {
    SetTitle("LCancelStr", "[%t|%d|%t]");
    const std::string title = RefreshTitle(TitleSide::Left);
    const std::string t = Now(true), d = Now(false);
    EXPECT_EQ(title, "[" + t + "|" + d + "|" + t + "]");
}

TEST_F(PopupTitleTest, LongExpansionsAreCutNotOverrun) {
    SetTitle("LCancelStr", std::string(380, 'x') + "%d%d%d%t");
    const std::string title = RefreshTitle(TitleSide::Left);
    EXPECT_EQ(title.size(), 398u);
    EXPECT_EQ(title.substr(0, 380), std::string(380, 'x'));
}

TEST_F(PopupTitleTest, OversizedOrNonTextValuesKeepThePreviousTitle) {
    SetTitle("LCancelStr", "first");
    EXPECT_STREQ(RefreshTitle(TitleSide::Left), "first");
    SetTitle("LCancelStr", std::string(500, 'y'));
    ResetTitles();
    EXPECT_STREQ(RefreshTitle(TitleSide::Left), "first");
}
