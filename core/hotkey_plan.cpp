#include "hotkey_plan.h"

#include "holm_names.h"
#include "holm_values.h"

namespace holm::hotkeys {

namespace {

constexpr std::uint32_t kShiftEscape = 0x201B;
constexpr std::uint32_t kControlEscape = 0x401B;
constexpr std::uint32_t kControlShiftEscape = 0x601B;
constexpr std::uint32_t kF11 = 0x7A;
constexpr std::uint32_t kNone = 0;

struct Entry {
    const char* valueName;
    int id;
    std::uint32_t defaultNT;
    std::uint32_t default95;
    const char* conflictText;
    bool foreground;
};

const Entry kEntries[] = {
    {values::kHotkeyInitMenu, kHotkeyInitMenu, kShiftEscape, kShiftEscape,
     "'Init Menu' hotkey conflicted with another hotkey", true},
    {values::kHotkeyWindowList, kHotkeyWindowList, kControlEscape, kControlShiftEscape,
     "'Window Menu' hotkey conflicted with another hotkey", true},
    {values::kHotkeyConfigure, kHotkeyConfigure, kNone, kNone, "'Configure HOLM' hotkey conflicted with another hotkey",
     false},
    {values::kHotkeyRun, kHotkeyRun, kF11, kF11, "'Run' hotkey conflicted with another hotkey", true},
    {values::kHotkeyToggleTray, kHotkeyToggleTray, kNone, kNone,
     "'ShowHide Tray' hotkey conflicted with another hotkey", true},
    {values::kHotkeyLogoff, kHotkeyLogoff, kNone, kNone, "'Logoff' hotkey conflicted with another hotkey", true},
    {values::kHotkeyShutdown, kHotkeyShutdown, kNone, kNone, "'Shutdown' hotkey conflicted with another hotkey", true},
    {values::kHotkeyReboot, kHotkeyReboot, kNone, kNone, "'Reboot' hotkey conflicted with another hotkey", true},
};

std::vector<Registration> BuiltIn(bool nt) {
    return {
        {kHotkeyInitMenu, *DecodeHotkey(kShiftEscape), "Conflict with Shift-Escape hotkey", true},
        nt ? Registration{kHotkeyWindowList, *DecodeHotkey(kControlEscape), "Conflict with Control-Esc hotkey", true}
           : Registration{kHotkeyWindowList, *DecodeHotkey(kControlShiftEscape),
                          "Conflict with Control-Shift-Esc hotkey", true},
        {kHotkeyRun, *DecodeHotkey(kF11), "Conflict with F11 hotkey", true},
    };
}

}  // namespace

std::optional<Combo> DecodeHotkey(std::uint32_t value) {
    const unsigned vk = value & 0xFF;
    if (vk == 0) return std::nullopt;
    unsigned modifiers = 0;
    if (value & 0x2000) modifiers |= kModShift;
    if (value & 0x4000) modifiers |= kModControl;
    if (value & 0x8000) modifiers |= kModAlt;
    return Combo{modifiers, vk};
}

std::vector<Registration> PlanHotkeys(bool keyOpened, const ValueLookup& lookup, bool nt) {
    if (!keyOpened) return BuiltIn(nt);
    std::vector<Registration> plan;
    for (const Entry& e : kEntries) {
        const std::uint32_t value = lookup(e.valueName).value_or(nt ? e.defaultNT : e.default95);
        if (const std::optional<Combo> combo = DecodeHotkey(value))
            plan.push_back({e.id, *combo, e.conflictText, e.foreground});
    }
    return plan;
}

std::uint32_t StoredFromControl(unsigned controlValue) {
    const unsigned flags = (controlValue >> 8) & 0xFF;
    std::uint32_t value = controlValue & 0xFF;
    if (!value) return 0;
    if (flags & 1) value |= 0x2000;
    if (flags & 2) value |= 0x4000;
    if (flags & 4) value |= 0x8000;
    return value;
}

unsigned ControlFromStored(std::uint32_t value) {
    const unsigned vk = value & 0xFF;
    if (!vk) return 0;
    unsigned flags = 0;
    if (value & 0x2000) flags |= 1;
    if (value & 0x4000) flags |= 2;
    if (value & 0x8000) flags |= 4;
    return vk | (flags << 8);
}

}  // namespace holm::hotkeys
