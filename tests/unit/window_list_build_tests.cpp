// The Window List built in this process over windows of this process: which
// image each entry gets and who owns it, the window table behind the ids,
// and the hidden titles read from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "hidden_titles.h"
#include "holm_api.h"
#include "holm_names.h"
#include "library_state.h"
#include "process_file.h"
#include "shell_driver.h"
#include "window_list.h"
#include "window_table.h"

using namespace holm;

namespace {

constexpr char kIconClass[] = "WlUnitWindow";
constexpr char kBareClass[] = "WlUnitBareWindow";
constexpr char kCountingClass[] = "WlUnitCountingWindow";

int g_iconQuestions = 0;

LRESULT CALLBACK CountIconQuestions(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETICON) ++g_iconQuestions;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

struct Entry {
    UINT id = 0;
    HBITMAP bitmap = nullptr;
    ULONG_PTR data = 0;
    bool found = false;
};

Entry FindEntry(HMENU menu, const std::string& text) {
    Entry entry;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char buffer[512] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS | MIIM_DATA;
        mii.dwTypeData = buffer;
        mii.cch = sizeof(buffer);
        if (GetMenuItemInfoA(menu, i, TRUE, &mii) && text == buffer) {
            entry.id = mii.wID;
            entry.bitmap = mii.hbmpUnchecked;
            entry.data = mii.dwItemData;
            entry.found = true;
        }
    }
    return entry;
}

HMENU SubmenuLabelled(HMENU menu, const std::string& label) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char buffer[64] = "";
        GetMenuStringA(menu, i, buffer, sizeof(buffer), MF_BYPOSITION);
        if (label == buffer) return GetSubMenu(menu, i);
    }
    return nullptr;
}

HMENU AllWindows(HMENU root) { return SubmenuLabelled(SubmenuLabelled(root, "Special"), "All windows"); }

class WindowListBuildTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kBareClass;
        RegisterClassA(&wc);
        classIcon_ = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
        wc.hIcon = classIcon_;
        wc.lpszClassName = kIconClass;
        RegisterClassA(&wc);
        wc.lpfnWndProc = CountIconQuestions;
        wc.lpszClassName = kCountingClass;
        RegisterClassA(&wc);
    }

    void SetUp() override {
        holmtest::ResetHolmRegistry();
        g_lib.desktop = GetDesktopWindow();
        g_lib.checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
        g_lib.checkHeight = GetSystemMetrics(SM_CYMENUCHECK);
        g_lib.options = Options();
        LoadHiddenTitles();
    }

    void TearDown() override {
        DestroyWindowList();
        ReleaseWindowTable();
        for (HWND w : windows_)
            if (IsWindow(w)) DestroyWindow(w);
        for (HICON icon : icons_) DestroyIcon(icon);
        holmtest::ResetHolmRegistry();
    }

    HWND MakeWindow(const char* title, const char* cls = kIconClass, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
        HWND w = CreateWindowExA(0, cls, title, style, 30, 30, 150, 80, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
        windows_.push_back(w);
        return w;
    }

    HICON OwnIcon() {
        HICON icon = CopyIcon(LoadIconA(nullptr, IDI_WARNING));
        icons_.push_back(icon);
        return icon;
    }

    static HICON classIcon_;
    std::vector<HWND> windows_;
    std::vector<HICON> icons_;
};

HICON WindowListBuildTest::classIcon_ = nullptr;

}  // namespace

TEST_F(WindowListBuildTest, EveryWindowIdNamesItsWindowInTheTable) {
    HWND first = MakeWindow("WLU First");
    HWND hidden = MakeWindow("WLU Hidden", kIconClass, WS_OVERLAPPEDWINDOW);
    HMENU root = BuildWindowList();
    const Entry inRoot = FindEntry(root, "WLU First");
    const Entry underAll = FindEntry(AllWindows(root), "WLU First");
    const Entry hiddenUnderAll = FindEntry(AllWindows(root), "WLU Hidden");
    ASSERT_TRUE(inRoot.found && underAll.found && hiddenUnderAll.found);
    EXPECT_FALSE(FindEntry(root, "WLU Hidden").found);
    EXPECT_EQ(inRoot.id, underAll.id);
    EXPECT_EQ(TableWindowForCommand(inRoot.id), first);
    EXPECT_EQ(TableWindowForCommand(hiddenUnderAll.id), hidden);
    EXPECT_EQ(GetMenuItemID(root, 0), static_cast<UINT>(kCmdTitle));
    EXPECT_EQ(TableWindowForCommand(kCmdTitle), nullptr);
}

