#include "cloak_menu.h"

#include <windowsx.h>

#include <vector>

#include "cloak.h"
#include "cloak_paint.h"
#include "holm_names.h"
#include "library_state.h"
#include "menu_placement.h"
#include "no_throw.h"
#include "window_util.h"

namespace holm {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 50;
constexpr UINT kGetMenuMessage = 0x01E1;  // MN_GETHMENU, as the system's menu windows answer it
constexpr UINT kForeignSendTimeoutMs = 200;

struct Level {
    HWND window = nullptr;
    HMENU menu = nullptr;
    LevelLayout layout;
    int highlighted = -1;
};

// The state of the one tracking a process runs at a time. The input mode
// and the ignore flag carry over from one tracking to the next.
struct Tracking {
    bool active = false;
    HWND owner = nullptr;
    HWND root = nullptr;
    bool done = false;
    bool windowList = false;
    bool keyboardMode = false;
    bool ignoreNextMove = false;
    // A release chooses an item only after a press in this tracking or once
    // the pointer has moved: the release that ends the click which opened
    // the menu (a double click on the tray icon) must not choose the item
    // that happens to lie under the pointer.
    bool pressSeen = false;
    bool focusRenewed = false;
    POINT openedAt = {};
    std::vector<Level> levels;
};

Tracking g_track;

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

int LevelOf(HWND window) {
    for (std::size_t k = 0; k < g_track.levels.size(); ++k)
        if (g_track.levels[k].window == window) return static_cast<int>(k);
    return -1;
}

int LevelShowing(HMENU menu) {
    for (std::size_t k = 0; k < g_track.levels.size(); ++k)
        if (g_track.levels[k].menu == menu) return static_cast<int>(k);
    return -1;
}

void EndTracking() {
    g_track.done = true;
    PostThreadMessageA(GetCurrentThreadId(), WM_COMMAND, 0, 0);  // wakes the message loop
}

// Closes level k and every level above it; closing level 0 ends tracking.
// The level that stays on top is activated first, so that the keyboard
// stays with the menu and no other window is activated in between.
void CloseLevelsFrom(std::size_t k) {
    if (g_track.levels.size() <= k) return;
    if (k > 0) SetForegroundWindow(g_track.levels[k - 1].window);
    while (g_track.levels.size() > k) {
        const HWND window = g_track.levels.back().window;
        g_track.levels.pop_back();
        DestroyWindow(window);
    }
}

void PaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_ERASENOW | RDW_UPDATENOW | RDW_INTERNALPAINT); }

void OpenLevel(HMENU menu, const LevelLayout& layout, int x, int y) {
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kMenuClass, kMenuClass, WS_POPUP, x, y, layout.width, layout.height,
                                  nullptr, nullptr, g_lib.resources, nullptr);
    if (!window) return;
    Level level;
    level.window = window;
    level.menu = menu;
    level.layout = layout;
    g_track.levels.push_back(level);  // before showing: the level it deactivates must know it
    KeepOnScreen(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    PaintNow(window);
}

void HighlightItem(std::size_t k, int p, bool openSubmenu, bool fromKeyboard);

void OpenSubmenu(std::size_t k, int p, HMENU submenu, bool fromKeyboard) {
    const LevelLayout layout = MeasureLevel(submenu);
    if (layout.count == 0) return;
    RECT rc = {};
    GetWindowRect(g_track.levels[k].window, &rc);
    const int x = SubmenuLeft(rc.left, rc.right, layout.width, GetSystemMetrics(SM_CXSCREEN));
    const int y = rc.top + ItemTop(g_track.levels[k].layout, p);
    OpenLevel(submenu, layout, x, y);
    if (fromKeyboard) HighlightItem(g_track.levels.size() - 1, 0, false, true);
}

void HighlightItem(std::size_t k, int p, bool openSubmenu, bool fromKeyboard) {
    if (k >= g_track.levels.size()) return;
    Level& level = g_track.levels[k];
    const int count = GetMenuItemCount(level.menu);
    if (p < 0 || p >= count) return;
    const MenuItem item = ReadMenuItem(level.menu, p);
    if (!item.facts.Selectable()) return;
    InvertItem(level.window, level.layout, p);
    const bool alreadyHighlighted = level.highlighted == p;
    level.highlighted = p;
    if (item.submenu && openSubmenu && !alreadyHighlighted) OpenSubmenu(k, p, item.submenu, fromKeyboard);
}

