// The shared utilities: text editing, the growable array, window placement
// and closing other windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "grow_array.h"
#include "process.h"
#include "text_edit.h"
#include "window_util.h"

using namespace holm;

TEST(TextEdit, DoubleCharDoublesEveryOccurrence) {
    EXPECT_EQ(DoubleChar("a&b&&c", '&'), "a&&b&&&&c");
    EXPECT_EQ(DoubleChar("none", '&'), "none");
    EXPECT_EQ(DoubleChar("", '&'), "");
}

TEST(TextEdit, DoubleCharTakesAtMost255Characters) {
    const std::string longText(300, '&');
    EXPECT_EQ(DoubleChar(longText, '&').size(), 510u);
}

TEST(TextEdit, RemoveCharCountsAndCloses) {
    char text[] = "a&b&&c";
    EXPECT_EQ(RemoveChar(text, '&'), 3);
    EXPECT_STREQ(text, "abc");
}

TEST(TextEdit, ReplaceSpanGrowsAndShrinksText) {
    char text[32] = "x%uy";
    EXPECT_EQ(ReplaceSpan(text, sizeof(text), 1, 2, "name"), 4u);
    EXPECT_STREQ(text, "xnamey");
    EXPECT_EQ(ReplaceSpan(text, sizeof(text), 1, 4, ""), 0u);
    EXPECT_STREQ(text, "xy");
}

TEST(TextEdit, ReplaceSpanNeverWritesPastTheBuffer) {
    char buffer[12];
    std::memset(buffer, '#', sizeof(buffer));
    char* text = buffer + 1;  // 10 usable bytes, guards on both sides
    std::strcpy(text, "ab%ucd");
    ReplaceSpan(text, 10, 2, 2, "0123456789");
    EXPECT_EQ(std::strlen(text), 9u);
    EXPECT_STREQ(text, "ab0123456");
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(buffer[11], '#');
}

TEST(TextEdit, CaseFoldingIsAsciiOnly) {
    EXPECT_EQ(CompareFoldAscii("abc", "ABC"), 0);
    EXPECT_LT(CompareFoldAscii("A", "b"), 0);
    EXPECT_GT(CompareFoldAscii("\xe9", "\xc9"), 0);  // accented letters are not folded
    EXPECT_LT(CompareFoldAscii("z", "["), 0);  // z folds to Z, which sorts before [
}

TEST(GrowArray, DoublesWhenFullAndKeepsElements) {
    GrowArray<int> array;
    ASSERT_TRUE(array.Init(5));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(array.Append(i * 10), i);
    EXPECT_EQ(array.Capacity(), 10);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(array[i], i * 10);
}

TEST(GrowArray, RemoveMovesLastIntoTheGap) {
    GrowArray<int> array;
    array.Init(3);
    array.Append(1);
    array.Append(2);
    array.Append(3);
    EXPECT_TRUE(array.Remove(0));
    EXPECT_EQ(array.Count(), 2);
    EXPECT_EQ(array[0], 3);
    EXPECT_FALSE(array.Remove(2));
    EXPECT_FALSE(array.Remove(-1));
    EXPECT_TRUE(array.Remove(1));
    EXPECT_TRUE(array.Remove(0));
    EXPECT_EQ(array.Count(), 0);
}

namespace {

HWND MakeWindow(int x, int y, int w, int h) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmPlacementTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "t", WS_POPUP, x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

RECT RectOf(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return rc;
}

}  // namespace

TEST(Placement, KeepOnScreenPullsWindowsFullyInside) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HWND w = MakeWindow(cx - 50, -30, 100, 80);
    KeepOnScreen(w);
    RECT rc = RectOf(w);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, cx);
    SetWindowPos(w, nullptr, -20, cy - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    KeepOnScreen(w);
    rc = RectOf(w);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.bottom, cy);
    DestroyWindow(w);
}

TEST(Placement, BringBackMovesOnlyWindowsWhollyOffScreen) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HWND w = MakeWindow(cx - 50, cy - 50, 100, 80);  // partly visible
    BringBackOnScreen(w);
    EXPECT_EQ(RectOf(w).left, cx - 50);
    SetWindowPos(w, nullptr, cx + 500, -400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    BringBackOnScreen(w);
    RECT rc = RectOf(w);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, cx);
    DestroyWindow(w);
}

// What GetAncestor(GA_ROOT) answers, on systems without it: the top-level
// window of a nested control, not the owner of an owned window.
TEST(Placement, TopLevelWindowClimbsParentsButNotOwners) {
    HWND owner = MakeWindow(0, 0, 100, 80);
    HWND owned = CreateWindowExA(0, "STATIC", "owned", WS_POPUP, 0, 0, 50, 50, owner, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD, 0, 0, 50, 50, owned, nullptr, nullptr, nullptr);
    HWND grandchild = CreateWindowExA(0, "STATIC", "inner", WS_CHILD, 0, 0, 20, 20, child, nullptr, nullptr, nullptr);
    EXPECT_EQ(TopLevelWindow(grandchild), owned);
    EXPECT_EQ(TopLevelWindow(child), owned);
    EXPECT_EQ(TopLevelWindow(owned), owned);
    EXPECT_EQ(TopLevelWindow(owner), owner);
    EXPECT_EQ(TopLevelWindow(nullptr), nullptr);
    DestroyWindow(owner);
}

namespace {

HWND g_closable = nullptr;

DWORD WINAPI ClosingWindowThread(LPVOID param) {
    auto* ready = static_cast<HANDLE*>(param);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;  // WM_CLOSE destroys the window
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmClosableTest";
    RegisterClassA(&wc);
    g_closable =
        CreateWindowExA(0, wc.lpszClassName, "c", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetEvent(*ready);
    MSG msg;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    return 0;
}

}  // namespace

TEST(CloseWindows, WindowsThatCloseAreGoneQuickly) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, ClosingWindowThread, &ready, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(ready, 2000), WAIT_OBJECT_0);
    ASSERT_TRUE(IsWindow(g_closable));
    const DWORD start = GetTickCount();
    EXPECT_TRUE(CloseWindowsByClass("HOLMCLOSABLETEST"));  // letter case ignored
    EXPECT_LT(GetTickCount() - start, 800u);
    EXPECT_FALSE(IsWindow(g_closable));
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(ready);
}

TEST(CloseWindows, RefusingWindowsGiveUpAfterAboutOneSecond) {
    // This thread does not pump messages, so the posted WM_CLOSE is never handled.
    HWND w = MakeWindow(0, 0, 10, 10);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(CloseWindowsByClass("HolmPlacementTest"));
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 900u);
    EXPECT_LT(took, 2500u);
    DestroyWindow(w);
}

TEST(Processes, StartProcessReportsFailureForMissingPrograms) {
    EXPECT_FALSE(StartProcess("no-such-program-anywhere.exe", nullptr, SW_SHOWNORMAL));
}
