// Times the start of the real holm.exe in its first-run look (cloaked
// menus, program and Control Panel images on): from starting the process
// to the shell ready for a click (its start-up done and its message loop
// answering), with an empty Init Menu and with 300 items, and how much of
// that passes before the shell's main window exists (the process start,
// Wine's part). After each start one desktop click checks that the menu
// really opens.
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

constexpr int kStarts = 9;

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

HWND ShellWindow() { return FindWindowA(holm::kShellClass, holm::kShellTitle); }

bool ReadyForClick(const ShellProcess& shell) {
    HWND main = ShellWindow();
    if (!main || !GetDlgItem(main, holm::kCmdHideMe)) return false;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0 && shell.Running();
}

struct Figure {
    std::vector<double> times;
    double Fastest() const { return *std::min_element(times.begin(), times.end()); }
    double Median() const {
        std::vector<double> v = times;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
};

struct StartFigures {
    Figure ready, window;
    int clicksOpened = 0;
};

bool MeasureStarts(int items, StartFigures& figures) {
    WriteStore(items);
    for (int i = 0; i < kStarts; ++i) {
        KillStrayShells();
        MoveMouse(600, 500);
        Sleep(300);
        ShellProcess shell;
        const double start = Now();
        if (!shell.Start()) return false;
        if (!WaitFor([] { return ShellWindow() != nullptr; }, 60000, 1)) return false;
        figures.window.times.push_back(Now() - start);
        if (!WaitFor([&] { return ReadyForClick(shell); }, 60000, 1)) return false;
        figures.ready.times.push_back(Now() - start);
        Click(600, 500);
        if (WaitFor([&] { return MenuOpen(shell.Pid()); }, 3000, 5)) ++figures.clicksOpened;
        DismissMenus(shell.Pid());
        shell.Stop();
    }
    return true;
}

void PrintStarts(const char* what, const StartFigures& f) {
    std::printf("  %-16s ready %6.1f / %6.1f ms, main window made at %6.1f / %6.1f ms; a click opened the menu %d of %d\n",
                what, f.ready.Fastest(), f.ready.Median(), f.window.Fastest(), f.window.Median(), f.clicksOpened,
                kStarts);
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
    std::printf("start of holm.exe to ready for a click, Control Panel included (fastest / median of %d):\n", kStarts);
    PrintStarts("empty Init Menu", empty);
    PrintStarts("300 items", full);
    std::printf("  300 items / empty, fastest: %.2f\n", full.ready.Fastest() / empty.ready.Fastest());
    return 0;
}
