// The tray's geometry: the grid of icon cells, the hit test, the size that
// auto-size settles on, and where docking and snapping put the window.
#pragma once
#include <optional>

#include "geometry.h"

namespace holm::tray {

// The icon size and the frame allowance that auto-size adds to the client
// size, read once at start-up.
struct Metrics {
    int cx;     // small-icon width
    int cy;     // small-icon height
    int frame;  // window size minus client size, both ways
};

using Size = holm::Size;
using Cell = holm::Rect;

// Columns for `count` icons in a client area `clientWidth` wide: at least
// one, at most as many as fit or as there are icons.
int ColumnsFor(int count, int clientWidth, const Metrics& m);
int RowsFor(int count, int columns);

// The cell of list index `index`, filled row by row.
Cell CellOf(int index, int columns, const Metrics& m);

// The rows and columns of the grid that an area of the client touches
// (with a cell to spare at the edges); none when last < first.
struct CellSpan {
    int firstRow, lastRow, firstColumn, lastColumn;
};
CellSpan CellsTouching(const Cell& area, int columns, int rows, const Metrics& m);

// The list index under client point (x, y), or -1.
int HitTest(unsigned x, unsigned y, int columns, int rows, int count, const Metrics& m);

// The window size that fits `count` icons, given the client size now and
// the growth direction; nothing when the client area already fits. The
// size never exceeds `screen`: a row or column that would run off the
// screen wraps, and icons beyond a full screen are not shown.
std::optional<Size> AutoSizeFor(int count, Size client, bool vertical, const Metrics& m, Size screen);

// Docking: 0 free; X 1 left, 2 right; Y 1 top, 2 bottom.
struct Dock {
    int x = 0;
    int y = 0;
};

using Point = holm::Point;

// Where a docked window of this rectangle belongs on the screen.
Point DockedPosition(const Dock& dock, Cell window, Size screen);

// The docking a window gets when a drag leaves it at `window`: an edge
// within 5 pixels of the screen's edge snaps to it.
Dock DockAfterDrag(Cell window, Size screen);

}  // namespace holm::tray
