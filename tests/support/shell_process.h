// Starting and stopping the real holm.exe and the test's helper programs
// from a test running in the same Wine desktop, and the state of the
// prefix's processes between tests.
#pragma once
#include <windows.h>

#include <functional>
#include <set>
#include <string>

namespace holmtest {

// The folder of the test program, where holm.exe and the helpers are built.
std::string BinDir();

bool WaitFor(const std::function<bool()>& condition, int timeoutMs, int stepMs = 50);

class ShellProcess {
public:
    ShellProcess() = default;
    ShellProcess(const ShellProcess&) = delete;
    ShellProcess& operator=(const ShellProcess&) = delete;
    ~ShellProcess();

    // Starts bin\holm.exe with `arguments`; returns false when it did not start.
    bool Start(const std::string& arguments = "");
    // Starts bin\holm.exe with a token that lacks the shut-down privilege.
    bool StartWithoutShutdownPrivilege();
    // Waits for the shell main window and for the splash to close.
    bool WaitReady(int timeoutMs = 20000);
    // Asks the shell to close (WM_CLOSE: the orderly teardown) and waits.
    bool Stop(int timeoutMs = 10000);
    bool WaitExit(int timeoutMs);
    DWORD ExitCode() const;
    bool Running() const;

    DWORD Pid() const { return pid_; }
    HWND MainWindow() const;
    DWORD MainThread() const;

private:
    void Forget();  // lets go of an earlier process
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Ends every holm.exe and HolmCfg.exe left over from an earlier test.
void KillStrayShells();

// The ids of the running processes whose file name is `exe` (case ignored).
std::set<DWORD> ProcessesNamed(const char* exe);

// Starts bin\<exe> with `arguments` in the bin folder, with `token` when
// one is given; the process handle is the caller's to close. Null on failure.
HANDLE StartBinProgram(const char* exe, const std::string& arguments, DWORD* pid = nullptr, HANDLE token = nullptr);
// The same for <dir>\<exe>, started in `dir`.
HANDLE StartProgramIn(const std::string& dir, const char* exe, const std::string& arguments, DWORD* pid = nullptr,
                      HANDLE token = nullptr);

// Starts `command` (a program of the system, such as "notepad.exe", or a
// quoted path with arguments) in the bin folder; otherwise as StartBinProgram.
HANDLE StartCommandLine(std::string command, DWORD* pid = nullptr, HANDLE token = nullptr);

// Starts bin\window_owner.exe showing one window titled `title`; the
// process handle is the caller's to close. Null on failure.
HANDLE StartWindowOwner(const std::string& title, DWORD* pid = nullptr);

// Posts WM_HOTKEY or WM_COMMAND to the shell main window as the system or
// the configuration program would.
bool PostHotkey(const ShellProcess& shell, int id);
bool PostCommand(const ShellProcess& shell, int id);

}  // namespace holmtest
