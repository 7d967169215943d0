// A program that owns one tray icon, with callback message WM_APP, and
// waits until it is ended:
//   tray_owner.exe ICON ID TIP          puts an icon handle made in the
//     shell's process into the tray with a notification in the Windows layout;
//   tray_owner.exe system COLOUR ID TIP  makes its own icon, a solid square in
//     TestIconColour(COLOUR), and calls the system's Shell_NotifyIconW.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "system_notify.h"
#include "tray_client.h"

namespace {

bool AddThroughTheSystem(HWND owner, char* rest) {
    const long colour = std::strtol(rest, &rest, 10);
    holmtest::SystemIcon icon;
    icon.owner = owner;
    icon.id = std::strtoul(rest, &rest, 10);
    while (*rest == ' ') ++rest;
    icon.flags = holmtest::kNifMessage | holmtest::kNifIcon | holmtest::kNifTip;
    icon.callback = WM_APP;
    icon.icon = holmtest::SolidIcon(holmtest::TestIconColour(colour), GetSystemMetrics(SM_CXSMICON));
    icon.tip = std::wstring(rest, rest + std::strlen(rest));
    const BOOL added = holmtest::NotifyWide(NIM_ADD, icon);
    DestroyIcon(icon.icon);  // the tray has its own picture of it
    return added != FALSE;
}

bool AddInTheWindowsLayout(HWND owner, char* rest) {
    holmtest::TrayIconData data;
    data.owner = owner;
    data.icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(std::strtoul(rest, &rest, 10)));
    data.id = std::strtoul(rest, &rest, 10);
    while (*rest == ' ') ++rest;
    data.flags = holmtest::kNifMessage | holmtest::kNifIcon | holmtest::kNifTip;
    data.callback = WM_APP;
    data.tip = rest;
    return holmtest::SendTrayNotification(holmtest::ShellTray(), holmtest::kNimAdd, data);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "HolmTestTrayOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, wc.lpszClassName, "tray owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                                 nullptr);
    const char kSystem[] = "system ";
    const bool added = std::strncmp(commandLine, kSystem, sizeof(kSystem) - 1) == 0
                           ? AddThroughTheSystem(owner, commandLine + sizeof(kSystem) - 1)
                           : AddInTheWindowsLayout(owner, commandLine);
    if (!added) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
