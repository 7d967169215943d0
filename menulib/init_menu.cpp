#include "init_menu.h"

#include <utility>

#include "control_panel.h"
#include "folder_monitor.h"
#include "holm_names.h"
#include "holm_values.h"
#include "library_start.h"
#include "library_state.h"
#include "launch_table.h"
#include "menu_images.h"
#include "no_throw.h"
#include "popup_title.h"
#include "program_icons.h"
#include "registry.h"
#include "shutdown_right.h"
#include "status_text.h"
#include "store_walk.h"
#include "win_handles.h"

namespace holm {

namespace {

// The root owns the two submenus once they are appended to it.
struct InitMenuState {
    UniqueMenu root;
    HMENU special = nullptr;
    HMENU controlPanel = nullptr;
};

InitMenuState g_menu;

void FatalMenuFailure() {
    MessageBoxA(g_lib.shell, "ERROR: Could not create popup menu", "HOLMDLL",
                MB_ICONERROR | MB_TOPMOST);
    ExitProcess(0);
}

HMENU CreatePopupOrDie() {
    HMENU menu = CreatePopupMenu();
    if (!menu) FatalMenuFailure();
    return menu;
}

void AppendWithImage(HMENU menu, UINT id, const char* text, FixedImage image, UINT extraFlags = 0) {
    AppendMenuA(menu, MF_STRING | extraFlags, id, text);
    AttachImage(menu, id, GetFixedImage(image));
}

void FillSpecial(HMENU special) {
    const UINT shutdownFlags = ShutdownAllowed() ? 0 : MF_GRAYED;
    AppendWithImage(special, kCmdTaskManager, "Task Manager", FixedImage::TaskManager);
    if (g_lib.IsNT()) AppendWithImage(special, kCmdKill16Bit, "Kill 16-bit Kernels", FixedImage::Kill16Bit);
    AppendMenuA(special, MF_SEPARATOR, 0, nullptr);
    AppendWithImage(special, kCmdSwitchToExplorer, "Switch to Explorer", FixedImage::Explorer);
    AppendMenuA(special, MF_SEPARATOR, 0, nullptr);
    AppendWithImage(special, kCmdLogoff, "Logoff", FixedImage::Logoff);
    AppendWithImage(special, kCmdReboot, "Reboot", FixedImage::Reboot, shutdownFlags);
    AppendWithImage(special, kCmdShutdown, "Shutdown", FixedImage::Shutdown, shutdownFlags);
    AppendMenuA(special, MF_SEPARATOR, 0, nullptr);
    AppendWithImage(special, kCmdToggleTray, "Hide tray", FixedImage::HideTray);
    AppendWithImage(special, kCmdConfigure, "Configure HOLM", FixedImage::Configure);
    AppendWithImage(special, kCmdExit, "Exit HOLM", FixedImage::ExitHolm);
}

bool AskToRunConfiguration(const char* text, const char* caption) {
    const int answer = MessageBoxA(g_lib.shell, text, caption, MB_YESNO | MB_ICONINFORMATION | MB_TOPMOST);
    if (answer != IDYES) return false;
    RunConfigProgramAndWait();
    return true;
}

constexpr char kCorrupt[] = "Configuration corrupt.  Would you like to run the configuration program?";

// Creates (or opens) a key under HKEY_CURRENT_USER; `created` tells which.
UniqueKey CreateUserKey(const char* path, REGSAM access, bool& created) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    created = false;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, access, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return UniqueKey();
    created = disposition == REG_CREATED_NEW_KEY;
    return UniqueKey(key);
}

void LoadStoreIntoRoot(HMENU root) {
    bool created = false;
    UniqueKey options = CreateUserKey(kOptionsKey, KEY_QUERY_VALUE, created);
    if (!options) {
        AskToRunConfiguration("Configuration not found and unable to create.  This is a problem.  Would you like "
                              "to run the configuration program anyways?",
                              "HOLM");
    } else if (created) {
        RunConfigProgramAndWait();
        return;
    }
    if (!ReadNumber(options.Get(), values::kShowNoTitleWindows, g_lib.options.showNoTitleWindows))
        AskToRunConfiguration(kCorrupt, "HOLMDLL");
    UniqueKey store = CreateUserKey(kInitMenuKey, KEY_READ, created);
    if (!store && !AskToRunConfiguration(kCorrupt, "HOLMDLL")) return;
    if (!created) WalkGroup(kInitMenuKey, root, false);
}

BOOL ChangeTrayEntry(HMENU special, HWND trayWindow) {
    const bool visible = IsWindowVisible(trayWindow) != FALSE;
    const BOOL result = ModifyMenuA(special, kCmdToggleTray, MF_BYCOMMAND | MF_STRING, kCmdToggleTray,
                                    visible ? "Hide tray" : "Show tray");
    AttachImage(special, kCmdToggleTray,
                GetFixedImage(visible ? FixedImage::HideTray : FixedImage::ShowTray));
    return result;
}

}  // namespace

// The menus are built aside and become the Init Menu once complete.
void BuildInitMenu() {
    InitMenuState built;
    built.controlPanel = CreatePopupOrDie();
    SetStatusText("Reading Control Panels...");
    FillControlPanel(built.controlPanel);
    SetStatusText("Reading Init Menu...");
    built.special = CreatePopupOrDie();
    FillSpecial(built.special);
    if (g_lib.tray) ChangeTrayEntry(built.special, g_lib.tray);

    built.root.Reset(CreatePopupMenu());
    HMENU root = built.root.Get();
    AppendMenuA(root, MF_STRING, kCmdTitle, RefreshTitle(TitleSide::Left));
    AppendMenuA(root, MF_SEPARATOR, 0, nullptr);
    LoadStoreIntoRoot(root);
    AppendMenuA(root, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(root, MF_STRING, kCmdRun, "Run...");
    AppendMenuA(root, MF_POPUP, reinterpret_cast<UINT_PTR>(built.controlPanel), "Control Panel");
    AppendMenuA(root, MF_POPUP, reinterpret_cast<UINT_PTR>(built.special), "Special");
    g_menu = std::move(built);
    StartMonitors();
    ReleaseUnshownProgramImages();
}

void DestroyInitMenu() {
    ClearMonitors();
    g_menu = InitMenuState();
    ReleaseControlPanelImages();
    ClearLaunchTable();
}

HMENU InitMenuRoot() { return g_menu.root.Get(); }
HMENU InitMenuSpecial() { return g_menu.special; }

BOOL MatchTrayEntry(HWND trayWindow) {
    g_lib.tray = trayWindow;  // every rebuild matches the entry to it again
    return Guarded(FALSE, [&] { return g_menu.special ? ChangeTrayEntry(g_menu.special, trayWindow) : FALSE; });
}

}  // namespace holm
