// Mouse events on the icons, the shell's own icon and the context menu.
#include "holm_api.h"
#include "tray_settings.h"
#include "tray_state.h"
#include "tray_window.h"

namespace holm::tray {

namespace {

void ShowContextMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    // The menu only closes on a click elsewhere, and only takes keys, when
    // its owner is in the foreground.
    SetForegroundWindow(g_tray.window);
    TrackPopupMenu(g_tray.menu.Get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x + 10, cursor.y - 10, 0,
                   g_tray.window, nullptr);
}

void ToggleAutoSize() {
    g_tray.autoSize = !g_tray.autoSize;
    StoreSetting(values::kTrayAutoSize, g_tray.autoSize);
    SetMenuCheck(kMenuAutoSize, g_tray.autoSize);
    if (g_tray.autoSize) AutoSize();
}

void ToggleSnap() {
    g_tray.snap = !g_tray.snap;
    StoreSetting(values::kTraySnapToEdge, g_tray.snap);
    SetMenuCheck(kMenuSnap, g_tray.snap);
    ApplyDocking();
}

void ToggleOnTop() {
    g_tray.onTop = !g_tray.onTop;
    StoreSetting(values::kTrayOnTop, g_tray.onTop);
    SetMenuCheck(kMenuOnTop, g_tray.onTop);
    SetWindowPos(g_tray.window, g_tray.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

void SetMenuCheck(UINT id, bool on) {
    CheckMenuItem(g_tray.menu.Get(), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const unsigned x = LOWORD(lParam), y = HIWORD(lParam);
    const int slot = HitTest(x, y, g_tray.columns, g_tray.rows, g_tray.icons.ShownCount(), g_tray.metrics);
    const int index = g_tray.icons.IndexOfSlot(slot);
    if (index >= 0) {
        const IconRecord& record = g_tray.icons.At(index).record;
        if (record.Has(kNifMessage)) {
            if (!IsWindow(OwnerOf(record))) {
                DropIcon(index);
                RedrawWindow(g_tray.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
                return;
            }
            PostMessageA(OwnerOf(record), record.uCallbackMessage, record.uID, message);
        }
    }
    g_tray.tooltips.Relay(message, wParam, lParam);
}

void OnShellIconEvent(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK)
        _ShowRightMenu();
    else if (mouseMessage == WM_RBUTTONUP)
        ShowContextMenu();
}

void OnMenuCommand(WPARAM id) {
    switch (id) {
    case kMenuToggle: ToggleTray(); break;
    case kMenuLeftMenu: _ShowLeftMenu(); break;
    case kMenuRightMenu: _ShowRightMenu(); break;
    case kMenuAutoSize: ToggleAutoSize(); break;
    case kMenuSnap: ToggleSnap(); break;
    case kMenuOnTop: ToggleOnTop(); break;
    default: break;
    }
}

}  // namespace holm::tray
