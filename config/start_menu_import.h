// The import of the Windows Start Menu into the Init Menu: every shortcut
// below a folder becomes an item, every folder on the way a group.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace setwise {

// The user's or (common) the all-users Start Menu folder; sets the startup
// folder that belongs to it. Empty when the shell folders give none.
std::string StartMenuFolder(bool common);
// The folder that holds the Quick Launch folder; clears the startup folder.
std::string QuickLaunchFolder();
// Imports every shortcut below `folder` into the group of the tree node
// `target`; the tree's window takes no input meanwhile. A shortcut the menu
// could not read back as written (too long, a "|" in a field) is refused.
// Returns the number of shortcuts written.
int ImportFolder(HTREEITEM target, const std::string& folder);

// Every "*.lnk" below the folder (hidden and system entries and folders
// beginning with "." left out), sorted ignoring letter case.
std::vector<std::string> CollectShortcuts(const std::string& folder);

// What the import shows while it works: each path found and each item
// written, and each shortcut that was not imported, with the reason.
struct ImportProgress {
    void (*showing)(const std::string& text) = nullptr;
    void (*skipped)(const std::string& file, const std::string& why) = nullptr;
};
void SetImportProgress(const ImportProgress& progress);

}  // namespace setwise
