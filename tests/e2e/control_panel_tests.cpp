// The Control Panel submenu of the real holm.exe with the settings users
// have (cloaked menus on): the applets that Wine installs and a test
// applet, read from the menu on screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

std::string SystemApplet() {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof(system));
    return std::string(system) + "\\holmtest.cpl";
}

class ControlPanelTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(CopyFileA((BinDir() + "\\holmtest.cpl").c_str(), SystemApplet().c_str(), FALSE));
    }
    void TearDown() override {
        ShellTest::TearDown();
        DeleteFileA(SystemApplet().c_str());
    }
};

}  // namespace

TEST_F(ControlPanelTest, TheSubmenuListsTheAppletsSortedWithTheirIcons) {
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    std::vector<std::string> texts;
    for (const MenuEntry& e : MenuLevel(menu, {"Control Panel"})) {
        texts.push_back(e.text);
        if (e.text == "Holm Wide Applet" || e.text == "Holm Ansi Applet") {
            EXPECT_TRUE(e.Has('B')) << e.text;
        }
        if (e.text == "Holm Old Applet") {
            EXPECT_FALSE(e.Has('B'));
        }
        EXPECT_GE(e.id, UINT{holm::kCmdFirstLaunch});
    }
    for (const char* mine : {"Holm Wide Applet", "Holm Ansi Applet", "Holm Old Applet"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), mine), texts.end()) << mine;
    EXPECT_GT(texts.size(), 3u) << "Wine's own applets are missing";
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }));
    // The submenu opens on screen as well, under the pointer.
    RECT entry = {};
    ASSERT_TRUE(MenuEntryRect(shell_, "Control Panel", &entry));
    MoveMouse((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2);
    RECT rc = {};
    EXPECT_TRUE(WaitFor([&] { return MenuEntryRect(shell_, "Holm Old Applet", &rc); }, 3000, 100));
}
