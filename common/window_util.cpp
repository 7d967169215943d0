#include "window_util.h"

#include "geometry.h"
#include "proc_address.h"
#include "win_handles.h"

namespace holm {

namespace {

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Moves the window so that its rectangle becomes what `place` makes of it.
template <typename Rule>
void Replace(HWND hwnd, Rule place) {
    RECT rc;
    if (!GetWindowRect(hwnd, &rc)) return;
    const Rect now = {rc.left, rc.top, rc.right, rc.bottom};
    const Rect placed = place(now, ScreenSize());
    if (placed == now) return;
    SetWindowPos(hwnd, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

void KeepOnScreen(HWND hwnd) {
    Replace(hwnd, [](const Rect& r, Size screen) { return KeepOnScreen(r, screen); });
}

void BringBackOnScreen(HWND hwnd) {
    Replace(hwnd, [](const Rect& r, Size screen) { return BringBackOnScreen(r, screen); });
}

HWND TopLevelWindow(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

bool TrackMouseLeave(HWND hwnd) {
    using TrackProc = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    auto track = LoadedProc<TrackProc>("user32.dll", "TrackMouseEvent");
    if (!track) track = LoadedProc<TrackProc>("comctl32.dll", "_TrackMouseEvent");
    TRACKMOUSEEVENT request = {sizeof(request), TME_LEAVE, hwnd, 0};
    return track && track(&request);
}

int ColourDepth(HWND hwnd) {
    WindowDC dc(hwnd, true);
    return dc.Get() ? GetDeviceCaps(dc.Get(), BITSPIXEL) : 0;
}

HBITMAP BitmapFromFile(const char* path) {
    return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int read = GetWindowTextA(hwnd, &text[0], length + 1);
    text.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    return text;
}

namespace {

// Answers the messages other threads sent and paints what needs it. A
// window that never validates its area is painted again and again, so a
// round takes a bounded number of paints.
void PaintAndAnswer() {
    constexpr int kPaintsPerRound = 64;
    MSG message;
    for (int i = 0; i < kPaintsPerRound && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageA(&message);
}

}  // namespace

bool WaitKeepingWindowsAlive(HANDLE handle, DWORD ms) {
    const DWORD start = GetTickCount();
    const DWORD count = handle ? 1 : 0;
    for (;;) {
        // Also what was already in the queue before the wait: the wait
        // itself wakes only for what arrives later.
        PaintAndAnswer();
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return false;
        const DWORD result = MsgWaitForMultipleObjects(count, &handle, FALSE, ms - spent, QS_PAINT | QS_SENDMESSAGE);
        if (count && result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + count) return false;
    }
}

void GiveForeground(HWND window) {
    constexpr DWORD kTakeMessageMs = 50;
    PostMessageA(window, WM_NULL, 0, 0);
    Sleep(kTakeMessageMs);
    SetForegroundWindow(window);
}

}  // namespace holm
