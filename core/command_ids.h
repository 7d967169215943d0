// The command ids that stand for entries of a table: launch entries of the
// Init Menu, listed windows of the Window List. Ids travel in the low word
// of wParam, so neither table goes past id 0xFFFF. Pure logic.
#pragma once
#include <cstdint>

#include "holm_names.h"

namespace holm {

constexpr int kLastCommandId = 0xFFFF;
constexpr int kMaxLaunchEntries = kLastCommandId - kCmdFirstLaunch;
constexpr int kMaxWindowEntries = kLastCommandId - kCmdFirstWindow;

constexpr int LaunchCommandId(int index) { return kCmdFirstLaunch + index; }
constexpr int WindowCommandId(int index) { return kCmdFirstWindow + index; }

// The launch-table index that `id` names among `count` entries; -1 when it
// names none.
int LaunchIndexOf(std::uintptr_t id, int count);

}  // namespace holm
