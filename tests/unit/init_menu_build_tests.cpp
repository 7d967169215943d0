// The Init Menu built in-process from a store in the real (Wine) registry:
// layout, order, labels, launch entries, bad data and rebuilds.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <functional>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "holm_api.h"
#include "folder_monitor.h"
#include "init_menu.h"
#include "launch_table.h"
#include "menu_images.h"
#include "menu_open.h"
#include "win_handles.h"
#include "library_state.h"
#include "test_files.h"
#include "test_registry.h"

using namespace holm;

// Allocations of one thread fail on request, to see that no exception
// leaves the library.
static std::atomic<DWORD> g_failingThread{0};
static std::atomic<bool> g_failOnce{false};

void* operator new(std::size_t size) {
    if (g_failingThread != 0 && g_failingThread == GetCurrentThreadId()) {
        if (g_failOnce) g_failingThread = 0;
        throw std::bad_alloc();
    }
    if (void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { HeapFree(GetProcessHeap(), 0, p); }
void operator delete(void* p, std::size_t) noexcept { HeapFree(GetProcessHeap(), 0, p); }

namespace {

class FailingAllocations {
public:
    explicit FailingAllocations(bool once = false) {
        g_failOnce = once;
        g_failingThread = GetCurrentThreadId();
    }
    ~FailingAllocations() { g_failingThread = 0; }
};

using holmtest::CreateUserKey;
using holmtest::WriteUserString;
using holmtest::WriteUserValue;
constexpr const char* kStore = kInitMenuKey;

void ResetStore() {
    holmtest::ResetHolmRegistry();
    holmtest::WriteOption("ShowNoTitleWindows", 0);
    holmtest::WriteOption("LCancelStr", "Title");
    CreateUserKey(kStore);
}

struct Entry {
    std::string text;
    UINT id;
    bool popup;
    bool grayed;
    HMENU submenu;
};

std::vector<Entry> Entries(HMENU menu) {
    std::vector<Entry> out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[600] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        GetMenuItemInfoA(menu, i, TRUE, &mii);
        const bool separator = (mii.fType & MFT_SEPARATOR) != 0;
        out.push_back({separator ? "-" : text, mii.wID, mii.hSubMenu != nullptr, (mii.fState & MFS_GRAYED) != 0,
                       mii.hSubMenu});
    }
    return out;
}

std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> out;
    for (const Entry& e : Entries(menu)) out.push_back(e.text);
    return out;
}

HMENU Submenu(HMENU menu, const std::string& label) {
    for (const Entry& e : Entries(menu))
        if (e.popup && e.text == label) return e.submenu;
    return nullptr;
}

// Enables or disables the shut-down privilege of this process's token.
bool EnableShutdownPrivilege(bool enabled) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
    const bool ok = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

// The user's part of the root: between the first and the second separator.
std::vector<std::string> UserTexts() {
    std::vector<std::string> all = Texts(InitMenuRoot()), user;
    std::size_t i = 2;
    for (; i < all.size() && all[i] != "-"; ++i) user.push_back(all[i]);
    return user;
}

// Answers every message box this process shows and remembers its texts.
class MessageBoxCatcher {
public:
    explicit MessageBoxCatcher(std::function<void()> beforeFirstAnswer = nullptr)
        : beforeFirstAnswer_(std::move(beforeFirstAnswer)) {
        InitializeCriticalSection(&lock_);
        thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    }
    ~MessageBoxCatcher() {
        stop_ = true;
        WaitForSingleObject(thread_.Get(), INFINITE);
        DeleteCriticalSection(&lock_);
    }
    std::vector<std::pair<std::string, std::string>> Seen() {
        EnterCriticalSection(&lock_);
        std::vector<std::pair<std::string, std::string>> seen = seen_;
        LeaveCriticalSection(&lock_);
        return seen;
    }

private:
    static BOOL CALLBACK Check(HWND hwnd, LPARAM param) {
        auto* self = reinterpret_cast<MessageBoxCatcher*>(param);
        char cls[16] = "";
        GetClassNameA(hwnd, cls, sizeof(cls));
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (lstrcmpA(cls, "#32770") != 0 || pid != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
        char caption[256] = "", text[1024] = "";
        GetWindowTextA(hwnd, caption, sizeof(caption));
        if (HWND label = GetDlgItem(hwnd, 0xFFFF)) GetWindowTextA(label, text, sizeof(text));
        EnterCriticalSection(&self->lock_);
        self->seen_.emplace_back(caption, text);
        LeaveCriticalSection(&self->lock_);
        if (self->beforeFirstAnswer_) std::exchange(self->beforeFirstAnswer_, nullptr)();
        const int button = GetDlgItem(hwnd, IDNO) ? IDNO : IDOK;
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return TRUE;
    }
    static DWORD WINAPI Run(LPVOID param) {
        auto* self = static_cast<MessageBoxCatcher*>(param);
        while (!self->stop_) {
            EnumWindows(Check, reinterpret_cast<LPARAM>(self));
            Sleep(20);
        }
        return 0;
    }
    std::atomic<bool> stop_{false};
    CRITICAL_SECTION lock_;
    std::vector<std::pair<std::string, std::string>> seen_;
    std::function<void()> beforeFirstAnswer_;
    UniqueKernelHandle thread_;
};

// The shell window of the tests: it answers a reload as the shell does and
// notes every command with the Init Menu it met.
std::vector<std::pair<UINT, HMENU>> g_commands;

LRESULT CALLBACK TestShellProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return DefWindowProcA(hwnd, message, wParam, lParam);
    g_commands.emplace_back(LOWORD(wParam), InitMenuRoot());
    if (LOWORD(wParam) == kCmdReload) _resetLpum();
    return 0;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Run while a menu is open: a reload arrives, then the user chooses g_choice.
UINT g_choice = 0;
// Run while a cloaked menu is open: a key press meets a failed allocation,
// then the menu is closed.
void CALLBACK PressKeyWithoutMemory(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND menu = FindWindowA(kMenuClass, nullptr);
    {
        FailingAllocations failing(true);
        SendMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

void CALLBACK ReloadThenChoose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND shell = FindWindowA("HolmBuildTestShell", nullptr);
    PostMessageA(shell, WM_COMMAND, kCmdReload, 0);
    PumpMessages();
    PostMessageA(shell, WM_COMMAND, g_choice, 0);
    EndMenu();
}

// New threads of this process can be held at their start, before their
// own code runs, as a thread that opens a slow folder is held.
HANDLE g_releaseThread = CreateEventA(nullptr, TRUE, FALSE, nullptr);
std::atomic<bool> g_holdNextThread{false}, g_threadHeldTooLong{false};

void NTAPI HoldNewThread(PVOID, DWORD reason, PVOID) {
    if (reason != DLL_THREAD_ATTACH || !g_holdNextThread.exchange(false)) return;
    if (WaitForSingleObject(g_releaseThread, 5000) == WAIT_TIMEOUT) g_threadHeldTooLong = true;
}
extern "C" __attribute__((section(".CRT$XLF"), used)) const PIMAGE_TLS_CALLBACK g_holdNewThread = HoldNewThread;

std::string TestAppletPath() {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    return std::string(system) + "\\holmtest.cpl";
}

class InitMenuBuildTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ResetStore();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestShellProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HolmBuildTestShell";
        RegisterClassA(&wc);
        shell_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                                 nullptr);
        _sethwnd(shell_);
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, sizeof(path));
        std::string exe = path;
        exe = exe.substr(0, exe.find_last_of('\\')) + "\\holm.exe";
        HMODULE resources = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        CopyFileA((exe.substr(0, exe.find_last_of('\\')) + "\\holmtest.cpl").c_str(), TestAppletPath().c_str(),
                  FALSE);
        status_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        _init(reinterpret_cast<HINSTANCE>(resources), status_);
        cpl_ = _getnumprogs();  // the Control Panel's entries come first
    }
    static void TearDownTestSuite() { DeleteFileA(TestAppletPath().c_str()); }
    void SetUp() override {
        ResetStore();
        saved_ = g_lib.options;
        g_lib.options.useCustomMenus = 0;
        g_lib.options.showProgIcons = 0;
    }
    void TearDown() override { g_lib.options = saved_; }
    void Rebuild() {
        MessageBoxCatcher catcher;
        _resetLpum();
        messages_ = catcher.Seen();
    }

    static HWND shell_, status_;
    static int cpl_;
    Options saved_;
    std::vector<std::pair<std::string, std::string>> messages_;
};

