// The tray of the real holm.exe, driven as programs drive it: notification
// messages in the Windows layout from this test (which owns the icons),
// real clicks and drags, and the grid read back from the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell_fixture.h"
#include "tray_client.h"

using namespace holmtest;

namespace {

constexpr int kCell = 18;  // small icon plus gap
constexpr int kRowHeight = 2 + kCell;

int ClientWidthFor(int icons) { return 2 + icons * kCell; }

// A number the shell stored among its settings, or 0xDEADBEEF.
DWORD StoredValue(const char* name) { return ReadOption(name, 0xDEADBEEF); }

RECT WindowRect(HWND hwnd) {
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

// Drags the tray with the right button by its left frame, 10 pixels below
// its top.
bool DragTrayTo(HWND tray, int x, int y) {
    const RECT rc = WindowRect(tray);
    return DragCapturedBy(tray, {rc.left + 1, rc.top + 10}, {x, y}, true);
}

class TrayTest : public ShellTest {
protected:
    void StartShell() {
        ShellTest::StartShell();
        ASSERT_NE(tray_ = WaitForTray(), nullptr);
    }

    TrayIconData Icon(UINT id, HICON icon, UINT flags = kNifIcon | kNifMessage) const {
        TrayIconData d;
        d.owner = owner_.Get();
        d.id = id;
        d.flags = flags;
        d.callback = WM_APP + id;
        d.icon = icon;
        return d;
    }

    // Adds icons with ids 1..count in colours first..first + count - 1.
    std::vector<HICON> AddIcons(int count, int firstColour) {
        std::vector<HICON> icons = MakeShellIcons(shell_, count, firstColour);
        EXPECT_EQ(static_cast<int>(icons.size()), count);
        for (size_t i = 0; i < icons.size(); ++i)
            EXPECT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(static_cast<UINT>(i + 1), icons[i])));
        return icons;
    }

    std::string HoverTip(int index, int columns) { return HoverTrayTip(tray_, shell_.Pid(), index, columns); }

    void ClickCell(int index, int columns, bool right = false) {
        const POINT p = CellCentre(tray_, index, columns);
        Click(p.x, p.y, right);
    }

    HWND tray_ = nullptr;
    IconOwner owner_;
};

}  // namespace

TEST_F(TrayTest, IconsFillTheGridInOrderAndADeleteClosesTheGap) {
    StartShell();
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(1), kRowHeight));  // the shell's own icon
    std::vector<HICON> icons = AddIcons(3, 0);
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(4), kRowHeight));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(WaitForCellColour(tray_, i + 1, 4, TestIconColour(i))) << i;
    EXPECT_EQ(WindowRect(tray_).right, GetSystemMetrics(SM_CXSCREEN));  // docked right: grows leftward

    ASSERT_TRUE(SendTrayNotification(tray_, kNimDelete, Icon(2, nullptr)));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 3, TestIconColour(0)));
    EXPECT_TRUE(WaitForCellColour(tray_, 2, 3, TestIconColour(2)));

    // An add of a present icon changes it; a modify of an absent one adds it.
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(1, icons[1])));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 3, TestIconColour(1)));
    ASSERT_TRUE(SendTrayNotification(tray_, kNimModify, Icon(9, icons[0])));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(4), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 3, 4, TestIconColour(0)));

    // A reload swaps the shell's own icon in place: no icon is added or lost.
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
    PumpMessages(1500);
    EXPECT_EQ(ClientSizeOf(tray_).cx, ClientWidthFor(4));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 4, TestIconColour(1)));
}

TEST_F(TrayTest, AStartedShellAsksProgramsToPutTheirIconsBack) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    const auto announced = [&](const IconOwner::Event& e) { return e.message == taskbarCreated; };
    PumpMessages(100);
    owner_.Clear();
    StartShell();
    // The owner window existed before the shell; it answers the announcement
    // by adding its icon again, as a program that lost its icon does.
    ASSERT_TRUE(owner_.WaitForEvent(announced, 5000));
    std::vector<HICON> icons = MakeShellIcons(shell_, 1, 2);
    ASSERT_EQ(icons.size(), 1u);
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(1, icons[0])));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(2), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(2)));
    // Announced once per start, not at a reload.
    owner_.Clear();
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
    EXPECT_FALSE(owner_.WaitForEvent(announced, 1500));
}

