#include "window_util.h"

#include "win_handles.h"

namespace holm {

namespace {

void MoveBy(HWND hwnd, const RECT& rc, int left, int top) {
    if (left == rc.left && top == rc.top) return;
    SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

void KeepOnScreen(HWND hwnd) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT rc;
    if (!GetWindowRect(hwnd, &rc)) return;
    if (rc.top < 0)
        MoveBy(hwnd, rc, rc.left, 0);
    else if (rc.bottom >= cy)
        MoveBy(hwnd, rc, rc.left, cy - (rc.bottom - rc.top));
    if (!GetWindowRect(hwnd, &rc)) return;
    if (rc.left < 0)
        MoveBy(hwnd, rc, 0, rc.top);
    else if (rc.right >= cx)
        MoveBy(hwnd, rc, cx - (rc.right - rc.left), rc.top);
}

void BringBackOnScreen(HWND hwnd) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT rc;
    if (!GetWindowRect(hwnd, &rc)) return;
    if (rc.bottom < 0)
        MoveBy(hwnd, rc, rc.left, 0);
    else if (rc.top >= cy)
        MoveBy(hwnd, rc, rc.left, cy - (rc.bottom - rc.top));
    if (!GetWindowRect(hwnd, &rc)) return;
    if (rc.right < 0)
        MoveBy(hwnd, rc, 0, rc.top);
    else if (rc.left >= cx)
        MoveBy(hwnd, rc, cx - (rc.right - rc.left), rc.top);
}

int ColourDepth(HWND hwnd) {
    WindowDC dc(hwnd, true);
    return dc.Get() ? GetDeviceCaps(dc.Get(), BITSPIXEL) : 0;
}

HBITMAP BitmapFromFile(const char* path) {
    return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace holm
