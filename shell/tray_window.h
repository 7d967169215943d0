// The tray window: class "Shell_TrayWnd", title "HOLM Tray".
#pragma once
#include <windows.h>

namespace holm {

ATOM RegisterTrayClass();
HWND CreateTrayWindow();
void BuildTrayMenu();
void AddShellTrayIcon();
void SetShellTrayIcon(HICON icon);
void ApplyTrayOptions();
void DockTray();
void ToggleTray();

}  // namespace holm
