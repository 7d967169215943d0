// Reading the Init Menu store from the registry: one group's subkeys and
// values, and the folder that a registry reference names.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "group_model.h"
#include "item_text.h"
#include "value_ranges.h"

namespace holm {

// Reads the group at `path` under HKEY_CURRENT_USER; false when its key
// cannot be opened. A value beyond the store's limits is skipped.
bool ReadGroupContents(const std::string& path, GroupContents& contents);

// Appends the values of `key` from index `first` up to `end` (kToTheEnd: to
// the last), in enumeration order. The data is read as text whatever its
// type; a value whose name or data is too long for the buffers is skipped.
void ReadValueRange(HKEY key, std::size_t first, std::size_t end, std::vector<StoreValue>& values);

enum class FolderRead { Read, KeyNotOpened, ValueNotRead };

// The folder a monitor item watches: its path, or the data of the value its
// registry reference names.
FolderRead ReadMonitorFolder(const ItemText& item, std::string& folder);

}  // namespace holm
