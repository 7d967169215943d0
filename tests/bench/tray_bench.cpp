// Times the tray of the real holm.exe: adds and modifies of 495 icons (five
// owners with 99 each; the tray takes at most 100 per owner and 500 in all)
// sent from this process as other programs send them, and the tray's full
// repaint with 100 and with 496 icons, measured inside the shell.
#include <windows.h>

#include <cstdio>
#include <memory>
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
    WriteOption("TrayVisible", 1);
    ShellProcess shell;
    if (!shell.Start() || !shell.WaitReady()) {
        std::printf("the shell did not start\n");
        return 1;
    }
    HWND tray = ShellTray();
    const std::vector<HICON> icons = MakeShellIcons(shell, 4, 0);
    if (!tray || icons.size() != 4) {
        std::printf("no tray or no icons\n");
        return 1;
    }
    constexpr int kOwners = 5;
    constexpr UINT kPerOwner = 99;
    std::vector<std::unique_ptr<IconOwner>> owners;
    for (int o = 0; o < kOwners; ++o) owners.push_back(std::make_unique<IconOwner>());
    // Every operation for every owner; returns milliseconds per owner.
    const auto sendEach = [&](DWORD operation, int firstOwner) {
        std::vector<double> times;
        for (int o = firstOwner; o < kOwners; ++o)
            times.push_back(SendAll(tray, operation, 1, kPerOwner, *owners[o], icons));
        return times;
    };
    const std::vector<double> addTimes = sendEach(kNimAdd, 0);
    PumpMessages(500);
    const std::vector<double> modifyTimes = sendEach(kNimModify, 0);
    PumpMessages(500);
    const double paintMany = TrayPaintMicroseconds(shell, 20);
    const std::vector<double> deleteTimes = sendEach(kNimDelete, 1);
    PumpMessages(500);
    const double paintFew = TrayPaintMicroseconds(shell, 50);

    double adds = 0, modifies = 0, deletes = 0;
    for (double t : addTimes) adds += t;
    for (double t : modifyTimes) modifies += t;
    for (double t : deleteTimes) deletes += t;
    const int added = kOwners * static_cast<int>(kPerOwner), deleted = added - static_cast<int>(kPerOwner);
    std::printf("%d adds:       %8.1f ms  (%.0f us each; first 99 %.1f ms, last 99 %.1f ms, ratio %.2f)\n", added,
                adds, adds * 1000 / added, addTimes.front(), addTimes.back(), addTimes.back() / addTimes.front());
    std::printf("%d modifies:   %8.1f ms  (%.0f us each; modify/add ratio %.2f)\n", added, modifies,
                modifies * 1000 / added, modifies / adds);
    std::printf("%d deletes:    %8.1f ms  (%.0f us each)\n", deleted, deletes, deletes * 1000 / deleted);
    std::printf("paint, 100 icons:  %8.2f ms\n", paintFew / 1000);
    std::printf("paint, 496 icons:  %8.2f ms  (ratio %.2f for 5x the icons)\n", paintMany / 1000,
                paintMany / paintFew);
    shell.Stop();
    KillStrayShells();
    return 0;
}
