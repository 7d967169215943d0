// menurects.dll: hooked onto the shell's thread by a test, it reports where
// the entries of the popup menus open on screen lie, so that a test can
// click them (with Shift or Ctrl held, as a person would). Menus can only be
// read in the process that owns them.
//
// Listing: one line per entry of every open menu window: the entry's screen
// rectangle "L T R B", then its text, separated by '|'. Cloaked menu windows
// (class HolmMenu) lay their entries out in rows 17 pixels high below a
// one-pixel border, in columns when the level is taller than the screen.
#include <windows.h>

#include <cstdio>
#include <string>

#include "spy_answer.h"

namespace {

constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
constexpr ULONG_PTR kRectsAnswer = 0x52454354;  // 'RECT'

void DescribeEntries(HMENU menu, std::string& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT rc = {};
        if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &rc)) continue;
        char text[512] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        char head[96];
        std::snprintf(head, sizeof(head), "%ld %ld %ld %ld|", rc.left, rc.top, rc.right, rc.bottom);
        out += head;
        out += text;
        out += '\n';
    }
}

void DescribeCloakedEntries(HWND hwnd, HMENU menu, std::string& out) {
    RECT window = {};
    GetWindowRect(hwnd, &window);
    const int count = GetMenuItemCount(menu);
    const int perColumn = (window.bottom - window.top - 2) / 17;
    if (count <= 0 || perColumn <= 0) return;
    const int columns = (count + perColumn - 1) / perColumn;
    const int columnWidth = (window.right - window.left) / columns;
    for (int i = 0; i < count; ++i) {
        const int left = window.left + (i / perColumn) * columnWidth;
        const int top = window.top + (i % perColumn) * 17 + 1;
        char text[512] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        char head[96];
        std::snprintf(head, sizeof(head), "%d %d %d %d|", left, top, left + columnWidth, top + 17);
        out += head;
        out += text;
        out += '\n';
    }
}

BOOL CALLBACK DescribeMenuWindow(HWND hwnd, LPARAM param) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    const bool plain = lstrcmpA(cls, "#32768") == 0, cloaked = lstrcmpA(cls, "HolmMenu") == 0;
    if ((!plain && !cloaked) || !IsWindowVisible(hwnd)) return TRUE;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(hwnd, kGetMenu, 0, 0));
    if (!menu) return TRUE;
    if (plain) DescribeEntries(menu, *reinterpret_cast<std::string*>(param));
    else DescribeCloakedEntries(hwnd, menu, *reinterpret_cast<std::string*>(param));
    return TRUE;
}

void ReportEntryRects(HWND target) {
    std::string out;
    EnumThreadWindows(GetCurrentThreadId(), DescribeMenuWindow, reinterpret_cast<LPARAM>(&out));
    holmtest::SendSpyText(target, kRectsAnswer, out);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK RectSpyProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT request = RegisterWindowMessageA("HolmTestReadMenuRects");
    if (const CWPSTRUCT* msg = holmtest::SpyMessage(code, lParam)) {
        if (msg->message == request) ReportEntryRects(holmtest::SpyReceiver(msg));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
