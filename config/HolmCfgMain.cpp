// HolmCfg.exe: the configuration program of HOLM.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "MainUnit.h"
#include "proc_address.h"

namespace {

// InitCommonControlsEx needs comctl32 4.70 (Internet Explorer 3); the
// comctl32 that Windows 95 and NT 4 shipped has only InitCommonControls.
void InitControls() {
    using InitExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                           ICC_HOTKEY_CLASS | ICC_WIN95_CLASSES};
    auto initEx = holm::LoadedProc<InitExProc>("comctl32.dll", "InitCommonControlsEx");
    if (!initEx || !initEx(&controls)) InitCommonControls();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    InitControls();
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
