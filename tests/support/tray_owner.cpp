// tray_owner.exe ICON ID TIP: a program that owns one tray icon. It puts the
// icon (a handle made in the shell's process) into the shell's tray with
// callback message WM_APP and waits until it is ended.
#include <windows.h>

#include <cstdlib>

#include "tray_client.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char* rest = commandLine;
    const unsigned long icon = std::strtoul(rest, &rest, 10);
    const unsigned long id = std::strtoul(rest, &rest, 10);
    while (*rest == ' ') ++rest;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "HolmTestTrayOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "tray owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                                 nullptr);
    holmtest::TrayIconData data;
    data.owner = owner;
    data.id = id;
    data.flags = holmtest::kNifMessage | holmtest::kNifIcon | holmtest::kNifTip;
    data.callback = WM_APP;
    data.icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(icon));
    data.tip = rest;
    if (!holmtest::SendTrayNotification(holmtest::ShellTray(), holmtest::kNimAdd, data)) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
