// holm.exe: switches, single instance, windows and the message loop.
#include <windows.h>

#include "about.h"
#include "cloak_installer.h"
#include "command_line.h"
#include "holm_names.h"
#include "main_window.h"
#include "shell_state.h"
#include "shell_writer.h"
#include "tray_window.h"

namespace holm {

ShellState g_shell;

namespace {

// Handles a switch; returns true when the program ends here.
bool HandleSwitch() {
    const CommandLineAction action = ParseCommandLine(GetCommandLineA());
    switch (action.which) {
    case Switch::Version:
        ShowAbout();
        return true;
    case Switch::RedoHook:
        if (HWND running = FindWindowA(kShellClass, kShellTitle)) PostMessageA(running, kRehookMessage, 0, 0);
        return true;
    case Switch::InstallCloak:
        InstallCloak(action.cloakArgument.c_str());
        return true;
    default:
        return false;
    }
}

ATOM RegisterMainClass() {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = g_shell.idleIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1);
    wc.lpszClassName = kShellClass;
    return RegisterClassA(&wc);
}

HWND CreateMainWindow() {
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - 170;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - 115;
    return CreateWindowExA(0, kShellClass, kShellTitle, WS_SYSMENU, x, y, 200, 100, nullptr, nullptr,
                           g_shell.instance, nullptr);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

}  // namespace holm

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace holm;
    g_shell.instance = instance;
    if (HandleSwitch()) return 0;
    if (FindWindowA(kShellClass, nullptr)) {
        MessageBoxA(nullptr, "HOLM is already running", "HOLM", MB_SETFOREGROUND | MB_ICONINFORMATION);
        return 0;
    }
    g_shell.version.dwOSVersionInfoSize = sizeof(g_shell.version);
    GetVersionExA(&g_shell.version);
    if (!CheckShellTakeover()) return 0;
    g_shell.idleIcon = LoadIconA(instance, "HOLMICON");
    g_shell.busyIcon = LoadIconA(instance, "HOLMICONBUSY");
    g_shell.desktopButtonMessage = RegisterWindowMessageA(kDesktopButtonMessage);
    RegisterMainClass();
    RegisterTrayClass();
    CreateTrayWindow();
    HWND mainWindow = CreateMainWindow();
    if (!mainWindow) return 0;  // the start-up failed and has said why
    ShowWindow(mainWindow, SW_HIDE);
    return RunMessageLoop();
}
