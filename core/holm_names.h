// Names and numbers that the deliverables share: registry paths, window
// classes and titles, command identifiers and private window messages.
#pragma once

namespace holm {

constexpr const char kOptionsKey[] = "Software\\Tarvel\\Holm";
constexpr const char kInitMenuKey[] = "Software\\Tarvel\\Holm\\Init Menu";
constexpr const char kHiddenTitlesKey[] = "Software\\Tarvel\\Holm\\WindowsNotToShow";
constexpr const char kHotkeysKey[] = "Software\\Tarvel\\Holm\\Special HotKeys";

constexpr const char kShellClass[] = "HOLM";
constexpr const char kShellTitle[] = "HOLM";
constexpr const char kTrayClass[] = "Shell_TrayWnd";  // the hidden window that senders find
constexpr const char kTrayIconsClass[] = "HolmTray";   // the tray on screen
constexpr const char kTrayTitle[] = "HOLM Tray";
constexpr const char kConfigTitle[] = "Setwise for HOLM v1.0";
constexpr const char kConfigProgram[] = "holmcfg.exe";

// A hook instance in another process hands desktop button messages to the
// shell main window with this registered message: wParam is the mouse
// message, lParam the screen point (x low word, y high word, both signed).
constexpr const char kDesktopButtonMessage[] = "HolmDesktopButton";

// The value of the menus-ready flag that means "on".
constexpr int kReady = 19;

// WM_COMMAND identifiers at the shell main window.
enum Command : int {
    kCmdRestoreAll = 2,
    kCmdMinimizeAll = 3,
    kCmdArrangeOrEmpty = 4,
    kCmdTitle = 5,
    kCmdExit = 6,
    kCmdRun = 7,
    kCmdTaskManager = 8,
    kCmdLogoff = 9,
    kCmdShutdown = 10,
    kCmdReboot = 11,
    kCmdConfigure = 12,
    kCmdKill16Bit = 13,
    kCmdReload = 14,
    kCmdToggleTray = 15,
    kCmdHideMe = 20,
    kCmdSwitchToExplorer = 21,
    kCmdFirstLaunch = 22,
    kCmdFirstWindow = 6,
};

// Identifiers of the special hotkeys.
constexpr int kFirstSpecialHotkey = 2720;
constexpr int kSpecialHotkeyCount = 8;

}  // namespace holm
