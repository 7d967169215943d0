// The cloak: the skin of the menus in the cloaked style. One set of drawing
// resources per process, made from the current cloak record and replaced as
// a whole by every load.
#pragma once
#include <windows.h>

namespace holm {

struct CloakLook {
    HFONT font = nullptr;
    HDC bitmapDC = nullptr;  // the background, selected into a screen-compatible DC
    int bitmapWidth = 0, bitmapHeight = 0;
    HPEN borderPen = nullptr;
    HICON submenuIcon = nullptr;
    COLORREF text = 0, disabledText = 0;
    HCURSOR arrow = nullptr, hide = nullptr, close = nullptr, kill = nullptr;
};

// Loads the current cloak with the options key open (null: the built-in
// look) and registers the menu window class. Never fails: whatever cannot
// be loaded falls back as the cloak rules say.
void LoadCloak(HKEY optionsKey);

// Opens the options key and loads the cloak again after a reload.
void ReloadCloak();

const CloakLook& CurrentCloak();

}  // namespace holm
