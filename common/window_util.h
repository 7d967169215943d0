// Window placement fixes and small display helpers.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// Moves `hwnd` so that it lies wholly on the screen.
void KeepOnScreen(HWND hwnd);

// Moves `hwnd` back when it lies wholly off the screen; a window that is at
// least partly visible stays where it is.
void BringBackOnScreen(HWND hwnd);

// SetForegroundWindow for a window of another program. Under Wine the X
// input focus (and with it the real keyboard) follows only when that program
// asks for it with a time later than the last focus change, and it asks with
// the time of the last message it took: a message posted to it first brings
// that time up to now.
void GiveForeground(HWND window);

// Waits up to `ms` for `handle` (none when null) while the calling
// thread's windows go on painting and answering messages sent to them.
// Posted messages stay queued for the message loop. True when `handle`
// was signalled.
bool WaitKeepingWindowsAlive(HANDLE handle, DWORD ms);

// The whole text of a window or control.
std::string WindowText(HWND hwnd);

// The top-level window that holds `hwnd` (itself when it is one); what
// GetAncestor(GA_ROOT) gives from Windows 98 and 2000 on.
HWND TopLevelWindow(HWND hwnd);

// Asks for WM_MOUSELEAVE when the pointer leaves `hwnd`: user32's
// TrackMouseEvent, or comctl32's _TrackMouseEvent (Windows 95 with Internet
// Explorer 3 or later). False where neither exists.
bool TrackMouseLeave(HWND hwnd);

// Bits per pixel of the window's device context.
int ColourDepth(HWND hwnd);

// Loads a bitmap file at its natural size; null on failure.
HBITMAP BitmapFromFile(const char* path);

}  // namespace holm
