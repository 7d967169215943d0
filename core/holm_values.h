// Names of the registry values that more than one deliverable reads or
// writes: the options under the options key, a cloak's record under the
// cloaks key, and the special hotkeys under the hotkeys key.
#pragma once

namespace holm::values {

// Options (under kOptionsKey).
constexpr const char kStartupGroupName[] = "StartupGroupName";
constexpr const char kShowWindowIcons[] = "ShowWindowIcons";
constexpr const char kShowCplIcons[] = "ShowCplIcons";
constexpr const char kShowProgIcons[] = "ShowProgIcons";
constexpr const char kMaxWinTitleLen[] = "MaxWinTitleLen";
constexpr const char kShowHotkeysInLpum[] = "ShowHotkeysInLpum";
constexpr const char kRunStartupGroupByDefault[] = "RunStartupGroupByDefault";
constexpr const char kReverseButtons[] = "ReverseRightAndLeftButtons";
constexpr const char kUseCustomMenus[] = "UseCustomMenus";
constexpr const char kShowNoTitleWindows[] = "ShowNoTitleWindows";
constexpr const char kMiddleButtonAsDblClick[] = "MiddleButtonAsDblClick";
constexpr const char kForceDesktopDll[] = "ForceDesktopDLL";
constexpr const char kInitMenuTitle[] = "LCancelStr";
constexpr const char kWindowListTitle[] = "RCancelStr";
constexpr const char kCloak[] = "Cloak";  // the name of the current cloak
constexpr const char kCloakDir[] = "CloakDir";
constexpr const char kDontAskToBeShell[] = "DontAskToSetHolmAsShell";
constexpr const char kTrayVisible[] = "TrayVisible";
constexpr const char kTrayAutoSize[] = "TrayAutoSize";
constexpr const char kTraySnapToEdge[] = "TraySnapToEdge";
constexpr const char kTrayOnTop[] = "TrayOnTop";
constexpr const char kTrayVertical[] = "TrayVertical";
constexpr const char kTrayPosX[] = "TrayPosX";
constexpr const char kTrayPosY[] = "TrayPosY";
constexpr const char kTrayDockX[] = "TrayDockX";
constexpr const char kTrayDockY[] = "TrayDockY";

// A cloak's record (under kCloaksKey\<name>).
constexpr const char kCloakFont[] = "Font";
constexpr const char kCloakBold[] = "Bold";
constexpr const char kCloakItalics[] = "Italics";
constexpr const char kCloakUnderline[] = "Underline";
constexpr const char kCloakTextColour[] = "TextColor";
constexpr const char kCloakDisabledTextColour[] = "DisabledTextColor";
constexpr const char kCloakBorderColour[] = "BorderAndSepColor";
constexpr const char kCloakBackground[] = "BackgroundBitmap";
constexpr const char kCloakSubmenuIcon[] = "SubmenuIcon";
constexpr const char kCloakHideCursor[] = "HideCursor";
constexpr const char kCloakCloseCursor[] = "CloseCursor";
constexpr const char kCloakKillCursor[] = "KillCursor";
constexpr unsigned kCloakTextBytes = 260;  // every text value, terminator included
constexpr const char kDefaultCloakFont[] = "MS Sans Serif";

// The special hotkeys (under kHotkeysKey).
constexpr const char kHotkeyInitMenu[] = "Init Menu";
constexpr const char kHotkeyWindowList[] = "Window List";
constexpr const char kHotkeyConfigure[] = "Configure HOLM";
constexpr const char kHotkeyRun[] = "Run";
constexpr const char kHotkeyToggleTray[] = "ShowHide Tray";
constexpr const char kHotkeyLogoff[] = "Logoff";
constexpr const char kHotkeyShutdown[] = "Shutdown";
constexpr const char kHotkeyReboot[] = "Reboot";

}  // namespace holm::values
