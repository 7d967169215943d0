// Times the Window List of the real holm.exe: from the Window List hotkey
// to the menu on screen, with 10 and with 200 top-level windows of this
// process, one of them hung. The windows' entries show this program's own
// icon (the test programs' icon resource is linked in), as other programs'
// windows do. Prints the median and the fastest of 31 openings for each and
// the ratio of the medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "shell_driver.h"
#include "test_ids.h"

using namespace holmtest;

namespace {

constexpr int kOpenings = 31;
constexpr DWORD kHungAfterMs = 5500;  // a thread that has not taken messages for 5 s counts as hung

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int TopLevelWindows() {
    int count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Timing {
    double median = 0, fastest = 0;
    int windows = 0;
};

// Milliseconds from the hotkey to the menu on screen, over kOpenings openings.
bool TimeOpenings(const ShellProcess& shell, Timing& timing) {
    std::vector<double> times;
    for (int i = 0; i < kOpenings; ++i) {
        MoveMouse(600, 500);
        const double start = Now();
        if (!PostHotkey(shell, kHotkeyWindowList)) return false;
        while (!MenuOpen(shell.Pid())) {
            if (Now() - start > 10000) return false;
            Sleep(1);
        }
        times.push_back(Now() - start);
        if (!DismissMenus(shell.Pid())) return false;
    }
    std::sort(times.begin(), times.end());
    timing.median = times[times.size() / 2];
    timing.fastest = times.front();
    return true;
}

bool Measure(int windowCount, Timing& timing) {
    KillStrayShells();
    ResetHolmRegistry();
    WriteMinimalConfiguration();
    WriteOption("UseCustomMenus", 0);
    const DWORD hungSince = GetTickCount();
    HungWindow hung("Bench hung window");
    WindowThread windows;
    for (int i = 1; i < windowCount; ++i) {
        char title[64];
        std::snprintf(title, sizeof(title), "Bench window %03d & co", i);
        windows.Create(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 20 + (i % 20) * 10, 20 + (i % 20) * 10);
    }
    ShellProcess shell;
    if (!shell.Start() || !shell.WaitReady()) return false;
    const DWORD waited = GetTickCount() - hungSince;
    if (waited < kHungAfterMs) Sleep(kHungAfterMs - waited);
    timing.windows = TopLevelWindows();
    const bool ok = TimeOpenings(shell, timing);
    shell.Stop();
    return ok;
}

}  // namespace

int main() {
    Timing few, many;
    if (!Measure(10, few) || !Measure(200, many)) {
        std::printf("the Window List did not open\n");
        KillStrayShells();
        return 1;
    }
    KillStrayShells();
    std::printf("Window List, hotkey to menu on screen (plain style, median / fastest of %d):\n", kOpenings);
    std::printf("   10 windows of the benchmark (%3d top-level in all, 1 hung): %7.1f ms / %7.1f ms\n", few.windows,
                few.median, few.fastest);
    std::printf("  200 windows of the benchmark (%3d top-level in all, 1 hung): %7.1f ms / %7.1f ms\n", many.windows,
                many.median, many.fastest);
    std::printf("  ratio of the medians, 200 : 10 windows: %.2f\n", many.median / few.median);
    return 0;
}