void UnhighlightLevel(std::size_t k) {
    if (k >= g_track.levels.size()) return;
    Level& level = g_track.levels[k];
    if (level.highlighted == -1) return;
    InvertItem(level.window, level.layout, level.highlighted);
    level.highlighted = -1;
    CloseLevelsFrom(k + 1);
}

// An item whose submenu is already open as the next level is not opened a
// second time; from the keyboard the open submenu takes the focus.
void ActivateItem(std::size_t k, int p, bool fromKeyboard) {
    const MenuItem item = ReadMenuItem(g_track.levels[k].menu, p);
    if (item.submenu) {
        const int open = LevelShowing(item.submenu);
        if (open == static_cast<int>(k) + 1) {
            if (fromKeyboard) {
                SetForegroundWindow(g_track.levels[open].window);
                if (g_track.levels[open].highlighted == -1) HighlightItem(open, 0, false, true);
            }
            return;
        }
        OpenSubmenu(k, p, item.submenu, fromKeyboard);
        return;
    }
    const HWND owner = g_track.owner;
    CloseLevelsFrom(0);
    PostMessageA(owner, WM_COMMAND, item.id, 0);
}

// The root window holds the capture: a message about a point over another
// window is passed to that window, and a press over the desktop closes the
// menu. Returns true when the message was dealt with here.
bool PassOnFromRoot(HWND hwnd, UINT message, LPARAM lParam) {
    if (hwnd != g_track.root) return false;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &pt);
    HWND under = WindowFromPoint(pt);
    if (under == hwnd) return false;
    if ((message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) && under == GetDesktopWindow()) {
        CloseLevelsFrom(0);
        return true;
    }
    if (!under) return true;
    ScreenToClient(under, &pt);
    const UINT passed = message == WM_RBUTTONUP ? WM_LBUTTONUP : message;
    DWORD_PTR ignored = 0;
    // A hung program under the pointer must not stop the menu.
    SendMessageTimeoutA(under, passed, 0, MAKELPARAM(pt.x, pt.y), SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &ignored);
    return true;
}

void OnMouseMove(HWND hwnd, LPARAM lParam) {
    if (g_track.ignoreNextMove) {
        g_track.ignoreNextMove = false;
        return;
    }
    g_track.keyboardMode = false;
    if (PassOnFromRoot(hwnd, WM_MOUSEMOVE, lParam)) return;
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const int k = LevelOf(hwnd);
    if (k < 0) return;
    const int p = ItemAtPoint(g_track.levels[k].layout, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (p == g_track.levels[k].highlighted) return;
    UnhighlightLevel(k);
    HighlightItem(k, p, true, false);
}

bool ReleaseCounts() {
    if (g_track.pressSeen) return true;
    POINT now = {};
    GetCursorPos(&now);
    return now.x != g_track.openedAt.x || now.y != g_track.openedAt.y;
}

void OnButtonUp(HWND hwnd, UINT message, LPARAM lParam) {
    g_track.keyboardMode = false;
    if (PassOnFromRoot(hwnd, message, lParam)) return;
    if (!ReleaseCounts()) return;
    const int k = LevelOf(hwnd);
    if (k < 0) return;
    const int p = ItemAtPoint(g_track.levels[k].layout, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const int count = GetMenuItemCount(g_track.levels[k].menu);
    if (p < 0 || p >= count || !ReadMenuItem(g_track.levels[k].menu, p).facts.Selectable()) return;
    ActivateItem(k, p, false);
}

HCURSOR CursorForKeys(const CloakLook& look) {
    const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    if (shift && control) return look.kill;
    if (shift) return look.close;
    if (control) return look.hide;
    return look.arrow;
}

// Under Wine the real keyboard follows the X input focus, which a window
// gets only by asking with a time later than the last focus change; the
// menu asked with the time of the click's notice, which can come before the
// program in front took that focus. Asking again once the menu has taken its
// first messages gives it the keyboard.
void RenewFocusOnce() {
    if (g_track.focusRenewed || g_track.levels.empty()) return;
    g_track.focusRenewed = true;
    HWND top = g_track.levels.back().window;
    SetFocus(nullptr);
    SetFocus(top);
}

void OnTimer() {
    RenewFocusOnce();
    if (g_track.windowList && g_track.root) {
        HCURSOR cursor = CursorForKeys(CurrentCloak());
        SetCursor(cursor);
        SetClassLongPtrA(g_track.root, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    }
    if (g_track.keyboardMode || g_track.levels.empty()) return;
    const Level& last = g_track.levels.back();
    POINT pt = {};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) != last.window && last.highlighted != -1) UnhighlightLevel(g_track.levels.size() - 1);
}

void OnKey(HWND hwnd, WPARAM wParam) {
    g_track.keyboardMode = true;
    const int k = LevelOf(hwnd);
    if (k < 0) return;
    const int h = g_track.levels[k].highlighted;
    const std::vector<MenuItem> items = ReadMenuItems(g_track.levels[k].menu);
    const int count = static_cast<int>(items.size());
    const int key = static_cast<int>(wParam & 0xFF);
    switch (key) {
    case VK_ESCAPE:
        g_track.ignoreNextMove = true;
        CloseLevelsFrom(g_track.levels.size() - 1);
        return;
    case VK_RETURN:
        if (h == -1) {
            CloseLevelsFrom(0);
            return;
        }
        g_track.ignoreNextMove = true;
        ActivateItem(k, h, true);
        return;
    case VK_UP:
    case VK_DOWN: {
        const int direction = key == VK_UP ? -1 : 1;
        if (h == -1) {
            HighlightItem(k, direction < 0 ? count - 1 : 0, false, true);
            return;
        }
        const int next = StepSelectable(FactsOf(items), h, direction);
        if (next == h) return;
        UnhighlightLevel(k);
        HighlightItem(k, next, false, true);
        return;
    }
    case VK_RIGHT:
        if (h >= 0 && h < count && items[h].submenu) {
            g_track.ignoreNextMove = true;
            ActivateItem(k, h, true);
        }
        return;
    case VK_LEFT:
        if (g_track.levels.size() > 1) {
            g_track.ignoreNextMove = true;
            CloseLevelsFrom(g_track.levels.size() - 1);
        }
        return;
    default:
        break;
    }
    const bool letter = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (!letter) return;
    const int match = MatchLetter(FactsOf(items), h, static_cast<char>(key));
    if (match < 0) return;
    UnhighlightLevel(k);
    HighlightItem(k, match, false, true);
}

void OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE) return;
    if (LevelOf(reinterpret_cast<HWND>(lParam)) < 0) CloseLevelsFrom(0);
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    const int k = LevelOf(hwnd);
    if (k >= 0) {
        const Level& level = g_track.levels[k];
        PaintLevel(dc, level.menu, level.layout, level.highlighted, ps.fErase != FALSE);
    }
    EndPaint(hwnd, &ps);
}

