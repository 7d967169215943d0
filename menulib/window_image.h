// Images of Window List entries for one opening of the menu. The icons are
// borrowed (from the windows, their classes or the program-file cache) and
// never destroyed here; the bitmaps made from them for the plain style are
// owned, one per icon, and released with the menu.
#pragma once
#include <windows.h>

#include <map>

#include "menu_images.h"

namespace holm {

class WindowImages {
public:
    // The entry image of `icon` in the current style: the icon itself
    // (cloaked) or a bitmap made from it (plain); empty for no icon.
    MenuImageView ImageOf(HICON icon);
    void Release() { bitmaps_.clear(); }

private:
    std::map<HICON, UniqueBitmap> bitmaps_;
};

}  // namespace holm
