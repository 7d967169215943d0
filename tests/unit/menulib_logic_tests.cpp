// Pure rules of the menu library: title placeholders, command splitting,
// the start-up decision and the window-title length.
#include <gtest/gtest.h>

#include <cstring>

#include "command_split.h"
#include "startup_flag.h"
#include "title_text.h"
#ifdef _WIN32
#include "options.h"
#endif

using namespace holm;

TEST(TitleText, ReplacesEveryPlaceholderOnce) {
    char text[kTitleBytes] = "%u on \\\\%c";
    ReplaceEvery(text, sizeof(text), "%c", "PC");
    ReplaceEvery(text, sizeof(text), "%u", "ann");
    EXPECT_STREQ(text, "ann on \\\\PC");
}

TEST(TitleText, InsertedValuesAreNotExpandedAgain) {
    char text[kTitleBytes] = "[%u][%u]";
    ReplaceEvery(text, sizeof(text), "%u", "x%uy");
    EXPECT_STREQ(text, "[x%uy][x%uy]");
}

TEST(TitleText, OverflowIsCutAtTheBuffer) {
    char buffer[kTitleBytes + 2];
    std::memset(buffer, '#', sizeof(buffer));
    char* text = buffer + 1;
    std::strcpy(text, "%d %d %d %d");
    const std::string huge(300, 'x');
    ReplaceEvery(text, kTitleBytes, "%d", huge.c_str());
    EXPECT_EQ(std::strlen(text), kTitleBytes - 1);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(buffer[kTitleBytes + 1], '#');
}

TEST(TitleText, UserTextIsNeverAFormat) {
    char text[kTitleBytes] = "%s%n%x %t";
    ReplaceEvery(text, sizeof(text), "%t", "10:15");
    EXPECT_STREQ(text, "%s%n%x 10:15");
}

TEST(CommandSplit, PlainAndQuotedPrograms) {
    ProgramAndParameters p = SplitCommand("%windir%\\notepad.exe readme.txt");
    EXPECT_EQ(p.program, "%windir%\\notepad.exe");
    EXPECT_EQ(p.parameters, "readme.txt");
    p = SplitCommand("\"c:\\program files\\app\\app.exe\" -x");
    EXPECT_EQ(p.program, "c:\\program files\\app\\app.exe");
    EXPECT_EQ(p.parameters, " -x");
    p = SplitCommand("   calc");
    EXPECT_EQ(p.program, "calc");
    EXPECT_EQ(p.parameters, "");
    p = SplitCommand("\"c:\\path with blanks");
    EXPECT_EQ(p.program, "c:\\path with blanks");
    EXPECT_EQ(p.parameters, "");
    p = SplitCommand("a  b c");
    EXPECT_EQ(p.program, "a");
    EXPECT_EQ(p.parameters, " b c");
    EXPECT_EQ(SplitCommand("").program, "");
    EXPECT_EQ(SplitCommand("   ").program, "");
}

TEST(StartupFlag, LastOptionDecides) {
    EXPECT_TRUE(DecideStartupRun("holm.exe /startup", false));
    EXPECT_TRUE(DecideStartupRun("holm.exe /STARTUP", false));
    EXPECT_FALSE(DecideStartupRun("holm.exe /Startup now", false));
    EXPECT_TRUE(DecideStartupRun("holm.exe /Startup now", true));
    EXPECT_FALSE(DecideStartupRun("holm.exe /nostartup", true));
    EXPECT_TRUE(DecideStartupRun("holm.exe /NoStartup", true));
    EXPECT_TRUE(DecideStartupRun("holm.exe", true));
    EXPECT_FALSE(DecideStartupRun("holm.exe", false));
    EXPECT_FALSE(DecideStartupRun("c:/x/holm.exe", false));
}

#ifdef _WIN32  // the options live beside the registry reader
TEST(Options, TitleReadLengthFollowsMaxWinTitleLen) {
    Options o;
    o.maxWinTitleLen = 0;
    EXPECT_EQ(o.TitleReadLength(), 2);
    o.maxWinTitleLen = 10;
    EXPECT_EQ(o.TitleReadLength(), 11);
    o.maxWinTitleLen = 255;
    EXPECT_EQ(o.TitleReadLength(), 256);
    o.maxWinTitleLen = 1000;
    EXPECT_EQ(o.TitleReadLength(), 256);
    o.maxWinTitleLen = 0xFFFFFFFF;
    EXPECT_EQ(o.TitleReadLength(), 256);
}
#endif
