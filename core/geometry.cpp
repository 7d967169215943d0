#include "geometry.h"

namespace holm {

Rect MovedTo(const Rect& r, int left, int top) {
    return {left, top, left + r.Width(), top + r.Height()};
}

Rect KeepOnScreen(const Rect& window, Size screen) {
    Rect r = window;
    if (r.top < 0)
        r = MovedTo(r, r.left, 0);
    else if (r.bottom >= screen.height)
        r = MovedTo(r, r.left, screen.height - r.Height());
    if (r.left < 0)
        r = MovedTo(r, 0, r.top);
    else if (r.right >= screen.width)
        r = MovedTo(r, screen.width - r.Width(), r.top);
    return r;
}

Rect BringBackOnScreen(const Rect& window, Size screen) {
    // Right and bottom edges are exclusive: a window that ends at 0 shows
    // nothing.
    Rect r = window;
    if (r.bottom <= 0)
        r = MovedTo(r, r.left, 0);
    else if (r.top >= screen.height)
        r = MovedTo(r, r.left, screen.height - r.Height());
    if (r.right <= 0)
        r = MovedTo(r, 0, r.top);
    else if (r.left >= screen.width)
        r = MovedTo(r, screen.width - r.Width(), r.top);
    return r;
}

Point PlaceInsideArea(Point wanted, Size size, const Rect& area) {
    Point p = wanted;
    if (p.x + size.width > area.right) p.x = area.right - size.width;
    if (p.y + size.height > area.bottom) p.y = area.bottom - size.height;
    if (p.x < area.left) p.x = area.left;
    if (p.y < area.top) p.y = area.top;
    return p;
}

}  // namespace holm
