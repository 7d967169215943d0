// Reading the Init Menu store from the registry: one group's subkeys and
// values, and the folder that a registry reference names.
#pragma once
#include <string>

#include "group_model.h"
#include "item_text.h"

namespace holm {

// Reads the group at `path` under HKEY_CURRENT_USER; false when its key
// cannot be opened. A value beyond the store's limits is skipped.
bool ReadGroupContents(const std::string& path, GroupContents& contents);

enum class FolderRead { Read, KeyNotOpened, ValueNotRead };

// The folder a monitor item watches: its path, or the data of the value its
// registry reference names.
FolderRead ReadMonitorFolder(const ItemText& item, std::string& folder);

}  // namespace holm
