// explorer_standin.exe: owns the two windows by which a running Explorer is
// recognised, a "Progman" window titled "Program Manager" and a
// "Shell_TrayWnd" window with an empty title, both hidden, until its
// process is ended.
#include <windows.h>

#include "holm_names.h"

namespace {

HWND CreateHidden(HINSTANCE instance, const char* className, const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!CreateHidden(instance, "Progman", "Program Manager")) return 1;
    if (!CreateHidden(instance, holm::kTrayClass, "")) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
