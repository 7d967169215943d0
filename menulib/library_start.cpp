#include "library_start.h"

#include "holm_names.h"
#include "cloak.h"
#include "folder_monitor.h"
#include "hidden_titles.h"
#include "init_menu.h"
#include "launch_table.h"
#include "library_state.h"
#include "menu_images.h"
#include "no_throw.h"
#include "popup_title.h"
#include "process.h"
#include "registry.h"
#include "startup_flag.h"
#include "startup_programs.h"
#include "status_text.h"

namespace holm {

namespace {

void ReadVersion() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (GetVersionExA(&version)) {
        g_lib.platform = version.dwPlatformId;
        g_lib.majorVersion = version.dwMajorVersion;
    }
}

void TakeDesktopWindow() {
    g_lib.desktop = GetDesktopWindow();
    if (g_lib.desktop) return;
    MessageBoxA(g_lib.shell, "ERROR: Could not get handle to desktop window.  Game over.", "HOLMDLL!init()",
                MB_ICONERROR | MB_TOPMOST);
    ExitProcess(0);
}

void ReadOptions() {
    SetStatusText("Reading options...");
    UniqueKey key = OpenUserKey(kOptionsKey);
    if (!key) {
        RunConfigProgramAndWait();
        key = OpenUserKey(kOptionsKey);
    }
    ReadStartupOptions(key.Get(), g_lib.options, g_lib.checkWidth, g_lib.checkHeight);
    if (g_lib.Cloaked()) LoadCloak(key.Get());
}

void SetWowWindowName() {
    const char* name = "";
    if (g_lib.IsNT()) name = g_lib.majorVersion == 5 ? "WOWExec" : "Hidden Console of WOW VDM";
    lstrcpynA(g_lib.wowWindowName, name, sizeof(g_lib.wowWindowName));
}

bool WindowTitled(const char* title) { return FindWindowA(nullptr, title) != nullptr; }

volatile DWORD* Start(HINSTANCE resources, HWND statusWindow) {
    g_lib.resources = resources;
    SetStatusWindow(statusWindow);
    SetStatusText("Starting up...");
    ReadVersion();
    TakeDesktopWindow();
    g_lib.checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    g_lib.checkHeight = GetSystemMetrics(SM_CYMENUCHECK);
    ReadOptions();
    LoadFixedImages();
    g_lib.runStartup = DecideStartupRun(GetCommandLineA(), g_lib.options.runStartupGroupByDefault != 0);
    BuildInitMenu();
    if (g_lib.runStartup) {
        SetStatusText("Running 'Runs' and 'RunOnce's...");
        RunStartupPrograms();
    }
    SetWowWindowName();
    LoadHiddenTitles();
    g_lib.initialised = true;
    return &g_lib.lastHookCall;
}

void Rebuild() {
    g_lib.rebuildPending = false;
    g_lib.menusReady = 0;
    ClearMonitors();  // every watcher ends before its menu goes
    UnregisterItemHotkeys();
    DestroyInitMenu();
    g_lib.runStartup = false;
    ResetTitles();
    BuildInitMenu();
    if (g_lib.Cloaked()) ReloadCloak();
}

// Waits for the configuration window to appear and to go. A configuration
// program that ends without ever showing its window ends the wait too.
void RunConfigAndWait() {
    UniqueKernelHandle process = StartProcessKeepHandle(kConfigProgram, nullptr, SW_SHOWNORMAL);
    if (!process) return;
    while (!WindowTitled(kConfigTitle)) {
        if (WaitForSingleObject(process.Get(), 500) == WAIT_OBJECT_0) return;
    }
    while (WindowTitled(kConfigTitle)) Sleep(500);
}

}  // namespace

volatile DWORD* StartLibrary(HINSTANCE resources, HWND statusWindow) {
    return Guarded<volatile DWORD*>(nullptr, [&] { return Start(resources, statusWindow); });
}

// The menu's own loop can dispatch a reload while the menu is on screen;
// the rebuild then waits until the menu has closed.
int ResetMenus() {
    if (g_lib.menuOnScreen) {
        g_lib.rebuildPending = true;
        return 1;
    }
    Guarded([] { Rebuild(); });
    g_lib.menusReady = 1;
    return 1;
}

void RunConfigProgramAndWait() {
    Guarded([] { RunConfigAndWait(); });
}

}  // namespace holm
