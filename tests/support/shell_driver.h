// Drives the real holm.exe from a test running in the same Wine desktop:
// starts and stops it, prepares its registry, sends real mouse and keyboard
// input, and reads the popup menus and message boxes it shows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace holmtest {

std::string BinDir();

// Registry set-up under HKEY_CURRENT_USER; keys are created as needed.
void DeleteUserTree(const char* path);
void ResetHolmRegistry();  // removes Software\Tarvel entirely
void WriteUserDword(const char* path, const char* name, DWORD value);
void WriteUserString(const char* path, const char* name, const std::string& value);
// A configuration the shell starts from without running the configuration
// program: options key with LCancelStr/RCancelStr and an Init Menu key.
void WriteMinimalConfiguration();

bool WaitFor(const std::function<bool()>& condition, int timeoutMs, int stepMs = 50);

class ShellProcess {
public:
    ShellProcess() = default;
    ShellProcess(const ShellProcess&) = delete;
    ShellProcess& operator=(const ShellProcess&) = delete;
    ~ShellProcess();

    // Starts bin\holm.exe with `arguments`; returns false when it did not start.
    bool Start(const std::string& arguments = "");
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
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Ends every holm.exe left over from an earlier test.
void KillStrayShells();

// Real input through SendInput.
void MoveMouse(int x, int y);
void MouseButton(int x, int y, bool right, bool down);
void Click(int x, int y, bool right = false);
void PressKey(WORD vk, bool shift = false, bool control = false, bool alt = false);

struct MenuEntry {
    int depth = 0;
    UINT id = 0;
    std::string flags;
    std::string text;
    bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
};

struct MenuSnapshot {
    bool open = false;
    RECT rect = {};
    std::vector<MenuEntry> entries;
    // Texts of the entries at `depth` (0: the root), separators as "-".
    std::vector<std::string> Texts(int depth = 0) const;
    // Entries of the submenu labelled `label` at depth 0.
    std::vector<MenuEntry> Submenu(const std::string& label) const;
    const MenuEntry* Find(const std::string& text) const;
};

// Waits for a popup menu of the process to be on screen and reads it.
MenuSnapshot WaitForMenu(const ShellProcess& shell, int timeoutMs = 5000);
bool MenuOpen(DWORD pid);
// Presses Escape until no menu of the process is on screen.
bool DismissMenus(DWORD pid, int timeoutMs = 3000);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
};

// Waits for a dialog box (#32770) of the process other than the splash.
MessageBoxInfo WaitForMessageBox(DWORD pid, int timeoutMs = 5000);
void AnswerMessageBox(HWND box, int buttonId);

// Finds a visible top-level window of the process with this title.
HWND FindProcessWindow(DWORD pid, const char* title);

}  // namespace holmtest
