// The mouse hook procedure: the system's side of the desktop click rules.
// It maps the mouse messages, opens the menu the rules name, plays the
// middle button as a left double click, and outside the shell's process
// hands the desktop's button messages to the shell.
#include "mouse_hook.h"

#include "desktop_click.h"
#include "holm_names.h"
#include "library_state.h"
#include "menu_open.h"
#include "no_throw.h"
#include "proc_address.h"

using holm::g_lib;
namespace hook = holm::hook;

namespace {

LRESULT NextHook(int code, WPARAM message, LPARAM info) {
    return CallNextHookEx(g_lib.hook, code, message, info);
}

hook::Mouse MouseOf(WPARAM message) {
    switch (message) {
    case WM_LBUTTONDOWN: return hook::Mouse::LeftDown;
    case WM_LBUTTONUP: return hook::Mouse::LeftUp;
    case WM_RBUTTONDOWN: return hook::Mouse::RightDown;
    case WM_RBUTTONUP: return hook::Mouse::RightUp;
    case WM_MBUTTONDOWN: return hook::Mouse::MiddleDown;
    case WM_MBUTTONUP: return hook::Mouse::MiddleUp;
    case WM_NCMBUTTONDOWN: return hook::Mouse::NonClientMiddleDown;
    case WM_NCMBUTTONUP: return hook::Mouse::NonClientMiddleUp;
    default: return hook::Mouse::Other;
    }
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
bool HandleMiddleButton(hook::Mouse mouse, const MOUSEHOOKSTRUCT* info) {
    switch (hook::MiddleButtonAction(mouse, g_lib.middleButtonAsDblClick != 0)) {
    case hook::MiddleAction::Swallow: return true;
    case hook::MiddleAction::PlayClientDoubleClick: PlayClientDoubleClick(info->hwnd, info->pt); return true;
    case hook::MiddleAction::PlayNonClientDoubleClick: PlayNonClientDoubleClick(info->hwnd, info->pt); return true;
    default: return false;
    }
}

// Only the process that received the input may bring a window of another
// process forward on Windows 2000 and later; the process that owns the
// desktop hands that right on to the shell, which opens the menu in front.
// Windows 95 and NT 4 have no such rule and no such call.
void LetShellTakeForeground(DWORD shellProcess) {
    using AllowFn = BOOL(WINAPI*)(DWORD);
    static const AllowFn allow =
        holm::ProcAddress<AllowFn>(GetModuleHandleA("user32.dll"), "AllowSetForegroundWindow");
    if (allow) allow(shellProcess);
}

// In a process other than the shell's the library is not initialised. When
// the desktop window belongs to such a process (as under Wine, where the
// desktop lives in explorer.exe), its button messages are handed to the
// shell main window, which passes them to MouseHookProc in its own process.
void ForwardToShell(WPARAM message, hook::Mouse mouse, const MOUSEHOOKSTRUCT* info) {
    const bool onDesktop = info->hwnd == GetDesktopWindow();
    if (!hook::ForwardsToShell(mouse, onDesktop)) return;
    HWND shell = FindWindowA(holm::kShellClass, holm::kShellTitle);
    if (!shell) return;
    DWORD owner = 0;
    GetWindowThreadProcessId(shell, &owner);
    if (owner == GetCurrentProcessId()) return;
    if (onDesktop) LetShellTakeForeground(owner);
    static const UINT forwardMessage = RegisterWindowMessageA(holm::kDesktopButtonMessage);
    const hook::PackedNotice notice =
        hook::PackDesktopButton({static_cast<unsigned>(message), onDesktop, info->pt.x, info->pt.y});
    PostMessageA(shell, forwardMessage, notice.wParam, notice.lParam);
}

void OpenMenu(hook::Menu menu, POINT pt) {
    if (menu == hook::Menu::InitMenu)
        holm::OpenInitMenu(pt.x, pt.y);
    else if (menu == hook::Menu::WindowList)
        holm::OpenWindowList(pt.x, pt.y);
}

}  // namespace

static LRESULT HookBody(int code, WPARAM message, LPARAM lParam) {
    if (code < 0) return g_lib.IsNT() ? NextHook(code, message, lParam) : 0;
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (!info) return NextHook(code, message, lParam);

    const hook::Mouse mouse = MouseOf(message);
    if (HandleMiddleButton(mouse, info)) return 1;

    if (!g_lib.initialised) {
        ForwardToShell(message, mouse, info);
        NextHook(code, message, lParam);
        return 0;
    }

    const hook::ClickOutcome outcome = hook::OnButton(g_lib.click, mouse, info->hwnd == g_lib.desktop,
                                                      g_lib.menusReady != 0, g_lib.options.reverseButtons != 0);
    OpenMenu(outcome.open, info->pt);
    if (outcome.passOn) NextHook(code, message, lParam);
    return 0;
}

LRESULT holm::HandleMouseHook(int code, WPARAM message, LPARAM lParam) {
    g_lib.lastHookCall = GetTickCount();
    return holm::Guarded<LRESULT>(0, [&] { return HookBody(code, message, lParam); });
}
