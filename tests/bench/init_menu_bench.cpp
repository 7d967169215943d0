// Builds the Init Menu from generated stores and prints the build times:
// 1,000 and 10,000 items (one group of 2,000), the first build that reads
// every key and the later ones, program icons off and on, where the time of
// a first build goes and what reading the keys with several threads gives;
// then, with 100 items, the first
// build (which reads the Control Panel files) against the later ones, and
// what 0, 5 and 50 folder monitors add. "write-store" only writes the store
// of 10,000 items; "fresh-build" then times the first build of a process
// that finds it in the registry as the system loaded it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench_clock.h"
#include "control_panel.h"
#include "group_model.h"
#include "holm_api.h"
#include "holm_names.h"
#include "library_state.h"
#include "store_prefetch.h"
#include "test_files.h"
#include "test_registry.h"

using namespace holm;

namespace {


// `items` program items: 2,000 of them (or all, when fewer) in one big group,
// the rest spread over groups of 100. Labels are shuffled so that sorting works.
void GenerateStore(int items) {
    holmtest::DeleteUserTree(holmtest::StoreKey());
    const char* programs[] = {"notepad", "regedit", "cmd", "winhlp32", "calc", "control", "taskmgr", "explorer"};
    const int big = items < 2000 ? items : 2000;
    for (int i = 0; i < items; ++i) {
        const std::string group = i < big ? "Big group" : "Group " + std::to_string((i - big) / 100);
        const unsigned scrambled = (static_cast<unsigned>(i) * 2654435761u) % 1000003u;
        holmtest::WriteStoreItem(group, ("Program " + std::to_string(scrambled)).c_str(),
                                 std::string(programs[i % 8]) + " file" + std::to_string(i) + ".txt||0|");
    }
}

double BuildMilliseconds() {
    const double start = Now();
    _resetLpum();
    return Now() - start;
}

double BestOf(int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t = BuildMilliseconds();
        if (t < best) best = t;
    }
    return best;
}

double ControlPanelFillMilliseconds() {
    HMENU scratch = CreatePopupMenu();
    const double start = Now();
    FillControlPanel(scratch);
    const double time = Now() - start;
    DestroyMenu(scratch);
    _resetLpum();  // drops the scratch fill's launch entries
    return time;
}

double BestControlPanelFill(int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t = ControlPanelFillMilliseconds();
        if (t < best) best = t;
    }
    return best;
}

// `count` folder monitors of folders that exist, beside the store's items.
void AddMonitors(int count) {
    for (int i = 0; i < count; ++i) {
        const std::string folder = holmtest::TempFolder("holm-bench-watch-" + std::to_string(i));
        holmtest::WriteStoreItem("", ("Watch " + std::to_string(i)).c_str(), "***HOLM Special: MonitorPath: " + folder);
    }
}

const GroupContents* NothingKept(const std::string&, const FILETIME&) { return nullptr; }

// Where a build of the current store goes, in the steps the builder takes:
// reading every group's key, then for each group making its model (labels
// and order) and filling its menu.
void ProfileBuild() {
    double t = Now();
    const GroupReads reads = ReadStoreTree(kInitMenuKey, NothingKept);
    const double read = Now() - t;
    double model = 0, fill = 0;
    std::vector<HMENU> menus;
    for (const auto& found : reads) {
        t = Now();
        const GroupModel group = MakeGroupModel(found.first, found.second.contents, GroupOptions());
        model += Now() - t;
        t = Now();
        menus.push_back(CreatePopupMenu());
        for (std::size_t i : group.subgroupOrder)
            AppendMenuA(menus.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                        group.subgroups[i].name.c_str());
        for (std::size_t i : group.itemOrder)
            AppendMenuA(menus.back(), MF_STRING, 22 + i, group.items[i].label.c_str());
        fill += Now() - t;
    }
    for (HMENU m : menus) DestroyMenu(m);
    std::printf("  a first build: reading the keys %.1f ms, the groups' labels and order %.1f ms, filling the menus %.1f ms\n",
                read, model, fill);
}

double ReadStoreMilliseconds(int threads) {
    const double start = Now();
    ReadStoreTree(kInitMenuKey, NothingKept, threads);
    return Now() - start;
}

// Reading every key of the store with one thread and with the build's
// threads, taken in turns.
void CompareStoreReads(int items) {
    double one = 1e30, several = 1e30;
    for (int i = 0; i < 3; ++i) {
        one = std::min(one, ReadStoreMilliseconds(1));
        several = std::min(several, ReadStoreMilliseconds(kStoreReadThreads));
    }
    std::printf("items %5d  reading every key: 1 thread %.1f ms, %d threads %.1f ms, ratio %.1f\n", items, one,
                kStoreReadThreads, several, one / several);
}

