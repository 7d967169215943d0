// The shell's mouse hook seen from another program: the middle button is
// played as a left double click, and the shell stays idle when nothing
// happens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_driver.h"

using namespace holmtest;

namespace {

std::vector<UINT> g_messages;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
        (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK))
        g_messages.push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Pump(int ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

void MiddleClick(int x, int y) {
    MoveMouse(x, y);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    for (DWORD button : {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (x * 65536 + cx - 1) / cx;
        input.mi.dy = (y * 65536 + cy - 1) / cy;
        input.mi.dwFlags = button | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof(INPUT));
        Sleep(30);
    }
}

class HookTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        WriteMinimalConfiguration();
    }
    void TearDown() override { KillStrayShells(); }
    ShellProcess shell_;
};

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
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(shell_.WaitReady());
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmMiddleTarget";
    RegisterClassA(&wc);
    HWND target = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Middle target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(target, nullptr);
    Pump(300);
    g_messages.clear();
    MiddleClick(250, 200);
    Pump(600);
    const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    EXPECT_EQ(g_messages, expected);

    // A middle click on the title bar maximizes the window as a double click would.
    EXPECT_FALSE(IsZoomed(target));
    RECT client = {};
    GetClientRect(target, &client);
    POINT topLeft = {0, 0};
    ClientToScreen(target, &topLeft);
    g_messages.clear();
    MiddleClick(250, topLeft.y - GetSystemMetrics(SM_CYCAPTION) / 2);
    Pump(600);
    // (The caption's own drag handling may add client messages of its own.)
    std::vector<UINT> nonClientSeen;
    for (UINT m : g_messages) {
        EXPECT_TRUE(m != WM_MBUTTONDOWN && m != WM_MBUTTONUP && m != WM_NCMBUTTONDOWN && m != WM_NCMBUTTONUP) << m;
        if (m >= WM_NCLBUTTONDOWN && m <= WM_NCMBUTTONDBLCLK) nonClientSeen.push_back(m);
    }
    const std::vector<UINT> nonClient = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP};
    EXPECT_EQ(nonClientSeen, nonClient);
    EXPECT_TRUE(IsZoomed(target));
    DestroyWindow(target);
}

TEST_F(HookTest, TheShellIdlesWithoutSpinning) {
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(shell_.WaitReady());
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
