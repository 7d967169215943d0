// Reading the dialog boxes and windows a program shows, and answering them,
// from a test in the same Wine desktop.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace holmtest {

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
};

// Waits for a dialog box (#32770) of the process other than the splash.
MessageBoxInfo WaitForMessageBox(DWORD pid, int timeoutMs = 5000);
void AnswerMessageBox(HWND box, int buttonId);

// Every dialog box (#32770) of the process on screen, splash excluded.
std::vector<MessageBoxInfo> DialogsOf(DWORD pid);
// The shell's splash on screen, or null.
HWND SplashOf(DWORD pid);

// Text of every child window of `dialog`, in z-order.
std::vector<std::string> ChildTexts(HWND dialog);

// The first top-level window of process `pid`, visible or not, with this title.
HWND FindProcessWindow(DWORD pid, const char* title);

// The first visible top-level window of process `pid` of class `cls` with
// title `title`; a null class or title matches any.
HWND FindVisibleWindow(DWORD pid, const char* cls, const char* title);

}  // namespace holmtest
