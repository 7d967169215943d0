#include "tray_window.h"

#include "holm_api.h"
#include "holm_names.h"
#include "shell_state.h"

namespace holm {

namespace {

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;  // the tray is shown or hidden, never closed
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

ATOM RegisterTrayClass() {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = TrayWindowProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = g_shell.idleIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    wc.lpszClassName = kTrayClass;
    return RegisterClassA(&wc);
}

HWND CreateTrayWindow() {
    g_shell.trayWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kTrayClass, kTrayTitle, WS_POPUP | WS_BORDER, 0, 0, 40, 24,
                                         nullptr, nullptr, g_shell.instance, nullptr);
    return g_shell.trayWindow;
}

void BuildTrayMenu() {}
void AddShellTrayIcon() {}
void SetShellTrayIcon(HICON) {}
void ApplyTrayOptions() {}
void DockTray() {}

void ToggleTray() {
    ShowWindow(g_shell.trayWindow, IsWindowVisible(g_shell.trayWindow) ? SW_HIDE : SW_SHOW);
    _changeTrayStr(g_shell.trayWindow);
}

}  // namespace holm
