// The cloaked menus of the real shell in the configuration a first run
// leaves (UseCustomMenus on, the cloak "Default"): opened by real clicks,
// driven by the real mouse and keyboard, and checked by what is on screen,
// pixel by pixel, and by what the chosen entries start or do.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "recorder_log.h"
#include "screen_pixels.h"
#include "shell_fixture.h"

using namespace holmtest;

namespace {

constexpr int kRow = 17;

int Height(const RECT& r) { return r.bottom - r.top; }

bool SamePixels(const Pixels& a, const Pixels& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y)) return false;
    return true;
}

int RootCount(const MenuSnapshot& menu) { return static_cast<int>(menu.Texts().size()); }

int PositionOf(const MenuSnapshot& menu, const std::string& text) {
    const std::vector<std::string> texts = menu.Texts();
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return static_cast<int>(i);
    return -1;
}

class CloakedMenuTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteDefaultCloak();
        log_ = NewRecorderLog("cloaked_menu");
        WriteStoreItem("", "Recorder", "\"" + RecorderPath() + "\" " + log_ + " chosen|||");
        WriteStoreItem("", "Notepad", "notepad.exe|||");  // a program with an icon
        tile_ = BitmapResource(BinDir() + "\\holm.exe", "DEFAULT_MENU_BKGND");
    }
    // Opens a menu and waits until its root level is painted: the border
    // is white and the picture stays the same.
    MenuSnapshot Open(int x, int y, bool right = false) {
        MenuSnapshot menu = OpenMenu(x, y, right);
        Pixels last;
        WaitFor(
            [&] {
                Pixels now = CaptureScreen(menu.rect);
                const bool same = !last.Empty() && now.Height() == last.Height() &&
                                  now.At(now.Width() / 2, now.Height() - 1) == Rgb(255, 255, 255) &&
                                  SamePixels(now, last);
                last = now;
                return same;
            },
            2000, 100);
        return menu;
    }
    MenuSnapshot Read() { return WaitForMenu(shell_, 2000); }
    // The background tile's pixel under window point (x, y) of a level.
    DWORD TileAt(int x, int y) const { return tile_.At(x % tile_.Width(), y % tile_.Height()); }
    // A point of row `i` clear of icon and text: the left margin below the icon.
    static POINT MarginPoint(int i) { return POINT{1, i * kRow + 17}; }
    // A point of row `i` inside its highlight rectangle but left of its text.
    static POINT HighlightPoint(int i) { return POINT{20, i * kRow + 9}; }
    // Moves in two steps: under load Wine may drop a lone move that
    // follows a window appearing under the pointer.
    void MoveOver(const RECT& level, int row) {
        MoveMouse(level.left + 39, level.top + row * kRow + 9);
        MoveMouse(level.left + 40, level.top + row * kRow + 9);
    }

    std::string log_;
    Pixels tile_;
};

}  // namespace

TEST_F(CloakedMenuTest, RootLevelFollowsTheClickAndShowsTheBuiltInLook) {
    ASSERT_FALSE(tile_.Empty());
    StartShell();
    MenuSnapshot menu = Open(500, 400);
    ASSERT_TRUE(menu.open);
    ASSERT_TRUE(menu.cloaked);
    ASSERT_EQ(menu.levels.size(), 1u);
    EXPECT_EQ(menu.rect.right, 510);
    EXPECT_EQ(menu.rect.top, 390);
    EXPECT_EQ(Height(menu.rect), 2 + kRow * RootCount(menu));
    SaveScreenshotIfAsked("cloaked-root");

    const Pixels shot = CaptureScreen(menu.rect);
    const int w = shot.Width(), h = shot.Height();
    const DWORD white = Rgb(255, 255, 255);
    for (int x = 0; x < w; x += 7) {
        EXPECT_EQ(shot.At(x, 0), white) << x;
        EXPECT_EQ(shot.At(x, h - 1), white) << x;
    }
    for (int y = 0; y < h; y += 5) {
        EXPECT_EQ(shot.At(0, y), white) << y;
        EXPECT_EQ(shot.At(w - 1, y), white) << y;
    }
    // The tiled background shows in the margins of the rows without icons.
    const int title = PositionOf(menu, "Init Menu");
    for (int y = 2; y < kRow; ++y) EXPECT_EQ(shot.At(1 + (y % 2), title * kRow + y), TileAt(1 + (y % 2), title * kRow + y));
    // The program row shows its icon over the background.
    const int program = PositionOf(menu, "Notepad");
    ASSERT_GE(program, 0);
    int differing = 0;
    for (int y = 1; y <= 16; ++y)
        for (int x = 2; x < 18; ++x) differing += shot.At(x, program * kRow + y) != TileAt(x, program * kRow + y);
    EXPECT_GT(differing, 20);
    // "Special" has no icon of its own: the submenu icon, a white triangle.
    const int special = PositionOf(menu, "Special");
    int whiteInIcon = 0;
    for (int y = 1; y <= 16; ++y)
        for (int x = 2; x < 18; ++x) whiteInIcon += shot.At(x, special * kRow + y) == white;
    EXPECT_GT(whiteInIcon, 10);
}

