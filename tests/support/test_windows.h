// Windows that tests make themselves, for the shell to list, activate,
// close and hide, and to receive the input the shell passes on.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace holmtest {

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

}  // namespace holmtest