TEST_F(TrayTest, TipsShowForAnsiAndWideRecords) {
    StartShell();
    std::vector<HICON> icons = MakeShellIcons(shell_, 2, 3);
    ASSERT_EQ(icons.size(), 2u);
    TrayIconData ansi = Icon(1, icons[0], kNifIcon | kNifTip);
    ansi.tip = "Ansi tip";
    TrayIconData wide = Icon(2, icons[1], kNifIcon | kNifTip);
    wide.wide = true;
    wide.wideTip = L"Wide tip \u00e9";
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, ansi));
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, wide));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));

    EXPECT_EQ(HoverTip(1, 3), "Ansi tip");
    EXPECT_EQ(HoverTip(2, 3), "Wide tip \xe9");
    EXPECT_EQ(HoverTip(0, 3), "HOLM");
}

TEST_F(TrayTest, ModifyKeepsTheImageTipAndCallbackItDoesNotBring) {
    StartShell();
    std::vector<HICON> icons = MakeShellIcons(shell_, 2, 5);
    ASSERT_EQ(icons.size(), 2u);
    TrayIconData first = Icon(1, icons[0], kNifIcon | kNifMessage | kNifTip);
    first.tip = "First tip";
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, first));
    ASSERT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(5)));

    TrayIconData bare = Icon(1, nullptr, kNifIcon);
    bare.callback = 0;
    ASSERT_TRUE(SendTrayNotification(tray_, kNimModify, bare));
    PumpMessages(300);
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(5)));
    EXPECT_EQ(HoverTip(1, 2), "First tip");
    owner_.Clear();
    ClickCell(1, 2);
    EXPECT_TRUE(owner_.WaitForEvent([](const IconOwner::Event& e) {
        return e.message == WM_APP + 1 && e.wParam == 1 && e.lParam == WM_LBUTTONUP;
    }));

    ASSERT_TRUE(SendTrayNotification(tray_, kNimModify, Icon(1, icons[1], kNifIcon)));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(6)));
    TrayIconData retip = Icon(1, nullptr, kNifTip);
    retip.tip = "Second tip";
    ASSERT_TRUE(SendTrayNotification(tray_, kNimModify, retip));
    EXPECT_EQ(HoverTip(1, 2), "Second tip");
}

TEST_F(TrayTest, ClicksReachTheOwnersCallbackWithIdAndMouseMessage) {
    StartShell();
    std::vector<HICON> icons = MakeShellIcons(shell_, 2, 1);
    ASSERT_EQ(icons.size(), 2u);
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(5, icons[0])));
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(6, icons[1], kNifIcon)));  // no callback
    ASSERT_TRUE(WaitForCellColour(tray_, 2, 3, TestIconColour(2)));

    owner_.Clear();
    ClickCell(1, 3);
    ASSERT_TRUE(owner_.WaitForEvent([](const IconOwner::Event& e) { return e.lParam == WM_LBUTTONUP; }));
    EXPECT_TRUE(owner_.Saw(WM_APP + 5, 5, WM_LBUTTONDOWN));
    EXPECT_TRUE(owner_.Saw(WM_APP + 5, 5, WM_LBUTTONUP));
    PumpMessages(600);  // no double click with the next one

    ClickCell(1, 3, true);
    EXPECT_TRUE(owner_.WaitForEvent([](const IconOwner::Event& e) { return e.lParam == WM_RBUTTONUP; }));
    EXPECT_TRUE(owner_.Saw(WM_APP + 5, 5, WM_RBUTTONDOWN));

    owner_.Clear();
    ClickCell(2, 3);
    PumpMessages(500);
    for (const IconOwner::Event& e : owner_.Events()) EXPECT_NE(e.wParam, 6u) << std::hex << e.message;
}

