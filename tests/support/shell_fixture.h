// The fixture of the end-to-end tests: each test starts from a fresh
// registry with the configuration users have after setup (tray shown),
// starts the real holm.exe and its helper programs, opens and reads the
// menus on screen, and leaves no shell, menu or helper behind.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_driver.h"
#include "test_ids.h"

namespace holmtest {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts holm.exe with `arguments` and waits until it takes input.
    void StartShell(const std::string& arguments = "");
    // Closes the shell the orderly way and starts it again.
    void RestartShell();

    // Clicks at (x, y), waiting out the double-click time since the last
    // press of that button (it would make a double click), and reads the
    // menu that opens; `open` is false when none did.
    MenuSnapshot OpenMenu(int x, int y, bool right = false, int timeoutMs = 5000);
    MenuSnapshot OpenInitMenu(int x = 400, int y = 300) { return OpenMenu(x, y, false); }
    MenuSnapshot OpenWindowList(int x = 400, int y = 300) { return OpenMenu(x, y, true); }
    // Closes the menus on screen (asserting they close).
    void Dismiss();
    // Selects the entry of `path` in the open menu with the arrow keys and
    // presses Enter; false when the menu has no such entry.
    bool Choose(const MenuSnapshot& menu, const std::vector<std::string>& path);

    // Waits for a message box of the shell, checks its caption (unless
    // null) and text, answers it with `button` and waits until it closes.
    // False (and a failure) when none came.
    bool ExpectMessage(const char* caption, const std::string& text, int button = IDOK, int timeoutMs = 15000);

    // Starts bin\<exe>; ended at the end of the test. Null on failure.
    HANDLE StartHelper(const char* exe, const std::string& arguments = "", DWORD* pid = nullptr);
    // The same for a program of the Windows directory (notepad.exe, say).
    HANDLE StartWindowsProgram(const char* exe, DWORD* pid = nullptr);
    // Starts bin\window_owner.exe with one window titled `title` and waits
    // for the window; ended at the end of the test. Null on failure.
    HANDLE StartWindowOwnerShowing(const std::string& title, DWORD* pid = nullptr);

    // Puts a real program in front, as users have it when they click the
    // desktop: starts `command` (ended at the end of the test), waits for its
    // window titled `title`, makes it the foreground window and waits until
    // the keyboard focus is in its edit control. Returns the program's
    // process id, 0 on failure.
    DWORD PutInFront(const std::string& command, const char* title);
    DWORD PutNotepadInFront() { return PutInFront("notepad.exe", "Untitled - Notepad"); }
    // bin\window_owner.exe with its window filled by an edit control.
    DWORD PutEditorInFront(const std::string& title);

    // Sends the shell the reload command and waits until it has taken it.
    bool Reload(int timeoutMs = 20000);

    // The shell's tray window once it is there, or null.
    HWND WaitForTray(int timeoutMs = 5000) const;

    ShellProcess shell_;

private:
    std::vector<HANDLE> helpers_;
};

}  // namespace holmtest