HWND InitMenuBuildTest::shell_ = nullptr;
HWND InitMenuBuildTest::status_ = nullptr;
int InitMenuBuildTest::cpl_ = 0;

}  // namespace

TEST_F(InitMenuBuildTest, EmptyStoreLayout) {
    Rebuild();
    const std::vector<std::string> expected = {"Title", "-", "[Uninhabited]", "-", "Run...", "Control Panel", "Special"};
    EXPECT_EQ(Texts(InitMenuRoot()), expected);
    EXPECT_TRUE(Entries(InitMenuRoot())[2].grayed);
    EXPECT_EQ(_getnumprogs(), cpl_ + 0);
}

TEST_F(InitMenuBuildTest, GroupsFirstThenItemsEachSortedWithoutCase) {
    for (const char* g : {"b", "A", "c"}) WriteUserString(std::string(kStore) + "\\" + g, "x", "notepad");
    WriteUserString(kStore, "z", "notepad");
    WriteUserString(kStore, "Y", "notepad");
    Rebuild();
    const std::vector<std::string> expected = {"A", "b", "c", "Y", "z"};
    EXPECT_EQ(UserTexts(), expected);
}

TEST_F(InitMenuBuildTest, NestedGroupsAndEmptyGroups) {
    WriteUserString(std::string(kStore) + "\\Tools\\Deep\\Deeper", "Leaf", "notepad");
    CreateUserKey(std::string(kStore) + "\\Tools\\Empty");
    Rebuild();
    HMENU tools = Submenu(InitMenuRoot(), "Tools");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(Texts(tools), (std::vector<std::string>{"Deep", "Empty"}));
    const std::vector<Entry> empty = Entries(Submenu(tools, "Empty"));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].text, "[Uninhabited]");
    EXPECT_EQ(empty[0].id, UINT{kCmdArrangeOrEmpty});
    EXPECT_TRUE(empty[0].grayed);
    EXPECT_EQ(Texts(Submenu(Submenu(tools, "Deep"), "Deeper")), std::vector<std::string>{"Leaf"});
}

