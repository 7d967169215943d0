// Names for the numbers the tests send to the shell and find in its menus,
// taken from the shell's own header, and the stored hotkey format.
#pragma once
#include "holm_names.h"

namespace holmtest {

using holm::kHotkeyConfigure;
using holm::kHotkeyInitMenu;
using holm::kHotkeyLogoff;
using holm::kHotkeyReboot;
using holm::kHotkeyRun;
using holm::kHotkeyShutdown;
using holm::kHotkeyToggleTray;
using holm::kHotkeyWindowList;

// A stored hotkey value: the virtual key in the low byte, then modifiers.
constexpr unsigned kStoredShift = 0x2000;
constexpr unsigned kStoredControl = 0x4000;
constexpr unsigned kStoredAlt = 0x8000;

}  // namespace holmtest
