// Reading the Init Menu store (the registry tree under "Init Menu") into
// menus, launch entries and item hotkeys.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// Walks the group at `path` (under HKEY_CURRENT_USER) into `menu`. When
// `runItems` is set the group's items are started as they are read.
void WalkGroup(const std::string& path, HMENU menu, bool runItems);

}  // namespace holm