TEST_F(InitMenuBuildTest, AmpersandsShowInItemsButMarkMnemonicsInGroups) {
    WriteUserString(kStore, "Tom & Jerry", "notepad");
    WriteUserString(std::string(kStore) + "\\Tom & Jerry", "x", "notepad");
    Rebuild();
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"Tom & Jerry", "Tom && Jerry"}));
    EXPECT_TRUE(Entries(InitMenuRoot())[2].popup);
}

TEST_F(InitMenuBuildTest, LaunchEntriesFollowTheWalkAndTranslateShowCodes) {
    WriteUserString(std::string(kStore) + "\\G", "inner", "calc|c:\\|1|");
    WriteUserString(kStore, "first", "notepad|c:\\temp|2|");
    WriteUserString(kStore, "second", "regedit||3|");
    WriteUserString(kStore, "third", "|||");
    Rebuild();
    ASSERT_EQ(_getnumprogs(), cpl_ + 4);
    // Subgroups are walked before the group's own items.
    EXPECT_EQ(LaunchEntryAt(cpl_ + 0)->command, "calc");
    EXPECT_EQ(LaunchEntryAt(cpl_ + 0)->showCmd, SW_MINIMIZE);
    EXPECT_EQ(LaunchEntryAt(cpl_ + 1)->directory, "c:\\temp");
    EXPECT_EQ(LaunchEntryAt(cpl_ + 1)->showCmd, SW_MAXIMIZE);
    EXPECT_EQ(LaunchEntryAt(cpl_ + 2)->showCmd, SW_HIDE);
    EXPECT_EQ(LaunchEntryAt(cpl_ + 2)->DirectoryOrNull(), nullptr);
    EXPECT_EQ(LaunchEntryAt(cpl_ + 3)->CommandOrNull(), nullptr);
    EXPECT_EQ(LaunchEntryAt(cpl_ + 3)->hotkeyVk, kNoHotkey);
    for (const Entry& e : Entries(InitMenuRoot())) {
        if (e.text == "first") {
            EXPECT_EQ(e.id, UINT{kCmdFirstLaunch} + 1 + cpl_);
        }
    }
}

TEST_F(InitMenuBuildTest, HotkeySuffixIsShownAndSortedWith) {
    g_lib.options.showHotkeysInLpum = 1;
    WriteUserString(kStore, "Notepad", "notepad||0|q");
    WriteUserString(kStore, "Notepad 2", "notepad||0|");
    Rebuild();
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"Notepad\tq", "Notepad 2"}));
    EXPECT_EQ(LaunchEntryAt(cpl_ + 0)->hotkeyVk, LOBYTE(VkKeyScanA('q')));
    // The hotkey is held by the shell window: registering it again fails.
    EXPECT_FALSE(RegisterHotKey(shell_, 999, MOD_ALT | MOD_CONTROL, LOBYTE(VkKeyScanA('q'))));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(InitMenuBuildTest, ASecondItemWithTheSameHotkeyIsReportedAndKept) {
    WriteUserString(kStore, "One", "notepad||0|w");
    WriteUserString(kStore, "Two", "notepad||0|w");
    Rebuild();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first, "Hotkey conflict detected:");
    EXPECT_EQ(messages_[0].second, "Two");
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(InitMenuBuildTest, AReloadDuringABuildWaitsForItToFinish) {
    WriteUserString(kStore, "One", "notepad||0|w");
    WriteUserString(kStore, "Two", "notepad||0|w");
    // The configuration program's reload arrives while the conflict box is up.
    MessageBoxCatcher catcher([] {
        PostMessageA(shell_, WM_COMMAND, kCmdReload, 0);
        Sleep(500);
    });
    _resetLpum();
    const std::vector<std::pair<std::string, std::string>> seen = catcher.Seen();
    ASSERT_EQ(seen.size(), 2u);  // one box per build, the second after the first
    EXPECT_EQ(seen[1], std::make_pair(std::string("Hotkey conflict detected:"), std::string("Two")));
    EXPECT_EQ(_getnumprogs(), cpl_ + 2);
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"One", "Two"}));
}

TEST_F(InitMenuBuildTest, AChoiceIsTakenAgainstTheMenuTheUserSaw) {
    WriteUserString(kStore, "Editor", "notepad");
    Rebuild();
    const HMENU seen = InitMenuRoot();
    g_commands.clear();
    // While the menu is open a reload arrives; then the user chooses "Editor".
    g_choice = kCmdFirstLaunch + cpl_;
    SetTimer(nullptr, 0, 300, ReloadThenChoose);
    OpenInitMenu(200, 200);
    PumpMessages();
    const auto choice = std::find_if(g_commands.begin(), g_commands.end(),
                                     [](const std::pair<UINT, HMENU>& c) { return c.first == g_choice; });
    ASSERT_NE(choice, g_commands.end());
    EXPECT_EQ(choice->second, seen);
    EXPECT_NE(InitMenuRoot(), seen);  // the reload ran after the choice
    g_lib.menusReady = kReady;
}

