#include "launch_table.h"

#include <cstdlib>
#include <cstring>

#include "grow_array.h"
#include "holm_api.h"
#include "holm_names.h"
#include "library_state.h"

namespace holm {

namespace {

GrowArray<LaunchEntry> g_table;

char* CopyOrNull(const char* text) {
    if (!text || !*text) return nullptr;
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}

}  // namespace

int AppendLaunchEntry(const char* command, const char* directory, BYTE showCmd, BYTE hotkeyVk) {
    if (g_table.Capacity() == 0) g_table.Init(100);
    LaunchEntry entry = {CopyOrNull(command), CopyOrNull(directory), showCmd, hotkeyVk};
    const int index = g_table.Append(entry);
    if (index < 0) {
        std::free(entry.command);
        std::free(entry.directory);
    }
    return index;
}

int LaunchEntryCount() { return g_table.Count(); }

const LaunchEntry* LaunchEntryAt(int index) { return g_table.InRange(index) ? &g_table[index] : nullptr; }

void ClearLaunchTable() {
    for (LaunchEntry& entry : g_table) {
        std::free(entry.command);
        std::free(entry.directory);
    }
    g_table.Init(100);
}

}  // namespace holm

extern "C" int _getnumprogs(void) { return holm::LaunchEntryCount(); }

extern "C" void _unregHotkeys(void) {
    for (int i = 0; i < holm::LaunchEntryCount(); ++i) {
        if (holm::LaunchEntryAt(i)->hotkeyVk != holm::kNoHotkey)
            UnregisterHotKey(holm::g_lib.shell, holm::kCmdFirstLaunch + i);
    }
}
