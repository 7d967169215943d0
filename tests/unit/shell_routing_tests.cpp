// Which WM_COMMAND and WM_HOTKEY ids lead the shell main window to which
// action.
#include <gtest/gtest.h>

#include "command_ids.h"
#include "shell_routing.h"

using namespace holm;
using namespace holm::routing;

namespace {

CommandMessage InitMenuChoice(unsigned id, int launchCount = 3) {
    CommandMessage m;
    m.id = id;
    m.launchCount = launchCount;
    return m;
}

CommandMessage WindowListChoice(unsigned id, bool shift, bool control) {
    CommandMessage m = InitMenuChoice(id);
    m.windowListLast = true;
    m.shift = shift;
    m.control = control;
    return m;
}

}  // namespace

TEST(RouteCommand, InitMenuEntriesLaunchByTheirIndexWithinTheTable) {
    CommandRoute r = RouteCommand(InitMenuChoice(22));
    EXPECT_EQ(r.action, CommandAction::Launch);
    EXPECT_EQ(r.launchIndex, 0);
    EXPECT_TRUE(r.endsMenu);
    EXPECT_EQ(RouteCommand(InitMenuChoice(24)).launchIndex, 2);
    EXPECT_EQ(RouteCommand(InitMenuChoice(25)).action, CommandAction::None);
    EXPECT_EQ(RouteCommand(InitMenuChoice(22, 0)).action, CommandAction::None);
}

TEST(RouteCommand, TheShellsOwnCommandsAndTheClosingNotice) {
    for (unsigned id = 6; id <= 21; ++id) {
        if (id == 14) continue;  // the reload, below
        EXPECT_EQ(RouteCommand(InitMenuChoice(id)).action, CommandAction::ShellCommand) << id;
    }
    for (unsigned id : {0u, 2u, 4u, 5u}) {
        const CommandRoute r = RouteCommand(InitMenuChoice(id));
        EXPECT_EQ(r.action, CommandAction::None) << id;
        EXPECT_TRUE(r.endsMenu) << id;  // the closing notice makes the menus ready again
    }
}

TEST(RouteCommand, AReloadLeavesTheMenuStateAlone) {
    const CommandRoute r = RouteCommand(InitMenuChoice(14));
    EXPECT_EQ(r.action, CommandAction::Reload);
    EXPECT_FALSE(r.endsMenu);
}

TEST(RouteCommand, ControlsAndNotificationsRunNoMenuCommand) {
    CommandMessage button = InitMenuChoice(20);
    button.fromControl = true;
    EXPECT_EQ(RouteCommand(button).action, CommandAction::HideMainWindow);
    for (unsigned id : {7u, 14u, 22u}) {
        CommandMessage control = InitMenuChoice(id);
        control.fromControl = true;
        EXPECT_EQ(RouteCommand(control).action, CommandAction::None) << id;
        CommandMessage notification = InitMenuChoice(id);
        notification.notification = 1;
        EXPECT_EQ(RouteCommand(notification).action, CommandAction::None) << id;
    }
}

TEST(RouteCommand, WindowListEntriesActByTheKeysHeld) {
    EXPECT_EQ(RouteCommand(WindowListChoice(9, false, false)).action, CommandAction::BringWindow);
    EXPECT_EQ(RouteCommand(WindowListChoice(9, true, false)).action, CommandAction::CloseWindow);
    EXPECT_EQ(RouteCommand(WindowListChoice(9, false, true)).action, CommandAction::HideWindow);
    EXPECT_EQ(RouteCommand(WindowListChoice(9, true, true)).action, CommandAction::KillWindow);
    // Ids that mean something else after the Init Menu are windows here.
    EXPECT_EQ(RouteCommand(WindowListChoice(22, false, false)).action, CommandAction::BringWindow);
    EXPECT_EQ(RouteCommand(WindowListChoice(14, false, false)).action, CommandAction::BringWindow);
    // The title (or closing) id ends the Window List whatever keys are held.
    EXPECT_EQ(RouteCommand(WindowListChoice(5, true, true)).action, CommandAction::WindowListClosed);
}

TEST(RouteHotkey, TheEightSpecialHotkeys) {
    EXPECT_EQ(RouteHotkey(2720).action, HotkeyAction::ShowWindowList);
    EXPECT_EQ(RouteHotkey(2721).action, HotkeyAction::ShowInitMenu);
    EXPECT_FALSE(RouteHotkey(2720).ClearsLastMenu());
    EXPECT_FALSE(RouteHotkey(2721).ClearsLastMenu());
    const HotkeyRoute run = RouteHotkey(2722);
    EXPECT_EQ(run.action, HotkeyAction::PostCommand);
    EXPECT_EQ(run.command, kCmdRun);
    EXPECT_TRUE(run.foreground);
    const int posted[] = {kCmdConfigure, kCmdToggleTray, kCmdLogoff, kCmdShutdown, kCmdReboot};
    for (int i = 0; i < 5; ++i) {
        const HotkeyRoute r = RouteHotkey(2723 + i);
        EXPECT_EQ(r.action, HotkeyAction::PostCommand) << i;
        EXPECT_EQ(r.command, posted[i]) << i;
        EXPECT_FALSE(r.foreground) << i;
        EXPECT_TRUE(r.ClearsLastMenu()) << i;
    }
}

TEST(RouteHotkey, EveryOtherIdFromTheFirstLaunchIdIsAnItems) {
    EXPECT_EQ(RouteHotkey(22).action, HotkeyAction::Launch);
    EXPECT_EQ(RouteHotkey(22).launchIndex, 0);
    EXPECT_EQ(RouteHotkey(2728).launchIndex, 2706);
    EXPECT_EQ(RouteHotkey(0xFFFF).launchIndex, 0xFFFF - 22);
    for (std::uintptr_t id : {std::uintptr_t{0}, std::uintptr_t{21}, std::uintptr_t{0x10000}, ~std::uintptr_t{0}}) {
        const HotkeyRoute r = RouteHotkey(id);
        EXPECT_EQ(r.action, HotkeyAction::None) << id;
        EXPECT_TRUE(r.ClearsLastMenu()) << id;
    }
}

TEST(CommandIds, LaunchIdsAndIndicesMatch) {
    EXPECT_EQ(LaunchCommandId(0), 22);
    EXPECT_EQ(LaunchIndexOf(LaunchCommandId(4), 5), 4);
    EXPECT_EQ(LaunchIndexOf(LaunchCommandId(5), 5), -1);
    EXPECT_EQ(LaunchIndexOf(21, 5), -1);
    EXPECT_EQ(LaunchIndexOf(0x10000 + 22, 100000), -1);  // not a 16-bit id
    EXPECT_EQ(LaunchCommandId(kMaxLaunchEntries - 1), 0xFFFE);
    EXPECT_EQ(WindowCommandId(kMaxWindowEntries), 0xFFFF);
}
