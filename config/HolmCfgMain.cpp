// HolmCfg.exe: the configuration program of HOLM.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "MainUnit.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                           ICC_HOTKEY_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    HWND form = setwise::CreateMainForm(instance);
    if (!form) {
        CoUninitialize();
        return 1;
    }
    setwise::StartMainForm(form, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (setwise::TranslateMainFormKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CoUninitialize();
    return 0;
}
