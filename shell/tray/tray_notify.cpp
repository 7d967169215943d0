// Notification messages: adds, modifies and deletes of icons, as other
// programs (and the shell itself) send them with WM_COPYDATA.
#include "tray_state.h"

namespace holm::tray {

namespace {

// Each icon holds a copy of its image, a handle of the shell's own quota; a
// program that adds icons without end must not use it up.
constexpr int kMaxIcons = 500;
constexpr int kMaxIconsPerOwner = 100;

bool RoomFor(const IconRecord& record) {
    if (g_tray.icons.Count() >= kMaxIcons) return false;
    int owned = 0;
    for (int i = 0; i < g_tray.icons.Count(); ++i)
        if (g_tray.icons.At(i).record.hWnd == record.hWnd) ++owned;
    return owned < kMaxIconsPerOwner;
}

UniqueIcon CopyOf(const IconRecord& record) {
    HICON icon = IconOf(record);
    return UniqueIcon(icon ? CopyIcon(icon) : nullptr);
}

// False when the add is refused for want of room.
bool AddIcon(const IconRecord& record) {
    if (!RoomFor(record)) return false;
    if (!record.Has(kNifIcon)) return true;
    // An icon whose owner is not a window would be dropped at the first
    // paint, and one whose image cannot be copied could never be drawn.
    if (!IsWindow(OwnerOf(record))) return true;
    UniqueIcon copy = CopyOf(record);
    if (!copy || !g_tray.icons.Append(record, std::move(copy))) return true;
    g_tray.rebuildTips = true;
    if (g_tray.autoSize && AutoSize()) return true;  // the whole window is repainted
    // The grid may gain a column, which moves icons to other cells.
    InvalidateRect(g_tray.window, nullptr, FALSE);
    return true;
}

void DrawCellNow(int index) {
    const Cell cell = CellOf(index, g_tray.columns, g_tray.metrics);
    if (!CellShown(cell, ClientSize())) return;
    WindowDC dc(g_tray.window);
    if (dc.Get()) g_tray.icons.CopyPicture(dc.Get(), index, cell.left, cell.top);
}

void ModifyIcon(int index, const IconRecord& incoming) {
    MergeModify(g_tray.icons.At(index).record, incoming);
    // A new image that cannot be copied or drawn leaves the old one in place.
    if (UniqueIcon copy = CopyOf(incoming)) g_tray.icons.ReplaceIcon(index, std::move(copy));
    DrawCellNow(index);
    SyncTooltip(index);
}

void DeleteIcon(int index) {
    DropIcon(index);
    if (g_tray.autoSize) AutoSize();
    RedrawWindow(g_tray.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace

bool OnCopyData(const COPYDATASTRUCT* data) {
    if (!data) return true;
    const std::optional<Notification> n = ReadNotification(data->dwData, data->lpData, data->cbData);
    if (!n) return true;
    const int index = g_tray.icons.Find(n->record);
    switch (n->operation) {
    case Operation::Add:
    case Operation::Modify:
        if (index < 0) return AddIcon(n->record);
        ModifyIcon(index, n->record);
        break;
    case Operation::Delete:
        if (index >= 0) DeleteIcon(index);
        break;
    }
    return true;
}

}  // namespace holm::tray
