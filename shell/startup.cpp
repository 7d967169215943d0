#include "startup.h"

#include "autorun.h"
#include "holm_api.h"
#include "holm_names.h"
#include "holm_values.h"
#include "hook_watch.h"
#include "proc_address.h"
#include "registry.h"
#include "shell_state.h"
#include "special_hotkeys.h"
#include "splash.h"
#include "status_text.h"
#include "tray_window.h"

namespace holm {

namespace {

constexpr UINT_PTR kWatchdogTimer = 0;

// The shell is among the last programs told that the session ends (NT
// only; Windows 95 has no such order).
void AskToEndLast() {
    using ShutdownParametersProc = BOOL(WINAPI*)(DWORD, DWORD);
    if (auto set = LoadedProc<ShutdownParametersProc>("kernel32.dll", "SetProcessShutdownParameters")) set(0x100, 0);
}

void LoadError(const char* text) { MessageBoxA(g_shell.mainWindow, text, "HOLM", MB_TOPMOST | MB_ICONERROR); }

DWORD ReadForceDesktopDll() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    if (!key) {
        _runConfigProgAndWait();
        return 0;
    }
    DWORD force = 0;
    ReadNumber(key.Get(), values::kForceDesktopDll, force);
    return force;
}

bool HookOrProxy() {
    const DWORD force = ReadForceDesktopDll();
    if (g_shell.IsNT() && force == 0) return InstallMouseHook();
    g_shell.proxyLibrary.Reset(LoadLibraryA(kProxyLibrary));
    if (!g_shell.proxyLibrary) {
        LoadError("Failed to LoadLibrary Holm95.dll.  Echuta.");
        return false;
    }
    return true;
}

// Takes back the space that a task bar had reserved (right and bottom lie
// just outside the area).
void ResetWorkArea() {
    const RECT whole = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT current = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &current, 0);
    if (EqualRect(&current, &whole)) return;
    RECT wanted = whole;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &wanted, SPIF_SENDCHANGE);
    ArrangeIconicWindows(GetDesktopWindow());
}

void PrivilegeError(const char* text) { MessageBoxA(nullptr, text, "HOLM!allowShutdown()", MB_OK); }

void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        PrivilegeError("Couldn't open process token");
        return;
    }
    UniqueKernelHandle owner(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        PrivilegeError("Couldn't lookup SE_SHUTDOWN_NAME privilege value");
        return;
    }
    if (!AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) {
        PrivilegeError("Couldn't adjust process privileges");
    }
}

void FindShellDialogs() {
    HMODULE shell32 = GetModuleHandleA("SHELL32.DLL");
    if (!shell32) return;
    g_shell.runDialog = ProcAddress<RunDialogProc>(shell32, MAKEINTRESOURCEA(61));
    g_shell.shutdownDialog = ProcAddress<ShutdownDialogProc>(shell32, MAKEINTRESOURCEA(60));
}

void SetWowWindowName() {
    const char* name = "";
    if (g_shell.IsNT()) name = g_shell.version.dwMajorVersion == 5 ? "WOWExec" : "Hidden Console of WOW VDM";
    lstrcpynA(g_shell.wowWindowName, name, sizeof(g_shell.wowWindowName));
}

// Programs started before the shell put their notification icons into the
// tray again when a task bar announces itself.
void AnnounceTaskbar() { PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

bool HasEveryExport(HMODULE library) {
    for (const char* name : kLibraryExports)
        if (!GetProcAddress(library, name)) return false;
    return true;
}

// The library, or null after telling the user that it is missing or lacks
// one of its functions.
UniqueLibrary LoadMenuLibrary() {
    UniqueLibrary library(LoadLibraryA(kMenuLibrary));
    if (library && !HasEveryExport(library.Get())) library.Reset();
    return library;
}

}  // namespace

LRESULT RunStartup(HWND mainWindow) {
    g_shell.mainWindow = mainWindow;
    CreateSplash();
    g_shell.menuLibrary = LoadMenuLibrary();
    if (!g_shell.menuLibrary) {
        LoadError("Failed to LoadLibrary Holm.dll.  Echuta.");
        return -1;
    }
    if (!HookOrProxy()) return -1;
    ResetWorkArea();
    BuildTrayMenu();
    AddShellTrayIcon();
    _sethwnd(mainWindow);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
    if (g_shell.IsNT()) EnableShutdownPrivilege();
    g_shell.hookTime = _init(g_shell.instance, g_shell.statusWindow);
    FindShellDialogs();
    AskToEndLast();
    CreateWindowExA(0, "BUTTON", "&Hide me", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 184, 66, mainWindow,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCmdHideMe)), g_shell.instance, nullptr);
    SetWowWindowName();
    ReadAutorunPolicy();
    RegisterSpecialHotkeys();
    ApplyTrayOptions();
    SetTimer(mainWindow, kWatchdogTimer, 250, nullptr);
    g_shell.startupFinished = true;
    AnnounceTaskbar();
    return 0;
}

void RunTeardown() {
    UnregisterSpecialHotkeys();
    if (g_shell.menuLibrary) _unregHotkeys();
    RemoveMouseHook();
    g_shell.menuLibrary.Reset();
    g_shell.proxyLibrary.Reset();
    PostQuitMessage(0);
}

}  // namespace holm