void ExtrasBenchmark(double firstBuild) {
    g_lib.options.showProgIcons = 0;
    GenerateStore(100);
    // Taken in turns, so that a busy machine weighs on both alike.
    double full = 1e30, panel = 1e30;
    for (int i = 0; i < 10; ++i) {
        full = std::min(full, BestOf(1));
        panel = std::min(panel, BestControlPanelFill(1));
    }
    const double rest = full > panel ? full - panel : 0.0;
    std::printf("100 items: first build %.1f ms (reads the Control Panel files), later builds %.1f ms, ratio %.1f\n",
                firstBuild, full, firstBuild / full);
    std::printf("100 items: the Control Panel in a later build %.1f ms (%.0f%% of the build)\n", panel,
                100.0 * panel / full);
    if (rest > 0.0) std::printf("build with / without the Control Panel: %.1f\n", full / rest);
    double monitors[3];
    const int counts[3] = {0, 5, 50};
    for (int i = 0; i < 3; ++i) {
        GenerateStore(100);
        AddMonitors(counts[i]);
        monitors[i] = BestOf(10);
        std::printf("100 items, %2d folder monitors: build %.1f ms\n", counts[i], monitors[i]);
    }
    std::printf("5 monitors / none: %.2f   50 monitors / none: %.2f\n", monitors[1] / monitors[0],
                monitors[2] / monitors[0]);
    GenerateStore(0);
    _resetLpum();  // ends the monitors' threads
}

// Every item a different program of the system directory, as in a menu
// of installed programs: what finding and extracting their images adds.
void ProgramImagesBenchmark() {
    holmtest::DeleteUserTree(holmtest::StoreKey());
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(system) + "\\*.exe").c_str(), &found);
    int items = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            holmtest::WriteStoreItem("Group " + std::to_string(items / 20), found.cFileName,
                                     std::string(system) + "\\" + found.cFileName + "|||");
            ++items;
        } while (items < 300 && FindNextFileA(search, &found));
        FindClose(search);
    }
    g_lib.options.showProgIcons = 0;
    const double plain = BestOf(3);
    g_lib.options.showProgIcons = 1;
    const double first = BuildMilliseconds(), later = BestOf(3);
    std::printf("%d items of as many programs: first build with images %.1f ms, later builds %.1f ms, "
                "without images %.1f ms; later with / without %.2f\n",
                items, first, later, plain, later / plain);
    g_lib.options.showProgIcons = 0;
}

void StartLibrary() {
    HWND shell = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    _sethwnd(shell);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string exe = path;
    exe = exe.substr(0, exe.find_last_of('\\')) + "\\holm.exe";
    _init(reinterpret_cast<HINSTANCE>(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)), nullptr);
    g_lib.options.useCustomMenus = 0;
    g_lib.options.showProgIcons = 0;
}

void WriteStore() {
    holmtest::ResetHolmRegistry();
    holmtest::WriteOption("ShowNoTitleWindows", 0);
    GenerateStore(10000);
}

// The first build of a process started after the registry was loaded anew.
void FreshBuild() {
    StartLibrary();
    const double first = BuildMilliseconds();
    std::printf("items 10000  a fresh process's first build (registry loaded from disk) %.1f ms\n", first);
    CompareStoreReads(10000);
    holmtest::ResetHolmRegistry();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "write-store") == 0) {
        WriteStore();
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "fresh-build") == 0) {
        FreshBuild();
        return 0;
    }
    holmtest::ResetHolmRegistry();
    holmtest::WriteOption("ShowNoTitleWindows", 0);
    holmtest::CreateUserKey(holmtest::StoreKey());
    StartLibrary();
    // The first plain build makes every image anew, as the first build of
    // a shell started in the plain style does.
    GenerateStore(100);
    const double firstBuild = BuildMilliseconds();

    double times[2][2], firstReads[2];
    const int sizes[2] = {1000, 10000};
    for (int s = 0; s < 2; ++s) {
        GenerateStore(sizes[s]);
        firstReads[s] = BuildMilliseconds();
        std::printf("items %5d  first build, every key read  %9.1f ms\n", sizes[s], firstReads[s]);
        CompareStoreReads(sizes[s]);
        // A reload comes a while after the keys were written: unchanged groups are kept.
        Sleep(2500);
        BuildMilliseconds();
        for (int icons = 0; icons < 2; ++icons) {
            g_lib.options.showProgIcons = static_cast<DWORD>(icons);
            times[s][icons] = BestOf(3);
            std::printf("items %5d  icons %-3s  build %9.1f ms  (%d entries)\n", sizes[s], icons ? "on" : "off",
                        times[s][icons], _getnumprogs());
        }
        ProfileBuild();
    }
    std::printf("10x items, icons off: %.1fx the time\n", times[1][0] / times[0][0]);
    std::printf("10x items, icons on:  %.1fx the time\n", times[1][1] / times[0][1]);
    std::printf("icons on / off at 10,000 items: %.2f\n", times[1][1] / times[1][0]);
    std::printf("10,000 items, first build / later builds (icons off): %.1f\n", firstReads[1] / times[1][0]);
    ProgramImagesBenchmark();
    ExtrasBenchmark(firstBuild);
    holmtest::ResetHolmRegistry();
    return 0;
}
