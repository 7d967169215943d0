#include "launch_table.h"

#include <vector>

#include "command_ids.h"
#include "holm_names.h"
#include "library_state.h"

namespace holm {

namespace {

std::vector<LaunchEntry> g_table;

std::string TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

int AppendLaunchEntry(const char* command, const char* directory, BYTE showCmd, BYTE hotkeyVk) {
    if (g_table.size() >= static_cast<std::size_t>(kMaxLaunchEntries)) return -1;
    g_table.push_back({TextOrEmpty(command), TextOrEmpty(directory), showCmd, hotkeyVk});
    return static_cast<int>(g_table.size() - 1);
}

int LaunchEntryCount() { return static_cast<int>(g_table.size()); }

const LaunchEntry* LaunchEntryAt(int index) {
    return index >= 0 && index < LaunchEntryCount() ? &g_table[index] : nullptr;
}

void ClearLaunchTable() {
    g_table.clear();
    g_table.reserve(100);
}

void UnregisterItemHotkeys() {
    for (int i = 0; i < LaunchEntryCount(); ++i) {
        if (g_table[i].hotkeyVk != kNoHotkey) UnregisterHotKey(g_lib.shell, LaunchCommandId(i));
    }
}

}  // namespace holm
