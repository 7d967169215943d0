// notify_owner.exe COLOUR ID TIP: a program that puts one icon of its own
// (a solid square in TestIconColour(COLOUR)) into the tray through the
// system's Shell_NotifyIconW, with callback message WM_APP, and waits
// until it is ended.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "system_notify.h"
#include "tray_test_icons.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char* rest = commandLine;
    const long colour = std::strtol(rest, &rest, 10);
    const unsigned long id = std::strtoul(rest, &rest, 10);
    while (*rest == ' ') ++rest;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "HolmTestNotifyOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "notify owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 instance, nullptr);
    holmtest::SystemIcon icon;
    icon.owner = owner;
    icon.id = id;
    icon.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.callback = WM_APP;
    icon.icon = holmtest::SolidIcon(holmtest::TestIconColour(colour), GetSystemMetrics(SM_CXSMICON));
    icon.tip = std::wstring(rest, rest + std::strlen(rest));
    const BOOL added = holmtest::NotifyWide(NIM_ADD, icon);
    DestroyIcon(icon.icon);  // the tray has its own picture of it
    if (!added) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
