#include "window_actions.h"

#include "holm_names.h"
#include "library_state.h"
#include "process.h"
#include "window_util.h"
#include "window_table.h"

namespace holm {

namespace {

void ShowRestored(HWND window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (GetWindowPlacement(window, &placement)) {
        int show = SW_SHOWNORMAL;
        if (placement.showCmd == SW_SHOWMAXIMIZED)
            show = SW_SHOW;
        else if (placement.showCmd == SW_SHOWMINIMIZED)
            show = SW_RESTORE;
        ShowWindowAsync(window, show);
    }
}

void BringForward(HWND window) {
    ShowRestored(window);
    SetForegroundWindow(window);
}

// The one window chosen from the list also takes the real keyboard.
void BringChosenForward(HWND window) {
    ShowRestored(window);
    GiveForeground(window);
}

bool VisibleWithTitle(HWND window) { return IsWindowVisible(window) && GetWindowTextLengthA(window) > 0; }

void RestoreOne(HWND window) {
    if (VisibleWithTitle(window)) BringForward(window);
}

// Windows without any caption bit (tool and popup windows) stay as they are.
// Asynchronous, so that a hung window cannot stop the shell.
void MinimizeOne(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (VisibleWithTitle(window) && (style & WS_CAPTION) != 0) ShowWindowAsync(window, SW_MINIMIZE);
}

// Runs `action` on the window of `id` (when the table still names one) and
// releases the table.
int ActOnChosenWindow(WPARAM id, void (*action)(HWND)) {
    HWND window = TableWindowForCommand(id);
    if (window) action(window);
    ReleaseWindowTable();
    return window ? 1 : 0;
}

void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }
void HideAsync(HWND window) { ShowWindowAsync(window, SW_HIDE); }
void EndProcessOf(HWND window) { EndWindowProcess(window); }

}  // namespace

int ActOnWindowListChoice(WPARAM id) {
    switch (id) {
    case kCmdRestoreAll:
        ForEachTableWindow(RestoreOne);
        break;
    case kCmdMinimizeAll:
        ForEachTableWindow(MinimizeOne);
        break;
    case kCmdArrangeOrEmpty:
        ArrangeIconicWindows(g_lib.desktop);
        break;
    default:
        if (id < static_cast<WPARAM>(kCmdFirstWindow)) return 0;  // the title or nothing: the table stays
        return ActOnChosenWindow(id, BringChosenForward);
    }
    ReleaseWindowTable();
    return 1;
}

int CloseChosenWindow(WPARAM id) { return ActOnChosenWindow(id, PostClose); }
int HideChosenWindow(WPARAM id) { return ActOnChosenWindow(id, HideAsync); }
int EndChosenWindowProcess(WPARAM id) { return ActOnChosenWindow(id, EndProcessOf); }

}  // namespace holm
