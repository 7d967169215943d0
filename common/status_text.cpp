#include "status_text.h"

namespace holm {

namespace {
HWND g_statusWindow = nullptr;
}

void SetStatusWindow(HWND hwnd) { g_statusWindow = hwnd; }

BOOL SetStatusText(const char* text) {
    if (!g_statusWindow || !IsWindow(g_statusWindow)) return FALSE;
    return SetWindowTextA(g_statusWindow, text);
}

}  // namespace holm
