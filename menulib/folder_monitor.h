// Folder monitors: Init Menu entries that show when a folder's contents
// change. Each monitor of a build has a watcher thread; every thread of a
// build ends before the next build and before the menus go.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// Records a monitor of `folder` whose entry in `menu` has command id `id`.
void AddMonitor(const std::string& folder, HMENU menu, UINT id);

// Starts the watcher threads of the monitors recorded since the last
// clear, once their entries are in the menus; each start returns when its
// thread watches (or has found that it cannot).
void StartMonitors();

// Clears the change mark of the monitor whose entry has command id `id`.
void ClearMonitorMarkFor(UINT id);

// Shows entry `id` of `menu` as changed or not: the changed-folder image in
// the cloaked style, the check mark in the plain style.
BOOL MarkMonitorEntry(HMENU menu, UINT id, bool changed);

// Ends every watcher thread and waits for it, then forgets every monitor.
void ClearMonitors();

// How many watcher threads run now.
int RunningMonitorThreads();

}  // namespace holm
