#include "library_state.h"

namespace holm {

LibraryState g_lib;

HHOOK SetMouseHook(HHOOK hook) { return g_lib.hook = hook; }
HHOOK MouseHook() { return g_lib.hook; }
HWND SetShellWindow(HWND shellWindow) { return g_lib.shell = shellWindow; }
int SetMenusReady(int value) { return g_lib.menusReady = value; }
int LastMenu() { return g_lib.lastMenu; }
int SetLastMenu(int value) { return g_lib.lastMenu = value; }

}  // namespace holm
