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
#include "window_util.h"

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

// Reloads are put off while a build runs: its message boxes and waits
// dispatch messages, and a reload must not run a build inside a build.
class BuildScope {
public:
    BuildScope() { g_lib.building = true; }
    ~BuildScope() { g_lib.building = false; }
    BuildScope(const BuildScope&) = delete;
    BuildScope& operator=(const BuildScope&) = delete;
};

// The one build of the menus, at start-up and at every rebuild. At start-up
// the cloak was loaded with the options.
void BuildMenus(bool startup) {
    BuildInitMenu();
    if (!startup && g_lib.Cloaked()) ReloadCloak();
}

// The one teardown of what a build made.
void TearDownMenus() {
    g_lib.menusReady = 0;
    UnregisterItemHotkeys();
    DestroyInitMenu();
    ResetTitles();
}

void Rebuild() {
    const BuildScope scope;
    g_lib.rebuildPending = false;
    TearDownMenus();
    g_lib.runStartup = false;
    BuildMenus(false);
    g_lib.menusReady = kReady;
}

// A reload put off during a build runs once it has finished.
void RunPutOffReloads() {
    while (g_lib.rebuildPending) Rebuild();
}

void StartUp(HINSTANCE resources, HWND statusWindow) {
    const BuildScope scope;
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
    BuildMenus(true);
    if (g_lib.runStartup) {
        SetStatusText("Running 'Runs' and 'RunOnce's...");
        RunStartupPrograms();
    }
    SetWowWindowName();
    LoadHiddenTitles();
    g_lib.initialised = true;
    // The splash closes after start-up; its handle may later name another window.
    SetStatusWindow(nullptr);
}

volatile DWORD* Start(HINSTANCE resources, HWND statusWindow) {
    StartUp(resources, statusWindow);
    RunPutOffReloads();
    return &g_lib.lastHookCall;
}

// Waits for the configuration window to appear and to go. A configuration
// program that ends without ever showing its window ends the wait too.
void RunConfigAndWait() {
    UniqueKernelHandle process = StartProcessKeepHandle(kConfigProgram, nullptr, SW_SHOWNORMAL);
    if (!process) return;
    // The splash and the shell's windows stay painted and answer other
    // programs meanwhile.
    while (!WindowTitled(kConfigTitle)) {
        if (WaitKeepingWindowsAlive(process.Get(), 500)) return;
    }
    while (WindowTitled(kConfigTitle)) WaitKeepingWindowsAlive(nullptr, 500);
}

}  // namespace

volatile DWORD* StartLibrary(HINSTANCE resources, HWND statusWindow) {
    return Guarded<volatile DWORD*>(nullptr, [&] { return Start(resources, statusWindow); });
}

// A reload that comes while a menu is on screen or a build runs is put off
// until the menu has closed or the build has finished.
int ResetMenus() {
    if (g_lib.menuOnScreen || g_lib.building) {
        g_lib.rebuildPending = true;
        return 1;
    }
    Guarded([] {
        Rebuild();
        RunPutOffReloads();
    });
    g_lib.menusReady = 1;
    return 1;
}

void RunConfigProgramAndWait() {
    Guarded([] { RunConfigAndWait(); });
}

}  // namespace holm
