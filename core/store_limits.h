// What the configuration program may write into the Init Menu store so that
// the menu reads it back as written: group names that are one key, items
// within the reader's limits, fields free of the separator. Pure logic.
#pragma once
#include <string>

namespace holm {

// A name that can be one group key: not empty, no backslash, within the
// reader's name limit.
bool IsStorableGroupName(const std::string& name);

enum class StoreFault { None, NameTooLong, TextTooLong, BarInField };

// Whether the reader takes a value of this name and text.
StoreFault CheckStoredItem(const std::string& name, const std::string& text);
// Whether a command or start folder can be one field of a program's text.
StoreFault CheckItemField(const std::string& field);
// The message for a fault (empty for None).
std::string StoreFaultText(StoreFault fault, const std::string& itemName);

}  // namespace holm
