#include "menu_open.h"

#include <windows.h>

#include "cloak_menu.h"
#include "holm_names.h"
#include "init_menu.h"
#include "library_state.h"
#include "menu_placement.h"
#include "no_throw.h"
#include "popup_title.h"
#include "window_util.h"
#include "window_list.h"

namespace holm {

namespace {

// Shows `menu` at the anchor of a click at (x, y), owned by the shell main
// window: drawn with the cloak in the cloaked style, as a plain menu
// otherwise.
void TrackAt(HMENU menu, int x, int y, bool windowList) {
    g_lib.menuOnScreen = true;
    if (g_lib.Cloaked()) {
        const Point anchor = MenuAnchor({x, y});
        TrackCloakedMenu(menu, anchor.x, anchor.y, g_lib.shell, windowList);
    } else {
        const Point anchor = PlainMenuAnchor({x, y}, GetSystemMetrics(SM_CXSCREEN));
        const UINT button = windowList ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
        TrackPopupMenu(menu, TPM_RIGHTALIGN | button, anchor.x, anchor.y, 0, g_lib.shell, nullptr);
    }
    g_lib.menuOnScreen = false;
}

// A reload that came while the menu was open was put off. The user's choice
// is already posted and must be taken against the menu the user saw, so the
// reload is posted behind it and behind the menu's closing.
void PostPutOffReload() {
    if (g_lib.rebuildPending) PostMessageA(g_lib.shell, WM_COMMAND, kCmdReload, 0);
}

void UpdateKill16BitEntry() {
    if (!g_lib.IsNT()) return;
    const bool present = g_lib.wowWindowName[0] && FindWindowA(nullptr, g_lib.wowWindowName);
    EnableMenuItem(InitMenuRoot(), kCmdKill16Bit, MF_BYCOMMAND | (present ? MF_ENABLED : MF_GRAYED));
}

// Whether the menu that just closed left a choice for the shell main window
// (the menus post the chosen item's command; the title's is no choice).
bool ChoicePending() {
    MSG m;
    return PeekMessageA(&m, g_lib.shell, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) && LOWORD(m.wParam) != kCmdTitle;
}

bool IsOtherProgramsWindow(HWND w) {
    if (!w || w == GetDesktopWindow() || !IsWindowVisible(w)) return false;
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) return false;
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
}

// The window in front when a menu opens. A click on the desktop may already
// have made the desktop window active (as under Wine, where it belongs to
// another process); the program in front is then the first other window in
// z-order.
HWND WindowInFront() {
    HWND w = GetForegroundWindow();
    if (IsOtherProgramsWindow(w)) return w;
    for (w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsOtherProgramsWindow(w)) return w;
    return nullptr;
}

// A menu closed without a choice (Escape, a click beside it) gives the
// foreground back to the window that had it before the menu opened.
void ReturnForegroundUnlessChosen(HWND before) {
    if (!before || !IsWindow(before)) return;
    // The shell's thread still has the foreground, on its main window or on
    // another of its windows that took the activation when the menu went.
    HWND now = GetForegroundWindow();
    if (!now || GetWindowThreadProcessId(now, nullptr) != GetCurrentThreadId() || ChoicePending()) return;
    GiveForeground(before);
}

void ShowAtCursor(void (*open)(int, int)) {
    if (!g_lib.menusReady || !g_lib.initialised) return;
    POINT pt = {};
    GetCursorPos(&pt);
    open(pt.x, pt.y);
}

}  // namespace

void OpenInitMenu(int x, int y) {
    g_lib.lastMenu = 0;
    g_lib.menusReady = 0;
    HMENU root = InitMenuRoot();
    ModifyMenuA(root, kCmdTitle, MF_BYCOMMAND | MF_STRING, kCmdTitle, RefreshTitle(TitleSide::Left));
    UpdateKill16BitEntry();
    HWND before = WindowInFront();
    SetForegroundWindow(g_lib.shell);
    TrackAt(root, x, y, false);
    ReturnForegroundUnlessChosen(before);
    PostMessageA(g_lib.shell, WM_COMMAND, kCmdTitle, 0);
    PostPutOffReload();
}

void OpenWindowList(int x, int y) {
    g_lib.lastMenu = 1;
    g_lib.menusReady = 0;
    HMENU root = BuildWindowList();
    HWND before = WindowInFront();
    SetForegroundWindow(g_lib.shell);
    TrackAt(root, x, y, true);
    ReturnForegroundUnlessChosen(before);
    PostMessageA(g_lib.shell, WM_COMMAND, kCmdTitle, 0);
    PostPutOffReload();
    DestroyWindowList();
}

void ShowInitMenuAtCursor() {
    Guarded([] { ShowAtCursor(OpenInitMenu); });
}

void ShowWindowListAtCursor() {
    Guarded([] { ShowAtCursor(OpenWindowList); });
}

}  // namespace holm