TEST_F(InitMenuBuildTest, NoExceptionLeavesACloakedMenu) {
    g_lib.options.useCustomMenus = 1;
    Rebuild();
    std::vector<std::pair<std::string, std::string>> seen;
    {
        MessageBoxCatcher catcher;
        SetTimer(nullptr, 0, 300, PressKeyWithoutMemory);
        OpenInitMenu(200, 200);
        seen = catcher.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_pair(std::string("HOLM"), std::string("Out of memory!!!")));
    g_lib.menusReady = kReady;
}

TEST_F(InitMenuBuildTest, MonitorsNeverHoldTheBuild) {
    CreateDirectoryA("c:\\data", nullptr);
    WriteUserString(kStore, "Data", "***holm special: monitorpath: c:\\data");
    ResetEvent(g_releaseThread);
    g_holdNextThread = true;
    g_threadHeldTooLong = false;
    _resetLpum();
    SetEvent(g_releaseThread);
    EXPECT_EQ(RunningMonitorThreads(), 1);
    for (int i = 0; i < 100 && g_holdNextThread; ++i) Sleep(50);  // it reaches its start
    EXPECT_FALSE(g_holdNextThread);
    EXPECT_FALSE(g_threadHeldTooLong) << "the build waited for the watcher thread";
    Rebuild();
}

TEST_F(InitMenuBuildTest, RebuildsLeaveTheSplashStatusLineAlone) {
    SetWindowTextA(status_, "another window");
    Rebuild();
    char text[64] = "";
    GetWindowTextA(status_, text, sizeof(text));
    EXPECT_STREQ(text, "another window");
}

TEST_F(InitMenuBuildTest, RebuildReleasesHotkeys) {
    WriteUserString(kStore, "Held", "notepad||0|j");
    Rebuild();
    SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
    CreateUserKey(kStore);
    Rebuild();
    EXPECT_TRUE(RegisterHotKey(shell_, 998, MOD_ALT | MOD_CONTROL, LOBYTE(VkKeyScanA('j'))));
    UnregisterHotKey(shell_, 998);
}

TEST_F(InitMenuBuildTest, FolderMonitorsOpenTheirFolderWithExplorer) {
    CreateDirectoryA("c:\\data", nullptr);
    CreateDirectoryA("c:\\inbox", nullptr);
    WriteUserString(kStore, "Data", "***holm special: monitorpath: c:\\data");
    WriteUserString("Software\\Tarvel\\HolmPaths", "Inbox", "c:\\inbox");
    WriteUserString(kStore, "Inbox", "***HOLM Special: MonitorRegSpecifiedPath: Software\\Tarvel\\HolmPaths\\Inbox");
    WriteUserString(kStore, "Broken", "***HOLM Special: MonitorRegSpecifiedPath: Software\\Tarvel\\NoSuchKey\\X");
    WriteUserString(kStore, "Unread", "***HOLM Special: MonitorRegSpecifiedPath: Software\\Tarvel\\HolmPaths\\Missing");
    Rebuild();
    ASSERT_EQ(_getnumprogs(), cpl_ + 4);
    std::vector<std::string> commands;
    for (int i = 0; i < 4; ++i) {
        const LaunchEntry* entry = LaunchEntryAt(cpl_ + i);
        commands.push_back(entry->command);
    }
    EXPECT_NE(std::find(commands.begin(), commands.end(), "explorer c:\\data"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "explorer c:\\inbox"), commands.end());
    EXPECT_EQ(std::count(commands.begin(), commands.end(), ""), 2);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].first, "HOLM Error");
    std::vector<std::string> texts = {messages_[0].second, messages_[1].second};
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts[0], "The registry path specified could not be opened.  Item disabled.");
    EXPECT_EQ(texts[1], "The registry path specified could not be queried.  Item disabled.");
    for (const Entry& e : Entries(InitMenuRoot())) {
        if (e.text == "Broken" || e.text == "Unread") {
            EXPECT_TRUE(e.grayed) << e.text;
        }
    }
}

