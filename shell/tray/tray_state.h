// The tray window's module state, in one place, and the routines that the
// tray's source files share.
#pragma once
#include <windows.h>

#include "tray_balloon.h"
#include "tray_icons.h"
#include "tray_layout.h"
#include "tray_tooltips.h"
#include "win_handles.h"

namespace holm::tray {

// Context-menu command identifiers.
enum MenuCommand : UINT {
    kMenuCancel = 5,
    kMenuToggle = 15,
    kMenuLeftMenu = 16,
    kMenuRightMenu = 17,
    kMenuAutoSize = 18,
    kMenuOnTop = 19,
    kMenuSnap = 20,
};

struct TrayState {
    HWND window = nullptr;
    Metrics metrics = {};
    IconList icons;
    Tooltips tooltips;
    int columns = 1;
    int rows = 1;
    bool rebuildTips = false;

    bool dragging = false;
    POINT grip = {};  // where the window was taken, relative to its top-left corner

    Dock dock;
    bool snap = true;
    bool vertical = false;
    bool autoSize = true;
    bool onTop = true;
    UniqueMenu menu;
    Balloon balloon;
};

extern TrayState g_tray;

Size ScreenSize();
Size ClientSize();
Cell WindowCell();

// tray_notify.cpp
// False for a block neither layout reads, and when an add is refused, as
// the system reports a failed add.
bool OnCopyData(const COPYDATASTRUCT* data);
bool ApplyRequest(const TrayRequest& request);

// tray_paint.cpp
void Paint();
// Sizes the window to its icons; true when the size changed.
bool AutoSize();
// Drops the icon at `index`, leaving layout and repaint to the caller.
void DropIcon(int index);
// Brings the tooltips in line with the icons shown, all or one.
void SyncTooltips();
void SyncTooltip(int index);
// Whether any of the cell lies in the client area.
bool CellShown(const Cell& cell, Size client);

// tray_mouse.cpp
void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
void OnShellIconEvent(LPARAM mouseMessage);
void OnMenuCommand(WPARAM id);
void SetMenuCheck(UINT id, bool on);

// tray_placement.cpp
void ApplyDocking();
void StartDrag(LPARAM screenPoint);
void DragTo();
void EndDrag();
void RestorePlacement();
void SavePlacement();
void BringBack();

}  // namespace holm::tray