TEST_F(TrayTest, IconOfAnEndedProgramGoesAtTheNextClickOnIt) {
    StartShell();
    std::vector<HICON> icons = MakeShellIcons(shell_, 3, 7);
    ASSERT_EQ(icons.size(), 3u);
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(1, icons[0])));
    HANDLE program = StartTrayOwner(icons[1], 42, "owned elsewhere");
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight, 10000));
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(3, icons[2])));
    ASSERT_TRUE(WaitForCellColour(tray_, 2, 4, TestIconColour(8)));
    // Away from the tray, so that no tooltip of it comes and goes (and has it
    // repainted, which also drops the ended program's icon) before the click.
    const RECT rc = WindowRect(tray_);
    MoveMouse(rc.left > 200 ? 5 : rc.right + 200, rc.top > 200 ? 5 : rc.bottom + 200);
    PumpMessages(300);

    TerminateProcess(program, 0);
    WaitForSingleObject(program, 5000);
    CloseHandle(program);
    owner_.Clear();
    ClickCell(2, 4);
    EXPECT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 2, 3, TestIconColour(9)));
    PumpMessages(300);
    EXPECT_FALSE(owner_.Saw(WM_APP + 3, 3, WM_LBUTTONDOWN));
}

TEST_F(TrayTest, IconWhoseOwnerWindowIsGoneGoesAtTheNextPaint) {
    StartShell();
    std::vector<HICON> icons = MakeShellIcons(shell_, 2, 4);
    ASSERT_EQ(icons.size(), 2u);
    IconOwner passing;
    TrayIconData gone = Icon(1, icons[0]);
    gone.owner = passing.Get();
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, gone));
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, Icon(2, icons[1])));
    ASSERT_TRUE(WaitForCellColour(tray_, 1, 3, TestIconColour(4)));

    passing.Destroy();
    RedrawWindow(tray_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    EXPECT_TRUE(WaitForClientSize(tray_, ClientWidthFor(2), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(5)));
}

TEST_F(TrayTest, AnEmptyTrayShrinksToItsFrame) {
    StartShell();
    TrayIconData shellIcon;
    shellIcon.owner = tray_;
    shellIcon.id = 0;
    ASSERT_TRUE(SendTrayNotification(tray_, kNimDelete, shellIcon));
    const int frame = 2 * (GetSystemMetrics(SM_CXFRAME) - 1);
    EXPECT_TRUE(WaitFor(
        [&] {
            const RECT rc = WindowRect(tray_);
            return rc.right - rc.left == frame && rc.bottom - rc.top == frame + GetSystemMetrics(SM_CYSMICON) + 2;
        },
        3000));
}

TEST_F(TrayTest, VerticalTrayGrowsAsAColumn) {
    WriteOption("TrayVertical", 1);
    StartShell();
    AddIcons(3, 0);
    ASSERT_TRUE(WaitForClientSize(tray_, kRowHeight, ClientWidthFor(4)));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(WaitForCellColour(tray_, i + 1, 1, TestIconColour(i))) << i;
    EXPECT_EQ(WindowRect(tray_).right, GetSystemMetrics(SM_CXSCREEN));
}

// Widened by the user, a tray without auto-size keeps its size and draws
// new icons where the wider grid puts them.
TEST_F(TrayTest, WithoutAutoSizeTheTrayKeepsItsSize) {
    WriteOption("TrayAutoSize", 0);
    StartShell();
    const RECT window = WindowRect(tray_);
    const SIZE client = ClientSizeOf(tray_);
    const int frameX = window.right - window.left - client.cx, frameY = window.bottom - window.top - client.cy;
    const int width = ClientWidthFor(6) + frameX;  // still docked at the right edge
    ASSERT_TRUE(SetWindowPos(tray_, nullptr, GetSystemMetrics(SM_CXSCREEN) - width, window.top, width,
                             kRowHeight + frameY, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(6), kRowHeight));
    AddIcons(3, 0);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(WaitForCellColour(tray_, i + 1, 4, TestIconColour(i))) << i;
    PumpMessages(300);
    const SIZE after = ClientSizeOf(tray_);
    EXPECT_EQ(after.cx, ClientWidthFor(6));
    EXPECT_EQ(after.cy, kRowHeight);
}