TEST_F(InitMenuBuildTest, WatchersMarkChangesAndEndAtEachRebuild) {
    MessageBoxCatcher catcher;  // answers the message of the missing folder
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    const std::string folder = std::string(temp) + "holm-build-watch", sub = folder + "\\sub";
    DeleteFileA((sub + "\\new.txt").c_str());
    RemoveDirectoryA(sub.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteUserString(kStore, "Watch", "***HOLM Special: MonitorPath: " + folder);
    WriteUserString(kStore, "Gone", "***HOLM Special: MonitorPath: c:\\holm-missing-folder");
    Rebuild();
    // The watcher of the missing folder ends once its message is answered;
    // the message box needs its owner's thread to take messages meanwhile.
    for (int i = 0; i < 100 && RunningMonitorThreads() != 1; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(30);
    }
    EXPECT_EQ(RunningMonitorThreads(), 1);
    UINT id = 0;
    for (const Entry& e : Entries(InitMenuRoot())) {
        if (e.text == "Watch") id = e.id;
        if (e.text == "Gone") {
            EXPECT_TRUE(e.grayed);
        }
    }
    ASSERT_NE(id, 0u);
    const auto checked = [&] {
        for (int i = 0; i < 60 && !(GetMenuState(InitMenuRoot(), id, MF_BYCOMMAND) & MF_CHECKED); ++i) Sleep(50);
        return (GetMenuState(InitMenuRoot(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_EQ(GetMenuState(InitMenuRoot(), id, MF_BYCOMMAND) & MF_CHECKED, 0u);
    CreateDirectoryA(sub.c_str(), nullptr);
    EXPECT_TRUE(checked());
    ClearMonitorMarkFor(id);  // as choosing the entry does
    EXPECT_EQ(GetMenuState(InitMenuRoot(), id, MF_BYCOMMAND) & MF_CHECKED, 0u);
    CloseHandle(CreateFileA((sub + "\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(checked()) << "a change in a subfolder";

    ResetStore();
    Rebuild();
    EXPECT_EQ(RunningMonitorThreads(), 0);
}

TEST_F(InitMenuBuildTest, MarksSwapTheFolderIconWhenCloakedAndCheckWhenPlain) {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, 500, "watched");
    const auto itemData = [&] {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        GetMenuItemInfoA(menu.Get(), 500, FALSE, &mii);
        return reinterpret_cast<HICON>(mii.dwItemData);
    };
    const HICON changed = GetFixedImage(FixedImage::ChangedFolder).icon;
    const HICON unchanged = GetFixedImage(FixedImage::MonitorFolder).icon;
    ASSERT_NE(changed, nullptr);  // _init loaded the images for the cloaked style
    ASSERT_NE(changed, unchanged);
    g_lib.options.useCustomMenus = 1;
    EXPECT_TRUE(_updateMenu(menu.Get(), 500, 1));
    EXPECT_EQ(itemData(), changed);
    EXPECT_TRUE(_updateMenu(menu.Get(), 500, 0));
    EXPECT_EQ(itemData(), unchanged);
    EXPECT_EQ(GetMenuState(menu.Get(), 500, MF_BYCOMMAND) & MF_CHECKED, 0u);
    g_lib.options.useCustomMenus = 0;
    EXPECT_TRUE(_updateMenu(menu.Get(), 500, 1));
    EXPECT_NE(GetMenuState(menu.Get(), 500, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_TRUE(_updateMenu(menu.Get(), 500, 0));
    EXPECT_EQ(GetMenuState(menu.Get(), 500, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_FALSE(_updateMenu(menu.Get(), 501, 1));  // no such entry
}

// Each kept group sees one kind of change alone: a subgroup added, a
// subgroup removed, an item's data changed.
TEST_F(InitMenuBuildTest, GroupsKeptFromTheLastBuildShowEveryLaterChange) {
    const std::string tools = std::string(kStore) + "\\Tools", apps = std::string(kStore) + "\\Apps";
    WriteUserString(tools, "Editor", "notepad");
    WriteUserString(apps, "Calc", "calc");
    WriteUserString(std::string(kStore) + "\\Old", "Gone", "winhlp32");
    Sleep(2500);  // written long enough before the builds for their groups to be kept
    Rebuild();
    Rebuild();
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"Apps", "Old", "Tools"}));

    WriteUserString(tools + "\\Deep", "Viewer", "wordpad");
    holmtest::DeleteUserTree(std::string(kStore) + "\\Old");
    WriteUserString(apps, "Calc", "calc.exe|c:\\work|2|");
    Rebuild();
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"Apps", "Tools"}));
    EXPECT_EQ(Texts(Submenu(InitMenuRoot(), "Tools")), (std::vector<std::string>{"Deep", "Editor"}));
    EXPECT_EQ(Texts(Submenu(Submenu(InitMenuRoot(), "Tools"), "Deep")), (std::vector<std::string>{"Viewer"}));
    ASSERT_EQ(_getnumprogs(), cpl_ + 3);
    const LaunchEntry* calc = LaunchEntryAt(cpl_);  // Apps is walked first
    EXPECT_EQ(calc->command, "calc.exe");
    EXPECT_EQ(calc->directory, "c:\\work");
    EXPECT_EQ(calc->showCmd, SW_MAXIMIZE);
}

TEST_F(InitMenuBuildTest, ControlPanelListsEveryAppletSortedWithoutAmpersands) {
    Rebuild();
    HMENU panel = Submenu(InitMenuRoot(), "Control Panel");
    const std::vector<std::string> texts = Texts(panel);
    for (const char* mine : {"Holm Wide Applet", "Holm Ansi Applet", "Holm Old Applet"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), mine), texts.end()) << mine;
    EXPECT_GE(static_cast<int>(texts.size()), 4) << "Wine's own applets are listed too";
    EXPECT_EQ(static_cast<int>(texts.size()), cpl_);
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(),
                               [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }));
    for (const std::string& t : texts) EXPECT_EQ(t.find('&'), std::string::npos) << t;
    for (const char* gone : {"System", "Network", "Modems"})
        EXPECT_EQ(std::find(texts.begin(), texts.end(), gone), texts.end()) << "not on Windows NT: " << gone;

    std::vector<std::string> commands;
    for (int i = 0; i < cpl_; ++i) {
        const LaunchEntry* entry = LaunchEntryAt(i);
        commands.push_back(entry->command);
        EXPECT_EQ(entry->showCmd, 0) << entry->command;
        EXPECT_EQ(entry->DirectoryOrNull(), nullptr);
        EXPECT_EQ(entry->command.rfind("control ", 0), 0u) << entry->command;
    }
    for (const char* mine : {"control holmtest.cpl Holm &Wide Applet", "control holmtest.cpl Holm Ansi Applet",
                             "control holmtest.cpl Holm Old Applet"})
        EXPECT_NE(std::find(commands.begin(), commands.end(), mine), commands.end()) << mine;

    // The icon the wide inquiry handed over was copied and then destroyed.
    char made[32] = "";
    GetEnvironmentVariableA("HOLMTEST_APPLET_ICON", made, sizeof(made));
    ICONINFO info = {};
    EXPECT_FALSE(GetIconInfo(reinterpret_cast<HICON>(static_cast<UINT_PTR>(std::stoull(made))), &info));
    // Applets that gave an icon show it; the old inquiry gave none.
    for (const Entry& e : Entries(panel)) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoA(panel, e.id, FALSE, &mii);
        if (e.text == "Holm Wide Applet" || e.text == "Holm Ansi Applet") {
            EXPECT_NE(mii.hbmpUnchecked, nullptr) << e.text;
        }
        if (e.text == "Holm Old Applet") {
            EXPECT_EQ(mii.hbmpUnchecked, nullptr);
        }
        EXPECT_GE(e.id, UINT{kCmdFirstLaunch});
        EXPECT_LT(e.id, UINT{kCmdFirstLaunch} + cpl_);
    }
}

TEST_F(InitMenuBuildTest, Windows95AddsSystemNetworkAndModems) {
    g_lib.platform = VER_PLATFORM_WIN32_WINDOWS;
    Rebuild();
    g_lib.platform = VER_PLATFORM_WIN32_NT;
    const std::vector<std::string> texts = Texts(Submenu(InitMenuRoot(), "Control Panel"));
    EXPECT_EQ(static_cast<int>(texts.size()), cpl_ + 3);
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(),
                               [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }));
    std::vector<std::string> commands;
    for (int i = cpl_; i < cpl_ + 3; ++i) commands.push_back(LaunchEntryAt(i)->command);
    EXPECT_EQ(commands, (std::vector<std::string>{"control sysdm.cpl", "control netcpl.cpl", "control modem.cpl"}));
    for (const char* fixed : {"System", "Network", "Modems"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), fixed), texts.end()) << fixed;
}

