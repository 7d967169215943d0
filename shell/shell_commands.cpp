#include "shell_commands.h"

#include <cstdio>

#include "holm_api.h"
#include "holm_names.h"
#include "last_active.h"
#include "process.h"
#include "shell_state.h"
#include "shell_writer.h"
#include "special_hotkeys.h"
#include "tray_window.h"

namespace holm {

namespace {

void ShowError(const char* text, const char* caption = "HOLM") {
    MessageBoxA(g_shell.mainWindow, text, caption, MB_TOPMOST | MB_ICONERROR);
}

void Exit() { ExitProcess(0); }

void RunDialog() {
    if (g_shell.runDialogOpen) {
        SetForegroundWindow(g_shell.mainWindow);
        return;
    }
    if (!g_shell.runDialog) return;
    g_shell.runDialogOpen = true;
    if (g_shell.IsNT()) {
        g_shell.runDialog(g_shell.mainWindow, nullptr, nullptr, L"Run...", L"         HOLM awaits your command:", 8);
    } else {
        g_shell.runDialog(g_shell.mainWindow, nullptr, nullptr, "Run...", "         HOLM awaits your command:", 8);
    }
    ReturnFocus();
    g_shell.runDialogOpen = false;
}

void TaskManager() {
    const bool nt = g_shell.IsNT();
    if (!StartProcess(nt ? "TaskMgr.exe" : "TaskMan.exe", nullptr, SW_SHOWNORMAL)) {
        ShowError(nt ? "Could not execute TaskMgr.exe" : "Could not execute TaskMan.exe");
        ReturnFocus();
    }
}

int AskForce(const char* text, const char* caption) {
    return MessageBoxA(g_shell.mainWindow, text, caption, MB_TOPMOST | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_YESNOCANCEL);
}

bool ShiftHeld() { return GetKeyState(VK_SHIFT) < 0; }

void Logoff() {
    if (ShiftHeld()) {
        if (g_shell.shutdownDialog) g_shell.shutdownDialog(g_shell.mainWindow);
    } else {
        const int answer = AskForce("Do you want to force applications to close?\n\nHit Cancel to abort logoff",
                                    "HOLM - Logoff");
        if (answer == IDYES)
            ExitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0);
        else if (answer == IDNO)
            ExitWindowsEx(EWX_LOGOFF, 0);
    }
    ReturnFocus();
}

struct EndSessionKind {
    const char* deniedText;
    const char* askCaption;
    UINT flag;
    const char* failCaption;
};

const EndSessionKind kShutdown = {"You do not have permission to shutdown this computer", "HOLM - Shutdown",
                                  EWX_SHUTDOWN, "HOLM: Shutdown command failed"};
const EndSessionKind kReboot = {"You do not have permission to reboot this computer", "HOLM - Reboot", EWX_REBOOT,
                                "HOLM: Reboot command failed"};

void ReportEndSessionFailure(const char* caption, DWORD error) {
    char text[32];
    std::snprintf(text, sizeof(text), "error=%d", static_cast<int>(error));
    MessageBoxA(g_shell.mainWindow, text, caption, MB_SETFOREGROUND);
}

void EndSession(const EndSessionKind& kind) {
    if (!_allowedShutdown()) {
        ShowError(kind.deniedText);
    } else if (ShiftHeld()) {
        if (g_shell.shutdownDialog) g_shell.shutdownDialog(g_shell.mainWindow);
    } else {
        const int answer = AskForce("Do you want to force applications to close?", kind.askCaption);
        BOOL ok = TRUE;
        if (answer == IDYES)
            ok = ExitWindowsEx(kind.flag | EWX_FORCE, 0);
        else if (answer == IDNO)
            ok = ExitWindowsEx(kind.flag, 0);
        if (!ok) ReportEndSessionFailure(kind.failCaption, GetLastError());
    }
    ReturnFocus();
}

void Configure() { StartProcess("HolmCfg.exe", nullptr, SW_SHOWNORMAL); }

void Kill16BitKernels() {
    HWND console = g_shell.wowWindowName[0] ? FindWindowA(nullptr, g_shell.wowWindowName) : nullptr;
    if (console) {
        const int answer = MessageBoxA(g_shell.mainWindow,
                                       "This will terminate any 16-bit applications as well as 16-bit kernels.\n"
                                       "Are you sure you want to do it?",
                                       "HOLM", MB_TOPMOST | MB_ICONQUESTION | MB_YESNO);
        if (answer == IDYES) EndProcessesByTitle(g_shell.wowWindowName);
    } else {
        MessageBoxA(g_shell.mainWindow, "No 16-bit kernels found", "HOLM", MB_TOPMOST | MB_ICONINFORMATION);
    }
    ReturnFocus();
}

void Reload() {
    SetShellTrayIcon(g_shell.busyIcon);
    RedrawWindow(TrayWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW);
    UnregisterSpecialHotkeys();
    RegisterSpecialHotkeys();
    _resetLpum();
    SetShellTrayIcon(g_shell.idleIcon);
}

void SwitchToExplorer() {
    const int answer = MessageBoxA(g_shell.mainWindow, "Are you sure you want to switch to Explorer?", "HOLM",
                                   MB_SETFOREGROUND | MB_DEFBUTTON2 | MB_ICONWARNING | MB_YESNO);
    if (answer != IDYES) return;
    if (!CloseWindowsByClass("ExploreWClass")) return;
    WriteShellSetting("explorer.exe");
    StartProcess("explorer.exe", nullptr, SW_HIDE);
    PostMessageA(g_shell.mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

void RunShellCommand(WORD id) {
    switch (id) {
    case kCmdExit: Exit(); break;
    case kCmdRun: RunDialog(); break;
    case kCmdTaskManager: TaskManager(); break;
    case kCmdLogoff: Logoff(); break;
    case kCmdShutdown: EndSession(kShutdown); break;
    case kCmdReboot: EndSession(kReboot); break;
    case kCmdConfigure: Configure(); break;
    case kCmdKill16Bit: Kill16BitKernels(); break;
    case kCmdReload: Reload(); break;
    case kCmdToggleTray: ToggleTray(); break;
    case kCmdSwitchToExplorer: SwitchToExplorer(); break;
    default: break;
    }
}

}  // namespace holm
