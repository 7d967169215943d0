// The small exports: flags, handles and the menu triggers.
#include "holm_api.h"
#include "holm_names.h"
#include "init_menu.h"
#include "library_state.h"
#include "menu_images.h"
#include "menu_open.h"
#include "no_throw.h"
#include "win_handles.h"

using namespace holm;

extern "C" HHOOK _setmhook(HHOOK hook) { return g_lib.hook = hook; }
extern "C" HHOOK _getmhook(void) { return g_lib.hook; }
extern "C" HWND _sethwnd(HWND shellWindow) { return g_lib.shell = shellWindow; }
extern "C" int _setnotalready(int value) { return g_lib.menusReady = value; }
extern "C" int _RoL(void) { return g_lib.lastMenu; }
extern "C" int _setRoL(int value) { return g_lib.lastMenu = value; }

extern "C" int _allowedShutdown(void) {
    if (!g_lib.IsNT()) return 1;
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return 0;
    UniqueKernelHandle token(raw);
    PRIVILEGE_SET privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Control = PRIVILEGE_SET_ALL_NECESSARY;
    privileges.Privilege[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privilege[0].Luid)) return 0;
    BOOL allowed = FALSE;
    if (!PrivilegeCheck(token.Get(), &privileges, &allowed)) return 0;
    return allowed ? 1 : 0;
}

static void ShowAtCursor(void (*open)(int, int)) {
    if (!g_lib.menusReady || !g_lib.initialised) return;
    POINT pt = {};
    GetCursorPos(&pt);
    open(pt.x, pt.y);
}

extern "C" void _ShowLeftMenu(void) {
    Guarded([] { ShowAtCursor(OpenInitMenu); });
}
extern "C" void _ShowRightMenu(void) {
    Guarded([] { ShowAtCursor(OpenWindowList); });
}

static BOOL ChangeTrayEntry(HWND trayWindow) {
    const bool visible = IsWindowVisible(trayWindow) != FALSE;
    HMENU special = InitMenuSpecial();
    const BOOL result = ModifyMenuA(special, kCmdToggleTray, MF_BYCOMMAND | MF_STRING, kCmdToggleTray,
                                    visible ? "Hide tray" : "Show tray");
    AttachImage(special, kCmdToggleTray, GetFixedImage(visible ? FixedImage::HideTray : FixedImage::ShowTray));
    return result;
}

extern "C" BOOL _changeTrayStr(HWND trayWindow) {
    g_lib.tray = trayWindow;  // every rebuild matches the entry to it again
    return Guarded(FALSE, [&] { return ChangeTrayEntry(trayWindow); });
}
