#include "window_list.h"

#include "holm_api.h"
#include "holm_names.h"
#include "library_state.h"
#include "popup_title.h"

namespace holm {

namespace {

struct WindowListState {
    HMENU root = nullptr;
};

WindowListState g_list;

}  // namespace

HMENU BuildWindowList() {
    g_list.root = CreatePopupMenu();
    AppendMenuA(g_list.root, MF_STRING, kCmdTitle, RefreshTitle(TitleSide::Right));
    HMENU special = CreatePopupMenu();
    AppendMenuA(special, MF_STRING, kCmdArrangeOrEmpty, "Arrange desktop");
    AppendMenuA(special, MF_STRING, kCmdMinimizeAll, "Minimize all");
    AppendMenuA(special, MF_STRING, kCmdRestoreAll, "Restore all");
    AppendMenuA(special, MF_SEPARATOR, 0, nullptr);
    HMENU all = CreatePopupMenu();
    AppendMenuA(g_list.root, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(special, MF_POPUP, reinterpret_cast<UINT_PTR>(all), "All windows");
    AppendMenuA(g_list.root, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(g_list.root, MF_POPUP, reinterpret_cast<UINT_PTR>(special), "Special");
    return g_list.root;
}

void DestroyWindowList() {
    if (g_list.root) DestroyMenu(g_list.root);
    g_list.root = nullptr;
}

}  // namespace holm

extern "C" int _doWinMenu(WPARAM) { return 0; }
extern "C" int _doCloseWinMenu(WPARAM) { return 0; }
extern "C" int _doHideWinMenu(WPARAM) { return 0; }
extern "C" int _doKillWinMenu(WPARAM) { return 0; }
