// The Init Menu's Control Panel submenu: one launch entry per applet of the
// Control Panel files in the system directory.
#pragma once
#include <windows.h>

namespace holm {

// Fills `submenu` with the applets, sorted by label, and appends their
// launch entries ("control <file> <applet name>").
void FillControlPanel(HMENU submenu);

// Releases the images of the applets' entries.
void ReleaseControlPanelImages();

}  // namespace holm
