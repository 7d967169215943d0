#include "window_table.h"

#include "grow_array.h"
#include "holm_names.h"

namespace holm {

namespace {

constexpr int kInitialCapacity = 100;

GrowArray<HWND> g_windows;

}  // namespace

void StartWindowTable() { g_windows.Init(kInitialCapacity); }

int AddToWindowTable(HWND window) { return g_windows.Append(window); }

HWND TableWindowForCommand(WPARAM id) {
    if (id < static_cast<WPARAM>(kCmdFirstWindow)) return nullptr;
    const WPARAM index = id - kCmdFirstWindow;
    if (index >= static_cast<WPARAM>(g_windows.Count())) return nullptr;
    return g_windows[static_cast<int>(index)];
}

void ForEachTableWindow(void (*action)(HWND)) {
    for (HWND window : g_windows) action(window);
}

void ReleaseWindowTable() { g_windows.Release(); }

}  // namespace holm
