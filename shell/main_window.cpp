#include "main_window.h"

#include "autorun.h"
#include "desktop_click.h"
#include "holm_api.h"
#include "holm_names.h"
#include "hook_watch.h"
#include "last_active.h"
#include "menu_keyboard.h"
#include "no_throw.h"
#include "shell_commands.h"
#include "shell_routing.h"
#include "shell_state.h"
#include "startup.h"
#include "tray_window.h"

namespace holm {

namespace {

bool KeyHeld(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

routing::CommandMessage ReadCommand(WPARAM wParam, LPARAM lParam) {
    routing::CommandMessage m;
    m.id = LOWORD(wParam);
    m.notification = HIWORD(wParam);
    m.fromControl = lParam != 0;
    m.windowListLast = _RoL() != 0;
    m.launchCount = _getnumprogs();
    m.shift = KeyHeld(VK_SHIFT);
    m.control = KeyHeld(VK_CONTROL);
    return m;
}

void DispatchCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    using routing::CommandAction;
    const routing::CommandRoute route = routing::RouteCommand(ReadCommand(wParam, lParam));
    switch (route.action) {
    case CommandAction::HideMainWindow: ShowWindow(hwnd, SW_HIDE); break;
    case CommandAction::WindowListClosed:
        _doWinMenu(wParam);
        // A later command (the configuration program's reload) is not one
        // of the Window List's entries.
        _setRoL(0);
        break;
    case CommandAction::BringWindow: _doWinMenu(wParam); break;
    case CommandAction::CloseWindow: _doCloseWinMenu(wParam); break;
    case CommandAction::HideWindow: _doHideWinMenu(wParam); break;
    case CommandAction::KillWindow: _doKillWinMenu(wParam); break;
    case CommandAction::Launch: _doInitMenu(route.launchIndex); break;
    case CommandAction::ShellCommand:
    case CommandAction::Reload: RunShellCommand(LOWORD(wParam)); break;
    case CommandAction::None: break;
    }
    if (!route.endsMenu) return;
    ReactivateLastActive();
    _setnotalready(kReady);
}

// Activation raises a window to the top of the z-order on Windows, also a
// hidden one, so the window after the shell is the one that was active
// before it. Wine leaves a hidden window where it was; this puts it on top.
void RaiseWhileHidden(HWND hwnd) {
    if (IsWindowVisible(hwnd)) return;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DispatchHotkey(WPARAM id) {
    using routing::HotkeyAction;
    const routing::HotkeyRoute route = routing::RouteHotkey(id);
    if (route.ClearsLastMenu()) _setRoL(0);
    switch (route.action) {
    case HotkeyAction::ShowWindowList: _ShowRightMenu(); break;
    case HotkeyAction::ShowInitMenu: _ShowLeftMenu(); break;
    case HotkeyAction::PostCommand:
        if (route.foreground) SetForegroundWindow(g_shell.mainWindow);
        PostMessageA(g_shell.mainWindow, WM_COMMAND, static_cast<WPARAM>(route.command), 0);
        break;
    case HotkeyAction::Launch: _doInitMenu(route.launchIndex); break;
    case HotkeyAction::None: break;
    }
}

// A desktop button message handed on by the hook instance of the process
// that owns the desktop window.
void HandleForwardedButton(WPARAM wParam, LPARAM lParam) {
    const hook::DesktopButtonNotice notice = hook::UnpackDesktopButton(wParam, lParam);
    const UINT message = notice.message;
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP && message != WM_RBUTTONDOWN &&
        message != WM_RBUTTONUP)
        return;
    MOUSEHOOKSTRUCT info = {};
    info.pt.x = notice.x;
    info.pt.y = notice.y;
    info.hwnd = notice.onDesktop ? GetDesktopWindow() : nullptr;
    info.wHitTestCode = HTCLIENT;
    MouseHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&info));
}

LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return RunStartup(hwnd);
    case WM_DESTROY:
        RunTeardown();
        return 0;
    case WM_ACTIVATE:
        NoteActivation(reinterpret_cast<HWND>(lParam));
        if (LOWORD(wParam) != WA_INACTIVE) RaiseWhileHidden(hwnd);
        return 0;
    case WM_DISPLAYCHANGE:
        DockTray();
        return 0;
    case WM_COMMAND:
        DispatchCommand(hwnd, wParam, lParam);
        return 0;
    case WM_TIMER:
        WatchdogTick();
        return 0;
    case WM_DEVICECHANGE:
        if (wParam == 0x8000) return OnDiscArrival(lParam);
        return TRUE;
    case WM_HOTKEY:
        DispatchHotkey(wParam);
        return 1;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU) TakeKeyboardForMenu(reinterpret_cast<HWND>(lParam));
        return 0;
    case kRehookMessage:
        ReinstallMouseHook();
        return 0;
    default:
        if (message == g_shell.desktopButtonMessage && message != 0 && g_shell.menuLibrary) {
            HandleForwardedButton(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT failed = message == WM_CREATE ? -1 : 0;
    return Guarded(failed, [&] { return HandleMessage(hwnd, message, wParam, lParam); });
}

}  // namespace holm