TEST_F(TrayTest, RightButtonDragSnapsToEdgesAndIsStored) {
    StartShell();
    ASSERT_TRUE(DragTrayTo(tray_, 4, 400));
    ASSERT_TRUE(WaitFor([&] { return WindowRect(tray_).left == 0; }, 10000)) << WindowRect(tray_).left << ","
                                                                          << WindowRect(tray_).top;
    const RECT rc = WindowRect(tray_);
    EXPECT_EQ(rc.top, 390);
    EXPECT_EQ(StoredValue("TrayDockX"), 1u);
    EXPECT_EQ(StoredValue("TrayDockY"), 0u);
    EXPECT_EQ(StoredValue("TrayPosX"), 0u);
    EXPECT_EQ(StoredValue("TrayPosY"), 390u);

    const int height = rc.bottom - rc.top, screenHeight = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(DragTrayTo(tray_, 500, screenHeight - 8));
    ASSERT_TRUE(WaitFor([&] { return WindowRect(tray_).bottom == screenHeight; }, 10000));
    EXPECT_EQ(WindowRect(tray_).left, 499);
    EXPECT_EQ(StoredValue("TrayDockX"), 0u);
    EXPECT_EQ(StoredValue("TrayDockY"), 2u);
    EXPECT_EQ(StoredValue("TrayPosY"), static_cast<DWORD>(screenHeight - height));

    // A change of the display puts the tray back on the edge it is docked to.
    SetWindowPos(tray_, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(shell_.MainWindow(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    EXPECT_TRUE(WaitFor([&] { return WindowRect(tray_).bottom == screenHeight; }, 3000));
    EXPECT_EQ(WindowRect(tray_).left, 100);
}

TEST_F(TrayTest, DragWithoutSnappingLeavesTheTrayFree) {
    WriteOption("TraySnapToEdge", 0);
    StartShell();
    ASSERT_TRUE(DragTrayTo(tray_, 4, 400));
    ASSERT_TRUE(WaitFor([&] { return WindowRect(tray_).left == 3; }, 3000)) << WindowRect(tray_).left << ","
                                                                          << WindowRect(tray_).top;
    EXPECT_EQ(StoredValue("TrayDockX"), 0u);
    EXPECT_EQ(StoredValue("TrayPosX"), 3u);
}

TEST_F(TrayTest, ShellIconOpensTheWindowListAndTheContextMenu) {
    WriteOption("TrayOnTop", 0);
    StartShell();
    EXPECT_EQ(GetWindowLongA(tray_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ClickCell(0, 1);
    ClickCell(0, 1);
    MenuSnapshot list = WaitForMenu(shell_);
    ASSERT_TRUE(list.open);
    EXPECT_EQ(list.Texts().front(), "Window List");
    ASSERT_TRUE(DismissMenus(shell_.Pid()));

    ClickCell(0, 1, true);
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    const std::vector<std::string> texts = {"Cancel",        "-",
                                            "Left-click menu", "Right-click menu",
                                            "-",             "Autosize tray",
                                            "Snap tray to screen edges", "Tray always visible",
                                            "Hide tray"};
    EXPECT_EQ(menu.Texts(), texts);
    EXPECT_TRUE(menu.Find("Autosize tray")->Has('C'));
    EXPECT_TRUE(menu.Find("Snap tray to screen edges")->Has('C'));
    EXPECT_FALSE(menu.Find("Tray always visible")->Has('C'));
    EXPECT_EQ(menu.Find("Tray always visible")->id, 19u);

    // Choose "Autosize tray": the fourth entry that takes the selection.
    for (int i = 0; i < 4; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([] { return StoredValue("TrayAutoSize") == 0; }, 3000));
    PumpMessages(300);
    ClickCell(0, 1, true);
    menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_FALSE(menu.Find("Autosize tray")->Has('C'));

    // "Hide tray", the last entry.
    for (int i = 0; i < 7; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(tray_); }, 3000));
    EXPECT_EQ(StoredValue("TrayVisible"), 0u);
}

TEST_F(TrayTest, HiddenTrayAndCloseRequests) {
    WriteOption("TrayVisible", 0);
    StartShell();
    EXPECT_FALSE(IsWindowVisible(tray_));
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdToggleTray));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(tray_) != FALSE; }, 3000));
    EXPECT_EQ(StoredValue("TrayVisible"), 1u);

    // A close request hides the tray and keeps the window.
    ASSERT_TRUE(PostMessageA(tray_, WM_CLOSE, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(tray_); }, 3000));
    PumpMessages(300);
    EXPECT_TRUE(IsWindow(tray_));
    EXPECT_FALSE(IsWindowVisible(tray_));
    EXPECT_EQ(StoredValue("TrayVisible"), 0u);
}

