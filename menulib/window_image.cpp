#include "window_image.h"

#include "library_state.h"

namespace holm {

namespace {

constexpr UINT kIconTimeoutMs = 5;

HICON AskWindowForIcon(HWND window, WPARAM which) {
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutA(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kIconTimeoutMs, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

HICON ClassIcon(HWND window, int which) { return reinterpret_cast<HICON>(GetClassLongPtrA(window, which)); }

}  // namespace

HICON BorrowWindowIcon(HWND window) {
    if (HICON icon = AskWindowForIcon(window, ICON_SMALL)) return icon;
    if (HICON icon = AskWindowForIcon(window, ICON_BIG)) return icon;
    if (HICON icon = ClassIcon(window, GCLP_HICONSM)) return icon;
    return ClassIcon(window, GCLP_HICON);
}

WindowImage MakeWindowImage(HWND window) {
    WindowImage image;
    HICON icon = BorrowWindowIcon(window);
    if (!icon) return image;
    if (g_lib.Cloaked())
        image.borrowedIcon = icon;
    else
        image.bitmap = IconToMenuBitmap(icon);
    return image;
}

}  // namespace holm
