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

// window_owner.exe's icon resource (window_owner.ico, also linked into the
// Window List benchmark): a plain square of this colour (0xRRGGBB).
constexpr int kOwnerIconId = 1;
constexpr unsigned kOwnerIconColour = 0xC800C8;

}  // namespace holmtest
