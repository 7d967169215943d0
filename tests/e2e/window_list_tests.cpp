// The Window List of the real shell, opened with a right click on the Wine
// desktop over windows that the test owns, read from the screen and driven
// with the keyboard: what it lists, in which order and with which texts, and
// what choosing an entry does with Shift, Ctrl or both held.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "screen_pixels.h"
#include "shell_fixture.h"

using namespace holmtest;
using Texts = std::vector<std::string>;

namespace {

constexpr int kDesktopX = 700, kDesktopY = 600;  // empty desktop, clear of the test's windows
const Texts kAllWindows = {"Special", "All windows"};

bool IsOurs(const MenuEntry& e) { return e.text.compare(0, 3, "WL ") == 0; }

Texts OurTexts(const std::vector<MenuEntry>& level) {
    Texts out;
    for (const MenuEntry& e : level)
        if (IsOurs(e)) out.push_back(e.text);
    return out;
}

bool Lists(const std::vector<MenuEntry>& level, const std::string& text) {
    return std::any_of(level.begin(), level.end(), [&](const MenuEntry& e) { return e.text == text; });
}

int CountOf(const std::vector<MenuEntry>& level, const std::string& text) {
    return static_cast<int>(
        std::count_if(level.begin(), level.end(), [&](const MenuEntry& e) { return e.text == text; }));
}

const MenuEntry* EntryIn(const std::vector<MenuEntry>& level, const std::string& text) {
    for (const MenuEntry& e : level)
        if (e.text == text) return &e;
    return nullptr;
}

Texts Under(const Texts& path, const std::string& last) {
    Texts out = path;
    out.push_back(last);
    return out;
}

// How many pixels of the image part of an entry (its first 24 columns) have
// `colour`, or with `colour` 0 any strong colour (the menus' own colours are
// greys, black and white).
int ImagePixels(const RECT& entry, DWORD colour = 0) {
    const Pixels shot = CaptureScreen({entry.left, entry.top, entry.left + 24, entry.bottom});
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            const DWORD p = shot.At(x, y);
            const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            const bool strong = std::max({r, g, b}) - std::min({r, g, b}) > 60;
            count += colour ? p == colour : strong;
        }
    return count;
}

class WindowListTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteOption("UseCustomMenus", 0);  // menus on screen as platform menus
    }
    MenuSnapshot OpenList() { return OpenWindowList(kDesktopX, kDesktopY); }

    // Chooses the entry of `path` with the arrow keys and Enter; true once `done`.
    bool ChooseByKeys(const MenuSnapshot& menu, const Texts& path, const std::function<bool()>& done) {
        return Choose(menu, path) && WaitFor(done, 5000);
    }
    // Clicks the entry with Shift and/or Ctrl held until `done` (or 5 s).
    bool ClickWith(const std::string& text, bool shift, bool control, const std::function<bool()>& done) {
        // Held on the X keyboard: the menu taking the focus re-reads the
        // keys from X, which drops keys held with SendInput.
        XModifiers held(shift, control);
        if (!ClickMenuEntry(shell_, text)) return false;
        return WaitFor(done, 5000);
    }
    // The shell takes the menu's closing command before a person clicks again.
    void ExpectListOpensAgain() {
        Sleep(300);
        MenuSnapshot again = OpenList();
        EXPECT_TRUE(again.open) << "the menus stayed disarmed";
        if (again.open) Dismiss();
    }

    WindowThread windows_;
};

}  // namespace