TEST_F(InitMenuBuildTest, BadValuesAreSkippedOneByOne) {
    const DWORD number = 7;
    WriteUserValue(kStore, "Number", REG_DWORD, &number, sizeof(number));
    const char unterminated[3] = {'c', 'm', 'd'};
    WriteUserValue(kStore, "Binary", REG_BINARY, unterminated, sizeof(unterminated));
    WriteUserString(kStore, "Good", "notepad");
    Rebuild();
    EXPECT_EQ(UserTexts(), std::vector<std::string>{"Good"});

    // A name or data too long to read skips only that value.
    WriteUserString(kStore, "Huge", std::string(700, 'x'));
    WriteUserString(kStore, std::string(300, 'n').c_str(), "notepad");
    WriteUserString(kStore, "Later", "notepad");
    Rebuild();
    EXPECT_EQ(UserTexts(), (std::vector<std::string>{"Good", "Later"}));
    EXPECT_EQ(_getnumprogs(), cpl_ + 2);
}

TEST_F(InitMenuBuildTest, AGroupOfSkippedValuesIsUninhabited) {
    const DWORD number = 7;
    WriteUserValue(std::string(kStore) + "\\Numbers", "Number", REG_DWORD, &number, sizeof(number));
    WriteUserValue(std::string(kStore) + "\\Numbers", "Binary", REG_BINARY, "cmd", 3);
    Rebuild();
    const std::vector<Entry> numbers = Entries(Submenu(InitMenuRoot(), "Numbers"));
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0].text, "[Uninhabited]");
    EXPECT_TRUE(numbers[0].grayed);
}

TEST_F(InitMenuBuildTest, MissingShowNoTitleWindowsMeansACorruptConfiguration) {
    SHDeleteValueA(HKEY_CURRENT_USER, kOptionsKey, "ShowNoTitleWindows");
    Rebuild();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first, "HOLMDLL");
    EXPECT_EQ(messages_[0].second, "Configuration corrupt.  Would you like to run the configuration program?");
}

TEST_F(InitMenuBuildTest, SpecialEntriesAreDisabledWithoutShutdownRights) {
    for (bool enabled : {false, true}) {
        ASSERT_TRUE(EnableShutdownPrivilege(enabled));
        Rebuild();
        HMENU special = Submenu(InitMenuRoot(), "Special");
        ASSERT_NE(special, nullptr);
        int seen = 0;
        for (const Entry& e : Entries(special)) {
            if (e.id == kCmdShutdown || e.id == kCmdReboot) {
                ++seen;
                EXPECT_EQ(e.grayed, !enabled) << e.text;
            }
        }
        EXPECT_EQ(seen, 2);
    }
}

