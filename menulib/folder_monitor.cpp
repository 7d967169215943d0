#include "folder_monitor.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "library_state.h"
#include "menu_images.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kStopWaitMs = 5000;
constexpr std::size_t kMessageChars = 359;

struct Monitor {
    std::string folder;
    HMENU menu;
    UINT id;
};

// What a watcher thread owns; it is handed over to the thread at its start.
struct WatchParams {
    std::string folder;
    HMENU menu = nullptr;
    UINT id = 0;
    UniqueKernelHandle stop;      // the build's stop event
    UniqueKernelHandle watching;  // signalled once the folder is opened (or failed to open)
    UniqueLibrary module;         // keeps this code loaded while the thread runs
};

struct WatcherThread {
    UniqueKernelHandle handle;
    DWORD id;
    UniqueKernelHandle watching;  // not signalled while the thread still opens its folder
};

struct MonitorState {
    std::vector<Monitor> monitors;   // the monitor table
    std::size_t started = 0;         // monitors whose threads were started
    UniqueKernelHandle stop;         // set to end this build's threads
    std::vector<WatcherThread> threads;
};

MonitorState g_state;

void ShowMonitorError(const char* format, const std::string& folder) {
    char text[kMessageChars + 1];
    std::snprintf(text, sizeof(text), format, folder.c_str());
    MessageBoxA(g_lib.shell, text, "HOLM", MB_ICONERROR | MB_TOPMOST);
}

bool Stopped(const WatchParams& p) { return WaitForSingleObject(p.stop.Get(), 0) == WAIT_OBJECT_0; }

// Opening a slow or unreachable folder can take long: the menu may have gone
// meanwhile, and then the thread ends without touching it.
void Watch(const WatchParams& p) {
    HANDLE raw = FindFirstChangeNotificationA(
        p.folder.c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    UniqueChangeNotification change(raw == INVALID_HANDLE_VALUE ? nullptr : raw);
    // Signalled before the stop is looked at: a rebuild that finds it unset
    // after stopping knows that this thread will not touch the menu.
    SetEvent(p.watching.Get());
    if (Stopped(p)) return;
    if (!change) {
        EnableMenuItem(p.menu, p.id, MF_BYCOMMAND | MF_GRAYED);
        ShowMonitorError("Cannot monitor \"%s\"", p.folder);
        return;
    }
    const HANDLE waits[] = {p.stop.Get(), change.Get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        MarkMonitorEntry(p.menu, p.id, true);
        if (!FindNextChangeNotification(change.Get())) {
            ShowMonitorError("Monitoring of \"%s\" terminated because of failed FindNextChangeNotification() call",
                             p.folder);
            return;
        }
    }
}

DWORD WINAPI WatcherMain(LPVOID param) {
    std::unique_ptr<WatchParams> p(static_cast<WatchParams*>(param));
    const HMODULE module = p->module.Release();
    Watch(*p);
    p.reset();
    FreeLibraryAndExitThread(module, 0);
}

// One more reference of the module that holds this code: a module's handle
// is the base of its image, and loading it again by its own path counts a
// user (GetModuleHandleEx, which does both, is missing before Windows XP).
HMODULE PinThisModule() {
    MEMORY_BASIC_INFORMATION image = {};
    if (!VirtualQuery(reinterpret_cast<LPCVOID>(&WatcherMain), &image, sizeof(image))) return nullptr;
    char path[MAX_PATH] = "";
    if (!GetModuleFileNameA(static_cast<HMODULE>(image.AllocationBase), path, sizeof(path))) return nullptr;
    return LoadLibraryA(path);
}

// The thread owns its parameters and its own handles of the events, so the
// build never waits for it, and a rebuild need not wait for a thread that
// is still opening its folder.
HANDLE HandleForThread(HANDLE event) {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

void StartWatcher(const Monitor& m) {
    UniqueKernelHandle watching(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!watching) return;
    auto params = std::make_unique<WatchParams>();
    params->folder = m.folder;
    params->menu = m.menu;
    params->id = m.id;
    params->stop.Reset(HandleForThread(g_state.stop.Get()));
    params->watching.Reset(HandleForThread(watching.Get()));
    params->module.Reset(PinThisModule());
    DWORD threadId = 0;
    UniqueKernelHandle thread(CreateThread(nullptr, 1024, WatcherMain, params.get(), 0, &threadId));
    if (!thread) return;
    params.release();
    SetThreadPriority(thread.Get(), THREAD_PRIORITY_IDLE);
    g_state.threads.push_back({std::move(thread), threadId, std::move(watching)});
}

BOOL CALLBACK CloseThreadDialog(HWND hwnd, LPARAM) {
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// A thread that shows a message cannot see the stop event: its message is
// closed for it. Messages sent to this thread meanwhile (the message box
// talks to its owner, the shell main window) are answered while waiting.
void WaitForWatcher(const WatcherThread& t) {
    const HANDLE thread = t.handle.Get();
    for (DWORD start = GetTickCount(); GetTickCount() - start < kStopWaitMs;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return;
        MSG msg;
        if (woke == WAIT_OBJECT_0 + 1) PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        EnumThreadWindows(t.id, CloseThreadDialog, 0);
    }
}

bool OpensItsFolder(const WatcherThread& t) { return WaitForSingleObject(t.watching.Get(), 0) == WAIT_TIMEOUT; }

// The list is taken out first: waiting dispatches messages, and whatever
// they run sees no watchers left to stop.
void StopWatchers() {
    const std::vector<WatcherThread> threads = std::move(g_state.threads);
    g_state.threads.clear();
    const UniqueKernelHandle stop = std::move(g_state.stop);
    if (stop) SetEvent(stop.Get());
    for (const WatcherThread& t : threads)
        if (!OpensItsFolder(t)) WaitForWatcher(t);
}

}  // namespace

void AddMonitor(const std::string& folder, HMENU menu, UINT id) { g_state.monitors.push_back({folder, menu, id}); }

void StartMonitors() {
    if (!g_state.stop) g_state.stop.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!g_state.stop) return;
    for (; g_state.started < g_state.monitors.size(); ++g_state.started) StartWatcher(g_state.monitors[g_state.started]);
}

void ClearMonitorMarkFor(UINT id) {
    for (const Monitor& m : g_state.monitors) {
        if (m.id == id) {
            MarkMonitorEntry(m.menu, m.id, false);
            return;
        }
    }
}

void ClearMonitors() {
    StopWatchers();
    g_state.monitors.clear();
    g_state.started = 0;
}

int RunningMonitorThreads() {
    int running = 0;
    for (const WatcherThread& t : g_state.threads)
        if (WaitForSingleObject(t.handle.Get(), 0) == WAIT_TIMEOUT) ++running;
    return running;
}

BOOL MarkMonitorEntry(HMENU menu, UINT id, bool changed) {
    if (g_lib.Cloaked()) {
        const FixedImage image = changed ? FixedImage::ChangedFolder : FixedImage::MonitorFolder;
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(GetFixedImage(image).icon);
        return SetMenuItemInfoA(menu, id, FALSE, &mii);
    }
    return CheckMenuItem(menu, id, MF_BYCOMMAND | (changed ? MF_CHECKED : MF_UNCHECKED)) != static_cast<DWORD>(-1);
}

}  // namespace holm
