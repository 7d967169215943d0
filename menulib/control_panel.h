// The Init Menu's Control Panel submenu: one launch entry per applet of the
// Control Panel files in the system directory. What the applets told is
// kept from one build to the next, and a file is asked again only when it
// is new or its size or last-write time changed.
#pragma once
#include <windows.h>

namespace holm {

// Fills `submenu` with the applets, sorted by label, and appends their
// launch entries ("control <file> <applet name>").
void FillControlPanel(HMENU submenu);

// Releases the images of applets whose files changed or went; called once
// the menus that showed them are destroyed.
void ReleaseControlPanelImages();

}  // namespace holm
