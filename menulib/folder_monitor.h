// Folder monitors: Init Menu entries that show when a folder's contents
// change. Each monitor of a build has a watcher thread. A thread that
// watches ends before the next build and before the menus go; one still
// opening a slow folder is not waited for and ends without touching them.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// Records a monitor of `folder` whose entry in `menu` has command id `id`.
void AddMonitor(const std::string& folder, HMENU menu, UINT id);

// Starts the watcher threads of the monitors recorded since the last
// clear, once their entries are in the menus. Never waits for a thread.
void StartMonitors();

// Clears the change mark of the monitor whose entry has command id `id`.
void ClearMonitorMarkFor(UINT id);

// Shows entry `id` of `menu` as changed or not: the changed-folder image in
// the cloaked style, the check mark in the plain style.
BOOL MarkMonitorEntry(HMENU menu, UINT id, bool changed);

// Ends every watcher thread, waits for those that watch, then forgets every
// monitor.
void ClearMonitors();

// How many watcher threads run now.
int RunningMonitorThreads();

}  // namespace holm
