// Pure rules of the cloaked menus and of the cloak installer: level layout,
// hit testing, submenu placement, the arrow and letter keys, the installer's
// argument and the names it accepts.
#include <gtest/gtest.h>

#include "cloak_install_rules.h"
#include "cloak_layout.h"

using namespace holm;

namespace {

std::vector<ItemFacts> Items(std::initializer_list<const char*> texts) {
    std::vector<ItemFacts> items;
    for (const char* t : texts) {
        ItemFacts f;
        if (std::string(t) == "-") f.separator = true;
        else if (t[0] == '!') { f.disabled = true; f.text = t + 1; }
        else f.text = t;
        items.push_back(f);
    }
    return items;
}

}  // namespace

TEST(CloakLayout, FittingLevelIsOneColumnOfSeventeenPixelRows) {
    const LevelLayout l = MakeLayout(7, 120, 1024, 768);
    EXPECT_EQ(l.columns, 1);
    EXPECT_EQ(l.width, 120);
    EXPECT_EQ(l.height, 2 + 17 * 7);
    const Rect h = HighlightRect(l, 2);
    EXPECT_EQ(h.left, 20);
    EXPECT_EQ(h.top, 35);
    EXPECT_EQ(h.right, 119);
    EXPECT_EQ(h.bottom, 52);
    EXPECT_EQ(TextRect(l, 2).left, 21);
    EXPECT_EQ(TextRect(l, 2).right, 120);
    // Only y counts, truncated toward zero: the pixel row above the first
    // item still belongs to it; the bottom border row to no item.
    EXPECT_EQ(ItemAtPoint(l, 500, 0), 0);
    EXPECT_EQ(ItemAtPoint(l, 5, 18), 1);
    EXPECT_EQ(ItemAtPoint(l, 5, l.height - 1), 7);
}

TEST(CloakLayout, TallLevelSplitsIntoColumnsThatStayOnScreen) {
    const LevelLayout l = MakeLayout(100, 150, 1024, 768);
    EXPECT_EQ(l.perColumn, 45);
    EXPECT_EQ(l.columns, 3);
    EXPECT_EQ(l.height, 2 + 17 * 45);
    EXPECT_LE(l.height, 768);
    EXPECT_EQ(l.width, 450);
    EXPECT_EQ(ItemColumnLeft(l, 45), 150);
    EXPECT_EQ(ItemTop(l, 46), 17);
    EXPECT_EQ(ItemAtPoint(l, 160, 20), 46);
    EXPECT_EQ(ItemAtPoint(l, 449, 17 * 9 + 5), 99);
    // Too many columns for the screen's width: they share it.
    const LevelLayout wide = MakeLayout(400, 300, 1024, 768);
    EXPECT_EQ(wide.columns, 9);
    EXPECT_LE(wide.width, 1024);
    EXPECT_EQ(ItemAtPoint(wide, wide.width - 1, 17 * 39 + 5), 399);
}

TEST(CloakLayout, SubmenuOpensRightUnlessItWouldReachTheScreenEdge) {
    EXPECT_EQ(SubmenuLeft(300, 400, 100, 1024), 399);
    EXPECT_EQ(SubmenuLeft(800, 924, 100, 1024), 701);  // 924 + 100 is the screen width
    EXPECT_EQ(SubmenuLeft(800, 923, 100, 1024), 922);
}

TEST(CloakKeys, ArrowsSkipSeparatorsAndDisabledItemsAndWrap) {
    const auto items = Items({"Title", "-", "!Off", "Run", "-", "Special"});
    EXPECT_EQ(StepSelectable(items, 0, 1), 3);
    EXPECT_EQ(StepSelectable(items, 5, 1), 0);
    EXPECT_EQ(StepSelectable(items, 0, -1), 5);
    EXPECT_EQ(StepSelectable(Items({"Only", "-"}), 0, 1), 0);
}

TEST(CloakKeys, LettersMoveBetweenMatchingItemsWrapping) {
    const auto items = Items({"Recorder", "-", "run...", "Special", "!Reboot"});
    EXPECT_EQ(MatchLetter(items, -1, 'R'), 0);
    EXPECT_EQ(MatchLetter(items, 0, 'R'), 2);
    EXPECT_EQ(MatchLetter(items, 2, 'R'), 4);  // a disabled match is taken (and highlights nothing)
    EXPECT_EQ(MatchLetter(items, 4, 'R'), 0);
    EXPECT_EQ(MatchLetter(items, 3, 'S'), -1);  // only the highlighted item matches
    EXPECT_EQ(MatchLetter(items, -1, '7'), -1);
}

TEST(CloakInstallRules, PathFromTheCommandLine) {
    EXPECT_EQ(CloakFilePath(" \"C:\\My Cloaks\\a.hc\""), "C:\\My Cloaks\\a.hc");
    EXPECT_EQ(CloakFilePath(" C:\\My Cloaks\\a b.hc"), "C:\\My Cloaks\\a b.hc");
    EXPECT_EQ(CloakFilePath(" \"C:\\x.hc"), "C:\\x.hc");
    EXPECT_EQ(CloakFilePath(""), "");
    EXPECT_EQ(DirectoryOf("C:\\a\\b.hc"), "C:\\a\\");
    EXPECT_EQ(DirectoryOf("b.hc"), "");
}

TEST(CloakInstallRules, NamesThatWouldLeaveTheCloakDirectoryAreRefused) {
    EXPECT_TRUE(IsSafeCloakName("Ocean"));
    EXPECT_TRUE(IsSafeCloakName("Deep Blue 2"));
    for (const char* bad : {"", ".", "..", "..\\..\\x", "a/b", "C:evil", "x\\y", "dots.", "blank ", "a|b"})
        EXPECT_FALSE(IsSafeCloakName(bad)) << bad;
    EXPECT_TRUE(IsSafeFileEntry(""));
    EXPECT_TRUE(IsSafeFileEntry("waves.bmp"));
    for (const char* bad : {"..\\x.bmp", "sub\\x.bmp", "C:\\x.bmp", "/etc/x", "..", "x.bmp."})
        EXPECT_FALSE(IsSafeFileEntry(bad)) << bad;
}

TEST(CloakInstallRules, StyleNumbersReadLikeAtoi) {
    EXPECT_EQ(StyleNumber("1"), 1);
    EXPECT_EQ(StyleNumber("  -7x"), -7);
    EXPECT_EQ(StyleNumber("+3"), 3);
    EXPECT_EQ(StyleNumber("yes"), 0);
    EXPECT_EQ(StyleNumber(""), 0);
    EXPECT_NE(StyleNumber("99999999999"), 0);
}
