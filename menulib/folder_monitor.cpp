#include "folder_monitor.h"

#include <vector>

#include "holm_api.h"

namespace holm {

namespace {

struct Monitor {
    std::string folder;
    HMENU menu;
    UINT id;
};

std::vector<Monitor> g_monitors;

}  // namespace

void AddMonitor(const std::string& folder, HMENU menu, UINT id) { g_monitors.push_back({folder, menu, id}); }

void ClearMonitorMarkFor(UINT id) {
    for (const Monitor& m : g_monitors) {
        if (m.id == id) {
            _updateMenu(m.menu, m.id, 0);
            return;
        }
    }
}

void ClearMonitors() { g_monitors.clear(); }

}  // namespace holm

extern "C" BOOL _updateMenu(HMENU menu, UINT id, int changed) {
    return CheckMenuItem(menu, id, MF_BYCOMMAND | (changed ? MF_CHECKED : MF_UNCHECKED)) != static_cast<DWORD>(-1);
}
