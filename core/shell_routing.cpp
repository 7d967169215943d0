#include "shell_routing.h"

#include "command_ids.h"
#include "holm_names.h"

namespace holm::routing {

namespace {

CommandAction WindowListAction(const CommandMessage& m) {
    if (m.id == static_cast<unsigned>(kCmdTitle)) return CommandAction::WindowListClosed;
    if (m.shift && m.control) return CommandAction::KillWindow;
    if (m.shift) return CommandAction::CloseWindow;
    if (m.control) return CommandAction::HideWindow;
    return CommandAction::BringWindow;
}

bool IsShellCommand(unsigned id) { return id >= kCmdExit && id <= kCmdSwitchToExplorer; }

// The special hotkeys in id order, from kFirstSpecialHotkey.
const HotkeyRoute kSpecialHotkeys[kSpecialHotkeyCount] = {
    {HotkeyAction::ShowWindowList},
    {HotkeyAction::ShowInitMenu},
    {HotkeyAction::PostCommand, kCmdRun, true},
    {HotkeyAction::PostCommand, kCmdConfigure},
    {HotkeyAction::PostCommand, kCmdToggleTray},
    {HotkeyAction::PostCommand, kCmdLogoff},
    {HotkeyAction::PostCommand, kCmdShutdown},
    {HotkeyAction::PostCommand, kCmdReboot},
};

}  // namespace

// A control's command carries its window in lParam; a menu's carries 0. The
// "&Hide me" button's id is also the id of a Window List entry.
CommandRoute RouteCommand(const CommandMessage& m) {
    CommandRoute route;
    if (m.fromControl) {
        if (m.id == static_cast<unsigned>(kCmdHideMe)) route.action = CommandAction::HideMainWindow;
    } else if (m.notification != 0) {
        // not a menu command
    } else if (m.windowListLast) {
        route.action = WindowListAction(m);
    } else if (m.id == static_cast<unsigned>(kCmdReload)) {
        route.action = CommandAction::Reload;
        route.endsMenu = false;
    } else if (const int index = LaunchIndexOf(m.id, m.launchCount); index >= 0) {
        route.action = CommandAction::Launch;
        route.launchIndex = index;
    } else if (IsShellCommand(m.id)) {
        route.action = CommandAction::ShellCommand;
    }
    return route;
}

HotkeyRoute RouteHotkey(std::uintptr_t id) {
    const std::uintptr_t first = kFirstSpecialHotkey;
    if (id >= first && id < first + kSpecialHotkeyCount) return kSpecialHotkeys[id - first];
    HotkeyRoute route;
    // Every other registered hotkey is an item's, with the item's command id.
    if (id >= static_cast<std::uintptr_t>(kCmdFirstLaunch) && id <= static_cast<std::uintptr_t>(kLastCommandId)) {
        route.action = HotkeyAction::Launch;
        route.launchIndex = static_cast<int>(id) - kCmdFirstLaunch;
    }
    return route;
}

}  // namespace holm::routing