TEST_F(WindowListTest, ListsTheVisibleTitledWindowsTopFirstWithAmpersandsShownOnce) {
    StartShell();
    HWND alpha = windows_.Create("WL Alpha", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    windows_.Create("WL Salt & Pepper", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 60, 60);
    windows_.Create("WL Gamma", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 80, 80);
    SetWindowPos(alpha, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    // The z-order as the system keeps it (Wine may leave a window that is
    // raised without activation below the others).
    Texts zOrder;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char title[64] = "";
        GetWindowTextA(w, title, sizeof(title));
        const std::string text = title;
        if (text.compare(0, 3, "WL ") == 0) zOrder.push_back(text == "WL Salt & Pepper" ? "WL Salt && Pepper" : text);
    }
    ASSERT_EQ(zOrder.size(), 3u);
    const std::vector<MenuEntry> root = MenuLevel(menu, {});
    EXPECT_EQ(OurTexts(root), zOrder);

    // Title, separator, the windows, separator, "Special".
    ASSERT_GE(root.size(), 4u);
    EXPECT_EQ(root.front().id, UINT{holm::kCmdTitle});
    EXPECT_EQ(root.front().text, "Window List");
    EXPECT_TRUE(root[1].Has('S'));
    EXPECT_TRUE(root[root.size() - 2].Has('S'));
    EXPECT_EQ(root.back().text, "Special");
    EXPECT_TRUE(root.back().Has('P'));

    // Ids follow the z-order from 6 up, and each window has the same id under "All windows".
    const std::vector<MenuEntry> all = MenuLevel(menu, kAllWindows);
    UINT previous = 5;
    for (const MenuEntry& e : root) {
        if (e.Has('S') || e.Has('P') || e.id == holm::kCmdTitle) continue;
        EXPECT_GT(e.id, previous) << e.text;
        previous = e.id;
        const MenuEntry* twin = EntryIn(all, e.text);
        ASSERT_NE(twin, nullptr) << e.text;
        EXPECT_EQ(twin->id, e.id) << e.text;
    }
    const Texts special = {"Arrange desktop", "Minimize all", "Restore all", "-", "All windows"};
    Texts got;
    for (const MenuEntry& e : MenuLevel(menu, {"Special"})) got.push_back(e.Has('S') ? "-" : e.text);
    EXPECT_EQ(got, special);
}

TEST_F(WindowListTest, HiddenWindowsAndExcludedTitlesAreOnlyUnderAllWindows) {
    WriteUserString(holm::kHiddenTitlesKey, "wl sECRET", "");
    WriteUserDword(holm::kHiddenTitlesKey, "WL Numbered", 1);  // not a string: not a hidden title
    StartShell();
    windows_.Create("WL Visible");
    windows_.Create("WL Hidden", WS_OVERLAPPEDWINDOW);
    windows_.Create("WL Secret");
    windows_.Create("WL Numbered");
    windows_.Create("HOLM Tray");
    windows_.Create("");

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> root = MenuLevel(menu, {});
    const std::vector<MenuEntry> all = MenuLevel(menu, kAllWindows);
    EXPECT_TRUE(Lists(root, "WL Visible"));
    EXPECT_TRUE(Lists(root, "WL Numbered"));
    EXPECT_FALSE(Lists(root, "WL Hidden"));
    EXPECT_FALSE(Lists(root, "WL Secret"));
    EXPECT_FALSE(Lists(root, "HOLM Tray"));
    EXPECT_EQ(OurTexts(root).size(), 2u);
    for (const char* title : {"WL Visible", "WL Numbered", "WL Hidden", "WL Secret"})
        EXPECT_TRUE(Lists(all, title)) << title;
    EXPECT_GE(CountOf(all, "HOLM Tray"), 2);  // the shell's own tray and the test's window
    EXPECT_EQ(CountOf(all, " [No Title]"), 0);
}

TEST_F(WindowListTest, UntitledWindowsAreListedUnderAllWindowsWhenAsked) {
    WriteOption("ShowNoTitleWindows", 1);
    StartShell();
    windows_.Create("");
    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_GE(CountOf(MenuLevel(menu, kAllWindows), " [No Title]"), 1);
    EXPECT_EQ(CountOf(MenuLevel(menu, {}), " [No Title]"), 0);
    for (const MenuEntry& e : MenuLevel(menu, {})) EXPECT_TRUE(e.Has('S') || !e.text.empty());
}

TEST_F(WindowListTest, TitlesAreCutToMaxWinTitleLenAndTo255Characters) {
    StartShell();
    windows_.Create("WL Eighteen Chars!");
    const std::string longTitle = "WL " + std::string(297, 'x');
    windows_.Create(longTitle);
    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(Lists(MenuLevel(menu, {}), "WL Eighteen Chars!"));
    EXPECT_TRUE(Lists(MenuLevel(menu, {}), longTitle.substr(0, 255)));
    Dismiss();

    WriteOption("MaxWinTitleLen", 10);
    RestartShell();
    menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(Lists(MenuLevel(menu, {}), "WL Eightee"));
    EXPECT_TRUE(Lists(MenuLevel(menu, kAllWindows), "WL xxxxxxx"));
}

// The test's own windows have no icon that the shell can draw: Wine keeps
// icons per process, and this program's file has none.
TEST_F(WindowListTest, EntriesShowWindowIconsAndAHungWindowHoldsNothingUp) {
    StartShell();
    windows_.Create("WL Without Icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, false);
    HungWindow hung("WL Hung");
    ASSERT_NE(hung.Get(), nullptr);

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open) << "the Window List waited for the hung window";
    ASSERT_NE(EntryIn(MenuLevel(menu, {}), "WL Hung"), nullptr);
    const std::vector<MenuEntry> all = MenuLevel(menu, kAllWindows);
    ASSERT_NE(EntryIn(all, "HOLM Tray"), nullptr);
    ASSERT_NE(EntryIn(all, "WL Without Icon"), nullptr);
    EXPECT_TRUE(EntryIn(all, "HOLM Tray")->Has('B'));
    EXPECT_FALSE(EntryIn(all, "WL Without Icon")->Has('B'));
    Dismiss();
    ExpectListOpensAgain();

    WriteOption("ShowWindowIcons", 0);
    RestartShell();
    menu = OpenList();
    ASSERT_TRUE(menu.open);
    ASSERT_NE(EntryIn(MenuLevel(menu, kAllWindows), "HOLM Tray"), nullptr);
    EXPECT_FALSE(EntryIn(MenuLevel(menu, kAllWindows), "HOLM Tray")->Has('B'));
}

TEST_F(WindowListTest, ChoosingAWindowRestoresItAndBringsItForward) {
    StartShell();
    HWND chosen = windows_.Create("WL Chosen", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    windows_.Create("WL Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 60, 60);
    ShowWindow(chosen, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(chosen));

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(
        ClickWith("WL Chosen", false, false, [&] { return !IsIconic(chosen) && GetForegroundWindow() == chosen; }))
        << "iconic " << IsIconic(chosen) << ", foreground " << GetForegroundWindow();
    EXPECT_TRUE(IsWindow(chosen));
    ExpectListOpensAgain();
}

TEST_F(WindowListTest, ShiftClosesTheChosenWindow) {
    StartShell();
    HWND victim = windows_.Create("WL Close Me");
    HWND bystander = windows_.Create("WL Bystander");
    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(ClickWith("WL Close Me", true, false, [&] { return !IsWindow(victim); }));
    EXPECT_TRUE(IsWindowVisible(bystander));
    ExpectListOpensAgain();
}

TEST_F(WindowListTest, CtrlHidesTheChosenWindowAndTheListIsNotUsedTwice) {
    StartShell();
    HWND target = windows_.Create("WL Hide Me");
    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    const MenuEntry* entry = EntryIn(MenuLevel(menu, {}), "WL Hide Me");
    ASSERT_NE(entry, nullptr);
    const UINT id = entry->id;
    EXPECT_TRUE(ClickWith("WL Hide Me", false, true, [&] { return !IsWindowVisible(target); }));
    EXPECT_TRUE(IsWindow(target));

    // The same choice once more, without a new list: the used window table is gone.
    Sleep(300);
    ASSERT_TRUE(PostCommand(shell_, static_cast<int>(id)));
    Sleep(800);
    EXPECT_FALSE(IsWindowVisible(target)) << "a released window table was used again";

    menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_FALSE(Lists(MenuLevel(menu, {}), "WL Hide Me"));
    EXPECT_TRUE(Lists(MenuLevel(menu, kAllWindows), "WL Hide Me"));
}

TEST_F(WindowListTest, ShiftCtrlEndsTheProcessOfTheChosenWindow) {
    StartShell();
    HANDLE owner = StartWindowOwnerShowing("WL Doomed");
    ASSERT_NE(owner, nullptr);

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(ClickWith("WL Doomed", true, true, [&] { return WaitForSingleObject(owner, 0) == WAIT_OBJECT_0; }));
    DWORD code = 0;
    GetExitCodeProcess(owner, &code);
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));  // ended with the exit code it had while running
    EXPECT_TRUE(shell_.Running());
    ExpectListOpensAgain();
}

TEST_F(WindowListTest, AHiddenWindowIsBroughtBackFromAllWindows) {
    StartShell();
    HWND lurker = windows_.Create("WL Lurker", WS_OVERLAPPEDWINDOW);
    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(ChooseByKeys(menu, Under(kAllWindows, "WL Lurker"),
                             [&] { return IsWindowVisible(lurker) && GetForegroundWindow() == lurker; }));
    ExpectListOpensAgain();
}

TEST_F(WindowListTest, MinimizeAllLeavesCaptionlessToolWindowsAloneAndRestoreAllBringsBack) {
    StartShell();
    HWND framed = windows_.Create("WL Framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    HWND bordered = windows_.Create("WL Bordered", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, true, 40, 160);
    HWND tool = windows_.Create("WL Tool", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, true, 260, 160);

    MenuSnapshot menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(
        ChooseByKeys(menu, {"Special", "Minimize all"}, [&] { return IsIconic(framed) && IsIconic(bordered); }));
    Sleep(300);
    EXPECT_FALSE(IsIconic(tool));
    EXPECT_TRUE(IsWindowVisible(tool));

    Sleep(300);
    menu = OpenList();
    ASSERT_TRUE(menu.open);
    EXPECT_TRUE(
        ChooseByKeys(menu, {"Special", "Restore all"}, [&] { return !IsIconic(framed) && !IsIconic(bordered); }));
    ExpectListOpensAgain();
}

// Entry ids count every top-level window, so in a long list one entry has
// the id of the shell's own "&Hide me" button. That entry is chosen plainly,
// with Shift and with Ctrl, and each time the action reaches its window.
TEST_F(WindowListTest, TheEntryWithTheHideButtonsIdReachesItsWindow) {
    StartShell();
    std::vector<HWND> windows;
    for (int i = 0; i < 18; ++i)
        windows.push_back(windows_.Create("WL Many " + std::to_string(i), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true,
                                          20 + 10 * i, 20 + 10 * i));
    for (int round = 0; round < 3; ++round) {
        Sleep(300);  // the shell takes the menu's closing command first
        MenuSnapshot menu = OpenList();
        ASSERT_TRUE(menu.open) << round;
        const MenuEntry* entry = nullptr;
        for (const MenuEntry& e : MenuLevel(menu, {}))
            if (IsOurs(e) && e.id == 20) entry = &e;
        ASSERT_NE(entry, nullptr) << round;
        const std::string title = entry->text;
        HWND window = windows[std::stoi(title.substr(8))];
        if (round == 0) {
            EXPECT_TRUE(ClickWith(title, false, false, [&] { return GetForegroundWindow() == window; })) << title;
        } else if (round == 1) {
            EXPECT_TRUE(ClickWith(title, true, false, [&] { return !IsWindow(window); })) << title;
        } else {
            EXPECT_TRUE(ClickWith(title, false, true, [&] { return !IsWindowVisible(window); })) << title;
        }
    }
}

// Another program's window shows its program's icon in both styles: Notepad,
// and window_owner.exe, whose class icon is its own icon resource.
TEST_F(WindowListTest, OtherProgramsWindowsShowTheirIconsInBothStyles) {
    ASSERT_NE(StartWindowOwnerShowing("WL Coloured"), nullptr);
    DWORD notepad = 0;
    ASSERT_NE(StartWindowsProgram("notepad.exe", &notepad), nullptr);
    ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(notepad, "Untitled - Notepad") != nullptr; }, 10000));
    StartShell();
    for (const int cloaked : {0, 1}) {
        SCOPED_TRACE(cloaked ? "cloaked" : "plain");
        if (cloaked) {
            WriteDefaultCloak();
            RestartShell();
        }
        ASSERT_TRUE(OpenList().open);
        RECT coloured = {}, pad = {};
        ASSERT_TRUE(MenuEntryRect(shell_, "WL Coloured", &coloured));
        ASSERT_TRUE(MenuEntryRect(shell_, "Untitled - Notepad", &pad));
        Sleep(200);
        EXPECT_GE(ImagePixels(coloured, kOwnerIconColour), 100);  // a 13x13 check-mark bitmap at least
        EXPECT_GE(ImagePixels(pad), 10);
        if (cloaked) SaveScreenshotIfAsked("window-list-icons");
        Dismiss();
    }
}
