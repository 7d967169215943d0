// The special hotkeys of the real holm.exe: pressed with real input, and
// probed by trying to register the same keys from this test (a key that
// the shell holds cannot be registered twice).
#include <gtest/gtest.h>

#include <string>

#include "holm_names.h"
#include "tray_client.h"

using namespace holmtest;

namespace {

constexpr const char* kHotkeysKey = holm::kHotkeysKey;
constexpr char kWineAppKey[] = "Software\\Wine\\AppDefaults\\holm.exe";

class HotkeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        WriteMinimalConfiguration();
        probe_ = CreateWindowExA(0, "STATIC", "hotkey probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(probe_, nullptr);
    }
    void TearDown() override {
        if (shell_.Running()) DismissMenus(shell_.Pid());
        KillStrayShells();
        DestroyWindow(probe_);
        DeleteUserTree(kWineAppKey);
    }

    void StartShell() {
        ASSERT_TRUE(shell_.Start());
        ASSERT_TRUE(WaitStarted(shell_));
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

    ShellProcess shell_;
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
    MessageBoxInfo box = WaitForMessageBox(shell_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_EQ(box.text, "Conflict with F11 hotkey");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitStarted(shell_));
    EXPECT_EQ(WaitForMessageBox(shell_.Pid(), 1000).hwnd, nullptr);
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, true, false), "Init Menu");
    EXPECT_EQ(MenuTitleAfter(VK_ESCAPE, false, true), "Window List");
    UnregisterHotKey(probe_, 7);
}

TEST_F(HotkeyTest, AnExistingKeyReportsConflictsByValueName) {
    WriteUserDword(kHotkeysKey, "Logoff", 0);  // the key exists; the three defaults apply
    ASSERT_TRUE(RegisterHotKey(probe_, 7, MOD_CONTROL, VK_ESCAPE));
    ASSERT_TRUE(shell_.Start());
    MessageBoxInfo box = WaitForMessageBox(shell_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, "'Window Menu' hotkey conflicted with another hotkey");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitStarted(shell_));
    EXPECT_EQ(WaitForMessageBox(shell_.Pid(), 1000).hwnd, nullptr);
    UnregisterHotKey(probe_, 7);
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(0, VK_F11));
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
}

TEST_F(HotkeyTest, StoredValuesChooseTheKeysAndAReloadReregistersThem) {
    WriteUserDword(kHotkeysKey, "Init Menu", 0x8000 + VK_F1);  // Alt+F1
    WriteUserDword(kHotkeysKey, "Run", 0);
    WriteUserDword(kHotkeysKey, "ShowHide Tray", 0x4000 + 0x8000 + 'T');  // Ctrl+Alt+T
    WriteUserDword(holm::kOptionsKey, "TrayVisible", 1);
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

    DeleteUserTree(kHotkeysKey);
    WriteUserDword(kHotkeysKey, "Window List", 0);
    WriteUserDword(kHotkeysKey, "Reboot", 0x2000 + 0x4000 + VK_F12);
    ASSERT_TRUE(PostMessageA(shell_.MainWindow(), WM_COMMAND, holm::kCmdReload, 0));
    EXPECT_TRUE(WaitFor([&] { return !Held(MOD_ALT, VK_F1); }, 5000));
    EXPECT_FALSE(Held(MOD_CONTROL | MOD_ALT, 'T'));
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(0, VK_F11));
    EXPECT_TRUE(Held(MOD_SHIFT | MOD_CONTROL, VK_F12));
}

TEST_F(HotkeyTest, Windows95DefaultsUseControlShiftEscape) {
    WriteUserString(kWineAppKey, "Version", "win95");
    ASSERT_TRUE(RegisterHotKey(probe_, 7, MOD_CONTROL | MOD_SHIFT, VK_ESCAPE));
    ASSERT_TRUE(shell_.Start());
    MessageBoxInfo box = WaitForMessageBox(shell_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, "Conflict with Control-Shift-Esc hotkey");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitStarted(shell_));
    UnregisterHotKey(probe_, 7);
    EXPECT_FALSE(Held(MOD_CONTROL, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_SHIFT, VK_ESCAPE));
}
