// Notification requests: adds, modifies and deletes of icons, their hidden
// state, versions and balloons. Blocks from other programs are read once
// into a request; the shell applies its own icon's requests directly.
#include <string>

#include "tray_balloon.h"
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

// After the shown icons changed: the grid may gain or lose a column, which
// moves icons to other cells.
void Relayout() {
    g_tray.rebuildTips = true;
    if (g_tray.autoSize && AutoSize()) return;  // the whole window is repainted
    InvalidateRect(g_tray.window, nullptr, FALSE);
}

void ApplyBalloon(int index, const TrayRequest& request) {
    if (!request.balloon) return;
    if (request.balloon->text.empty())
        CloseBalloonOf(request.record);
    else
        ShowBalloon(index, *request.balloon);
}

// False when the add is refused for want of room.
bool AddIcon(const TrayRequest& request) {
    const IconRecord& record = request.record;
    if (!RoomFor(record)) return false;
    if (!record.Has(kNifIcon)) return true;
    // An icon whose owner is not a window would be dropped at the first
    // paint, and one whose image cannot be had could never be drawn.
    if (!IsWindow(OwnerOf(record))) return true;
    UniqueIcon icon = IconFor(request);
    if (!icon || !g_tray.icons.Append(record, std::move(icon))) return true;
    const int index = g_tray.icons.Count() - 1;
    if (const std::optional<bool> hidden = HiddenAfter(request)) g_tray.icons.SetHidden(index, *hidden);
    Relayout();
    ApplyBalloon(index, request);
    return true;
}

void DrawCellNow(int index) {
    const int slot = g_tray.icons.SlotOf(index);
    if (slot < 0) return;
    const Cell cell = CellOf(slot, g_tray.columns, g_tray.metrics);
    if (!CellShown(cell, ClientSize())) return;
    WindowDC dc(g_tray.window);
    if (dc.Get()) g_tray.icons.CopyPicture(dc.Get(), index, cell.left, cell.top);
}

void ModifyIcon(int index, const TrayRequest& request) {
    MergeModify(g_tray.icons.At(index).record, request.record);
    // A new image that cannot be had or drawn leaves the old one in place.
    if (UniqueIcon icon = IconFor(request)) g_tray.icons.ReplaceIcon(index, std::move(icon));
    const bool wasHidden = g_tray.icons.At(index).hidden;
    if (const std::optional<bool> hidden = HiddenAfter(request)) g_tray.icons.SetHidden(index, *hidden);
    if (g_tray.icons.At(index).hidden != wasHidden) {
        Relayout();
    } else {
        DrawCellNow(index);
        SyncTooltip(index);
    }
    ApplyBalloon(index, request);
}

void DeleteIcon(int index) {
    CloseBalloonOf(g_tray.icons.At(index).record);
    DropIcon(index);
    if (g_tray.autoSize) AutoSize();
    RedrawWindow(g_tray.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// A program whose icon does not show can be diagnosed with a debugger or
// WINEDEBUG=+debugstr.
void ReportRefusal(const std::string& why) {
    OutputDebugStringA(("HOLM tray: notification refused: " + why + "\n").c_str());
}

}  // namespace

bool ApplyRequest(const TrayRequest& request) {
    const int index = g_tray.icons.Find(request.record);
    switch (request.kind) {
    case RequestKind::Add:
    case RequestKind::Modify:
        if (index < 0) return AddIcon(request);
        ModifyIcon(index, request);
        return true;
    case RequestKind::Delete:
        if (index >= 0) DeleteIcon(index);
        return true;
    case RequestKind::SetVersion:
        if (index >= 0) g_tray.icons.At(index).version = request.version;
        return true;
    case RequestKind::SetFocus:
        return true;
    }
    return false;
}

bool OnCopyData(const COPYDATASTRUCT* data) {
    if (!data) return false;
    std::string why;
    const std::optional<TrayRequest> request = ReadTrayBlock(data->dwData, data->lpData, data->cbData, why);
    if (!request) {
        ReportRefusal(why);
        return false;
    }
    return ApplyRequest(*request);
}

}  // namespace holm::tray