TEST_F(CloakedMenuTest, HoverInvertsTheRowAndOpensSubmenusRightOrLeft) {
    StartShell();
    MenuSnapshot menu = Open(500, 400);
    ASSERT_TRUE(menu.cloaked);
    const int run = PositionOf(menu, "Run...");
    const POINT p = HighlightPoint(run);
    const DWORD before = CaptureScreen(menu.rect).At(p.x, p.y);
    MoveOver(menu.rect, run);
    ASSERT_TRUE(WaitFor([&] { return CaptureScreen(menu.rect).At(p.x, p.y) == Inverted(before); }, 2000));

    const int special = PositionOf(menu, "Special");
    MoveOver(menu.rect, special);
    ASSERT_TRUE(WaitFor([&] { return Read().levels.size() == 2; }, 3000));
    MenuSnapshot open = Read();
    ASSERT_EQ(open.levels.size(), 2u);
    EXPECT_EQ(open.levels[1].left, menu.rect.right - 1);
    EXPECT_EQ(open.levels[1].top, menu.rect.top + special * kRow);
    EXPECT_EQ(Height(open.levels[1]), 2 + kRow * static_cast<int>(MenuLevel(open, {"Special"}).size()));
    // The row left behind is back to the background.
    EXPECT_EQ(CaptureScreen(menu.rect).At(p.x, p.y), before);
    SaveScreenshotIfAsked("cloaked-submenu");
    ASSERT_TRUE(DismissMenus(shell_.Pid()));

    // At the right edge of the screen the submenu opens on the left.
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    menu = Open(screen - 5, 300);
    EXPECT_EQ(menu.rect.right, screen);
    MoveOver(menu.rect, special);
    ASSERT_TRUE(WaitFor([&] { return Read().levels.size() == 2; }, 3000));
    open = Read();
    ASSERT_EQ(open.levels.size(), 2u);
    EXPECT_EQ(open.levels[1].right, menu.rect.left + 1);
}

TEST_F(CloakedMenuTest, KeyboardLaunchesJumpsByLetterAndEscapeClosesLevelByLevel) {
    StartShell();
    MenuSnapshot menu = Open(500, 400);
    ASSERT_TRUE(menu.cloaked);
    // A letter jumps to the next entry that begins with it, wrapping.
    const int recorder = PositionOf(menu, "Recorder"), run = PositionOf(menu, "Run...");
    const Pixels plain = CaptureScreen(menu.rect);
    auto lit = [&](int row) {
        const POINT p = HighlightPoint(row);
        return CaptureScreen(menu.rect).At(p.x, p.y) == Inverted(plain.At(p.x, p.y));
    };
    PressKey('R');
    EXPECT_TRUE(WaitFor([&] { return lit(recorder); }, 1000));
    PressKey('R');
    EXPECT_TRUE(WaitFor([&] { return lit(run) && !lit(recorder); }, 1000));
    PressKey('R');
    EXPECT_TRUE(WaitFor([&] { return lit(recorder) && !lit(run); }, 1000));

    // Right opens "Special" (jumped to by its letter); Escape closes one level at a time.
    PressKey('S');
    PressKey(VK_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return Read().levels.size() == 2; }, 2000));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return Read().levels.size() == 1; }, 2000));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(shell_.Pid()); }, 2000));
    Sleep(300);
    EXPECT_TRUE(ReadRecorderLog(log_).empty());

    // Down from nothing highlighted reaches the title, Down again the
    // program (the separator is skipped), Enter starts it.
    menu = Open(500, 400);
    ASSERT_TRUE(SelectMenuEntry(menu, {"Recorder"}));
    PressKey(VK_RETURN);
    const std::vector<RecordedStart> starts = WaitForRecords(log_, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].commandLine.find("chosen"), std::string::npos);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(shell_.Pid()); }, 2000));
}

TEST_F(CloakedMenuTest, ClickOnTheDesktopClosesEveryLevelAndChoosesNothing) {
    StartShell();
    MenuSnapshot menu = Open(500, 400);
    MoveOver(menu.rect, PositionOf(menu, "Special"));
    ASSERT_TRUE(WaitFor([&] { return Read().levels.size() == 2; }, 3000));
    Click(150, 650);
    EXPECT_TRUE(WaitFor([&] { return !MenuOpen(shell_.Pid()); }, 2000));
    // The shell takes its next click as before.
    Sleep(300);
    EXPECT_TRUE(Open(300, 300).open);
    EXPECT_TRUE(ReadRecorderLog(log_).empty());
}

