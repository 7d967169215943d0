// Folder monitors: Init Menu entries that show when a folder's contents
// change.
#pragma once
#include <windows.h>

namespace holm {

// Clears the change mark of the monitor whose entry has command id `id`.
void ClearMonitorMarkFor(UINT id);

}  // namespace holm
