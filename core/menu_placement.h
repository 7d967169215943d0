// Where the two desktop menus open for a click on the desktop. Pure logic:
// no Windows headers.
#pragma once
#include "geometry.h"

namespace holm {

// The menu's right edge lies this far right of the pointer and its top this
// far above it.
constexpr int kMenuOffsetX = 10;
constexpr int kMenuOffsetY = 10;

// The top right corner of a menu opened by a click at `click`.
Point MenuAnchor(Point click);

// The point handed to the system's right-aligned popup menu: the anchor,
// but never right of the screen's right edge.
Point PlainMenuAnchor(Point click, int screenWidth);

// A menu of `size` whose top right corner is at `anchor`.
Rect RightAlignedAt(Point anchor, Size size);

}  // namespace holm