LRESULT HandleMenuMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        if (hwnd == g_track.root) {
            g_track.root = nullptr;
            EndTracking();
        }
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam, lParam);
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_KEYDOWN:
        OnKey(hwnd, wParam);
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(hwnd, message, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (!PassOnFromRoot(hwnd, message, lParam)) g_track.pressSeen = true;
        return 0;
    case kGetMenuMessage: {
        const int k = LevelOf(hwnd);
        return k < 0 ? 0 : reinterpret_cast<LRESULT>(g_track.levels[k].menu);
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded(LRESULT{0}, [&] { return HandleMenuMessage(hwnd, message, wParam, lParam); });
}

void RunUntilDone() {
    MSG msg;
    while (!g_track.done) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {  // a quit request: close the menu and leave it to the outer loop
            CloseLevelsFrom(0);
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void RegisterMenuClass(HINSTANCE resources) {
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
    wc.lpfnWndProc = MenuWindowProc;
    wc.hInstance = resources;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kMenuClass;
    RegisterClassA(&wc);  // fails harmlessly when the class exists
}

void TrackCloakedMenu(HMENU menu, int x, int y, HWND owner, bool windowList) {
    if (g_track.active) return;  // one tracking at a time
    const LevelLayout layout = MeasureLevel(menu);
    if (layout.count == 0) return;
    g_track.active = true;
    g_track.owner = owner;
    g_track.windowList = windowList;
    g_track.done = false;
    g_track.pressSeen = false;
    g_track.focusRenewed = false;
    GetCursorPos(&g_track.openedAt);
    g_track.levels.clear();
    const Rect root = RightAlignedAt({x, y}, {layout.width, layout.height});
    OpenLevel(menu, layout, root.left, root.top);
    if (g_track.levels.empty()) {
        g_track.active = false;
        return;
    }
    g_track.root = g_track.levels[0].window;
    SetClassLongPtrA(g_track.root, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(CurrentCloak().arrow));
    SetCapture(g_track.root);
    SetTimer(g_track.root, kTimerId, kTimerPeriodMs, nullptr);
    RunUntilDone();
    ReleaseCapture();
    if (g_track.root) KillTimer(g_track.root, kTimerId);
    CloseLevelsFrom(0);
    g_track.levels.clear();
    g_track.root = nullptr;
    g_track.active = false;
}

}  // namespace holm
