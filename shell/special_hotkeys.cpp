#include "special_hotkeys.h"

#include <windows.h>

#include "hotkey_plan.h"
#include "holm_names.h"
#include "registry.h"
#include "shell_state.h"

namespace holm {

namespace {

void ReportConflict(const hotkeys::Registration& r) {
    const UINT flags = r.foreground ? MB_SETFOREGROUND | MB_ICONWARNING : MB_ICONWARNING;
    MessageBoxA(g_shell.mainWindow, r.conflictText, "HOLM", flags);
}

}  // namespace

void RegisterSpecialHotkeys() {
    UniqueKey key = OpenUserKey(kHotkeysKey);
    const auto lookup = [&key](const char* name) -> std::optional<std::uint32_t> {
        DWORD value = 0;
        if (!ReadNumber(key.Get(), name, value)) return std::nullopt;
        return value;
    };
    for (const hotkeys::Registration& r : hotkeys::PlanHotkeys(static_cast<bool>(key), lookup, g_shell.IsNT())) {
        if (!RegisterHotKey(g_shell.mainWindow, r.id, r.combo.modifiers, r.combo.vk)) ReportConflict(r);
    }
}

void UnregisterSpecialHotkeys() {
    for (int i = 0; i < kSpecialHotkeyCount; ++i) UnregisterHotKey(g_shell.mainWindow, kFirstSpecialHotkey + i);
}

}  // namespace holm
