#include "main_toolbar.h"

#include <commctrl.h>

#include <vector>

#include "no_throw.h"
#include "resource.h"
#include "window_util.h"

namespace setwise {

namespace {

struct ToolButton {
    int command;
    const char* caption;
    const char* hint;
    int image;  // index into the standard small toolbar bitmap
};

const ToolButton kToolButtons[] = {
    {CM_NEW, "New", nullptr, STD_FILENEW},
    {CM_OPEN, "Open", "Open Configuration", STD_FILEOPEN},
    {CM_SAVE, "Save", "Save Configuration", STD_FILESAVE},
    {CM_OPTIONS, "Options", "Configure HOLM", STD_PROPERTIES},
    {CM_IMPORT, "Import", "Import Start Menu", STD_REPLACE},
    {CM_ADD, "New Item", "New Item", STD_PASTE},
    {CM_DELETE, "Delete", "Delete", STD_DELETE},
    {CM_QUIT, "Quit", "Quit", STD_UNDO},
};

struct ToolbarState {
    HWND window = nullptr;
    WNDPROC proc = nullptr;
    int hotButton = 0;       // the tool button whose caption is coloured
    bool hotInside = false;  // the mouse is inside that button's text area
};

ToolbarState g_toolbar;

// One rule colours the tool button captions: the button under the mouse
// shows its caption blue (Quit: red) while the mouse lies in the same
// small rectangle of any button; every other caption keeps the text colour.
constexpr RECT kHotRect = {6, 6, 51, 21};
// Where no system reports the pointer leaving, the toolbar looks every so often.
constexpr UINT_PTR kLeaveTimer = 0x4C56;
constexpr UINT kLeaveCheckMs = 100;

void SetHotButton(int command, bool inside) {
    if (command == g_toolbar.hotButton && inside == g_toolbar.hotInside) return;
    g_toolbar.hotButton = command;
    g_toolbar.hotInside = inside;
    InvalidateRect(g_toolbar.window, nullptr, FALSE);
}

void TrackToolbarMouse(POINT pt) {
    const int index = static_cast<int>(SendMessageA(g_toolbar.window, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    TBBUTTON button = {};
    if (index < 0 || !SendMessageA(g_toolbar.window, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
        (button.fsStyle & BTNS_SEP)) {
        SetHotButton(0, false);
        return;
    }
    RECT rc = {};
    SendMessageA(g_toolbar.window, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    const int x = pt.x - rc.left, y = pt.y - rc.top;
    SetHotButton(button.idCommand, x >= kHotRect.left && x <= kHotRect.right && y >= kHotRect.top && y <= kHotRect.bottom);
    if (!holm::TrackMouseLeave(g_toolbar.window)) SetTimer(g_toolbar.window, kLeaveTimer, kLeaveCheckMs, nullptr);
}

void CheckPointerLeft(HWND toolbar) {
    POINT pt = {};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) == toolbar) return;
    KillTimer(toolbar, kLeaveTimer);
    SetHotButton(0, false);
}

LRESULT ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) TrackToolbarMouse(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (message == WM_MOUSELEAVE || message == WM_KILLFOCUS) SetHotButton(0, false);
    if (message == WM_TIMER && wParam == kLeaveTimer) {
        CheckPointerLeft(hwnd);
        return 0;
    }
    return CallWindowProcA(g_toolbar.proc, hwnd, message, wParam, lParam);
}

LRESULT OnToolbarCustomDraw(NMTBCUSTOMDRAW* draw) {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const bool hot = static_cast<int>(draw->nmcd.dwItemSpec) == g_toolbar.hotButton && g_toolbar.hotInside;
    if (hot) draw->clrText = g_toolbar.hotButton == CM_QUIT ? RGB(255, 0, 0) : RGB(0, 0, 255);
    else draw->clrText = GetSysColor(COLOR_WINDOWTEXT);
    return CDRF_DODEFAULT;
}

}  // namespace

int ToolbarHeight() {
    RECT rc = {};
    GetWindowRect(g_toolbar.window, &rc);
    return rc.bottom - rc.top;
}

LRESULT OnToolbarNotify(NMHDR* hdr) {
    if (hdr->hwndFrom == g_toolbar.window && hdr->code == NM_CUSTOMDRAW)
        return OnToolbarCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(hdr));
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        for (const ToolButton& b : kToolButtons)
            if (static_cast<UINT_PTR>(b.command) == hdr->idFrom && b.hint) info->lpszText = const_cast<char*>(b.hint);
    }
    return 0;
}

void ClearToolbarHighlight() { SetHotButton(0, false); }

HWND MainToolbar() { return g_toolbar.window; }

HWND CreateMainToolbar(HWND form, HINSTANCE instance) {
    g_toolbar.window = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                       WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                       form, nullptr, instance, nullptr);
    SendMessageA(g_toolbar.window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(g_toolbar.window, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    std::vector<TBBUTTON> buttons;
    for (const ToolButton& b : kToolButtons) {
        TBBUTTON button = {};
        button.iBitmap = b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(b.caption);
        buttons.push_back(button);
        if (b.command == CM_IMPORT || b.command == CM_DELETE) {
            TBBUTTON divider = {};
            divider.fsStyle = BTNS_SEP;
            buttons.push_back(divider);
        }
    }
    SendMessageA(g_toolbar.window, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(g_toolbar.window, TB_AUTOSIZE, 0, 0);
    g_toolbar.proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g_toolbar.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(holm::GuardedProc<LRESULT, ToolbarProc>)));
    return g_toolbar.window;
}

}  // namespace setwise
