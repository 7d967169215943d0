// The shell's mouse hook seen from another program: the middle button is
// played as a left double click, and the shell stays idle when nothing
// happens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

const std::vector<UINT> kLeftDoubleClick = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
const std::vector<UINT> kMiddleClick = {WM_MBUTTONDOWN, WM_MBUTTONUP};

using HookTest = ShellTest;

ULONGLONG CpuMilliseconds(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    FILETIME create, exit, kernel, user;
    ULONGLONG total = 0;
    if (process && GetProcessTimes(process, &create, &exit, &kernel, &user)) {
        ULARGE_INTEGER k, u;
        k.LowPart = kernel.dwLowDateTime;
        k.HighPart = kernel.dwHighDateTime;
        u.LowPart = user.dwLowDateTime;
        u.HighPart = user.dwHighDateTime;
        total = (k.QuadPart + u.QuadPart) / 10000;
    }
    if (process) CloseHandle(process);
    return total;
}

}  // namespace

TEST_F(HookTest, MiddleButtonBecomesALeftDoubleClickInOtherPrograms) {
    StartShell();
    ButtonTarget target(100, 100, 300, 200);
    ASSERT_NE(target.Get(), nullptr);
    MiddleClick(250, 200);
    EXPECT_EQ(target.Take(600), kLeftDoubleClick);

    // A middle click on the title bar maximizes the window as a double click would.
    EXPECT_FALSE(IsZoomed(target.Get()));
    POINT topLeft = {0, 0};
    ClientToScreen(target.Get(), &topLeft);
    MiddleClick(250, topLeft.y - GetSystemMetrics(SM_CYCAPTION) / 2);
    // (The caption's own drag handling may add client messages of its own.)
    std::vector<UINT> nonClientSeen;
    for (UINT m : target.Take(600)) {
        EXPECT_TRUE(m != WM_MBUTTONDOWN && m != WM_MBUTTONUP && m != WM_NCMBUTTONDOWN && m != WM_NCMBUTTONUP) << m;
        if (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONDBLCLK) nonClientSeen.push_back(m);
    }
    const std::vector<UINT> nonClient = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP};
    EXPECT_EQ(nonClientSeen, nonClient);
    EXPECT_TRUE(IsZoomed(target.Get()));
}

// A hook the system dropped comes back with "holm.exe /redo-hook" (the
// pointer stays put, so the watchdog has no cause to act), and comes back by
// itself once the pointer moves.
TEST_F(HookTest, ALostHookComesBackWithRedoHookAndWithTheWatchdog) {
    StartShell();
    ButtonTarget target(100, 100, 300, 200);
    MoveMouse(250, 200);
    Sleep(600);  // the watchdog settles
    target.Take(0);
    ASSERT_TRUE(DropMouseHook(shell_));
    MiddleClick(250, 200);
    ASSERT_EQ(target.Take(600), kMiddleClick) << "the hook was not taken away";

    ShellProcess redo;
    ASSERT_TRUE(redo.Start("/redo-hook"));
    EXPECT_TRUE(redo.WaitExit(10000));
    Sleep(300);
    MiddleClick(250, 200);
    EXPECT_EQ(target.Take(600), kLeftDoubleClick) << "after /redo-hook";

    ASSERT_TRUE(DropMouseHook(shell_));
    MiddleClick(250, 200);
    ASSERT_EQ(target.Take(600), kMiddleClick) << "the hook was not taken away";
    for (int i = 0; i < 8; ++i) {
        MoveMouse(200 + i * 5, 180);
        Sleep(100);
    }
    MiddleClick(250, 200);
    EXPECT_EQ(target.Take(600), kLeftDoubleClick) << "after the pointer moved";
}

TEST_F(HookTest, TheShellIdlesWithoutSpinning) {
    StartShell();
    Sleep(500);
    const ULONGLONG before = CpuMilliseconds(shell_.Pid());
    Sleep(3000);
    const ULONGLONG idle = CpuMilliseconds(shell_.Pid()) - before;
    EXPECT_LT(idle, 300u) << "CPU ms used in 3 s idle";
    // Moving the mouse over other windows makes the watchdog re-install the
    // hook; that must stay cheap too, and the menus still open afterwards.
    const ULONGLONG beforeMoves = CpuMilliseconds(shell_.Pid());
    for (int i = 0; i < 30; ++i) {
        MoveMouse(200 + (i % 10) * 30, 200 + (i % 7) * 20);
        Sleep(100);
    }
    EXPECT_LT(CpuMilliseconds(shell_.Pid()) - beforeMoves, 1000u);
    Click(500, 400);
    EXPECT_TRUE(WaitForMenu(shell_).open);
    DismissMenus(shell_.Pid());
}
