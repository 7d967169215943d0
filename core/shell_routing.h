// What the shell main window does with a WM_COMMAND or a WM_HOTKEY: which
// id leads to which action. Pure logic: the window procedure reads the
// message and the key state and carries the action out.
#pragma once
#include <cstdint>

namespace holm::routing {

struct CommandMessage {
    unsigned id = 0;              // low word of wParam
    unsigned notification = 0;    // high word of wParam
    bool fromControl = false;     // lParam names a control window
    bool windowListLast = false;  // the last menu opened was the Window List
    int launchCount = 0;          // entries of the launch table
    bool shift = false;           // key state, for Window List entries
    bool control = false;
};

enum class CommandAction {
    None,
    HideMainWindow,    // the "&Hide me" button
    WindowListClosed,  // the Window List's title or its closing notice
    BringWindow,
    CloseWindow,       // with Shift
    HideWindow,        // with Control
    KillWindow,        // with Shift and Control
    Launch,            // an Init Menu entry: launchIndex
    ShellCommand,      // one of the shell's own commands: the id
    Reload,            // the configuration program changed the settings
};

struct CommandRoute {
    CommandAction action = CommandAction::None;
    int launchIndex = -1;
    // After the action the last active window gets the focus back and the
    // menus are ready again. A reload may come while a menu is open: the
    // focus and the ready flag then belong to that menu.
    bool endsMenu = true;
};

CommandRoute RouteCommand(const CommandMessage& m);

enum class HotkeyAction {
    ShowWindowList,
    ShowInitMenu,
    PostCommand,  // command, after bringing the main window forward when `foreground`
    Launch,       // an item's own hotkey: launchIndex
    None,
};

struct HotkeyRoute {
    HotkeyAction action = HotkeyAction::None;
    int command = 0;
    bool foreground = false;
    int launchIndex = -1;
    // Whatever comes after a hotkey other than the two menus' is not from
    // the Window List.
    bool ClearsLastMenu() const {
        return action != HotkeyAction::ShowWindowList && action != HotkeyAction::ShowInitMenu;
    }
};

HotkeyRoute RouteHotkey(std::uintptr_t id);

}  // namespace holm::routing
