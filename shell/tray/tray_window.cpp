#include "tray_window.h"

#include "holm_api.h"
#include "holm_names.h"
#include "no_throw.h"
#include "registry.h"
#include "shell_state.h"
#include "tray_settings.h"
#include "tray_state.h"

namespace holm {

namespace tray {

TrayState g_tray;

Size ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Size ClientSize() {
    RECT rc = {};
    GetClientRect(g_tray.window, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

Cell WindowCell() {
    RECT rc = {};
    GetWindowRect(g_tray.window, &rc);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

namespace {

bool IsMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case 0x020A:  // WM_MOUSEWHEEL
        return true;
    default:
        return false;
    }
}

// A close request hides the tray, as its menu's "Hide tray" does; the
// window itself lives as long as the shell.
void OnCloseRequest() {
    if (IsWindowVisible(g_tray.window)) ToggleTray();
}

LRESULT HandleTrayMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_tray.window = hwnd;
        g_tray.tooltips.Create(hwnd, g_shell.instance);
        return 0;
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting fills the background itself, in one go with the icons
    case WM_SYSCOLORCHANGE:
        g_tray.icons.RenderAll();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE);
        return 0;
    case WM_SIZE:
        if (g_tray.autoSize) AutoSize();
        return 0;
    case WM_SIZING:
        if (g_tray.autoSize) AutoSize();
        return TRUE;
    case WM_NULL:
        OnShellIconEvent(lParam);
        return 0;
    case WM_COMMAND:
        OnMenuCommand(wParam);
        return 0;
    case WM_NCRBUTTONDOWN:
        StartDrag(lParam);
        return 0;
    case WM_NCRBUTTONUP:
        EndDrag();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) EndDrag();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) BringBack();
        return 0;
    case WM_CLOSE:
        OnCloseRequest();
        return 0;
    default:
        break;
    }
    if (g_tray.dragging && message == WM_MOUSEMOVE) {
        DragTo();
        return 0;
    }
    if (g_tray.dragging && message == WM_RBUTTONUP) {
        EndDrag();
        return 0;
    }
    if (IsMouseMessage(message)) {
        OnMouse(message, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return HandleTrayMessage(hwnd, message, wParam, lParam); });
}

// Senders find the tray with FindWindow("Shell_TrayWnd"). Wine takes a
// visible window of that class for its task bar and cuts every program's
// work area down to the part of the screen above it, which squeezes the
// menus into a strip. So the window that senders find stays hidden and
// hands their notifications on; the tray on screen has a class of its own.
LRESULT CALLBACK NotifyTargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA:
        return Guarded<LRESULT>(FALSE, [&] {
            return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
        });
    case WM_CLOSE:
        return 0;  // lives as long as the shell
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

}  // namespace tray

using namespace tray;

ATOM RegisterTrayClass() {
    WNDCLASSA target = {};
    target.lpfnWndProc = NotifyTargetProc;
    target.hInstance = g_shell.instance;
    target.hIcon = g_shell.idleIcon;
    target.lpszClassName = kTrayClass;
    if (!RegisterClassA(&target)) return 0;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = TrayWindowProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = g_shell.idleIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    wc.lpszClassName = kTrayIconsClass;
    if (!RegisterBalloonClass()) return 0;
    return RegisterClassA(&wc);
}

namespace tray {

namespace {

// Wine's shell32 sends to the first window of the class that FindWindow
// finds, and Wine's explorer keeps a hidden one of its own: ours must come
// first.
void PutNotifyTargetFirst(HWND target) {
    if (FindWindowA(kTrayClass, nullptr) == target) return;
    SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (FindWindowA(kTrayClass, nullptr) != target)
        OutputDebugStringA("HOLM tray: another Shell_TrayWnd comes first; notifications may not arrive\n");
}

}  // namespace

}  // namespace tray

HWND TrayWindow() { return g_tray.window; }

HWND CreateTrayWindow() {
    const int frameX = GetSystemMetrics(SM_CXFRAME) - 1, frameY = GetSystemMetrics(SM_CYFRAME) - 1;
    g_tray.metrics = {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 2 * frameX};
    g_tray.icons.SetIconSize(g_tray.metrics.cx, g_tray.metrics.cy);
    const int width = 2 * frameX + g_tray.metrics.cx + 4, height = 2 * frameY + g_tray.metrics.cy + 4;
    // WM_CREATE keeps the handle in the tray's state.
    if (!CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTrayIconsClass, kTrayTitle, WS_POPUP | WS_THICKFRAME, 0, 0,
                         width, height, nullptr, nullptr, g_shell.instance, nullptr))
        return nullptr;
    HWND target = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTrayClass, kTrayTitle, WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, g_shell.instance, nullptr);
    if (target) PutNotifyTargetFirst(target);
    RestorePlacement();
    SavePlacement();
    return g_tray.window;
}

void BuildTrayMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kMenuCancel, "Cancel");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kMenuLeftMenu, "Left-click menu");
    AppendMenuA(menu, MF_STRING, kMenuRightMenu, "Right-click menu");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_CHECKED, kMenuAutoSize, "Autosize tray");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, kMenuSnap, "Snap tray to screen edges");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, kMenuOnTop, "Tray always visible");
    AppendMenuA(menu, MF_STRING, kMenuToggle, "Hide tray");
    g_tray.menu.Reset(menu);
}

void SetShellTrayIcon(HICON icon) {
    TrayRequest request;
    request.kind = RequestKind::Modify;
    request.record.cbSize = kAnsiRecordSize;
    request.record.hWnd = HandleToWire(reinterpret_cast<std::uintptr_t>(g_tray.window));
    request.record.uFlags = kNifMessage | kNifIcon | kNifTip;
    request.record.uCallbackMessage = WM_NULL;
    request.record.hIcon = HandleToWire(reinterpret_cast<std::uintptr_t>(icon));
    StoreAnsiTip(request.record, "HOLM");
    ApplyRequest(request);
}

void AddShellTrayIcon() { SetShellTrayIcon(g_shell.idleIcon); }

void ApplyTrayOptions() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    if (!key) return;
    g_tray.autoSize = ReadSetting(key.Get(), values::kTrayAutoSize, 1) != 0;
    SetMenuCheck(kMenuAutoSize, g_tray.autoSize);
    SetMenuCheck(kMenuSnap, g_tray.snap);
    g_tray.onTop = ReadSetting(key.Get(), values::kTrayOnTop, 1) != 0;
    SetMenuCheck(kMenuOnTop, g_tray.onTop);
    SetWindowPos(g_tray.window, g_tray.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (ReadSetting(key.Get(), values::kTrayVisible, 1) != 0) {
        ShowWindow(g_tray.window, SW_SHOWNORMAL);
    } else {
        _changeTrayStr(g_tray.window);
    }
}

void DockTray() { ApplyDocking(); }

void ToggleTray() {
    const bool hide = IsWindowVisible(g_tray.window) != FALSE;
    ShowWindow(g_tray.window, hide ? SW_HIDE : SW_SHOW);
    StoreSetting(values::kTrayVisible, hide ? 0 : 1);
    _changeTrayStr(g_tray.window);
}

}  // namespace holm
