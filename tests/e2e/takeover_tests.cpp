// Becoming the shell: the real holm.exe started while a stand-in Explorer
// runs, or while another program is the registered shell, on both
// platforms; the questions are answered on screen and the system's shell
// entry is read back from the registry or from system.ini.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <set>
#include <string>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

const char kWinLogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
const char kKillQuestion[] =
    "Explorer is currently running.  Since HOLM and Explorer aren't very\ngood friends, would you like me to kill "
    "it for you?\n\n(If you hit \"No,\" HOLM will abort)";
const char kOffer[] =
    "Would you like to always use HOLM as your shell?\n\n(If you hit \"No,\" you can still set HOLM as your shell "
    "through\nthe HOLM configuration program)";
const char kAskAgain[] = "Do you want to be asked about setting HOLM as the shell ever again?";
const char kWriteFailed[] =
    "Unable to set HOLM as the shell.  This is most likely becauseyou lack sufficient privileges to control that "
    "data.";

std::string SystemIni() {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, sizeof(dir));
    return std::string(dir) + "\\system.ini";
}

std::string ReadIniShell() {
    char text[512] = "";
    GetPrivateProfileStringA("boot", "shell", "(none)", text, sizeof(text), SystemIni().c_str());
    return text;
}

void WriteIniShell(const char* text) { WritePrivateProfileStringA("boot", "shell", text, SystemIni().c_str()); }

std::string ReadNtShell() {
    char text[512] = "(none)";
    DWORD size = sizeof(text);
    SHGetValueA(HKEY_LOCAL_MACHINE, kWinLogon, "Shell", nullptr, text, &size);
    return text;
}

void WriteNtShell(const std::string& text) {
    WriteValue(HKEY_LOCAL_MACHINE, kWinLogon, "Shell", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

DWORD ReadMachineDword(const char* name, DWORD fallback) {
    DWORD value = fallback, size = sizeof(value);
    SHGetValueA(HKEY_LOCAL_MACHINE, kWinLogon, name, nullptr, &value, &size);
    return value;
}

DWORD ReadDontAsk() { return ReadOption("DontAskToSetHolmAsShell", 99); }

class TakeoverTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        savedNt_ = ReadNtShell();
        savedIni_ = ReadIniShell();
        WriteNtShell("explorer.exe");
        WriteIniShell("explorer.exe");
        const DWORD one = 1;
        WriteValue(HKEY_LOCAL_MACHINE, kWinLogon, "AutoRestartShell", REG_DWORD, &one, sizeof(one));
    }
    void TearDown() override {
        ShellTest::TearDown();
        RestoreSystemIni();
        WriteNtShell(savedNt_);
        WriteIniShell(savedIni_.c_str());
    }
    // A folder in the place of system.ini: no entry can be written there.
    void BlockSystemIni() {
        ASSERT_TRUE(MoveFileA(SystemIni().c_str(), (SystemIni() + ".holm-test").c_str()));
        ASSERT_TRUE(CreateDirectoryA(SystemIni().c_str(), nullptr));
    }
    void RestoreSystemIni() {
        if (!(GetFileAttributesA(SystemIni().c_str()) & FILE_ATTRIBUTE_DIRECTORY)) return;
        RemoveDirectoryA(SystemIni().c_str());
        MoveFileA((SystemIni() + ".holm-test").c_str(), SystemIni().c_str());
    }
    void RunAs(const char* version) { SetShellWindowsVersion(version); }
    void StartExplorerStandIn() {
        ASSERT_NE(standIn_ = StartHelper("explorer_standin.exe"), nullptr);
        ASSERT_TRUE(WaitFor([] { return FindWindowA("Progman", "Program Manager") != nullptr; }, 5000));
    }
    bool StandInRunning() { return standIn_ && WaitForSingleObject(standIn_, 0) == WAIT_TIMEOUT; }
    // Waits for the next question and answers it.
    void Expect(const char* text, int answer) { ASSERT_TRUE(ExpectMessage("HOLM", text, answer, 10000)); }
    std::string HolmPath() { return BinDir() + "\\holm.exe"; }

    HANDLE standIn_ = nullptr;  // owned by the fixture
    std::string savedNt_, savedIni_;
};

}  // namespace

TEST_F(TakeoverTest, DecliningToEndExplorerEndsTheShellAndWritesNothing) {
    RunAs("nt40");
    StartExplorerStandIn();
    ASSERT_TRUE(shell_.Start());
    Expect(kKillQuestion, IDNO);
    ASSERT_TRUE(shell_.WaitExit(5000));
    EXPECT_EQ(shell_.ExitCode(), 0u);
    EXPECT_TRUE(StandInRunning());
    EXPECT_EQ(ReadNtShell(), "explorer.exe");
    EXPECT_EQ(ReadMachineDword("AutoRestartShell", 99), 1u);
    EXPECT_EQ(ReadDontAsk(), 99u);
}

