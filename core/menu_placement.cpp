#include "menu_placement.h"

namespace holm {

Point MenuAnchor(Point click) { return {click.x + kMenuOffsetX, click.y - kMenuOffsetY}; }

Point PlainMenuAnchor(Point click, int screenWidth) {
    Point anchor = MenuAnchor(click);
    if (anchor.x > screenWidth) anchor.x = screenWidth;
    return anchor;
}

Rect RightAlignedAt(Point anchor, Size size) {
    return {anchor.x - size.width, anchor.y, anchor.x, anchor.y + size.height};
}

}  // namespace holm
