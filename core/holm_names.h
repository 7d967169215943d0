// Names and numbers that the deliverables share: registry paths, window
// classes and titles, command identifiers and private window messages.
#pragma once

namespace holm {

constexpr const char kVendorKey[] = "Software\\Tarvel";
constexpr const char kOptionsKey[] = "Software\\Tarvel\\Holm";
constexpr const char kInitMenuKey[] = "Software\\Tarvel\\Holm\\Init Menu";
constexpr const char kHiddenTitlesKey[] = "Software\\Tarvel\\Holm\\WindowsNotToShow";
constexpr const char kHotkeysKey[] = "Software\\Tarvel\\Holm\\Special HotKeys";
// The configuration program writes the hotkeys key with this spelling;
// registry key names ignore case, so both name the same key.
constexpr const char kConfigHotkeysKey[] = "Software\\Tarvel\\Holm\\Special Hotkeys";
constexpr const char kCloaksKey[] = "Software\\Tarvel\\Holm\\Cloaks";

// The name of the root group, under the options key.
constexpr const char kRootGroup[] = "Init Menu";

constexpr const char kShellClass[] = "HOLM";
constexpr const char kShellTitle[] = "HOLM";
constexpr const char kTrayClass[] = "Shell_TrayWnd";  // the hidden window that senders find
constexpr const char kTrayIconsClass[] = "HolmTray";   // the tray on screen
constexpr const char kTrayTitle[] = "HOLM Tray";
constexpr const char kTrayBalloonClass[] = "HolmBalloon";  // an icon's balloon tip
constexpr const char kMenuClass[] = "HolmMenu";        // the cloaked menus' windows
constexpr const char kProxyClass[] = "HolmDesktopProxyFor95";
constexpr const char kConfigTitle[] = "Setwise for HOLM v1.0";
constexpr const char kConfigProgram[] = "holmcfg.exe";

constexpr const char kMenuLibrary[] = "holm.dll";
constexpr const char kProxyLibrary[] = "holm95.dll";
constexpr const char kHookProcName[] = "MouseHookProc";

// A hook instance in another process hands desktop button messages to the
// shell main window with this registered message: wParam is the mouse
// message, lParam the screen point (x low word, y high word, both signed).
constexpr const char kDesktopButtonMessage[] = "HolmDesktopButton";

// Posted to the shell main window (WM_USER, no parameters) by a second
// start with "/redo-hook": the running shell installs its mouse hook again.
constexpr unsigned kRehookMessage = 0x0400;

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

// WM_HOTKEY identifiers of the special hotkeys at the shell main window.
enum SpecialHotkey : int {
    kHotkeyWindowList = 2720,
    kHotkeyInitMenu = 2721,
    kHotkeyRun = 2722,
    kHotkeyConfigure = 2723,
    kHotkeyToggleTray = 2724,
    kHotkeyLogoff = 2725,
    kHotkeyShutdown = 2726,
    kHotkeyReboot = 2727,
};
constexpr int kFirstSpecialHotkey = kHotkeyWindowList;
constexpr int kSpecialHotkeyCount = 8;

}  // namespace holm
