// Names for the numbers the tests send to the shell and find in its menus.
// The command ids and the first special hotkey come from the shell's own
// header; the special hotkeys follow in the order the shell registers them.
#pragma once
#include "holm_names.h"

namespace holmtest {

enum SpecialHotkey : int {
    kHotkeyWindowList = holm::kFirstSpecialHotkey,
    kHotkeyInitMenu,
    kHotkeyRun,
    kHotkeyConfigure,
    kHotkeyToggleTray,
    kHotkeyLogoff,
    kHotkeyShutdown,
    kHotkeyReboot,
};
static_assert(kHotkeyReboot == holm::kFirstSpecialHotkey + holm::kSpecialHotkeyCount - 1, "eight special hotkeys");

// A stored hotkey value: the virtual key in the low byte, then modifiers.
constexpr unsigned kStoredShift = 0x2000;
constexpr unsigned kStoredControl = 0x4000;
constexpr unsigned kStoredAlt = 0x8000;

}  // namespace holmtest
