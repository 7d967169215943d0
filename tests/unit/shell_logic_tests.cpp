// The shell's command line and the build number of its about message.
#include <gtest/gtest.h>

#include "about.h"
#include "command_line.h"

using namespace holm;

TEST(CommandLine, SwitchesMatchWholeRemainderIgnoringCase) {
    EXPECT_EQ(ParseCommandLine("c:\\holm\\holm.exe /Version").which, Switch::Version);
    EXPECT_EQ(ParseCommandLine("holm.exe /version").which, Switch::Version);
    EXPECT_EQ(ParseCommandLine("holm.exe /Version extra").which, Switch::None);
    EXPECT_EQ(ParseCommandLine("holm.exe /REDO-HOOK").which, Switch::RedoHook);
    EXPECT_EQ(ParseCommandLine("holm.exe /startup").which, Switch::None);
    EXPECT_EQ(ParseCommandLine("holm.exe").which, Switch::None);
    EXPECT_EQ(ParseCommandLine(nullptr).which, Switch::None);
}

TEST(CommandLine, TheFirstSlashStartsTheSwitch) {
    // A path with a slash in it is taken as the start of the switch text.
    EXPECT_EQ(ParseCommandLine("c:/holm/holm.exe /version").which, Switch::None);
}

TEST(CommandLine, InstallCloakTakesTextFromTheFirstBlank) {
    CommandLineAction a = ParseCommandLine("holm.exe /installcloak c:\\cloaks\\blue.hc");
    EXPECT_EQ(a.which, Switch::InstallCloak);
    EXPECT_EQ(a.cloakArgument, " c:\\cloaks\\blue.hc");
    a = ParseCommandLine("holm.exe /InstallCloak");
    EXPECT_EQ(a.which, Switch::InstallCloak);
    EXPECT_EQ(a.cloakArgument, "");
    EXPECT_EQ(ParseCommandLine("holm.exe /InstallCloakX y").which, Switch::InstallCloak);
}

TEST(About, BuildNumberComesFromTheBuildDate) {
    EXPECT_EQ(BuildNumberFromDate("Aug  2 1999"), 2940);
    EXPECT_EQ(BuildNumberFromDate("Oct  1 1996"), 1);
    EXPECT_EQ(BuildNumberFromDate("Jan 31 2000"), 4000 - 279 + 31);
}

TEST(About, TextEndsWithVersionAndBuild) {
    const std::string text = AboutText();
    const std::string tail = "\n\nVersion 0.96, Build 2940";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}