TEST_F(WindowListBuildTest, PlainStyleBitmapsAreDeletedWithTheMenuAndTheIconsStay) {
    g_lib.options.useCustomMenus = 0;
    HWND w = MakeWindow("WLU Plain");
    HICON own = OwnIcon();
    SendMessageA(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    HMENU root = BuildWindowList();
    const Entry entry = FindEntry(root, "WLU Plain");
    ASSERT_TRUE(entry.found);
    ASSERT_NE(entry.bitmap, nullptr);
    EXPECT_EQ(GetObjectType(entry.bitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(FindEntry(AllWindows(root), "WLU Plain").bitmap, entry.bitmap);  // one image for both entries
    DestroyWindowList();
    EXPECT_EQ(GetObjectType(entry.bitmap), 0u);
    EXPECT_TRUE(IconAlive(own));
    EXPECT_TRUE(IconAlive(classIcon_));
}

TEST_F(WindowListBuildTest, CloakedStyleBorrowsTheWindowsOwnIcons) {
    g_lib.options.useCustomMenus = 1;
    HWND both = MakeWindow("WLU Both Icons");
    HICON small = OwnIcon(), big = OwnIcon();
    SendMessageA(both, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageA(both, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    HWND bigOnly = MakeWindow("WLU Big Icon");
    HICON big2 = OwnIcon();
    SendMessageA(bigOnly, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big2));
    MakeWindow("WLU Class Icon");
    MakeWindow("WLU No Icon", kBareClass);

    HMENU root = BuildWindowList();
    EXPECT_EQ(FindEntry(root, "WLU Both Icons").data, reinterpret_cast<ULONG_PTR>(small));
    EXPECT_EQ(FindEntry(root, "WLU Big Icon").data, reinterpret_cast<ULONG_PTR>(big2));
    const ULONG_PTR classIcon = FindEntry(root, "WLU Class Icon").data;
    EXPECT_NE(classIcon, 0u);  // the class's small icon, or its icon
    const Entry bare = FindEntry(root, "WLU No Icon");
    ASSERT_TRUE(bare.found);
    EXPECT_EQ(bare.data, 0u);
    DestroyWindowList();
    EXPECT_TRUE(IconAlive(small));
    EXPECT_TRUE(IconAlive(big2));
    EXPECT_TRUE(IconAlive(reinterpret_cast<HICON>(classIcon)));
}

TEST_F(WindowListBuildTest, NoImagesWhenWindowIconsAreOff) {
    g_lib.options.useCustomMenus = 0;
    g_lib.options.showWindowIcons = 0;
    MakeWindow("WLU Iconless");
    const Entry entry = FindEntry(BuildWindowList(), "WLU Iconless");
    ASSERT_TRUE(entry.found);
    EXPECT_EQ(entry.bitmap, nullptr);
}

TEST_F(WindowListBuildTest, AnActionUsesTheTableOnce) {
    HWND w = MakeWindow("WLU Target");
    UINT id = FindEntry(BuildWindowList(), "WLU Target").id;
    DestroyWindowList();
    ASSERT_EQ(TableWindowForCommand(id), w);  // the table outlives the menu
    _doHideWinMenu(id);
    Pump();
    EXPECT_FALSE(IsWindowVisible(w));
    _doWinMenu(id);
    Pump();
    EXPECT_FALSE(IsWindowVisible(w)) << "the released table was used again";

    // The closing id and unknown ids leave the table for the real choice.
    id = FindEntry(AllWindows(BuildWindowList()), "WLU Target").id;
    DestroyWindowList();
    _doWinMenu(kCmdTitle);
    _doWinMenu(1);
    _doWinMenu(0);
    ASSERT_EQ(TableWindowForCommand(id), w);
    _doWinMenu(id);
    Pump();
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(TableWindowForCommand(id), nullptr);
}

TEST_F(WindowListBuildTest, ModifierActionsOnSpecialIdsOnlyReleaseTheTable) {
    HWND w = MakeWindow("WLU Bystander");
    for (auto action : {_doCloseWinMenu, _doHideWinMenu, _doKillWinMenu}) {
        const UINT id = FindEntry(BuildWindowList(), "WLU Bystander").id;
        DestroyWindowList();
        action(kCmdMinimizeAll);
        Pump();
        EXPECT_TRUE(IsWindow(w));
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_FALSE(IsIconic(w));
        EXPECT_EQ(TableWindowForCommand(id), nullptr);
    }
}

TEST_F(WindowListBuildTest, CloseActionPostsWmClose) {
    HWND w = MakeWindow("WLU Closing");
    const UINT id = FindEntry(BuildWindowList(), "WLU Closing").id;
    DestroyWindowList();
    _doCloseWinMenu(id);
    EXPECT_TRUE(IsWindow(w));  // posted, not sent
    Pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(WindowListBuildTest, HiddenTitlesAreTheStringValueNames) {
    holmtest::WriteUserString(kHiddenTitlesKey, "wlu secret", "");
    holmtest::WriteUserDword(kHiddenTitlesKey, "WLU Number", 1);
    holmtest::WriteUserString(kHiddenTitlesKey, std::string(300, 'L').c_str(), "");
    holmtest::WriteUserString(kHiddenTitlesKey, "WLU After The Long One", "ignored data");
    LoadHiddenTitles();
    EXPECT_TRUE(HiddenTitles().Contains("WLU SECRET"));
    EXPECT_FALSE(HiddenTitles().Contains("WLU Number"));
    EXPECT_TRUE(HiddenTitles().Contains("wlu after the long one"));
    EXPECT_EQ(HiddenTitles().Count(), 2);

    MakeWindow("WLU Secret");
    HMENU root = BuildWindowList();
    EXPECT_FALSE(FindEntry(root, "WLU Secret").found);
    EXPECT_TRUE(FindEntry(AllWindows(root), "WLU Secret").found);
}

TEST_F(WindowListBuildTest, HiddenTitlesKeyIsCreatedWhenMissing) {
    holmtest::ResetHolmRegistry();
    LoadHiddenTitles();
    ASSERT_TRUE(holmtest::UserKeyExists(kHiddenTitlesKey));
    EXPECT_EQ(HiddenTitles().Count(), 0);
}

TEST_F(WindowListBuildTest, AWindowIsAskedForItsIconsOnceWhileItLives) {
    g_lib.options.useCustomMenus = 1;
    HWND w = MakeWindow("WLU Counted", kCountingClass);
    HICON own = OwnIcon();
    SendMessageA(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    g_iconQuestions = 0;
    EXPECT_EQ(FindEntry(BuildWindowList(), "WLU Counted").data, reinterpret_cast<ULONG_PTR>(own));
    EXPECT_EQ(g_iconQuestions, 2);  // its small and its big icon
    EXPECT_EQ(FindEntry(BuildWindowList(), "WLU Counted").data, reinterpret_cast<ULONG_PTR>(own));
    EXPECT_EQ(g_iconQuestions, 2);
}

TEST_F(WindowListBuildTest, AProcessIsNamedByItsProgramFileOnNtAndOnWindows95) {
    char own[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, own, sizeof(own));
    const std::string name = std::strrchr(own, '\\') + 1;
    EXPECT_EQ(ProcessFileFinder().FileOf(GetCurrentProcessId()), own);
    g_lib.platform = VER_PLATFORM_WIN32_WINDOWS;  // the toolhelp snapshot (only the name, on NT)
    const std::string snapshot = ProcessFileFinder().FileOf(GetCurrentProcessId());
    g_lib.platform = VER_PLATFORM_WIN32_NT;
    ASSERT_GE(snapshot.size(), name.size());
    EXPECT_EQ(lstrcmpiA(snapshot.c_str() + snapshot.size() - name.size(), name.c_str()), 0) << snapshot;
    EXPECT_EQ(ProcessFileFinder().FileOf(0xFFFFFFF0), "");
}
