// The registry side of the menu tree: group keys named by their path below
// the product key ("Init Menu", "Init Menu\A\B") and the values in them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "holm_names.h"
#include "holm_values.h"

namespace setwise {

namespace values = holm::values;

constexpr const char* kProductKey = holm::kOptionsKey;
constexpr const char* kRootGroup = holm::kRootGroup;

using NamedText = std::pair<std::string, std::string>;  // value name, item text

// The full key path under HKEY_CURRENT_USER of a group path.
std::string GroupKeyOf(const std::string& groupPath);

bool CreateGroupKeyAt(const std::string& groupPath);
// Deletes the group's key and all keys below it; false when it does not open.
bool DeleteGroupTree(const std::string& groupPath);
// Copies every value and subkey of one group key into another (created as
// needed); a value of the same name is replaced. False when `from` does not open.
bool CopyGroupTree(const std::string& from, const std::string& to);

// The subkey names of a group, in enumeration order; false when it does not open.
bool ReadSubgroups(const std::string& groupPath, std::vector<std::string>& names);
// The text values of a group, in enumeration order (values of other types
// are no items and are left out).
bool ReadGroupValues(const std::string& groupPath, std::vector<NamedText>& values);
// Writes one REG_SZ value into an existing group key.
bool WriteGroupValue(const std::string& groupPath, const std::string& name, const std::string& text);

// Makes the group's text values equal `values` (later entries of one name win)
// without ever leaving it with fewer items than before or after: the new
// values are written first, names that are gone are removed last.
// `afterStep` is called after each change; returning false stops there.
bool ReplaceGroupValues(const std::string& groupPath, const std::vector<NamedText>& values,
                        const std::function<bool()>& afterStep = {});

// Product key helpers.
bool ProductKeyExists();
bool ProductHasValue(const char* name);
std::string ReadProductText(const char* name);
void WriteProductText(const char* name, const std::string& value);  // creates the key
void WriteProductNumber(const char* name, unsigned long value);      // creates the key
// Writes into the product key only when it exists already.
bool WriteProductNumberIfKeyExists(const char* name, unsigned long value);

bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// A value as stored: its name, type and bytes.
struct RawValue {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

// The key's values in enumeration order.
std::vector<RawValue> RawValues(HKEY key);

}  // namespace setwise
