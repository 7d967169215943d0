// The shell program's process-wide state, kept in one place.
#pragma once
#include <windows.h>

#include "win_handles.h"

namespace holm {

using RunDialogProc = void(WINAPI*)(HWND owner, HICON icon, LPCVOID directory, LPCVOID title,
                                    LPCVOID prompt, UINT flags);
using ShutdownDialogProc = void(WINAPI*)(HWND owner);

struct ShellState {
    HINSTANCE instance = nullptr;
    OSVERSIONINFOA version = {};
    HWND mainWindow = nullptr;
    HWND lastActive = nullptr;
    UniqueLibrary menuLibrary;
    UniqueLibrary proxyLibrary;
    UniqueHook hook;
    HOOKPROC hookProc = nullptr;
    volatile DWORD* hookTime = nullptr;
    POINT previousCursor = {0, 0};
    RunDialogProc runDialog = nullptr;
    ShutdownDialogProc shutdownDialog = nullptr;
    HICON idleIcon = nullptr;
    HICON busyIcon = nullptr;
    char wowWindowName[32] = "";
    HWND statusWindow = nullptr;
    bool startupFinished = false;
    bool runDialogOpen = false;
    UINT desktopButtonMessage = 0;

    bool IsNT() const { return version.dwPlatformId == VER_PLATFORM_WIN32_NT; }
};

extern ShellState g_shell;

}  // namespace holm
