// Where the tray lies: docking at screen edges, the right-button drag, and
// the placement kept in the registry.
#include "holm_names.h"
#include "registry.h"
#include "tray_settings.h"
#include "tray_state.h"
#include "window_util.h"

namespace holm::tray {

namespace {

void MoveTo(Point p) {
    const Cell now = WindowCell();
    if (p.x == now.left && p.y == now.top) return;
    SetWindowPos(g_tray.window, nullptr, p.x, p.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

Point DefaultPosition() {
    return {GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 2};
}

void DockAfterDragging() {
    g_tray.dock = g_tray.snap ? DockAfterDrag(WindowCell(), ScreenSize()) : Dock();
    if (g_tray.snap) MoveTo(DockedPosition(g_tray.dock, WindowCell(), ScreenSize()));
}

}  // namespace

void ApplyDocking() {
    if (g_tray.snap) MoveTo(DockedPosition(g_tray.dock, WindowCell(), ScreenSize()));
}

void StartDrag(LPARAM screenPoint) {
    const Cell now = WindowCell();
    g_tray.dragging = true;
    g_tray.grip = {static_cast<short>(LOWORD(screenPoint)) - now.left,
                   static_cast<short>(HIWORD(screenPoint)) - now.top};
    SetCapture(g_tray.window);
}

void DragTo() {
    POINT cursor;
    GetCursorPos(&cursor);
    MoveTo({cursor.x - g_tray.grip.x, cursor.y - g_tray.grip.y});
}

void EndDrag() {
    if (!g_tray.dragging) return;
    g_tray.dragging = false;
    if (GetCapture() == g_tray.window) ReleaseCapture();
    DockAfterDragging();
    SavePlacement();
}

void RestorePlacement() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    if (!key) {
        const Point p = DefaultPosition();
        SetWindowPos(g_tray.window, nullptr, p.x, p.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        g_tray.dock = {2, 0};
        g_tray.snap = true;
        ApplyDocking();
        return;
    }
    const Point fallback = DefaultPosition();
    g_tray.dock.x = static_cast<int>(ReadSetting(key.Get(), values::kTrayDockX, 2));
    g_tray.dock.y = static_cast<int>(ReadSetting(key.Get(), values::kTrayDockY, 0));
    const int x = static_cast<int>(ReadSetting(key.Get(), values::kTrayPosX, static_cast<DWORD>(fallback.x)));
    const int y = static_cast<int>(ReadSetting(key.Get(), values::kTrayPosY, static_cast<DWORD>(fallback.y)));
    g_tray.snap = ReadSetting(key.Get(), values::kTraySnapToEdge, 1) != 0;
    g_tray.vertical = ReadSetting(key.Get(), values::kTrayVertical, 0) != 0;
    SetWindowPos(g_tray.window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ApplyDocking();
}

void SavePlacement() {
    const Cell now = WindowCell();
    StoreSetting(values::kTrayPosX, static_cast<DWORD>(now.left));
    StoreSetting(values::kTrayPosY, static_cast<DWORD>(now.top));
    StoreSetting(values::kTrayDockX, static_cast<DWORD>(g_tray.dock.x));
    StoreSetting(values::kTrayDockY, static_cast<DWORD>(g_tray.dock.y));
}

void BringBack() { BringBackOnScreen(g_tray.window); }

}  // namespace holm::tray
