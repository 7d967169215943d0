// The two platform branches of the real shell: as Windows 95 (Wine's
// version switch) it takes desktop clicks through the desktop proxy; as
// Windows NT through the system-wide hook, or through the proxy when
// ForceDesktopDLL is set.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

class PlatformTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteOption("UseCustomMenus", 0);
    }
    void RunAs(const char* version) { SetShellWindowsVersion(version); }
    HWND ProxyWindow() {
        HWND proxy = nullptr;
        while ((proxy = FindWindowExA(nullptr, proxy, "HolmDesktopProxyFor95", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(proxy, &pid);
            if (pid == shell_.Pid()) return proxy;
        }
        return nullptr;
    }
    std::vector<std::string> SpecialTexts(const MenuSnapshot& menu) {
        std::vector<std::string> out;
        for (const MenuEntry& e : MenuLevel(menu, {"Special"}))
            if (!e.Has('S')) out.push_back(e.text);
        return out;
    }
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

}  // namespace

TEST_F(PlatformTest, Windows95UsesTheDesktopProxy) {
    RunAs("win95");
    StartShell();
    HWND proxy = ProxyWindow();
    ASSERT_NE(proxy, nullptr);
    RECT rc;
    GetWindowRect(proxy, &rc);
    EXPECT_EQ(rc.right - rc.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom - rc.top, GetSystemMetrics(SM_CYSCREEN));

    Click(500, 400);
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.rect.right, 510);
    EXPECT_EQ(menu.rect.top, 390);
    const std::vector<std::string> special = SpecialTexts(menu);
    EXPECT_FALSE(Contains(special, "Kill 16-bit Kernels"));
    EXPECT_TRUE(Contains(special, "Shutdown"));
    for (const MenuEntry& e : menu.Submenu("Special")) {
        if (e.text == "Shutdown" || e.text == "Reboot") {
            EXPECT_FALSE(e.Has('G')) << e.text;  // everybody may shut Windows 95 down
        }
    }
    ASSERT_TRUE(DismissMenus(shell_.Pid()));
    Click(500, 400, true);
    menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Window List");
}

TEST_F(PlatformTest, TheProxyStaysAtTheBottom) {
    RunAs("win95");
    StartShell();
    HWND proxy = ProxyWindow();
    ASSERT_NE(proxy, nullptr);
    SetWindowPos(proxy, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE);
    Sleep(200);
    RECT rc;
    GetWindowRect(proxy, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    for (HWND below = GetWindow(proxy, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
        EXPECT_FALSE(IsWindowVisible(below)) << "a visible window lies below the proxy";
}

TEST_F(PlatformTest, WindowsNTHooksAndOffersToKill16BitKernels) {
    RunAs("nt40");
    StartShell();
    EXPECT_EQ(ProxyWindow(), nullptr);
    Click(500, 400);
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    const std::vector<std::string> special = SpecialTexts(menu);
    EXPECT_TRUE(Contains(special, "Kill 16-bit Kernels"));
    const MenuEntry* kill = menu.Find("Kill 16-bit Kernels");
    ASSERT_NE(kill, nullptr);
    EXPECT_TRUE(kill->Has('G'));  // no 16-bit subsystem runs here
}

TEST_F(PlatformTest, ForceDesktopDllTakesTheProxyOnNT) {
    RunAs("nt40");
    WriteOption("ForceDesktopDLL", 1);
    StartShell();
    ASSERT_NE(ProxyWindow(), nullptr);
    // No hook: other programs get their middle clicks as they are.
    {
        ButtonTarget target(100, 100, 300, 200);
        MiddleClick(250, 200);
        EXPECT_EQ(target.Take(600), (std::vector<UINT>{WM_MBUTTONDOWN, WM_MBUTTONUP}));
    }
    Click(400, 300);
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Init Menu");
}
