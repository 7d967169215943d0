#include "folder_monitor.h"

#include "holm_api.h"

namespace holm {

void ClearMonitorMarkFor(UINT) {}

}  // namespace holm

extern "C" BOOL _updateMenu(HMENU menu, UINT id, int changed) {
    return CheckMenuItem(menu, id, MF_BYCOMMAND | (changed ? MF_CHECKED : MF_UNCHECKED)) != static_cast<DWORD>(-1);
}