TEST_F(TakeoverTest, EndingExplorerAndAcceptingTheOfferRegistersTheShellOnNT) {
    RunAs("nt40");
    StartExplorerStandIn();
    ASSERT_TRUE(shell_.Start());
    Expect(kKillQuestion, IDYES);
    Expect(kOffer, IDYES);
    ASSERT_TRUE(shell_.WaitReady());
    EXPECT_TRUE(WaitFor([&] { return !StandInRunning(); }, 5000)) << "Explorer was not ended";
    EXPECT_EQ(ReadMachineDword("AutoRestartShell", 99), 0u);
    EXPECT_EQ(ReadNtShell(), HolmPath() + " /startup");
    EXPECT_EQ(ReadIniShell(), "explorer.exe");
}

TEST_F(TakeoverTest, DecliningTheOfferCanStopFurtherOffers) {
    RunAs("nt40");
    ASSERT_TRUE(shell_.Start());
    Expect(kOffer, IDNO);
    Expect(kAskAgain, IDNO);
    ASSERT_TRUE(shell_.WaitReady());
    EXPECT_EQ(ReadDontAsk(), 1u);
    EXPECT_EQ(ReadNtShell(), "explorer.exe");
    ASSERT_TRUE(shell_.Stop());

    // Asked not to offer again: Explorer is still offered to be ended.
    StartExplorerStandIn();
    ShellProcess again;
    ASSERT_TRUE(again.Start());
    MessageBoxInfo box = WaitForMessageBox(again.Pid(), 10000);
    EXPECT_EQ(box.text, kKillQuestion);
    AnswerMessageBox(box.hwnd, IDYES);
    ASSERT_TRUE(again.WaitReady());
    EXPECT_TRUE(DialogsOf(again.Pid()).empty()) << "the offer was made";
    EXPECT_EQ(ReadNtShell(), "explorer.exe");
    EXPECT_TRUE(again.Stop());
}

TEST_F(TakeoverTest, AskingAgainKeepsTheOffer) {
    RunAs("nt40");
    ASSERT_TRUE(shell_.Start());
    Expect(kOffer, IDNO);
    Expect(kAskAgain, IDYES);
    ASSERT_TRUE(shell_.WaitReady());
    EXPECT_EQ(ReadDontAsk(), 0u);
}

TEST_F(TakeoverTest, AnEntryNamingHolmInCapitalsGetsNoOffer) {
    RunAs("nt40");
    WriteNtShell("C:\\HOLM\\HOLM.EXE /startup");
    StartShell();
    EXPECT_TRUE(DialogsOf(shell_.Pid()).empty());
    EXPECT_EQ(ReadNtShell(), "C:\\HOLM\\HOLM.EXE /startup");
}

TEST_F(TakeoverTest, Windows95WritesTheShortPathIntoSystemIni) {
    RunAs("win95");
    WritePrivateProfileStringA("boot", "shell", nullptr, SystemIni().c_str());  // no entry: counts as empty
    WriteNtShell("C:\\HOLM\\HOLM.EXE /startup");  // not looked at on Windows 95
    ASSERT_TRUE(shell_.Start());
    Expect(kOffer, IDYES);
    ASSERT_TRUE(shell_.WaitReady());
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(HolmPath().c_str(), shortPath, sizeof(shortPath));
    EXPECT_EQ(ReadIniShell(), shortPath);
    EXPECT_EQ(ReadNtShell(), "C:\\HOLM\\HOLM.EXE /startup");
}

TEST_F(TakeoverTest, AnUnwritableEntryIsReportedAndTheStartGoesOn) {
    RunAs("win95");
    BlockSystemIni();
    ASSERT_TRUE(shell_.Start());
    Expect(kOffer, IDYES);
    Expect(kWriteFailed, IDOK);
    ASSERT_TRUE(shell_.WaitReady());
    RestoreSystemIni();
    EXPECT_EQ(ReadIniShell(), "explorer.exe");
}

TEST_F(TakeoverTest, SwitchingToExplorerRegistersExplorerAgain) {
    RunAs("nt40");
    WriteNtShell("C:\\HOLM\\HOLM.EXE /startup");
    StartShell();
    GetDesktopWindow();  // Wine's desktop process runs from here on
    const std::set<DWORD> explorersBefore = ProcessesNamed("explorer.exe");
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdSwitchToExplorer));
    Expect("Are you sure you want to switch to Explorer?", IDYES);
    ASSERT_TRUE(shell_.WaitExit(10000));
    EXPECT_EQ(shell_.ExitCode(), 0u);
    EXPECT_EQ(ReadNtShell(), "explorer.exe");
    Sleep(500);
    for (DWORD pid : ProcessesNamed("explorer.exe")) {
        if (explorersBefore.count(pid)) continue;
        HANDLE started = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        if (started) TerminateProcess(started, 0), CloseHandle(started);
    }
}
