// The shell's command line and the build number of its about message.
#include <gtest/gtest.h>

#include "about.h"
#include "autorun_logic.h"
#include "command_line.h"
#include "shell_entry.h"

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

TEST(ShellEntry, NamesHolmInAnyLetterCaseAnywhere) {
    EXPECT_TRUE(ShellEntryNamesHolm("C:\\HOLM\\HOLM.EXE /startup"));
    EXPECT_TRUE(ShellEntryNamesHolm("c:\\tools\\holm.exe"));
    EXPECT_TRUE(ShellEntryNamesHolm("xHoLmx"));
    EXPECT_FALSE(ShellEntryNamesHolm("explorer.exe"));
    EXPECT_FALSE(ShellEntryNamesHolm("hol m"));
    EXPECT_FALSE(ShellEntryNamesHolm(""));
}

TEST(ShellEntry, TextPerPlatform) {
    EXPECT_EQ(ShellTextFor(true, "C:\\Program Files\\holm.exe", "C:\\PROGRA~1\\holm.exe"),
              "C:\\Program Files\\holm.exe /startup");
    EXPECT_EQ(ShellTextFor(false, "C:\\Program Files\\holm.exe", "C:\\PROGRA~1\\holm.exe"), "C:\\PROGRA~1\\holm.exe");
    EXPECT_EQ(ShellTextFor(false, "C:\\holm\\holm.exe", ""), "C:\\holm\\holm.exe");
}

TEST(Autorun, PolicyBitsTurnDriveTypesOff) {
    for (unsigned type : {kDriveRemovable, kDriveFixed, kDriveRemote, kDriveCdrom, kDriveRamdisk})
        EXPECT_TRUE(AutorunAllowed(0, type)) << type;
    EXPECT_FALSE(AutorunAllowed(0, 0));
    EXPECT_FALSE(AutorunAllowed(0, 1));
    EXPECT_FALSE(AutorunAllowed(0, 7));
    // 0x95: removable (0x04) and network (0x10) off; 0x01 and 0x80 mean nothing.
    EXPECT_FALSE(AutorunAllowed(0x95, kDriveRemovable));
    EXPECT_FALSE(AutorunAllowed(0x95, kDriveRemote));
    EXPECT_TRUE(AutorunAllowed(0x95, kDriveFixed));
    EXPECT_TRUE(AutorunAllowed(0x95, kDriveCdrom));
    EXPECT_TRUE(AutorunAllowed(0x95, kDriveRamdisk));
    EXPECT_FALSE(AutorunAllowed(0x20, kDriveCdrom));
}

namespace {

std::string VolumeRecord(std::uint32_t size, std::uint32_t type, std::uint32_t mask, std::uint16_t flags) {
    std::string r(20, '\0');
    auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) r[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(0, size, 4);
    put(4, type, 4);
    put(12, mask, 4);
    put(16, flags, 2);
    return r;
}

}  // namespace

TEST(Autorun, OnlyMediaArrivalsOfVolumesNameDrives) {
    std::string r = VolumeRecord(20, 2, 0x18, 1);
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0x18u);
    r = VolumeRecord(20, 2, 0xFFFFFFFF, 1);
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0x3FFFFFFu);  // A to Z only
    r = VolumeRecord(20, 2, 0x18, 0);
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0u);
    r = VolumeRecord(20, 2, 0x18, 3);
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0u);
    r = VolumeRecord(20, 3, 0x18, 1);  // a port, not a volume
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0u);
    r = VolumeRecord(12, 2, 0x18, 1);  // claims to be shorter than a volume record
    EXPECT_EQ(MediaArrivalDrives(r.data(), r.size()), 0u);
    EXPECT_EQ(MediaArrivalDrives(r.data(), 17), 0u);
    EXPECT_EQ(MediaArrivalDrives(nullptr, 20), 0u);
}

TEST(Autorun, OpenEntryIsFoundInAnyLetterCaseAndEncoding) {
    EXPECT_EQ(AutorunOpenEntry("[autorun]\r\nopen=setup.exe\r\n"), "setup.exe");
    EXPECT_EQ(AutorunOpenEntry("[Other]\nopen=no.exe\n[AUTORUN]\nicon=x.ico\n  Open = go.exe /x  \n"), "go.exe /x");
    EXPECT_EQ(AutorunOpenEntry("[autorun]\nopen=\"quoted.exe\"\n"), "quoted.exe");
    EXPECT_EQ(AutorunOpenEntry("\xEF\xBB\xBF[autorun]\nopen=bom.exe"), "bom.exe");
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[autorun]\r\nopen=w\xE9.exe")) utf16 += {c, '\0'};
    EXPECT_EQ(AutorunOpenEntry(utf16), "w?.exe");
    utf16[utf16.size() - 1] = '\x4E';  // the last letter becomes one outside ASCII
    EXPECT_EQ(AutorunOpenEntry(utf16), "w?.ex?");
    // Bytes beyond ASCII pass through, as the system's INI reader passes them.
    EXPECT_EQ(AutorunOpenEntry("[autorun]\nopen=caf\xC3\xA9.exe\n"), "caf\xC3\xA9.exe");
    EXPECT_EQ(AutorunOpenEntry("[autorun]\nopen=Caf\xE9 \x93\xfa.exe\n"), "Caf\xE9 \x93\xfa.exe");
}

TEST(Autorun, MissingOrBrokenEntriesGiveNothing) {
    EXPECT_EQ(AutorunOpenEntry(""), "");
    EXPECT_EQ(AutorunOpenEntry("open=setup.exe\n"), "");                   // no section
    EXPECT_EQ(AutorunOpenEntry("[autorun]\nopensetup.exe\n"), "");          // no '='
    EXPECT_EQ(AutorunOpenEntry("[autorun]\nicon=a\n[other]\nopen=b\n"), "");
    EXPECT_EQ(AutorunOpenEntry(std::string("[autorun]\n\0\0open=z\n", 19)), "z");
    const std::string longLine = "[autorun]\nopen=" + std::string(100000, 'a') + "\n";
    EXPECT_EQ(AutorunOpenEntry(longLine).size(), 4095u);
    std::string noise(200000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 % 256);
    EXPECT_EQ(AutorunOpenEntry(noise), "");
}

TEST(Autorun, PlayCommandGetsTheDriveForTheFirstPercentOne) {
    EXPECT_EQ(AudioCdCommand("player.exe /play %1", "D:"), "player.exe /play D:");
    EXPECT_EQ(AudioCdCommand("player.exe %1 %1", "E:"), "player.exe E: %1");
    EXPECT_EQ(AudioCdCommand("player.exe /play", "D:"), "player.exe /play");
    EXPECT_EQ(AudioCdCommand("%", "D:"), "%");
}
