// Folder monitors: Init Menu entries that show when a folder's contents
// change.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// Records a monitor of `folder` whose entry in `menu` has command id `id`.
void AddMonitor(const std::string& folder, HMENU menu, UINT id);

// Clears the change mark of the monitor whose entry has command id `id`.
void ClearMonitorMarkFor(UINT id);

// Forgets every monitor (their threads are told to stop separately).
void ClearMonitors();

}  // namespace holm
