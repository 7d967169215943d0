#include "mouse_hook.h"

#include "holm_names.h"
#include "library_state.h"
#include "menu_open.h"
#include "no_throw.h"

using holm::g_lib;

namespace {

LRESULT NextHook(int code, WPARAM message, LPARAM info) {
    return CallNextHookEx(g_lib.hook, code, message, info);
}

bool IsButtonMessage(WPARAM m) {
    return m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN || m == WM_RBUTTONUP;
}

void PlayNonClientDoubleClick(HWND w, POINT pt) {
    const LPARAM pos = MAKELPARAM(pt.x, pt.y);
    const WPARAM hit = static_cast<WPARAM>(SendMessageA(w, WM_NCHITTEST, 0, pos));
    const UINT sequence[] = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP};
    for (UINT m : sequence) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, m, hit, pos, SMTO_ABORTIFHUNG, 25, &ignored);
        Sleep(0);
    }
}

void PlayClientDoubleClick(HWND w, POINT pt) {
    ScreenToClient(w, &pt);
    const LPARAM pos = MAKELPARAM(pt.x, pt.y);
    const UINT sequence[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT m : sequence) {
        PostMessageA(w, m, 0, pos);
        Sleep(0);
    }
}

// Returns true when the middle-button message was swallowed.
bool HandleMiddleButton(WPARAM message, const MOUSEHOOKSTRUCT* info) {
    switch (message) {
    case WM_MBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    case WM_MBUTTONUP:
        PlayClientDoubleClick(info->hwnd, info->pt);
        return true;
    case WM_NCMBUTTONUP:
        PlayNonClientDoubleClick(info->hwnd, info->pt);
        return true;
    default:
        return false;
    }
}

// In a process other than the shell's the library is not initialised. When
// the desktop window belongs to such a process (as under Wine, where the
// desktop lives in explorer.exe), its button messages are handed to the
// shell main window, which passes them to MouseHookProc in its own process.
void ForwardToShell(WPARAM message, const MOUSEHOOKSTRUCT* info) {
    if (!IsButtonMessage(message)) return;
    const bool onDesktop = info->hwnd == GetDesktopWindow();
    if (!onDesktop && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) return;
    HWND shell = FindWindowA(holm::kShellClass, holm::kShellTitle);
    if (!shell) return;
    DWORD owner = 0;
    GetWindowThreadProcessId(shell, &owner);
    if (owner == GetCurrentProcessId()) return;
    static const UINT forwardMessage = RegisterWindowMessageA(holm::kDesktopButtonMessage);
    PostMessageA(shell, forwardMessage, MAKEWPARAM(message, onDesktop ? 1 : 0),
                 MAKELPARAM(info->pt.x, info->pt.y));
}

bool Ready() { return g_lib.menusReady != 0; }

// A button went up on the desktop while a click was pending.
void OpenMenuForRelease(WPARAM message, POINT pt) {
    g_lib.pendingClick = 0;
    const bool left = (message == WM_LBUTTONUP) != (g_lib.options.reverseButtons != 0);
    if (left)
        holm::OpenInitMenu(pt.x, pt.y);
    else
        holm::OpenWindowList(pt.x, pt.y);
}

}  // namespace

static LRESULT HookBody(int code, WPARAM message, LPARAM lParam) {
    if (code < 0) return g_lib.IsNT() ? NextHook(code, message, lParam) : 0;
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (!info) return NextHook(code, message, lParam);

    if (g_lib.middleButtonAsDblClick && HandleMiddleButton(message, info)) return 1;

    if (!g_lib.initialised) {
        ForwardToShell(message, info);
        NextHook(code, message, lParam);
        return 0;
    }

    if (info->hwnd == g_lib.desktop) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (Ready()) g_lib.pendingClick = holm::kReady;
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (g_lib.pendingClick && Ready()) {
                OpenMenuForRelease(message, info->pt);
                return 0;
            }
            break;
        default:
            break;
        }
    } else if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) {
        g_lib.pendingClick = 0;
    }
    NextHook(code, message, lParam);
    return 0;
}

LRESULT holm::HandleMouseHook(int code, WPARAM message, LPARAM lParam) {
    g_lib.lastHookCall = GetTickCount();
    return holm::Guarded<LRESULT>(0, [&] { return HookBody(code, message, lParam); });
}