TEST_F(TrayTest, TrayStoredOffTheScreenComesBackWhenShown) {
    WriteOption("TrayPosX", 5000);
    WriteOption("TrayPosY", static_cast<DWORD>(-300));
    WriteOption("TrayDockX", 0);
    WriteOption("TrayDockY", 0);
    StartShell();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(tray_) != FALSE; }, 3000));
    const RECT rc = WindowRect(tray_);
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.top, 0);
}

// Wine takes a visible window of class "Shell_TrayWnd" for its task bar and
// cuts the work area down to the part of the screen above it. Wherever the
// tray stands, both menus open at the click at their full height, and the
// window that senders find still brings their icons into the tray.
TEST_F(TrayTest, MenusOpenAtTheClickInFullWhereverTheTrayStands) {
    struct Place {
        DWORD visible, dockX, dockY, x, y;
    };
    const Place places[] = {{0, 2, 0, 0, 40},   {1, 2, 0, 0, 40} /* the default */, {1, 0, 1, 300, 0},
                            {1, 0, 2, 300, 0},  {1, 1, 0, 0, 300},                    {1, 0, 0, 600, 200}};
    LONG fullHeight = 0;
    for (const Place& place : places) {
        SCOPED_TRACE(testing::Message() << "tray at dock " << place.dockX << "," << place.dockY << " point "
                                        << place.x << "," << place.y << " visible " << place.visible);
        WriteOption("TrayVisible", place.visible);
        WriteOption("TrayDockX", place.dockX);
        WriteOption("TrayDockY", place.dockY);
        WriteOption("TrayPosX", place.x);
        WriteOption("TrayPosY", place.y);
        ShellProcess shell;
        ASSERT_TRUE(shell.Start());
        ASSERT_TRUE(shell.WaitReady());
        tray_ = ShellTray();
        ASSERT_EQ(IsWindowVisible(tray_) != FALSE, place.visible != 0);

        HWND target = NotificationTarget();
        DWORD targetPid = 0;
        GetWindowThreadProcessId(target, &targetPid);
        EXPECT_EQ(targetPid, shell.Pid());
        const std::vector<HICON> icons = MakeShellIcons(shell, 1, 4);
        ASSERT_EQ(icons.size(), 1u);
        EXPECT_TRUE(SendTrayNotification(target, kNimAdd, Icon(1, icons[0])));
        if (place.visible) {
            EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(4)));
        }

        Click(500, 400);
        MenuSnapshot menu = WaitForMenu(shell);
        ASSERT_TRUE(menu.open);
        EXPECT_EQ(menu.rect.right, 510);
        EXPECT_EQ(menu.rect.top, 390);
        if (!fullHeight) fullHeight = menu.rect.bottom - menu.rect.top;
        EXPECT_EQ(menu.rect.bottom - menu.rect.top, fullHeight);
        ASSERT_TRUE(DismissMenus(shell.Pid()));
        Click(450, 350, true);
        menu = WaitForMenu(shell);
        ASSERT_TRUE(menu.open);
        EXPECT_EQ(menu.Texts().front(), "Window List");
        EXPECT_EQ(menu.rect.right, 460);
        EXPECT_EQ(menu.rect.top, 340);
        ASSERT_TRUE(DismissMenus(shell.Pid()));
        KillStrayShells();
    }
}
