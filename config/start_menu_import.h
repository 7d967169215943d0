// The import of the Windows Start Menu into the Init Menu: every shortcut
// below a folder becomes an item, every folder on the way a group.
#pragma once
#include <string>
#include <vector>

namespace setwise {

// The user's or (common) the all-users Start Menu folder; sets the startup
// folder that belongs to it. Empty when the shell folders give none.
std::string StartMenuFolder(bool common);
// The folder that holds the Quick Launch folder; clears the startup folder.
std::string QuickLaunchFolder();
// Imports every shortcut below `folder` into the group of the tree node at
// absolute index `n`. Returns the number of shortcuts written.
int ImportFolder(int n, const std::string& folder);

// Every "*.lnk" below the folder (hidden and system entries and folders
// beginning with "." left out), sorted ignoring letter case.
std::vector<std::string> CollectShortcuts(const std::string& folder);

// What the import shows while it works: each path found and each item
// written, and each shortcut that could not be read.
struct ImportProgress {
    void (*showing)(const std::string& text) = nullptr;
    void (*skipped)(const std::string& file) = nullptr;
};
void SetImportProgress(const ImportProgress& progress);

}  // namespace setwise
