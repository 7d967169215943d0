// Start-up of the real holm.exe: switches, single instance, first run and
// failures, driven in the Wine desktop and read from the message boxes.
#include <gtest/gtest.h>

#include <string>

#include "recorder_log.h"
#include "shell_fixture.h"

using namespace holmtest;

namespace {

using StartupTest = ShellTest;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(StartupTest, VersionSwitchShowsTheAboutMessageAndEnds) {
    ShellProcess about;
    ASSERT_TRUE(about.Start("/version"));
    MessageBoxInfo box = WaitForMessageBox(about.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_TRUE(EndsWith(box.text, "Version 0.96, Build 2940")) << box.text;
    EXPECT_EQ(FindWindowA("HOLM", "HOLM"), nullptr);
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(about.WaitExit(5000));
    EXPECT_EQ(about.ExitCode(), 0u);
}

TEST_F(StartupTest, SwitchFollowedByMoreTextStartsTheShell) {
    ShellProcess shell;
    ASSERT_TRUE(shell.Start("/Version extra"));
    ASSERT_TRUE(shell.WaitReady());
    EXPECT_TRUE(shell.Stop());
    EXPECT_EQ(shell.ExitCode(), 0u);
}

// The work area is the whole screen already (no task bar): the shell leaves
// it alone, and with it the minimized windows where they lie.
TEST_F(StartupTest, AWholeScreenWorkAreaIsLeftAlone) {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(EqualRect(&area, &screen));
    WindowThread windows;
    HWND minimized = windows.Create("Minimized here", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(minimized, &placement);
    placement.flags = WPF_SETMINPOSITION;
    placement.showCmd = SW_SHOWMINNOACTIVE;
    placement.ptMinPosition = {500, 300};
    ASSERT_TRUE(SetWindowPlacement(minimized, &placement));
    RECT before = {};
    GetWindowRect(minimized, &before);
    ShellProcess shell;
    ASSERT_TRUE(shell.Start());
    ASSERT_TRUE(shell.WaitReady());
    RECT after = {};
    GetWindowRect(minimized, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << before.left << "," << before.top << " became " << after.left << ","
                                            << after.top;
}

TEST_F(StartupTest, SecondInstanceIsRefusedAndFirstStaysUntouched) {
    ShellProcess first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitReady());
    HWND firstWindow = first.MainWindow();

    ShellProcess second;
    ASSERT_TRUE(second.Start());
    MessageBoxInfo box = WaitForMessageBox(second.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_EQ(box.text, "HOLM is already running");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(second.WaitExit(5000));
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_EQ(first.MainWindow(), firstWindow);
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(firstWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    EXPECT_TRUE(first.Stop());
    EXPECT_EQ(first.ExitCode(), 0u);
}

TEST_F(StartupTest, RedoHookWithoutAShellEndsQuietly) {
    ShellProcess redo;
    ASSERT_TRUE(redo.Start("/redo-hook"));
    ASSERT_TRUE(redo.WaitExit(5000));
    EXPECT_EQ(redo.ExitCode(), 0u);
    EXPECT_EQ(FindWindowA("HOLM", "HOLM"), nullptr);
}

// Starts a copy of holm.exe in a folder of its own, with `library` copied
// there as holm.dll (none when empty), and expects the library's failure
// message and an end with code 0.
void ExpectLibraryFailure(const std::string& library) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string dir = std::string(temp) + "holm-badlib";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string exe = dir + "\\holm.exe", dll = dir + "\\holm.dll";
    ASSERT_TRUE(CopyFileA((BinDir() + "\\holm.exe").c_str(), exe.c_str(), FALSE));
    DeleteFileA(dll.c_str());
    if (!library.empty()) {
        ASSERT_TRUE(CopyFileA((BinDir() + "\\" + library).c_str(), dll.c_str(), FALSE));
    }

    std::string command = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
    CloseHandle(pi.hThread);
    MessageBoxInfo box = WaitForMessageBox(pi.dwProcessId, 10000);
    EXPECT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_EQ(box.text, "Failed to LoadLibrary Holm.dll.  Echuta.");
    if (box.hwnd) AnswerMessageBox(box.hwnd, IDOK);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    DeleteFileA(exe.c_str());
    DeleteFileA(dll.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST_F(StartupTest, MissingLibraryIsReportedAndEndsWithCodeZero) { ExpectLibraryFailure(""); }

TEST_F(StartupTest, ALibraryWithoutOneOfItsFunctionsIsReportedAsMissing) { ExpectLibraryFailure("holm_partial.dll"); }

TEST_F(StartupTest, FirstRunWaitsForTheConfigurationProgram) {
    ResetHolmRegistry();
    ShellProcess shell;
    ASSERT_TRUE(shell.Start());
    HWND config = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (config = FindWindowA(nullptr, holm::kConfigTitle)) != nullptr; }, 15000));
    // The configuration program greets the new installation and reports
    // the defaults it created.
    DWORD configPid = 0;
    GetWindowThreadProcessId(config, &configPid);
    for (const char* caption : {"Setwise for HOLM v1.0: Welcome!", "Holm Configuration"}) {
        MessageBoxInfo box = WaitForMessageBox(configPid, 15000);
        ASSERT_NE(box.hwnd, nullptr) << caption;
        EXPECT_EQ(box.caption, caption);
        AnswerMessageBox(box.hwnd, IDOK);
        WaitFor([&] { return !IsWindow(box.hwnd); }, 5000);
    }
    Sleep(700);
    // The shell waits: its start-up has not finished while the window is up,
    // yet it answers other programs meanwhile.
    EXPECT_FALSE(shell.WaitReady(300));
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(shell.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer), 0)
        << "the waiting shell answers no messages";
    PostMessageA(config, WM_CLOSE, 0, 0);
    ASSERT_TRUE(shell.WaitReady(20000));
    EXPECT_EQ(FindWindowA(nullptr, holm::kConfigTitle), nullptr);
    // The menu shows what the configuration program set up.
    MenuSnapshot menu = ClickForMenu(shell, 400, 300);
    ASSERT_TRUE(menu.open);
    EXPECT_NE(menu.Find("My Computer"), nullptr);
    DismissMenus(shell.Pid());
    EXPECT_TRUE(shell.Stop());
}

TEST_F(StartupTest, CloseRunsTheTeardownAndEndsWithCodeZero) {
    StartShell();
    ASSERT_TRUE(shell_.Stop());
    EXPECT_EQ(shell_.ExitCode(), 0u);
    EXPECT_EQ(FindWindowA(holm::kTrayClass, holm::kTrayTitle), nullptr);
}

TEST_F(StartupTest, RunKeysRunOnlyWithTheStartupSwitch) {
    const char run[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string log = NewRecorderLog("holm-run-keys");
    WriteUserString(run, "holm test", "\"" + RecorderPath() + "\" " + log + " started");
    {
        ShellProcess shell;
        ASSERT_TRUE(shell.Start());
        ASSERT_TRUE(shell.WaitReady());
        Sleep(1000);
        EXPECT_TRUE(ReadRecorderLog(log).empty());
        EXPECT_TRUE(shell.Stop());
    }
    ShellProcess shell;
    ASSERT_TRUE(shell.Start("/startup"));
    ASSERT_TRUE(shell.WaitReady());
    EXPECT_EQ(WaitForRecords(log, 1).size(), 1u);
    EXPECT_TRUE(shell.Stop());
    DeleteUserTree(run);
}
