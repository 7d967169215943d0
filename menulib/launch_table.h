// The launch table: what each launchable Init Menu entry starts. Entry i has
// the command id 22 + i.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

constexpr BYTE kNoHotkey = 255;

struct LaunchEntry {
    std::string command;    // empty when the item has none
    std::string directory;  // empty when the item has none
    BYTE showCmd;
    BYTE hotkeyVk;

    // The texts as the shell calls take them: null when empty.
    const char* CommandOrNull() const { return command.empty() ? nullptr : command.c_str(); }
    const char* DirectoryOrNull() const { return directory.empty() ? nullptr : directory.c_str(); }
};

// Appends an entry with copies of the texts (null counts as empty); returns
// its index, or -1 when the table is full.
int AppendLaunchEntry(const char* command, const char* directory, BYTE showCmd, BYTE hotkeyVk);
int LaunchEntryCount();
const LaunchEntry* LaunchEntryAt(int index);

// Empties the table.
void ClearLaunchTable();

// Unregisters the hotkeys of the entries that have one.
void UnregisterItemHotkeys();

}  // namespace holm
