// Points, sizes and rectangles on the screen, and the rules that keep a
// window on the screen or inside the work area. Pure logic: no Windows
// headers.
#pragma once

namespace holm {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The same rectangle with its top left corner at (left, top).
Rect MovedTo(const Rect& r, int left, int top);

// Wholly on a screen of this size: a top above the screen comes down to 0,
// else a bottom at or past the screen's height comes up to end there; then
// the same with the left edge and the width.
Rect KeepOnScreen(const Rect& window, Size screen);

// Moved back only when it lies wholly off the screen: above it to the top
// edge, below it to the bottom edge; then the same sideways. A window that
// can be seen at all stays where it is.
Rect BringBackOnScreen(const Rect& window, Size screen);

// The top left corner for a window of `size` asked for at `wanted`, moved
// up and left as far as needed to end inside `area`, and then right and
// down to begin inside it: a window larger than the area shows its top
// left part.
Point PlaceInsideArea(Point wanted, Size size, const Rect& area);

}  // namespace holm
