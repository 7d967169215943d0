// Images of Window List entries, made from the windows' own icons. The icons
// belong to the windows or their classes and are never destroyed here; only
// the bitmaps made for the plain style are owned.
#pragma once
#include <windows.h>

#include "menu_images.h"

namespace holm {

// The window's small icon, else its big icon, else its class's small icon,
// else its class icon; null when it has none. A window that does not answer
// within 5 ms is not waited for.
HICON BorrowWindowIcon(HWND window);

// The entry image of a window in the current style: its icon, borrowed
// (cloaked), or a bitmap made from it, owned (plain).
struct WindowImage {
    HICON borrowedIcon = nullptr;
    UniqueBitmap bitmap;
    MenuImageView View() const { return {borrowedIcon, bitmap.Get()}; }
};

// Empty when the window has no icon.
WindowImage MakeWindowImage(HWND window);

}  // namespace holm
