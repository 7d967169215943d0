// The special hotkeys of the real holm.exe: pressed with real input, and
// probed by trying to register the same keys from this test (a key that
// the shell holds cannot be registered twice).
#include <gtest/gtest.h>

#include <string>

#include "shell_fixture.h"
#include "tray_client.h"

using namespace holmtest;

namespace {

class HotkeyTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        probe_ = CreateWindowExA(0, "STATIC", "hotkey probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(probe_, nullptr);
    }
    void TearDown() override {
        ShellTest::TearDown();
        DestroyWindow(probe_);
    }

    // Whether another program (the shell) holds this key combination.
    bool Held(UINT modifiers, UINT vk) {
        if (RegisterHotKey(probe_, 1, modifiers, vk)) {
            UnregisterHotKey(probe_, 1);
            return false;
        }
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
    }

    std::string MenuTitleAfter(WORD vk, bool shift, bool control, bool alt = false) {
        MoveMouse(400, 300);
        PressKey(vk, shift, control, alt);
        MenuSnapshot menu = WaitForMenu(shell_);
        const std::string title = menu.open ? menu.Texts().front() : "";
        DismissMenus(shell_.Pid());
        return title;
    }

    HWND probe_ = nullptr;
};

}  // namespace

TEST_F(HotkeyTest, BuiltInHotkeysOpenTheInitMenuAndTheWindowList) {
    StartShell();
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_TRUE(Held(0, VK_F11));
    EXPECT_FALSE(Held(MOD_CONTROL | MOD_SHIFT, VK_ESCAPE));
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, true, false), "Init Menu");
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, false, true), "Window List");
}

TEST_F(HotkeyTest, HotkeyHeldByAnotherProgramGivesOneWarningAndTheOthersWork) {
    ASSERT_TRUE(RegisterHotKey(probe_, 7, 0, VK_F11));
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(ExpectMessage("HOLM", "Conflict with F11 hotkey"));
    ASSERT_TRUE(shell_.WaitReady());
    EXPECT_EQ(WaitForMessageBox(shell_.Pid(), 1000).hwnd, nullptr);
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, true, false), "Init Menu");
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, false, true), "Window List");
    UnregisterHotKey(probe_, 7);
}

TEST_F(HotkeyTest, AnExistingKeyReportsConflictsByValueName) {
    WriteHotkey("Logoff", 0);  // the key exists; the three defaults apply
    ASSERT_TRUE(RegisterHotKey(probe_, 7, MOD_CONTROL, VK_ESCAPE));
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(ExpectMessage(nullptr, "'Window Menu' hotkey conflicted with another hotkey"));
    ASSERT_TRUE(shell_.WaitReady());
    EXPECT_EQ(WaitForMessageBox(shell_.Pid(), 1000).hwnd, nullptr);
    UnregisterHotKey(probe_, 7);
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(0, VK_F11));
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
}

TEST_F(HotkeyTest, StoredValuesChooseTheKeysAndAReloadReregistersThem) {
    WriteHotkey("Init Menu", kStoredAlt + VK_F1);
    WriteHotkey("Run", 0);
    WriteHotkey("ShowHide Tray", kStoredControl + kStoredAlt + 'T');
    WriteOption("TrayVisible", 1);
    StartShell();
    EXPECT_TRUE(Held(MOD_ALT, VK_F1));
    EXPECT_TRUE(Held(MOD_CONTROL | MOD_ALT, 'T'));
    EXPECT_TRUE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_FALSE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_FALSE(Held(0, VK_F11));
    EXPECT_EQ(MenuTitleAfter(VK_F1, false, false, true), "Init Menu");

    HWND tray = ShellTray();
    ASSERT_TRUE(IsWindowVisible(tray));
    PressKey('T', false, true, true);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(tray); }, 3000));

    DeleteUserTree(holm::kHotkeysKey);
    WriteHotkey("Window List", 0);
    WriteHotkey("Reboot", kStoredShift + kStoredControl + VK_F12);
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
    // The reload is done once the last key of the new plan is held.
    EXPECT_TRUE(WaitFor([&] { return !Held(MOD_ALT, VK_F1) && Held(MOD_SHIFT | MOD_CONTROL, VK_F12); }, 5000));
    EXPECT_FALSE(Held(MOD_CONTROL | MOD_ALT, 'T'));
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(0, VK_F11));
    EXPECT_TRUE(Held(MOD_SHIFT | MOD_CONTROL, VK_F12));
}

TEST_F(HotkeyTest, Windows95DefaultsUseControlShiftEscape) {
    SetShellWindowsVersion("win95");
    ASSERT_TRUE(RegisterHotKey(probe_, 7, MOD_CONTROL | MOD_SHIFT, VK_ESCAPE));
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(ExpectMessage(nullptr, "Conflict with Control-Shift-Esc hotkey"));
    ASSERT_TRUE(shell_.WaitReady());
    UnregisterHotKey(probe_, 7);
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
}
