// Pure rules of the Window List: entry texts and hidden titles.
#include <gtest/gtest.h>

#include <string>

#include "window_titles.h"

using namespace holm;

TEST(WindowMenuText, DoublesEveryAmpersandSoThatItShows) {
    EXPECT_EQ(WindowMenuText("Tom & Jerry", 255), "Tom && Jerry");
    EXPECT_EQ(WindowMenuText("a&b&&c", 255), "a&&b&&&&c");
    EXPECT_EQ(WindowMenuText("plain", 255), "plain");
}

TEST(WindowMenuText, ShowsAtMostTheGivenNumberOfTitleCharacters) {
    EXPECT_EQ(WindowMenuText("WL Eighteen Chars!", 10), "WL Eightee");
    EXPECT_EQ(WindowMenuText("Notepad", 1), "N");
    // The length counts title characters, before the doubling.
    EXPECT_EQ(WindowMenuText("&&&&&&&&", 3), "&&&&&&");
}

TEST(WindowMenuText, CutsTheDoubledTextTo255Characters) {
    const std::string title(300, 'x');
    EXPECT_EQ(WindowMenuText(title, 255), std::string(255, 'x'));
    const std::string manyAmpersands(200, '&');
    const std::string text = WindowMenuText(manyAmpersands, 255);
    EXPECT_EQ(text, std::string(254, '&'));  // 127 ampersands shown, no half pair
}

TEST(WindowMenuText, NeverLeavesHalfAPairAtTheCut) {
    const std::string pairAcrossTheCut = std::string(254, 'x') + "&yz";
    EXPECT_EQ(WindowMenuText(pairAcrossTheCut, 255), std::string(254, 'x'));
    const std::string pairBeforeTheCut = std::string(253, 'x') + "&yz";
    EXPECT_EQ(WindowMenuText(pairBeforeTheCut, 255), std::string(253, 'x') + "&&");
}

TEST(HiddenTitles, MatchIgnoresTheCaseOfAsciiLettersOnly) {
    HiddenTitleList list;
    ASSERT_TRUE(list.Reset());
    list.Add("Secret Window");
    list.Add("caf\xe9");
    EXPECT_TRUE(IsHiddenTitle("SECRET window", list));
    EXPECT_TRUE(IsHiddenTitle("Secret Window", list));
    EXPECT_FALSE(IsHiddenTitle("Secret Window 2", list));
    EXPECT_FALSE(IsHiddenTitle("Secret", list));
    EXPECT_TRUE(IsHiddenTitle("CAF\xe9", list));
    EXPECT_FALSE(IsHiddenTitle("CAF\xc9", list));
}

TEST(HiddenTitles, TheTrayTitleIsHiddenExactlyAndAlways) {
    HiddenTitleList empty;
    ASSERT_TRUE(empty.Reset());
    EXPECT_TRUE(IsHiddenTitle("HOLM Tray", empty));
    EXPECT_FALSE(IsHiddenTitle("holm tray", empty));
    EXPECT_FALSE(IsHiddenTitle("HOLM Tray ", empty));
}

TEST(HiddenTitles, ListGrowsPastItsFirstCapacityAndResets) {
    HiddenTitleList list;
    ASSERT_TRUE(list.Reset());
    for (int i = 0; i < 12; ++i) list.Add(("title " + std::to_string(i)).c_str());
    EXPECT_EQ(list.Count(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(list.Contains(("TITLE " + std::to_string(i)).c_str())) << i;
    ASSERT_TRUE(list.Reset());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Contains("title 0"));
}

TEST(HiddenTitles, TitlesTooLongForAWindowAreNotKept) {
    HiddenTitleList list;
    ASSERT_TRUE(list.Reset());
    const std::string longest(255, 'a'), tooLong(256, 'a');
    list.Add(longest.c_str());
    list.Add(tooLong.c_str());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Contains(longest.c_str()));
}
