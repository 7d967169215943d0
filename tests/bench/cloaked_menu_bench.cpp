// Times the menus. Against the real holm.exe: from the release of a desktop
// click to the Init Menu (left) and the Window List (right) on screen, in
// the plain style and in the cloaked first-run look; the cloaked root level
// painted with a root of 20 and of 400 entries (nested groups included),
// and the processor time the shell takes while a menu stays open and idle
// for 5 s. In this process, with the
// menu library's own painting: a level the size of a 1024x768 screen
// painted with the tiled background, against a level of 20 entries.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "cloak.h"
#include "cloak_paint.h"
#include "library_state.h"
#include "screen_pixels.h"
#include "shell_driver.h"

using namespace holmtest;

namespace {

constexpr int kOpenings = 15;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

HWND VisibleMenuWindow(DWORD pid) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, "HolmMenu", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// The root level is painted when its bottom border row is on screen.
bool RootPainted(DWORD pid) {
    HWND w = VisibleMenuWindow(pid);
    RECT rc = {};
    if (!w || !GetWindowRect(w, &rc)) return false;
    const RECT bottom = {rc.left + 1, rc.bottom - 1, rc.left + 3, rc.bottom};
    return CaptureScreen(bottom).At(0, 0) == Rgb(255, 255, 255);
}

// A store whose root shows `entries` entries: six are fixed (title, two
// separators, "Run...", "Control Panel", "Special"); a tenth of the rest
// are groups of five items.
void WriteStore(int entries) {
    ResetHolmRegistry();
    WriteMinimalConfiguration();
    WriteDefaultCloak();
    const int user = entries - 6;
    for (int i = 0; i < user; ++i) {
        char name[32];
        if (i % 10 == 0) {
            std::snprintf(name, sizeof(name), "Group %03d", i);
            for (int j = 0; j < 5; ++j) {
                char item[16];
                std::snprintf(item, sizeof(item), "Item %d", j);
                WriteStoreItem(name, item, "notepad.exe|||");
            }
        } else {
            std::snprintf(name, sizeof(name), "Program %03d", i);
            WriteStoreItem("", name, "notepad.exe|||");
        }
    }
}

struct ShellFigures {
    double initMenuMs = 0;    // desktop left click to the Init Menu on screen, median
    double windowListMs = 0;  // desktop right click to the Window List on screen, median
    double idleCpuPercent = 0;
    double openCpuPercent = 0;
};

std::string ReadWhole(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return "";
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof(buffer), &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(f);
    return out;
}

// Wine reports no processor times for other processes, so the shell's are
// read from the host's process table (drive Z: is the host's root): the
// process whose command line names the holm.exe beside this program.
std::string ShellStatPath() {
    const std::string shellPath = BinDir() + "\\holm.exe";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    std::string path;
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string command = ReadWhole("Z:\\proc\\" + name + "\\cmdline");
        std::replace(command.begin(), command.end(), '\0', ' ');
        if (command.find(shellPath) != std::string::npos) path = "Z:\\proc\\" + name + "\\stat";
    } while (path.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return path;
}

// User and system time of the process, in clock ticks (fields 14 and 15).
double CpuTicks(const std::string& statPath) {
    const std::string stat = ReadWhole(statPath);
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2)
        return -1;
    return static_cast<double>(utime + stime);
}

constexpr double kTicksPerSecond = 100.0;  // the host's USER_HZ

double CpuPercentOver(const std::string& statPath, DWORD ms) {
    const double before = CpuTicks(statPath), start = Now();
    Sleep(ms);
    const double used = CpuTicks(statPath) - before, wall = Now() - start;
    return before < 0 ? -1 : 100.0 * (used / kTicksPerSecond) / (wall / 1000.0);
}

// A plain menu is painted in the call that shows it; a cloaked level is
// on screen once its border is.
bool MenuOnScreen(DWORD pid, bool cloaked) { return cloaked ? RootPainted(pid) : MenuOpen(pid); }

// Median milliseconds from the button's release on the desktop to the menu
// on screen; 0 when a menu did not come.
double ClickToMenuMs(const ShellProcess& shell, bool right, bool cloaked) {
    std::vector<double> times;
    for (int i = 0; i < kOpenings; ++i) {
        MoveMouse(600, 500);
        Sleep(200);
        MouseButton(600, 500, right, true);
        const double start = Now();
        SendMouseButton(600, 500, right, false);
        if (!WaitFor([&] { return MenuOnScreen(shell.Pid(), cloaked); }, 10000, 1)) return 0;
        times.push_back(Now() - start);
        DismissMenus(shell.Pid());
    }
    return Median(times);
}

