// The tray window, titled "HOLM Tray": it takes other programs' notification
// icons (through a hidden window of class "Shell_TrayWnd", which is the one
// they find), draws them in a grid, shows their tips and hands mouse events
// on them back to their owners.
#pragma once
#include <windows.h>

namespace holm {

ATOM RegisterTrayClass();
// Creates the tray hidden and puts it where the registry says.
HWND CreateTrayWindow();
void BuildTrayMenu();
// Puts the shell's own icon into its tray.
void AddShellTrayIcon();
HWND TrayWindow();
void SetShellTrayIcon(HICON icon);
// The stored tray options, applied once the shell has started.
void ApplyTrayOptions();
// Moves the tray back to the screen edges it is docked to.
void DockTray();
// Shows a hidden tray or hides a shown one, and remembers which.
void ToggleTray();

}  // namespace holm
