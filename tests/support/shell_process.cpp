#include "shell_process.h"

#include <tlhelp32.h>

#include <cstring>
#include <utility>

#include "holm_names.h"
#include "screen_dialogs.h"

namespace holmtest {

std::string BinDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = '\0';
    return path;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs, int stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(stepMs);
    }
}

// Starts COMMAND with DIR as its current folder.
HANDLE StartCommandLineIn(const std::string& dir, std::string command, DWORD* pid, HANDLE token);

HANDLE StartBinProgram(const char* exe, const std::string& arguments, DWORD* pid, HANDLE token) {
    return StartProgramIn(BinDir(), exe, arguments, pid, token);
}

HANDLE StartProgramIn(const std::string& dir, const char* exe, const std::string& arguments, DWORD* pid,
                      HANDLE token) {
    std::string command = "\"" + dir + "\\" + exe + "\"";
    if (!arguments.empty()) command += " " + arguments;
    return StartCommandLineIn(dir, command, pid, token);
}

HANDLE StartCommandLine(std::string command, DWORD* pid, HANDLE token) {
    return StartCommandLineIn(BinDir(), std::move(command), pid, token);
}

HANDLE StartCommandLineIn(const std::string& dir, std::string command, DWORD* pid, HANDLE token) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL started =
        token ? CreateProcessAsUserA(token, nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                                     &pi)
              : CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi);
    if (!started) return nullptr;
    CloseHandle(pi.hThread);
    if (pid) *pid = pi.dwProcessId;
    return pi.hProcess;
}

HANDLE StartWindowOwner(const std::string& title, DWORD* pid) { return StartBinProgram("window_owner.exe", title, pid); }

ShellProcess::~ShellProcess() {
    if (!process_) return;
    if (Running()) {
        if (!Stop(5000)) TerminateProcess(process_, 1);
    }
    CloseHandle(process_);
}

void ShellProcess::Forget() {
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

bool ShellProcess::Start(const std::string& arguments) {
    Forget();
    process_ = StartBinProgram("holm.exe", arguments, &pid_);
    return process_ != nullptr;
}

bool ShellProcess::StartWithoutShutdownPrivilege() {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own)) return false;
    LUID_AND_ATTRIBUTES removed = {};
    HANDLE restricted = nullptr;
    const bool made = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &removed.Luid) &&
                      CreateRestrictedToken(own, 0, 0, nullptr, 1, &removed, 0, nullptr, &restricted);
    CloseHandle(own);
    if (!made) return false;
    Forget();
    process_ = StartBinProgram("holm.exe", "", &pid_, restricted);
    CloseHandle(restricted);
    return process_ != nullptr;
}

HWND ShellProcess::MainWindow() const {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, holm::kShellClass, holm::kShellTitle)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == pid_) return hwnd;
    }
    return nullptr;
}

DWORD ShellProcess::MainThread() const {
    HWND hwnd = MainWindow();
    return hwnd ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
}

bool ShellProcess::WaitReady(int timeoutMs) {
    // The "&Hide me" button is made near the end of the start-up, and the
    // splash closes after the start-up has finished.
    const auto ready = [this] {
        HWND main = MainWindow();
        return main && GetDlgItem(main, holm::kCmdHideMe) && !SplashOf(pid_);
    };
    return WaitFor([&] { return !Running() || ready(); }, timeoutMs) && Running();
}

bool ShellProcess::Stop(int timeoutMs) {
    HWND hwnd = MainWindow();
    if (hwnd) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

bool ShellProcess::WaitExit(int timeoutMs) {
    return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ShellProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

bool ShellProcess::Running() const { return process_ && ExitCode() == STILL_ACTIVE; }

void KillStrayShells() {
    // Ask first, so that the shell's teardown removes its hook and hotkeys.
    for (HWND hwnd; (hwnd = FindWindowA(holm::kShellClass, holm::kShellTitle)) != nullptr;) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        if (!WaitFor([hwnd] { return !IsWindow(hwnd); }, 3000)) break;
    }
    for (const char* exe : {"holm.exe", holm::kConfigProgram}) {
        for (DWORD pid : ProcessesNamed(exe)) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!process) continue;
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

std::set<DWORD> ProcessesNamed(const char* exe) {
    std::set<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exe) == 0) pids.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return pids;
}

bool PostHotkey(const ShellProcess& shell, int id) {
    HWND hwnd = shell.MainWindow();
    return hwnd && PostMessageA(hwnd, WM_HOTKEY, static_cast<WPARAM>(id), 0);
}

bool PostCommand(const ShellProcess& shell, int id) {
    HWND hwnd = shell.MainWindow();
    return hwnd && PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

}  // namespace holmtest
