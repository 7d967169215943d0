// What the mouse hook does with a mouse message: which press and release
// on the empty desktop opens which menu, the middle button played as a left
// double click, the messages a hook instance outside the shell's process
// hands on, and how it packs them. Pure logic: no Windows headers.
#pragma once
#include <cstdint>

namespace holm::hook {

// The mouse messages the hook tells apart; the adapter maps the system's.
enum class Mouse {
    Other,
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    MiddleDown,
    MiddleUp,
    NonClientMiddleDown,
    NonClientMiddleUp,
};

enum class Menu { None, InitMenu, WindowList };

// The shell instance's click in progress: a left or right button went down
// on the desktop while the menus were ready.
struct ClickState {
    bool pending = false;
};

struct ClickOutcome {
    Menu open = Menu::None;
    bool passOn = true;  // the next hook sees the message
};

// A button message in the shell's own process. The released button decides
// the menu, whichever went down; `reverseButtons` swaps the two menus. A
// release elsewhere ends the click without a menu.
ClickOutcome OnButton(ClickState& state, Mouse message, bool onDesktop, bool menusReady, bool reverseButtons);

enum class MiddleAction { None, Swallow, PlayClientDoubleClick, PlayNonClientDoubleClick };

// With the middle-button option on, the middle button never reaches the
// program: its release is played as a left double click instead.
MiddleAction MiddleButtonAction(Mouse message, bool middleAsDoubleClick);

// In a process other than the shell's: whether the message goes to the
// shell main window. Presses count only on the desktop; a release anywhere
// goes, so that a click that ends off the desktop opens nothing.
bool ForwardsToShell(Mouse message, bool onDesktop);

// The registered desktop button message: wParam holds the mouse message in
// its low word and 1 in its high word when the target was the desktop;
// lParam the screen point, x in the low word and y in the high word, each a
// signed 16-bit value.
struct DesktopButtonNotice {
    unsigned message = 0;
    bool onDesktop = false;
    int x = 0;
    int y = 0;
};

struct PackedNotice {
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

PackedNotice PackDesktopButton(const DesktopButtonNotice& notice);
DesktopButtonNotice UnpackDesktopButton(std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace holm::hook
