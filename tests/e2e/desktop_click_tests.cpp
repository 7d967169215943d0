// Clicks on the empty desktop of the Wine virtual desktop open the menus of
// the real shell, at the pointer; the menus are read from the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_fixture.h"

using namespace holmtest;
using Texts = std::vector<std::string>;

namespace {

using DesktopClickTest = ShellTest;

const Texts kEmptyInitMenu = {"Init Menu", "-", "[Uninhabited]", "-", "Run...", "Control Panel", "Special"};

}  // namespace

TEST_F(DesktopClickTest, LeftClickOpensTheInitMenuRightAlignedAbovePointer) {
    StartShell();
    MenuSnapshot menu = OpenMenu(500, 400, false);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.rect.right, 510);
    EXPECT_EQ(menu.rect.top, 390);
    EXPECT_EQ(menu.Texts(), kEmptyInitMenu);
    const MenuEntry* empty = menu.Find("[Uninhabited]");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->Has('G'));
    EXPECT_EQ(empty->id, UINT{holm::kCmdArrangeOrEmpty});
    EXPECT_EQ(menu.Find("Init Menu")->id, UINT{holm::kCmdTitle});
    EXPECT_EQ(menu.Find("Run...")->id, UINT{holm::kCmdRun});
}

TEST_F(DesktopClickTest, SpecialSubmenuHoldsTheShellCommands) {
    StartShell();
    MenuSnapshot menu = OpenMenu(400, 300, false);
    ASSERT_TRUE(menu.open);
    std::vector<std::string> texts;
    std::vector<UINT> ids;
    for (const MenuEntry& e : menu.Submenu("Special")) {
        texts.push_back(e.Has('S') ? "-" : e.text);
        ids.push_back(e.id);
    }
    // The tray is shown, as users have it, so its entry offers to hide it.
    const Texts expected = {"Task Manager", "Kill 16-bit Kernels", "-", "Switch to Explorer", "-", "Logoff",
                            "Reboot", "Shutdown", "-", "Hide tray", "Configure HOLM", "Exit HOLM"};
    EXPECT_EQ(texts, expected);
    using namespace holm;
    const std::vector<UINT> expectedIds = {kCmdTaskManager, kCmdKill16Bit, 0, kCmdSwitchToExplorer, 0,
                                           kCmdLogoff, kCmdReboot, kCmdShutdown, 0, kCmdToggleTray,
                                           kCmdConfigure, kCmdExit};
    EXPECT_EQ(ids, expectedIds);
}

TEST_F(DesktopClickTest, RightClickOpensTheWindowList) {
    StartShell();
    MenuSnapshot menu = OpenMenu(600, 500, true);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.rect.right, 610);
    EXPECT_EQ(menu.rect.top, 490);
    const Texts texts = menu.Texts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts.front(), "Window List");
    EXPECT_EQ(texts[1], "-");
    EXPECT_EQ(texts.back(), "Special");
    const Texts special = {"Arrange desktop", "Minimize all", "Restore all", "-", "All windows"};
    EXPECT_EQ(TextsOf(MenuLevel(menu, {"Special"})), special);
}

TEST_F(DesktopClickTest, MenusOpenAgainAfterTheFirstClosed) {
    StartShell();
    for (int round = 0; round < 3; ++round) {
        MenuSnapshot left = OpenMenu(300 + round * 40, 300, false);
        ASSERT_TRUE(left.open) << "round " << round;
        EXPECT_EQ(left.Texts().front(), "Init Menu");
        Dismiss();
        MenuSnapshot right = OpenMenu(300, 350 + round * 40, true);
        ASSERT_TRUE(right.open) << "round " << round;
        EXPECT_EQ(right.Texts().front(), "Window List");
        Dismiss();
    }
}

TEST_F(DesktopClickTest, ReleaseOverAnotherWindowOpensNothing) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestTarget";
    RegisterClassA(&wc);
    HWND target = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Target", WS_POPUP | WS_VISIBLE, 700, 100, 200,
                                  200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(target, nullptr);
    StartShell();

    MoveMouse(300, 500);
    MouseButton(300, 500, false, true);
    MoveMouse(800, 200);
    MouseButton(800, 200, false, false);
    MSG msg;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 800) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    EXPECT_FALSE(MenuOpen(shell_.Pid()));
    // The pending click was cleared: a release on the desktop alone opens nothing.
    MoveMouse(300, 500);
    MouseButton(300, 500, false, false);
    Sleep(600);
    EXPECT_FALSE(MenuOpen(shell_.Pid()));
    DestroyWindow(target);
    // A whole click still works.
    EXPECT_TRUE(OpenMenu(300, 500, false).open);
}

TEST_F(DesktopClickTest, ReverseOptionSwapsTheButtons) {
    WriteOption("ReverseRightAndLeftButtons", 1);
    StartShell();
    MenuSnapshot menu = OpenMenu(400, 400, false);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Window List");
    Dismiss();
    menu = OpenMenu(400, 400, true);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Init Menu");
}

TEST_F(DesktopClickTest, MenuAtTheRightEdgeStaysOnScreen) {
    StartShell();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    MenuSnapshot menu = OpenMenu(width - 3, 300, false);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.rect.right, width);
}
