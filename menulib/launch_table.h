// The launch table: what each launchable Init Menu entry starts. Entry i has
// the command id 22 + i.
#pragma once
#include <windows.h>

namespace holm {

constexpr BYTE kNoHotkey = 255;

struct LaunchEntry {
    char* command;    // owned; null when the item's command is empty
    char* directory;  // owned; null when empty
    BYTE showCmd;
    BYTE hotkeyVk;
};

// Appends an entry with copies of the texts; returns its index.
int AppendLaunchEntry(const char* command, const char* directory, BYTE showCmd, BYTE hotkeyVk);
int LaunchEntryCount();
const LaunchEntry* LaunchEntryAt(int index);

// Frees every entry's texts and empties the table.
void ClearLaunchTable();

}  // namespace holm
