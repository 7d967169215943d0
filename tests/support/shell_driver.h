// Drives the real holm.exe from a test running in the same Wine desktop:
// starts and stops it, prepares its registry, sends real mouse and keyboard
// input, and reads the popup menus and message boxes it shows.
#pragma once
#include <windows.h>

#include <functional>
#include <set>
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
// program: options key with LCancelStr/RCancelStr and an Init Menu key, and
// the tray shown, as users have it.
void WriteMinimalConfiguration();
// What the first run of the configuration program writes for the menus:
// UseCustomMenus on, Cloak "Default" and the record Default.
void WriteDefaultCloak();
// A cloak record with all twelve values; empty paths where none is given.
struct CloakValues {
    std::string background, submenuIcon, hideCursor, closeCursor, killCursor;
    std::string font = "MS Sans Serif";
    DWORD bold = 0, italics = 0, underline = 0;
    std::string text = "255 255 255", disabledText = "175 175 175", border = "255 255 255";
};
void WriteCloakRecord(const std::string& name, const CloakValues& values);

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
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Ends every holm.exe left over from an earlier test.
void KillStrayShells();

// The ids of the running processes whose file name is `exe` (case ignored).
std::set<DWORD> ProcessesNamed(const char* exe);

// Real input through SendInput.
void MoveMouse(int x, int y);
void MouseButton(int x, int y, bool right, bool down);
void Click(int x, int y, bool right = false);
void MiddleClick(int x, int y);

// A topmost window of the calling thread that records the mouse button
// messages it gets, client and non-client.
class ButtonTarget {
public:
    ButtonTarget(int x, int y, int width, int height);
    ButtonTarget(const ButtonTarget&) = delete;
    ButtonTarget& operator=(const ButtonTarget&) = delete;
    ~ButtonTarget();
    HWND Get() const { return window_; }
    // Handles messages for `pumpMs`, then hands over what came so far.
    std::vector<UINT> Take(int pumpMs);

private:
    HWND window_ = nullptr;
};
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
    // Cloaked menus (windows of class HolmMenu): the open level windows,
    // root first, and the pointer shown and the menu class cursor ("arrow",
    // "hide", "close", "kill", "other").
    bool cloaked = false;
    std::vector<RECT> levels;
    std::string cursor, classCursor;
    std::vector<MenuEntry> entries;
    // Texts of the entries at `depth` (0: the root), separators as "-".
    std::vector<std::string> Texts(int depth = 0) const;
    // Entries of the submenu labelled `label` at depth 0.
    std::vector<MenuEntry> Submenu(const std::string& label) const;
    const MenuEntry* Find(const std::string& text) const;
};

// Waits for a popup menu of the process (plain or cloaked) to be on screen
// and reads it.
MenuSnapshot WaitForMenu(const ShellProcess& shell, int timeoutMs = 5000);
// Clicks at (x, y) until a menu opens: a shell still busy (starting a
// program, reloading) does not take a click. Never clicks twice within the
// double-click time.
MenuSnapshot ClickForMenu(const ShellProcess& shell, int x, int y, bool right = false, int attempts = 6);
// Removes the shell's mouse hook from inside the shell, as if the system had
// dropped it.
bool DropMouseHook(const ShellProcess& shell);
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

// Finds a top-level window of the process with this title.
HWND FindProcessWindow(DWORD pid, const char* title);

// Holding keys while the shell takes a command.
void KeyDown(WORD vk);
void KeyUp(WORD vk);

// Holds Shift and/or Ctrl from construction to destruction.
class HeldModifiers {
public:
    HeldModifiers(bool shift, bool control);
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;
    ~HeldModifiers();

private:
    bool shift_, control_;
};

// Holds Shift and/or Ctrl as real key presses on the X display, through the
// helper that tests/e2e/with-x-keys.sh runs beside the test. Wine drops
// keys held with SendInput when one of its windows takes the focus (it
// re-reads the keyboard from X); these stay held.
class XModifiers {
public:
    XModifiers(bool shift, bool control);
    XModifiers(const XModifiers&) = delete;
    XModifiers& operator=(const XModifiers&) = delete;
    ~XModifiers();
    // Whether the helper runs and answers.
    static bool Available();

private:
    bool shift_, control_;
};

// The entries directly under the entry that `path` names by its labels from
// the root (an empty path: the root itself), in menu order.
std::vector<MenuEntry> MenuLevel(const MenuSnapshot& menu, const std::vector<std::string>& path);

// Selects the entry that `path` names in the open menu with the arrow keys,
// opening the submenus on the way (separators are skipped by the menu, so
// they are not counted). Returns false when `menu` has no such entry. Enter
// (or Escape) is left to the caller.
bool SelectMenuEntry(const MenuSnapshot& menu, const std::vector<std::string>& path);

// Where the entry with this text lies on screen (first match over the open
// menus of the shell); false when no open menu shows it.
bool MenuEntryRect(const ShellProcess& shell, const std::string& text, RECT* rect);
// Clicks the middle of that entry with the left button.
bool ClickMenuEntry(const ShellProcess& shell, const std::string& text);

// Top-level test windows owned by a thread of their own that keeps pumping
// messages, so that the shell can activate, close and hide them while the
// test waits.
class WindowThread {
public:
    WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;
    ~WindowThread();  // destroys its windows and ends the thread

    // A 200x100 window at (x, y). `withIcon` gives its class the system's
    // application icon; without it the window has no icon at all.
    HWND Create(const std::string& title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD exStyle = 0,
                bool withIcon = true, int x = 40, int y = 40);

private:
    static DWORD WINAPI Run(LPVOID self);
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    HWND control_ = nullptr;
};

// A titled top-level window whose thread stops taking messages as soon as
// the window exists: a hung application, as another process sees it (in this
// process even GetWindowText on it would wait).
class HungWindow {
public:
    explicit HungWindow(const std::string& title);
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;
    ~HungWindow();  // lets the thread go on, destroys the window
    HWND Get() const { return window_; }

private:
    static DWORD WINAPI Run(LPVOID self);
    std::string title_;
    HANDLE thread_ = nullptr;
    HANDLE created_ = nullptr;
    HANDLE release_ = nullptr;
    HWND window_ = nullptr;
};

// Starts bin\window_owner.exe showing one window titled `title`; the
// process handle is the caller's to close. Null on failure.
HANDLE StartWindowOwner(const std::string& title, DWORD* pid = nullptr);

// The first top-level window of process `pid`, visible or not, with this title.
HWND FindProcessWindowAny(DWORD pid, const char* title);

// Posts WM_HOTKEY or WM_COMMAND to the shell main window as the system or
// the configuration program would.
bool PostHotkey(const ShellProcess& shell, int id);
bool PostCommand(const ShellProcess& shell, int id);

// Every dialog box (#32770) of the process on screen, splash excluded.
std::vector<MessageBoxInfo> DialogsOf(DWORD pid);

// Text of every child window of `dialog`, in z-order.
std::vector<std::string> ChildTexts(HWND dialog);

}  // namespace holmtest
