#include "splash.h"

#include "last_active.h"
#include "shell_state.h"
#include "status_text.h"
#include "window_util.h"

namespace holm {

namespace {

constexpr int kStatusControl = 100;
constexpr UINT_PTR kSplashTimer = 1;

INT_PTR CALLBACK SplashProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(dialog, kSplashTimer, 1000, nullptr);
        g_shell.statusWindow = GetDlgItem(dialog, kStatusControl);
        SetStatusWindow(g_shell.statusWindow);
        return TRUE;
    case WM_TIMER:
        if (g_shell.startupFinished) {
            KillTimer(dialog, kSplashTimer);
            EndDialog(dialog, 0);
            DestroyWindow(dialog);
            g_shell.statusWindow = nullptr;
            SetStatusWindow(nullptr);
            ReactivateLastActive();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void CreateSplash() {
    const char* name = ColourDepth(g_shell.mainWindow) > 8 ? "SPLASHDLG" : "LAMESPLASHDLG";
    CreateDialogParamA(g_shell.instance, name, g_shell.mainWindow, SplashProc, 0);
    SetStatusText("Starting up...");
}

}  // namespace holm
