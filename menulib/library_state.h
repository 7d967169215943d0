// The menu library's module state, kept in one place. Every process that
// loads the library has its own copy; only the shell program's instance is
// initialised by StartLibrary.
#pragma once
#include <windows.h>

#include "desktop_click.h"
#include "holm_names.h"
#include "options.h"

namespace holm {

struct LibraryState {
    // Mouse hook and menu triggers.
    HHOOK hook = nullptr;
    HWND desktop = nullptr;
    HWND shell = nullptr;              // shell main window, owner of the menus
    HWND tray = nullptr;               // the tray window last given to MatchTrayEntry
    volatile LONG menusReady = kReady;
    hook::ClickState click;
    volatile LONG lastMenu = 0;        // 0 Init Menu, 1 Window List
    volatile DWORD lastHookCall = 0;
    bool menuOnScreen = false;         // a menu is being tracked
    bool building = false;             // start-up or a rebuild is building the menus
    bool rebuildPending = false;       // a rebuild waits for the menu or the build
    DWORD middleButtonAsDblClick = 1;  // read at library load, in every process
    bool initialised = false;          // _init has run in this process

    // Start-up.
    HINSTANCE resources = nullptr;
    DWORD platform = VER_PLATFORM_WIN32_NT;
    DWORD majorVersion = 4;
    int checkWidth = 0, checkHeight = 0;
    bool runStartup = false;
    char wowWindowName[32] = "";
    Options options;

    bool IsNT() const { return platform == VER_PLATFORM_WIN32_NT; }
    bool Cloaked() const { return options.useCustomMenus != 0; }
};

extern LibraryState g_lib;

// The flags and handles that the shell program sets and reads.
HHOOK SetMouseHook(HHOOK hook);
HHOOK MouseHook();
HWND SetShellWindow(HWND shellWindow);
int SetMenusReady(int value);
int LastMenu();  // 0 Init Menu, 1 Window List
int SetLastMenu(int value);

}  // namespace holm