bool MeasureShell(int entries, bool cloaked, ShellFigures& figures) {
    KillStrayShells();
    WriteStore(entries);
    if (!cloaked) WriteOption("UseCustomMenus", 0);
    ShellProcess shell;
    if (!shell.Start() || !shell.WaitReady(60000)) return false;
    figures.initMenuMs = ClickToMenuMs(shell, false, cloaked);
    figures.windowListMs = ClickToMenuMs(shell, true, cloaked);
    if (figures.initMenuMs == 0 || figures.windowListMs == 0) return false;
    if (cloaked) {
        const std::string stat = ShellStatPath();
        figures.idleCpuPercent = CpuPercentOver(stat, 5000);
        Click(600, 500);
        WaitFor([&] { return RootPainted(shell.Pid()); }, 10000);
        figures.openCpuPercent = CpuPercentOver(stat, 5000);
        DismissMenus(shell.Pid());
    }
    shell.Stop();
    return true;
}

// Paints a level of `count` entries into a window on screen; returns the
// median milliseconds of one paint.
double PaintMs(int count, int* width, int* height) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < count; ++i) AppendMenuA(menu, MF_STRING, 100 + i, "A program entry of a tall level");
    holm::LevelLayout layout = holm::MeasureLevel(menu);
    // The level as wide as the screen: the widest case of the tiling.
    layout.columnWidth = layout.width = GetSystemMetrics(SM_CXSCREEN) / layout.columns;
    layout.width *= layout.columns;
    *width = layout.width;
    *height = layout.height;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, layout.width,
                                  layout.height, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> times;
    HDC dc = GetDC(window);
    for (int i = 0; i < 31; ++i) {
        const double start = Now();
        holm::PaintLevel(dc, menu, layout, -1, true);
        GdiFlush();
        times.push_back(Now() - start);
    }
    ReleaseDC(window, dc);
    DestroyWindow(window);
    DestroyMenu(menu);
    return Median(times);
}

}  // namespace

int main() {
    holm::g_lib.resources =
        LoadLibraryExA((BinDir() + "\\holm.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ResetHolmRegistry();
    holm::LoadCloak(nullptr);  // the built-in look

    int w20 = 0, h20 = 0, wFull = 0, hFull = 0;
    const int screenRows = (GetSystemMetrics(SM_CYSCREEN) - 2) / 17;
    const double paint20 = PaintMs(20, &w20, &h20);
    const double paintFull = PaintMs(screenRows, &wFull, &hFull);
    std::printf("paint, tiled background: %dx%d level %.2f ms, %dx%d level %.2f ms, ratio %.1f\n", w20, h20,
                paint20, wFull, hFull, paintFull, paintFull / paint20);

    ShellFigures plain, small, large;
    if (!MeasureShell(20, false, plain) || !MeasureShell(20, true, small) || !MeasureShell(400, true, large)) {
        std::printf("the shell did not show its menu\n");
        KillStrayShells();
        return 1;
    }
    std::printf("desktop click (button up) to menu on screen, median of %d, 20 entries (goal: 16 ms or less):\n",
                kOpenings);
    std::printf("  plain style:   Init Menu %5.1f ms, Window List %5.1f ms\n", plain.initMenuMs, plain.windowListMs);
    std::printf("  cloaked style: Init Menu %5.1f ms, Window List %5.1f ms\n", small.initMenuMs, small.windowListMs);
    std::printf("cloaked Init Menu, click to root painted: 20 entries %.1f ms, 400 entries %.1f ms, ratio %.2f\n",
                small.initMenuMs, large.initMenuMs, large.initMenuMs / small.initMenuMs);
    std::printf("shell processor use over 5 s: no menu %.2f%%, cloaked menu open and idle %.2f%% of one core "
                "(goal: under 2%%)\n",
                small.idleCpuPercent, small.openCpuPercent);
    std::printf("same with the 400-entry root: no menu %.2f%%, open %.2f%%\n", large.idleCpuPercent,
                large.openCpuPercent);
    KillStrayShells();
    return 0;
}
