// The window table of the Window List: every top-level window of the last
// build, in z-order; index i belongs to the command id 6 + i. It lives from
// one build until the first action that uses it.
#pragma once
#include <windows.h>

namespace holm {

// Empties the table for a new build.
void StartWindowTable();

// Appends a window; returns its index, or -1 when the table cannot grow.
int AddToWindowTable(HWND window);

// The window of a command id; null when the id names no window of the table
// (for instance because an action has already released it).
HWND TableWindowForCommand(WPARAM id);

// Calls `action` for every window of the table, in table order.
void ForEachTableWindow(void (*action)(HWND));

// Releases the table; it names no window until the next build.
void ReleaseWindowTable();

}  // namespace holm
