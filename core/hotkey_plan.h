// The special hotkeys as stored: which to register with which keys, and
// what to say when one cannot be registered.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace holm::hotkeys {

// The system's modifier flags for RegisterHotKey.
constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModShift = 4;

struct Combo {
    unsigned modifiers;
    unsigned vk;
    bool operator==(const Combo& o) const { return modifiers == o.modifiers && vk == o.vk; }
};

// A stored value: the low byte is the virtual key (0: off), bits 0x2000,
// 0x4000 and 0x8000 add Shift, Control and Alt; the rest is ignored.
std::optional<Combo> DecodeHotkey(std::uint32_t value);

// The system hotkey control's value (low byte the key, high byte
// HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4) and the stored value
// turned into each other. Other control flags (the extended-key flag) are
// not stored.
std::uint32_t StoredFromControl(unsigned controlValue);
unsigned ControlFromStored(std::uint32_t value);

struct Registration {
    int id;
    Combo combo;
    const char* conflictText;
    bool foreground;  // the conflict message comes to the foreground
};

// Looks up a stored value by name; nothing when it is missing.
using ValueLookup = std::function<std::optional<std::uint32_t>(const char* name)>;

// The hotkeys to register, in order. `keyOpened` false means there is no
// hotkeys key at all and only the built-in hotkeys apply.
std::vector<Registration> PlanHotkeys(bool keyOpened, const ValueLookup& lookup, bool nt);

}  // namespace holm::hotkeys
