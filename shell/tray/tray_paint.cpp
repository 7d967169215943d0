// Painting the icon grid, keeping the tooltips in step with it, and sizing
// the window to its icons.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "tray_state.h"
#include "tray_tip.h"

namespace holm::tray {

namespace {

// Whether owner windows still exist, each asked once per paint: asking
// about another process's window is a round trip to the window server.
class OwnerCheck {
public:
    bool Alive(HWND owner) {
        auto it = known_.find(owner);
        if (it == known_.end()) it = known_.emplace(owner, IsWindow(owner) != FALSE).first;
        return it->second;
    }

private:
    std::unordered_map<HWND, bool> known_;
};

// Paints `area` of the client through a bitmap of its size, so that the
// screen changes once. Icons whose owner has gone are left out and dropped;
// returns true when any was.
bool PaintArea(HDC dc, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    MemoryDC buffer(dc);
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!buffer.Get() || !bitmap) return false;
    SelectInDC select(buffer.Get(), bitmap.Get());
    const RECT all = {0, 0, width, height};
    FillRect(buffer.Get(), &all, GetSysColorBrush(COLOR_BACKGROUND));

    OwnerCheck owners;
    std::vector<int> gone;
    const CellSpan span = CellsTouching({area.left, area.top, area.right, area.bottom}, g_tray.columns, g_tray.rows,
                                        g_tray.metrics);
    for (int row = span.firstRow; row <= span.lastRow; ++row) {
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            const int slot = row * g_tray.columns + column;
            const int index = g_tray.icons.IndexOfSlot(slot);
            if (index < 0) break;
            if (!owners.Alive(OwnerOf(g_tray.icons.At(index).record))) {
                gone.push_back(index);
                continue;
            }
            const Cell cell = CellOf(slot, g_tray.columns, g_tray.metrics);
            g_tray.icons.CopyPicture(buffer.Get(), index, cell.left - area.left, cell.top - area.top);
        }
    }
    BitBlt(dc, area.left, area.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
    std::sort(gone.begin(), gone.end());
    for (auto it = gone.rbegin(); it != gone.rend(); ++it) DropIcon(*it);
    return !gone.empty();
}

}  // namespace

bool CellShown(const Cell& cell, Size client) { return cell.left < client.width && cell.top < client.height; }

namespace {

// The tool of grid slot `slot`.
Tool ToolOf(int slot) {
    IconRecord& record = g_tray.icons.At(g_tray.icons.IndexOfSlot(slot)).record;
    return {CellOf(slot, g_tray.columns, g_tray.metrics),
            record.Has(kNifTip) ? ConvertTipToAnsi(record) : std::string()};
}

}  // namespace

void SyncTooltips() {
    std::vector<Tool> tools;
    const Size client = ClientSize();
    for (int i = 0; i < g_tray.icons.ShownCount(); ++i) {
        if (!CellShown(CellOf(i, g_tray.columns, g_tray.metrics), client)) break;  // cells go row by row
        tools.push_back(ToolOf(i));
    }
    g_tray.tooltips.Sync(tools);
}

void SyncTooltip(int index) {
    const int slot = g_tray.icons.SlotOf(index);
    if (slot >= 0) g_tray.tooltips.Update(static_cast<UINT>(slot), ToolOf(slot));
}

void DropIcon(int index) {
    g_tray.icons.Remove(index);
    g_tray.rebuildTips = true;
}

void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(g_tray.window, &ps);
    const int count = g_tray.icons.ShownCount();
    const int columns = ColumnsFor(count, ClientSize().width, g_tray.metrics);
    bool repaint = false;
    if (columns != g_tray.columns) {
        g_tray.columns = columns;
        g_tray.rebuildTips = true;
        if (g_tray.autoSize) {
            AutoSize();
            repaint = true;
        }
    }
    if (!repaint) {
        g_tray.rows = RowsFor(count, columns);
        if (g_tray.rebuildTips) SyncTooltips();
        repaint = dc && PaintArea(dc, ps.rcPaint);
    }
    EndPaint(g_tray.window, &ps);
    if (repaint)
        RedrawWindow(g_tray.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    else
        g_tray.rebuildTips = false;
}

bool AutoSize() {
    const std::optional<Size> wanted =
        AutoSizeFor(g_tray.icons.ShownCount(), ClientSize(), g_tray.vertical, g_tray.metrics, ScreenSize());
    const Cell now = WindowCell();
    if (!wanted || (wanted->width == now.right - now.left && wanted->height == now.bottom - now.top)) {
        ApplyDocking();
        return false;
    }
    SetWindowPos(g_tray.window, nullptr, 0, 0, wanted->width, wanted->height, SWP_NOMOVE | SWP_NOZORDER);
    g_tray.rebuildTips = true;
    RedrawWindow(g_tray.window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
    ApplyDocking();
    return true;
}

}  // namespace holm::tray
