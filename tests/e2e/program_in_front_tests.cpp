// The desktop menus of the real shell while another program is in front, as
// users have it all day: Notepad, or a window of another process with the
// keyboard focus in an edit control. The first click, the first hotkey and
// the keys must reach the shell's menus, in the plain and the cloaked style,
// and the program in front must not take the click for itself.
#include <gtest/gtest.h>

#include <string>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

constexpr char kChosenTitle[] = "Quince window";  // the only entry beginning with Q
constexpr char kLaunchedTitle[] = "Launched from the menu";
constexpr char kEditorTitle[] = "Front editor";
constexpr int kX = 850, kY = 600;  // empty desktop, clear of the programs' windows

struct FrontCase {
    bool cloaked;
    bool notepad;  // else the editor window of window_owner.exe
};

std::string CaseName(const ::testing::TestParamInfo<FrontCase>& info) {
    return std::string(info.param.cloaked ? "Cloaked" : "Plain") + (info.param.notepad ? "Notepad" : "Editor");
}

class ProgramInFrontTest : public ShellTest, public ::testing::WithParamInterface<FrontCase> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        if (GetParam().cloaked)
            WriteDefaultCloak();
        else
            WriteOption("UseCustomMenus", 0);
        WriteStoreItem("", "Launcher", "\"" + BinDir() + "\\window_owner.exe\" " + kLaunchedTitle + "|||");
        StartShell();
        chosen_ = StartWindowOwnerShowing(kChosenTitle, &chosenPid_) ? FindProcessWindow(chosenPid_, kChosenTitle)
                                                                     : nullptr;
        ASSERT_NE(chosen_, nullptr);
        front_ = GetParam().notepad ? PutNotepadInFront() : PutEditorInFront(kEditorTitle);
        ASSERT_NE(front_, 0u) << "the program did not come to the front";
        // A click that lands on the program is the program's, menu and all.
        ASSERT_EQ(WindowFromPoint({kX, kY}), GetDesktopWindow()) << "the click point is not on the empty desktop";
    }
    void TearDown() override {
        if (HWND launched = FindWindowA(nullptr, kLaunchedTitle)) PostMessageA(launched, WM_CLOSE, 0, 0);
        ShellTest::TearDown();
    }

    // The menu is the shell's and the program in front opened none.
    void ExpectShellMenu(const MenuSnapshot& menu, const char* title) {
        ASSERT_TRUE(menu.open) << title;
        EXPECT_EQ(menu.cloaked, GetParam().cloaked);
        EXPECT_EQ(menu.Texts().front(), title);
        EXPECT_FALSE(MenuOpen(front_)) << "the program in front opened a menu";
    }
    // Chooses the Window List's entry for the chosen window with the keys:
    // its letter in the cloaked style (plain menus match only marked
    // letters), the arrows otherwise; then Enter.
    void ChooseWithKeys(const MenuSnapshot& menu) {
        if (GetParam().cloaked) {
            PressKey('Q');
            PressKey(VK_RETURN);
        } else {
            ASSERT_TRUE(ChooseWithArrows(menu, kChosenTitle));
        }
    }
    // The menu opens under the pointer, which highlights the entry it rests
    // on; the arrows count from no highlight.
    bool ChooseWithArrows(const MenuSnapshot& menu, const std::string& entry) {
        MoveMouse(kX + 80, kY + 80);
        Sleep(200);
        return Choose(menu, {entry});
    }
    // The X keys that choose the Window List's entry for the chosen window:
    // its letter in the cloaked style, the arrows from no highlight in the
    // plain style (they pass over separators).
    std::string XKeysToChoose(const MenuSnapshot& menu) {
        if (GetParam().cloaked) return "q Return";
        MoveMouse(kX + 80, kY + 80);
        Sleep(200);
        std::string keys;
        for (const std::string& text : menu.Texts()) {
            if (text == "-") continue;
            keys += "Down ";
            if (text == kChosenTitle) return keys + "Return";
        }
        return "";
    }
    static bool ComesToFront(HWND window) {
        return WaitFor([&] { return GetForegroundWindow() == window; }, 5000);
    }

    HWND chosen_ = nullptr;
    DWORD chosenPid_ = 0;
    DWORD front_ = 0;
};

}  // namespace