TEST_F(InitMenuBuildTest, ChangeTrayStrFollowsTheTrayWindow) {
    Rebuild();
    HWND tray = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    _changeTrayStr(tray);
    char text[64] = "";
    GetMenuStringA(InitMenuSpecial(), 15, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Show tray");
    ShowWindow(tray, SW_SHOWNOACTIVATE);
    _changeTrayStr(tray);
    GetMenuStringA(InitMenuSpecial(), 15, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Hide tray");
    // A rebuild keeps the entry in line with the tray.
    ShowWindow(tray, SW_HIDE);
    _changeTrayStr(tray);
    Rebuild();
    GetMenuStringA(InitMenuSpecial(), 15, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Show tray");
    ShowWindow(tray, SW_SHOWNOACTIVATE);
    Rebuild();
    GetMenuStringA(InitMenuSpecial(), 15, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Hide tray");
    DestroyWindow(tray);
    Rebuild();
}

TEST_F(InitMenuBuildTest, FailedAllocationsAreReportedAndStayInsideTheLibrary) {
    WriteUserString(kStore, "Editor", "%windir%\\notepad.exe");
    Rebuild();
    ASSERT_EQ(_getnumprogs(), cpl_ + 1);
    std::vector<std::pair<std::string, std::string>> seen;
    {
        MessageBoxCatcher catcher;
        {
            FailingAllocations failing;
            _doInitMenu(cpl_);
            _resetLpum();
        }
        seen = catcher.Seen();
    }
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(std::string("HOLM"), std::string("Out of memory!!!")));
    EXPECT_EQ(seen[1].second,
              "(" + std::to_string(cpl_) + ") Execution of \"%windir%\\notepad.exe\" in directory \"(null)\" failed");
    EXPECT_EQ(seen[2], std::make_pair(std::string("HOLM"), std::string("Out of memory!!!")));
    Rebuild();
    EXPECT_EQ(_getnumprogs(), cpl_ + 1);
}

namespace {

int AppletCalls() {
    char text[16] = "";
    return GetEnvironmentVariableA("HOLMTEST_CPL_CALLS", text, sizeof(text)) ? std::atoi(text) : 0;
}

std::vector<std::string> PanelCommands() {
    std::vector<std::string> commands;
    for (const Entry& e : Entries(Submenu(InitMenuRoot(), "Control Panel")))
        commands.push_back(LaunchEntryAt(static_cast<int>(e.id) - kCmdFirstLaunch)->command);
    return commands;
}

bool Lists(const std::vector<std::string>& commands, const std::string& command) {
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

HBITMAP EntryBitmap(HMENU menu, const std::string& label) {
    for (const Entry& e : Entries(menu)) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoA(menu, e.id, FALSE, &mii);
        if (e.text == label) return mii.hbmpUnchecked;
    }
    return nullptr;
}

HBITMAP PanelBitmap(const std::string& label) { return EntryBitmap(Submenu(InitMenuRoot(), "Control Panel"), label); }

void MarkWritten(const std::string& path, int minutesAgo) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME time;
    SystemTimeToFileTime(&now, &time);
    ULARGE_INTEGER t = {{time.dwLowDateTime, time.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(minutesAgo) * 60 * 10000000;
    time = {t.LowPart, t.HighPart};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

}  // namespace

TEST_F(InitMenuBuildTest, ControlPanelFilesAreAskedAgainOnlyWhenAddedChangedOrRemoved) {
    const std::string added = TestAppletPath().substr(0, TestAppletPath().size() - 4) + "2.cpl";
    Rebuild();
    const HBITMAP wideImage = PanelBitmap("Holm Wide Applet");
    const int calls = AppletCalls();
    Rebuild();
    EXPECT_EQ(AppletCalls(), calls) << "an unchanged file is not asked again";
    EXPECT_TRUE(Lists(PanelCommands(), "control holmtest.cpl Holm Ansi Applet"));
    EXPECT_EQ(PanelBitmap("Holm Wide Applet"), wideImage);
    EXPECT_NE(GetObjectType(wideImage), 0u) << "a kept image outlives the menus of the build that made it";

    ASSERT_TRUE(CopyFileA(TestAppletPath().c_str(), added.c_str(), FALSE));
    Rebuild();
    const int perFile = AppletCalls() - calls;
    EXPECT_GT(perFile, 0) << "an added file is asked";
    EXPECT_TRUE(Lists(PanelCommands(), "control holmtest2.cpl Holm Old Applet"));
    EXPECT_EQ(_getnumprogs(), cpl_ + 3);

    MarkWritten(TestAppletPath(), 90);
    Rebuild();
    EXPECT_EQ(AppletCalls(), calls + 2 * perFile) << "only the changed file is asked again";
    EXPECT_TRUE(Lists(PanelCommands(), "control holmtest.cpl Holm Ansi Applet"));
    const HBITMAP newWideImage = PanelBitmap("Holm Wide Applet");
    EXPECT_NE(newWideImage, nullptr);
    Rebuild();
    EXPECT_EQ(GetObjectType(wideImage), 0u) << "the changed file's old image is released";
    EXPECT_NE(GetObjectType(newWideImage), 0u);

    ASSERT_TRUE(DeleteFileA(added.c_str()));
    Rebuild();
    EXPECT_EQ(AppletCalls(), calls + 2 * perFile);
    EXPECT_FALSE(Lists(PanelCommands(), "control holmtest2.cpl Holm Old Applet"));
    EXPECT_EQ(_getnumprogs(), cpl_);
}

namespace {

struct BuiltHandles {
    std::vector<HMENU> menus;
    std::vector<HBITMAP> bitmaps;
};

void CollectHandles(HMENU menu, BuiltHandles& out) {
    out.menus.push_back(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_SUBMENU | MIIM_CHECKMARKS;
        GetMenuItemInfoA(menu, i, TRUE, &mii);
        if (mii.hbmpUnchecked) out.bitmaps.push_back(mii.hbmpUnchecked);
        if (mii.hSubMenu) CollectHandles(mii.hSubMenu, out);
    }
}

// Images shared by every build (the Special submenu's) are kept for the
// life of the library; the rest live while a build shows them.
std::vector<HBITMAP> BuildOwnedBitmaps(const BuiltHandles& built) {
    BuiltHandles special;
    CollectHandles(InitMenuSpecial(), special);
    std::vector<HBITMAP> owned;
    for (HBITMAP b : built.bitmaps)
        if (std::find(special.bitmaps.begin(), special.bitmaps.end(), b) == special.bitmaps.end()) owned.push_back(b);
    return owned;
}

bool Shows(const BuiltHandles& built, HBITMAP bitmap) {
    return std::find(built.bitmaps.begin(), built.bitmaps.end(), bitmap) != built.bitmaps.end();
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    return counters.PrivateUsage;
}

}  // namespace

// Each build starts other programs than the one before, so that no image
// of a build is shown by the next.
TEST_F(InitMenuBuildTest, FiveHundredRebuildsWithIconsLeakNothing) {
    g_lib.options.showProgIcons = 1;
    const char* programs[2][3] = {{"notepad", "regedit", "winhlp32"}, {"cmd", "calc", "wordpad"}};
    const auto writeItems = [&](int set) {
        for (int i = 0; i < 20; ++i) {
            const std::string group = std::string(kStore) + "\\G" + std::to_string(i % 4);
            WriteUserString(group, ("Item " + std::to_string(i)).c_str(), programs[set][i % 3]);
        }
    };
    writeItems(0);
    _resetLpum();
    const SIZE_T bytesBefore = PrivateBytes();
    int stillAlive = 0, imagesSeen = 0;
    for (int i = 0; i < 500; ++i) {
        BuiltHandles before;
        CollectHandles(InitMenuRoot(), before);
        const std::vector<HBITMAP> owned = BuildOwnedBitmaps(before);
        imagesSeen += static_cast<int>(owned.size());
        writeItems((i + 1) % 2);
        _resetLpum();
        // Everything the previous build made is gone unless this build shows
        // it (handle values carry a generation, so a reused slot does not
        // make an old value valid).
        BuiltHandles after;
        CollectHandles(InitMenuRoot(), after);
        for (HMENU m : before.menus) stillAlive += IsMenu(m) ? 1 : 0;
        for (HBITMAP b : owned) stillAlive += GetObjectType(b) != 0 && !Shows(after, b) ? 1 : 0;
    }
    EXPECT_EQ(stillAlive, 0);
    EXPECT_GT(imagesSeen, 500);  // the builds really made images
    EXPECT_LT(PrivateBytes(), bytesBefore + 4 * 1024 * 1024);
    EXPECT_EQ(_getnumprogs(), cpl_ + 20);
}

TEST_F(InitMenuBuildTest, ProgramImagesAreKeptWhileTheirFileIsUnchangedAndShown) {
    g_lib.options.showProgIcons = 1;
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    const std::string program = holmtest::TempFolder("holm-image-test") + "\\tool.exe";
    ASSERT_TRUE(CopyFileA((std::string(windows) + "\\notepad.exe").c_str(), program.c_str(), FALSE));
    WriteUserString(kStore, "Tool", program);
    Rebuild();
    const HBITMAP first = EntryBitmap(InitMenuRoot(), "Tool");
    ASSERT_NE(first, nullptr);
    Rebuild();
    EXPECT_EQ(EntryBitmap(InitMenuRoot(), "Tool"), first) << "an unchanged program keeps its image";

    MarkWritten(program, 90);
    Rebuild();
    const HBITMAP remade = EntryBitmap(InitMenuRoot(), "Tool");
    EXPECT_NE(remade, first) << "a changed program file gets its image made again";
    EXPECT_EQ(GetObjectType(first), 0u);

    WriteUserString(kStore, "Tool", "");
    Rebuild();
    EXPECT_EQ(GetObjectType(remade), 0u) << "an image no entry shows is released";
    DeleteFileA(program.c_str());
}
