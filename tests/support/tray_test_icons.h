// Icons that tray tests put into the shell's tray: solid squares in colours
// clear of the tray's background and of each other, so that a cell's colour
// on screen tells which icon lies there.
#pragma once
#include <windows.h>

namespace holmtest {

inline COLORREF TestIconColour(int k) {
    static const COLORREF kColours[] = {RGB(255, 0, 0),   RGB(0, 200, 0),     RGB(255, 255, 0),   RGB(255, 0, 255),
                                        RGB(0, 255, 255), RGB(255, 128, 0),   RGB(128, 0, 255),   RGB(255, 255, 255),
                                        RGB(0, 0, 0),     RGB(128, 255, 128), RGB(200, 100, 100), RGB(100, 100, 200)};
    const int n = static_cast<int>(sizeof(kColours) / sizeof(kColours[0]));
    return kColours[((k % n) + n) % n];
}

// An opaque icon of one colour, made in the calling process.
inline HICON SolidIcon(COLORREF colour, int size) {
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, size, size, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(image);
    DeleteObject(mask);
    return icon;
}

}  // namespace holmtest
