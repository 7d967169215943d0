// HolmCfg.exe: the configuration program's main window.
#include <windows.h>

#include "RegUnit.h"

namespace {

constexpr char kTitle[] = "Setwise for HOLM v1.0";
constexpr char kClass[] = "TMainForm";

LRESULT CALLBACK MainFormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        setwise::StoreDefaultOptionsIfMissing();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    if (setwise::IsNewInstallation()) setwise::CreateDefaultMenu();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainFormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
