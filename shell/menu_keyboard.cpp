#include "menu_keyboard.h"

#include "proc_address.h"

namespace holm {

namespace {

// Wine's X11 driver hands a key from the X keyboard to the input of the
// window that holds the X input focus, and only a window on screen can hold
// it. The shell main window that owns the menu is hidden, so that focus
// stays with the program that was in front; that program is no longer
// active and its input drops the key. Windows sends keys to the foreground
// thread and needs none of this.
bool KeysFollowScreenFocus() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && ProcAddress<FARPROC>(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

}  // namespace

void TakeKeyboardForMenu(HWND menuWindow) {
    if (!menuWindow || !KeysFollowScreenFocus()) return;
    if (GetWindowThreadProcessId(menuWindow, nullptr) != GetCurrentThreadId()) return;
    // The menu window is on screen; as the focus it takes the X focus too.
    SetFocus(menuWindow);
}

}  // namespace holm