TEST_P(ProgramInFrontTest, FirstLeftClickOpensTheInitMenuAndTheKeysLaunchAnItemInFront) {
    MenuSnapshot menu = OpenMenu(kX, kY, false);
    ExpectShellMenu(menu, "Init Menu");
    EXPECT_EQ(menu.rect.right, kX + 10);
    EXPECT_EQ(menu.rect.top, kY - 10);
    ASSERT_TRUE(ChooseWithArrows(menu, "Launcher"));
    HWND launched = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (launched = FindWindowA(nullptr, kLaunchedTitle)) != nullptr; }, 10000));
    EXPECT_TRUE(ComesToFront(launched));
    EXPECT_FALSE(MenuOpen(front_));
}

TEST_P(ProgramInFrontTest, FirstRightClickOpensTheWindowListAndTheKeysBringAWindowForward) {
    MenuSnapshot menu = OpenMenu(kX, kY, true);
    ExpectShellMenu(menu, "Window List");
    EXPECT_EQ(menu.rect.right, kX + 10);
    EXPECT_EQ(menu.rect.top, kY - 10);
    ASSERT_NE(menu.Find(kChosenTitle), nullptr);
    ChooseWithKeys(menu);
    EXPECT_TRUE(ComesToFront(chosen_));
    EXPECT_FALSE(MenuOpen(front_));
}

TEST_P(ProgramInFrontTest, HotkeysOpenBothMenusAndEscapeClosesThem) {
    MoveMouse(kX, kY);
    PressKey(VK_ESCAPE, true, false);
    MenuSnapshot menu = WaitForMenu(shell_);
    ExpectShellMenu(menu, "Init Menu");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(shell_.Pid()); }, 3000)) << "Escape left the Init Menu open";
    Sleep(300);  // the shell takes the closing command and re-arms

    PressKey(VK_ESCAPE, false, true);
    menu = WaitForMenu(shell_);
    ExpectShellMenu(menu, "Window List");
    ChooseWithKeys(menu);
    EXPECT_TRUE(ComesToFront(chosen_));
}

// Keys from the X keyboard (not SendInput) reach the menus, and a menu
// closed with Escape gives the front back to the program that had it.
TEST_P(ProgramInFrontTest, XKeysReachBothMenusAndEscapeGivesTheFrontBack) {
    HWND front = FindProcessWindow(front_, GetParam().notepad ? "Untitled - Notepad" : kEditorTitle);
    ASSERT_NE(front, nullptr);
    for (const bool right : {false, true}) {
        MenuSnapshot menu = OpenMenu(kX, kY, right);
        ExpectShellMenu(menu, right ? "Window List" : "Init Menu");
        ASSERT_TRUE(PressXKeys("Escape")) << "the X key helper does not run";
        EXPECT_TRUE(WaitFor([&] { return !MenuOpen(shell_.Pid()); }, 3000)) << "the X Escape left the menu open";
        EXPECT_TRUE(ComesToFront(front)) << "the program in front did not get the front back";
        Sleep(300);  // the shell takes the closing command and re-arms
        WaitOutDoubleClick(right);
    }
    MenuSnapshot menu = OpenMenu(kX, kY, true);
    ASSERT_TRUE(menu.open);
    const std::string keys = XKeysToChoose(menu);
    ASSERT_FALSE(keys.empty());
    ASSERT_TRUE(PressXKeys(keys.c_str()));
    EXPECT_TRUE(ComesToFront(chosen_)) << "the X keys chose nothing";
}

INSTANTIATE_TEST_SUITE_P(Styles, ProgramInFrontTest,
                         ::testing::Values(FrontCase{false, true}, FrontCase{false, false}, FrontCase{true, true},
                                           FrontCase{true, false}),
                         CaseName);
