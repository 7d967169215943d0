// menuspy.dll: hooked onto the shell's thread by a test, it reads the popup
// menu that is open on screen (menus can only be read in the process that
// owns them) and sends a text listing of it back to the test's window. It
// can also take the shell's mouse hook away, as the system may.
//
// Listing: a first line "rect L T R B" of the menu window, then one line per
// entry: depth, id, flags (S separator, G grayed, P popup, C checked, B has
// bitmap), and the text, separated by '|'. Submenus follow their entry at
// depth + 1.
//
// A cloaked menu (windows of class HolmMenu, which answer MN_GETHMENU like
// the system's menu windows) adds, before the entries, a line "cloaked",
// one line "level L T R B" per open level window, root first, and a line
// "cursor CURRENT CLASS" naming the pointer shown (arrow, hide, close, kill
// or other) and the menu windows' class cursor.
#include <windows.h>

#include <cstdio>
#include <string>

#include "spy_answer.h"

namespace {

constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
constexpr ULONG_PTR kMenuAnswer = 0x4D454E55;  // 'MENU'

void DescribeMenu(HMENU menu, int depth, std::string& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_CHECKMARKS | MIIM_DATA;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        if (!GetMenuItemInfoA(menu, i, TRUE, &mii)) continue;
        std::string flags;
        if (mii.fType & MFT_SEPARATOR) flags += 'S';
        if (mii.fState & MFS_GRAYED) flags += 'G';
        if (mii.hSubMenu) flags += 'P';
        if (mii.fState & MFS_CHECKED) flags += 'C';
        if (mii.hbmpUnchecked || mii.dwItemData) flags += 'B';
        char head[64];
        std::snprintf(head, sizeof(head), "%d|%u|%s|", depth, mii.hSubMenu ? 0u : mii.wID, flags.c_str());
        out += head;
        out += text;
        out += '\n';
        if (mii.hSubMenu) DescribeMenu(mii.hSubMenu, depth + 1, out);
    }
}

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM param) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

bool IsCloakedMenu(HWND hwnd) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    return lstrcmpA(cls, "HolmMenu") == 0 && IsWindowVisible(hwnd);
}

std::string RectLine(const char* label, HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    char line[96];
    std::snprintf(line, sizeof(line), "%s %ld %ld %ld %ld\n", label, rc.left, rc.top, rc.right, rc.bottom);
    return line;
}

const char* CursorName(HCURSOR cursor) {
    HMODULE shell = GetModuleHandleA(nullptr);
    if (cursor == LoadCursorA(nullptr, IDC_ARROW)) return "arrow";
    if (cursor == LoadCursorA(shell, "HIDECURSOR")) return "hide";
    if (cursor == LoadCursorA(shell, "CLOSECURSOR")) return "close";
    if (cursor == LoadCursorA(shell, "KILLCURSOR")) return "kill";
    return cursor ? "other" : "none";
}

// The levels of a cloaked menu, root first: each level's menu is a submenu
// of the level before.
std::string DescribeCloakedLevels(HWND root) {
    std::string out = "cloaked\n" + RectLine("level", root);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(root, kGetMenu, 0, 0));
    for (bool found = true; found && menu;) {
        found = false;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (!IsCloakedMenu(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) continue;
            HMENU shown = reinterpret_cast<HMENU>(SendMessageA(w, kGetMenu, 0, 0));
            bool child = false;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) child = child || GetSubMenu(menu, i) == shown;
            if (!child) continue;
            out += RectLine("level", w);
            menu = shown;
            found = true;
            break;
        }
    }
    const HCURSOR classCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(root, GCLP_HCURSOR));
    out += std::string("cursor ") + CursorName(GetCursor()) + " " + CursorName(classCursor) + "\n";
    return out;
}

void ReportOpenMenu(HWND target) {
    HWND menuWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&menuWindow));
    HWND capture = GetCapture();
    const bool cloaked = !menuWindow && capture && IsCloakedMenu(capture);
    if (cloaked) menuWindow = capture;  // the root level holds the capture
    std::string out;
    if (menuWindow) {
        out = RectLine("rect", menuWindow);
        if (cloaked) out += DescribeCloakedLevels(menuWindow);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenu, 0, 0));
        if (menu) DescribeMenu(menu, 0, out);
    }
    holmtest::SendSpyText(target, kMenuAnswer, out);
}

// Takes the shell's mouse hook away, as the system may.
void DropMouseHook() {
    using GetHook = HHOOK (*)();
    HMODULE library = GetModuleHandleA("holm.dll");
    auto get = reinterpret_cast<GetHook>(reinterpret_cast<void*>(GetProcAddress(library, "_getmhook")));
    if (get) UnhookWindowsHookEx(get());
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK SpyProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT readMenu = RegisterWindowMessageA("HolmTestReadMenu");
    static const UINT dropHook = RegisterWindowMessageA("HolmTestDropMouseHook");
    if (const CWPSTRUCT* msg = holmtest::SpyMessage(code, lParam)) {
        if (msg->message == readMenu) ReportOpenMenu(holmtest::SpyReceiver(msg));
        if (msg->message == dropHook) DropMouseHook();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