TEST_F(CloakedMenuTest, MouseChoiceStartsTheProgram) {
    StartShell();
    Open(500, 400);
    ASSERT_TRUE(ClickMenuEntry(shell_, "Recorder"));
    EXPECT_EQ(WaitForRecords(log_, 1).size(), 1u);
}

TEST_F(CloakedMenuTest, LevelTallerThanTheScreenKeepsEveryItemReachable) {
    for (int i = 0; i < 70; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "Item %02d", i);
        WriteStoreItem("Tall", name, "\"" + RecorderPath() + "\" " + log_ + " " + name + "|||");
    }
    StartShell();
    MenuSnapshot menu = Open(500, 400);
    MoveOver(menu.rect, PositionOf(menu, "Tall"));
    ASSERT_TRUE(WaitFor([&] { return Read().levels.size() == 2; }, 3000));
    const RECT tall = Read().levels[1];
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN), screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_GE(tall.top, 0);
    EXPECT_LE(tall.bottom, screenHeight);
    EXPECT_EQ(Height(tall), 2 + kRow * ((screenHeight - 2) / kRow));
    EXPECT_GE(tall.left, 0);
    EXPECT_LE(tall.right, screenWidth);
    SaveScreenshotIfAsked("cloaked-tall");
    // The last item, in the second column, can be clicked.
    ASSERT_TRUE(ClickMenuEntry(shell_, "Item 69"));
    const std::vector<RecordedStart> starts = WaitForRecords(log_, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].commandLine.find("Item 69"), std::string::npos);
}

TEST_F(CloakedMenuTest, WindowListCursorsShowTheActionTheClickTakes) {
    WindowThread windows;
    HWND closing = windows.Create("CL Closing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    HWND hiding = windows.Create("CL Hiding", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 60, 160);
    HANDLE victim = StartWindowOwnerShowing("CL Victim");
    ASSERT_NE(victim, nullptr);
    StartShell();

    MenuSnapshot list = Open(700, 600, true);
    ASSERT_TRUE(list.cloaked);
    EXPECT_EQ(list.rect.right, 710);
    EXPECT_EQ(list.rect.top, 590);
    EXPECT_EQ(list.cursor, "arrow");
    RECT entry = {};
    ASSERT_TRUE(MenuEntryRect(shell_, "CL Closing", &entry));
    MoveMouse(entry.left + 30, (entry.top + entry.bottom) / 2);
    SaveScreenshotIfAsked("cloaked-window-list");
    struct Case {
        bool shift, control;
        const char* cursor;
    };
    for (const Case& c : {Case{true, false, "close"}, Case{false, true, "hide"}, Case{true, true, "kill"},
                          Case{false, false, "arrow"}}) {
        HeldModifiers held(c.shift, c.control);
        EXPECT_TRUE(WaitFor([&] { return Read().cursor == c.cursor; }, 1000)) << c.cursor;
        EXPECT_EQ(Read().classCursor, c.cursor);
    }

    // Without keys held a click brings the window forward.
    ASSERT_TRUE(DismissMenus(shell_.Pid()));
    ASSERT_TRUE(Open(700, 600, true).open);
    ASSERT_TRUE(ClickMenuEntry(shell_, "CL Hiding"));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == hiding; }, 3000));
    Sleep(300);

    // With keys held, the click takes the action that the cursor showed.
    if (!XModifiers::Available()) {
        TerminateProcess(victim, 0);
        CloseHandle(victim);
        GTEST_SKIP() << "holding keys across the menu's closing needs the X key helper (with-x-keys.sh)";
    }
    auto chooseWith = [&](const char* title, bool shift, bool control, const char* cursor,
                          const std::function<bool()>& done) {
        ASSERT_TRUE(Open(700, 600, true).open);
        RECT rc = {};
        ASSERT_TRUE(MenuEntryRect(shell_, title, &rc));
        MoveMouse(rc.left + 30, (rc.top + rc.bottom) / 2);
        XModifiers held(shift, control);
        EXPECT_TRUE(WaitFor([&] { return Read().cursor == cursor; }, 1000)) << title;
        ASSERT_TRUE(ClickMenuEntry(shell_, title)) << title;
        EXPECT_TRUE(WaitFor(done, 5000)) << title;
    };
    chooseWith("CL Closing", true, false, "close", [&] { return !IsWindow(closing); });
    Sleep(300);
    chooseWith("CL Hiding", false, true, "hide", [&] { return IsWindow(hiding) && !IsWindowVisible(hiding); });
    Sleep(300);
    chooseWith("CL Victim", true, true, "kill", [&] { return WaitForSingleObject(victim, 0) == WAIT_OBJECT_0; });
}
