// Times the start of the real holm.exe in its first-run look (cloaked
// menus, program and Control Panel images on): from starting the process
// to the shell ready for a click (its main window made, start-up done and
// its message loop answering), with an empty Init Menu and with 300 items.
// After each start one desktop click checks that the menu really opens.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "holm_names.h"
#include "shell_driver.h"

using namespace holmtest;

namespace {

constexpr int kStarts = 7;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// `items` program items in groups of ten.
void WriteStore(int items) {
    ResetHolmRegistry();
    WriteMinimalConfiguration();
    WriteDefaultCloak();
    const char* programs[] = {"notepad.exe", "regedit.exe", "cmd.exe", "winhlp32.exe", "calc.exe"};
    for (int i = 0; i < items; ++i) {
        char group[32], item[32];
        std::snprintf(group, sizeof(group), "Group %02d", i / 10);
        std::snprintf(item, sizeof(item), "Program %03d", i);
        WriteStoreItem(group, item, std::string(programs[i % 5]) + "|||");
    }
}

bool ReadyForClick(const ShellProcess& shell) {
    HWND main = FindWindowA(holm::kShellClass, holm::kShellTitle);
    if (!main || !GetDlgItem(main, holm::kCmdHideMe)) return false;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0 && shell.Running();
}

struct StartFigures {
    double readyMs = 0;
    int clicksOpened = 0;
};

bool MeasureStarts(int items, StartFigures& figures) {
    WriteStore(items);
    std::vector<double> times;
    for (int i = 0; i < kStarts; ++i) {
        KillStrayShells();
        MoveMouse(600, 500);
        Sleep(300);
        ShellProcess shell;
        const double start = Now();
        if (!shell.Start()) return false;
        if (!WaitFor([&] { return ReadyForClick(shell); }, 60000, 1)) return false;
        times.push_back(Now() - start);
        Click(600, 500);
        if (WaitFor([&] { return MenuOpen(shell.Pid()); }, 3000, 5)) ++figures.clicksOpened;
        DismissMenus(shell.Pid());
        shell.Stop();
    }
    figures.readyMs = Median(times);
    return true;
}

}  // namespace

int main() {
    StartFigures empty, full;
    if (!MeasureStarts(0, empty) || !MeasureStarts(300, full)) {
        std::printf("the shell did not start\n");
        KillStrayShells();
        return 1;
    }
    KillStrayShells();
    ResetHolmRegistry();
    std::printf("start of holm.exe to ready for a click (median of %d, Control Panel included):\n", kStarts);
    std::printf("  empty Init Menu %.1f ms, 300 items %.1f ms, ratio %.2f\n", empty.readyMs, full.readyMs,
                full.readyMs / empty.readyMs);
    std::printf("  a click at once opened the menu: %d of %d, %d of %d\n", empty.clicksOpened, kStarts,
                full.clicksOpened, kStarts);
    return 0;
}
