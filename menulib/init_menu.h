// The Init Menu: built from the registry store at start-up and on reload.
#pragma once
#include <windows.h>

namespace holm {

// Builds the whole Init Menu (fixed entries, Control Panel, the user's tree).
void BuildInitMenu();

// Destroys the Init Menu and its launch entries. Images that the next
// build may show again are kept for it.
void DestroyInitMenu();

HMENU InitMenuRoot();
HMENU InitMenuSpecial();

// Names the Special submenu's tray entry "Hide tray" or "Show tray" as
// `trayWindow` is visible or not; every later build matches it again.
BOOL MatchTrayEntry(HWND trayWindow);

}  // namespace holm
