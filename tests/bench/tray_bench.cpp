// Times the tray of the real holm.exe: 1,000 adds and 1,000 modifies sent
// from this process as other programs send them, and the tray's full
// repaint with 200 and with 1,000 icons, measured inside the shell.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "tray_client.h"

using namespace holmtest;

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Sends one notification per id in [first, last]; returns milliseconds.
double SendAll(HWND tray, DWORD operation, UINT first, UINT last, const IconOwner& owner,
               const std::vector<HICON>& icons) {
    const double start = Now();
    for (UINT id = first; id <= last; ++id) {
        TrayIconData d;
        d.owner = owner.Get();
        d.id = id;
        d.flags = kNifIcon | kNifMessage | kNifTip;
        d.callback = WM_APP;
        d.icon = icons[(id + operation) % icons.size()];
        d.tip = "benchmark icon";
        if (!SendTrayNotification(tray, operation, d)) std::printf("notification %u failed\n", id);
    }
    return Now() - start;
}

}  // namespace

int main() {
    KillStrayShells();
    ResetHolmRegistry();
    WriteMinimalConfiguration();
    WriteUserDword("Software\\Tarvel\\Holm", "TrayVisible", 1);
    ShellProcess shell;
    if (!shell.Start() || !WaitStarted(shell)) {
        std::printf("the shell did not start\n");
        return 1;
    }
    HWND tray = ShellTray();
    const std::vector<HICON> icons = MakeShellIcons(shell, 4, 0);
    if (!tray || icons.size() != 4) {
        std::printf("no tray or no icons\n");
        return 1;
    }
    IconOwner owner;
    const double firstAdds = SendAll(tray, kNimAdd, 1, 100, owner, icons);
    const double moreAdds = SendAll(tray, kNimAdd, 101, 900, owner, icons);
    const double lastAdds = SendAll(tray, kNimAdd, 901, 1000, owner, icons);
    PumpMessages(500);
    const double modifies = SendAll(tray, kNimModify, 1, 1000, owner, icons);
    PumpMessages(500);
    const double paint1000 = TrayPaintMicroseconds(shell, 20);
    const double deletes = SendAll(tray, kNimDelete, 201, 1000, owner, icons);
    PumpMessages(500);
    const double paint200 = TrayPaintMicroseconds(shell, 50);

    const double adds = firstAdds + moreAdds + lastAdds;
    std::printf("1000 adds:      %8.1f ms  (%.0f us each; first 100 %.1f ms, last 100 %.1f ms, ratio %.2f)\n", adds,
                adds, firstAdds, lastAdds, lastAdds / firstAdds);
    std::printf("1000 modifies:  %8.1f ms  (%.0f us each; modify/add ratio %.2f)\n", modifies, modifies,
                modifies / adds);
    std::printf("800 deletes:    %8.1f ms  (%.0f us each)\n", deletes, deletes * 1000 / 800);
    std::printf("paint, 200 icons:  %8.2f ms\n", paint200 / 1000);
    std::printf("paint, 1000 icons: %8.2f ms  (ratio %.2f for 5x the icons)\n", paint1000 / 1000,
                paint1000 / paint200);
    shell.Stop();
    KillStrayShells();
    return 0;
}
