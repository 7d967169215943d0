#include "tray_layout.h"

#include <algorithm>

namespace holm::tray {

namespace {

constexpr int kMargin = 2;  // the grid starts 2 pixels into the client area
constexpr int kSnapDistance = 5;

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

int StepX(const Metrics& m) { return m.cx + 2; }
int StepY(const Metrics& m) { return m.cy + 2; }

Size GridWindow(int columns, int rows, const Metrics& m) {
    return {m.frame + columns * StepX(m) + kMargin, m.frame + rows * StepY(m) + kMargin};
}

// A wanted size that does not fit on the screen becomes the largest grid
// that does: a long row wraps into rows, a tall column into columns.
Size FitOnScreen(Size wanted, int count, const Metrics& m, Size screen) {
    if (wanted.width <= screen.width && wanted.height <= screen.height) return wanted;
    const int maxColumns = std::max(1, (screen.width - m.frame - kMargin) / StepX(m));
    const int maxRows = std::max(1, (screen.height - m.frame - kMargin) / StepY(m));
    int columns, rows;
    if (wanted.width > screen.width) {
        columns = std::min(count, maxColumns);
        rows = CeilDiv(count, columns);
    } else {
        rows = std::min(count, maxRows);
        columns = CeilDiv(count, rows);
        rows = CeilDiv(count, columns);
    }
    return GridWindow(std::min(columns, maxColumns), std::min(rows, maxRows), m);
}

}  // namespace

int ColumnsFor(int count, int clientWidth, const Metrics& m) {
    return std::max(1, std::min(count, (clientWidth - kMargin) / StepX(m)));
}

int RowsFor(int count, int columns) { return count == 0 ? 1 : CeilDiv(count, std::max(1, columns)); }

Cell CellOf(int index, int columns, const Metrics& m) {
    columns = std::max(1, columns);
    const int left = kMargin + (index % columns) * StepX(m);
    const int top = kMargin + (index / columns) * StepY(m);
    return {left, top, left + m.cx, top + m.cy};
}

CellSpan CellsTouching(const Cell& area, int columns, int rows, const Metrics& m) {
    CellSpan span;
    span.firstRow = std::max(0, (area.top - kMargin) / StepY(m));
    span.lastRow = std::min(rows - 1, std::max(0, (area.bottom - kMargin) / StepY(m)));
    span.firstColumn = std::max(0, (area.left - kMargin) / StepX(m));
    span.lastColumn = std::min(columns - 1, std::max(0, (area.right - kMargin) / StepX(m)));
    return span;
}

int HitTest(unsigned x, unsigned y, int columns, int rows, int count, const Metrics& m) {
    // Signed arithmetic truncating toward zero: the 2-pixel margin counts
    // as part of the first row and column.
    const int dx = static_cast<int>(x) - kMargin, dy = static_cast<int>(y) - kMargin;
    if (dx % StepX(m) >= m.cx || dy % StepY(m) >= m.cy) return -1;
    const int column = dx / StepX(m), row = dy / StepY(m);
    if (column >= columns || row >= rows) return -1;
    const int index = row * columns + column;
    return index < count ? index : -1;
}

std::optional<Size> AutoSizeFor(int count, Size client, bool vertical, const Metrics& m, Size screen) {
    if (count == 0) {
        // An empty tray keeps one row's height and no width at all.
        const Size empty = {m.frame, m.frame + m.cy + 2};
        if (client == Size{empty.width - m.frame, empty.height - m.frame}) return std::nullopt;
        return empty;
    }
    const int columns = ColumnsFor(count, client.width, m);
    const int rows = RowsFor(count, columns);
    const Size needed = {columns * StepX(m) + kMargin, rows * StepY(m) + kMargin};
    if (needed == client) return std::nullopt;

    const int twoCells = 2 * StepY(m) + kMargin;
    Size wanted;
    if (vertical && client.width < twoCells)
        wanted = {m.frame + m.cx + 4, m.frame + count * StepY(m) + kMargin};
    else if (client.height < twoCells)
        wanted = {m.frame + count * StepX(m) + kMargin, m.frame + m.cy + 4};
    else
        wanted = {m.frame + needed.width, m.frame + needed.height};
    return FitOnScreen(wanted, count, m, screen);
}

Point DockedPosition(const Dock& dock, Cell window, Size screen) {
    const int width = window.right - window.left, height = window.bottom - window.top;
    Point p = {window.left, window.top};
    if (dock.x == 1) p.x = 0;
    if (dock.x == 2) p.x = screen.width - width;
    if (dock.y == 1) p.y = 0;
    if (dock.y == 2) p.y = screen.height - height;
    return p;
}

Dock DockAfterDrag(Cell window, Size screen) {
    Dock dock;
    if (window.top <= kSnapDistance)
        dock.y = 1;
    else if (window.bottom + kSnapDistance >= screen.height)
        dock.y = 2;
    if (window.left <= kSnapDistance)
        dock.x = 1;
    else if (window.right + kSnapDistance >= screen.width)
        dock.x = 2;
    return dock;
}

}  // namespace holm::tray
