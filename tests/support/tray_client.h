// A test program's side of the tray: notification messages in the Windows
// layout, icons that the shell's process can use, windows that own icons
// and record their callbacks, and reading the tray off the screen.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell_driver.h"
#include "tray_test_icons.h"

namespace holmtest {

constexpr DWORD kNimAdd = 0;
constexpr DWORD kNimModify = 1;
constexpr DWORD kNimDelete = 2;
constexpr UINT kNifMessage = 1;
constexpr UINT kNifIcon = 2;
constexpr UINT kNifTip = 4;

// What a program hands to Shell_NotifyIcon.
struct TrayIconData {
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callback = 0;
    HICON icon = nullptr;
    std::string tip;       // the ANSI form (cbSize 88) unless `wide`
    std::wstring wideTip;  // the wide form (cbSize 152)
    bool wide = false;
};

// The notification as the system would deliver it: {0, operation, record}.
std::vector<BYTE> NotificationBytes(DWORD operation, const TrayIconData& data);
// Sends one notification; false unless the tray answered TRUE in time.
bool SendTrayNotification(HWND tray, DWORD operation, const TrayIconData& data);
bool SendTrayBytes(HWND tray, ULONG_PTR copyDataId, const void* bytes, DWORD size, int timeoutMs = 10000);
// The tray's answer to a block, or nothing when it gave none in time.
std::optional<DWORD_PTR> TrayAnswer(HWND tray, ULONG_PTR copyDataId, const void* bytes, DWORD size,
                                    int timeoutMs = 10000);

// The tray on screen, and the window that senders find (where they send).
HWND ShellTray();
HWND NotificationTarget();

// Icons made inside the shell's process, in colours TestIconColour(first + i).
std::vector<HICON> MakeShellIcons(const ShellProcess& shell, int count, int firstColour);
// The mean time of a full repaint of the tray, measured inside the shell.
double TrayPaintMicroseconds(const ShellProcess& shell, int repetitions);

// Screen point in the middle of the tray's grid cell at list index `index`.
POINT CellCentre(HWND tray, int index, int columns);
COLORREF ScreenPixel(POINT p);
// Waits until the cell shows `colour`.
bool WaitForCellColour(HWND tray, int index, int columns, COLORREF colour, int timeoutMs = 3000);
SIZE ClientSizeOf(HWND hwnd);
bool WaitForClientSize(HWND hwnd, int width, int height, int timeoutMs = 3000);

// Text of a visible tooltip window of process `pid`, or "".
std::string ShownTooltip(DWORD pid);
// Points at the icon in `index` with real mouse moves and lets the pointer
// rest there until the tooltip of the shell (process `pid`) shows; its text.
std::string HoverTrayTip(HWND tray, DWORD pid, int index, int columns);

// Handles the test's own posted and sent messages for a while.
void PumpMessages(int ms);

// A window of the test that owns tray icons and records what is posted to it.
class IconOwner {
public:
    struct Event {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    IconOwner();
    IconOwner(const IconOwner&) = delete;
    IconOwner& operator=(const IconOwner&) = delete;
    ~IconOwner();

    HWND Get() const { return window_; }
    void Destroy();
    const std::vector<Event>& Events() const;
    void Clear();
    // Pumps messages until an event matches.
    bool WaitForEvent(const std::function<bool(const Event&)>& match, int timeoutMs = 3000);
    bool Saw(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    HWND window_ = nullptr;
};

// Starts bin\tray_owner.exe, which puts one icon (handle valid in the
// shell) with this id and tip into the tray and then waits to be ended.
HANDLE StartTrayOwner(HICON icon, UINT id, const std::string& tip);

}  // namespace holmtest
