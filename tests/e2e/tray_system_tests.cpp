// The tray of the real holm.exe with real clients: this test and a second
// program call the system's own Shell_NotifyIconA and Shell_NotifyIconW
// (under Wine these send Wine's own block, with the icon as pixels), and
// the tray is read off the screen and clicked with real input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "holm_names.h"
#include "screen_pixels.h"
#include "shell_fixture.h"
#include "system_notify.h"
#include "tray_client.h"
#include "tray_request.h"

using namespace holmtest;
namespace tray = holm::tray;

namespace {

constexpr int kCell = 18;
constexpr int kRowHeight = 2 + kCell;

int ClientWidthFor(int icons) { return 2 + icons * kCell; }

// The balloon window of the shell when one is shown.
HWND ShownBalloon() {
    HWND balloon = FindWindowA(holm::kTrayBalloonClass, nullptr);
    return balloon && IsWindowVisible(balloon) ? balloon : nullptr;
}

// How many pixels of `rect` on screen have `colour`.
int PixelsOfColour(const RECT& rect, COLORREF colour) {
    const Pixels pixels = CaptureScreen(rect);
    const DWORD wanted = Rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    int count = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            if (pixels.At(x, y) == wanted) ++count;
    return count;
}

class SystemTrayTest : public ShellTest {
protected:
    void TearDown() override {
        for (HICON icon : pictures_) DestroyIcon(icon);
        ShellTest::TearDown();
    }

    void StartShell() {
        ShellTest::StartShell();
        ASSERT_NE(tray_ = WaitForTray(), nullptr);
        ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(1), kRowHeight));  // the shell's own icon
    }

    // An icon of this test's own process: only its pixels reach the shell.
    SystemIcon Icon(UINT id, int colour) {
        pictures_.push_back(SolidIcon(TestIconColour(colour), GetSystemMetrics(SM_CXSMICON)));
        SystemIcon icon;
        icon.owner = owner_.Get();
        icon.id = id;
        icon.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.callback = WM_APP + id;
        icon.icon = pictures_.back();
        icon.tip = L"Icon " + std::to_wstring(id);
        return icon;
    }

    bool WaitForCallback(UINT id, LPARAM event, int timeoutMs = 3000) {
        return owner_.WaitForEvent(
            [&](const IconOwner::Event& e) {
                return e.message == WM_APP + id && e.wParam == id && e.lParam == event;
            },
            timeoutMs);
    }

    void ClickCell(int index, int columns) {
        const POINT p = CellCentre(tray_, index, columns);
        Click(p.x, p.y);
    }

    HWND tray_ = nullptr;
    IconOwner owner_;
    std::vector<HICON> pictures_;
};

}  // namespace

TEST_F(SystemTrayTest, ProgramsIconsShowAnswerClicksChangeAndGo) {
    StartShell();
    // The system sends to the first window of the class it finds.
    DWORD target = 0;
    GetWindowThreadProcessId(FindWindowA("Shell_TrayWnd", nullptr), &target);
    EXPECT_EQ(target, shell_.Pid());

    SystemIcon mine = Icon(3, 0);
    mine.tip = L"Real client";
    ASSERT_TRUE(NotifyAnsiV1(NIM_ADD, mine));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(2), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(0)));
    EXPECT_EQ(HoverTrayTip(tray_, shell_.Pid(), 1, 2), "Real client");
    owner_.Clear();
    ClickCell(1, 2);
    EXPECT_TRUE(WaitForCallback(3, WM_LBUTTONUP));

    // The wide call changes picture and tip in place.
    mine.icon = Icon(3, 1).icon;
    mine.tip = L"Changed tip";
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, mine));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(1)));
    EXPECT_EQ(HoverTrayTip(tray_, shell_.Pid(), 1, 2), "Changed tip");

    // Another program's icon comes beside it.
    ASSERT_NE(StartHelper("tray_owner.exe", "system 2 9 Other program"), nullptr);
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight, 5000));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 3, TestIconColour(1)));
    EXPECT_TRUE(WaitForCellColour(tray_, 2, 3, TestIconColour(2)));
    EXPECT_EQ(HoverTrayTip(tray_, shell_.Pid(), 2, 3), "Other program");

    ASSERT_TRUE(NotifyAnsiV1(NIM_DELETE, mine));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(2), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(2)));
    // A modify of an icon that is gone adds it again.
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, mine));
    EXPECT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));
}

TEST_F(SystemTrayTest, AHiddenIconKeepsItsPlaceAndComesBack) {
    StartShell();
    const SystemIcon first = Icon(1, 3), second = Icon(2, 4);
    ASSERT_TRUE(NotifyWide(NIM_ADD, first));
    ASSERT_TRUE(NotifyWide(NIM_ADD, second));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));

    SystemIcon state = first;
    state.flags = kNifState;
    state.state = kNisHidden;
    state.stateMask = kNisHidden;
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, state));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(2), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(4)));
    owner_.Clear();
    ClickCell(1, 2);  // the cell now belongs to the second icon
    EXPECT_TRUE(WaitForCallback(2, WM_LBUTTONUP));
    EXPECT_EQ(HoverTrayTip(tray_, shell_.Pid(), 1, 2), "Icon 2");

    state.state = 0;
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, state));
    ASSERT_TRUE(WaitForClientSize(tray_, ClientWidthFor(3), kRowHeight));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 3, TestIconColour(3)));
    EXPECT_TRUE(WaitForCellColour(tray_, 2, 3, TestIconColour(4)));
}

TEST_F(SystemTrayTest, BalloonsShowCloseAndTellOwnersThatSetAVersion) {
    StartShell();
    const SystemIcon told = Icon(1, 5), untold = Icon(2, 6);
    ASSERT_TRUE(NotifyWide(NIM_ADD, told));
    ASSERT_TRUE(NotifyWide(NIM_ADD, untold));
    SystemIcon version = told;
    version.flags = 0;
    version.timeoutOrVersion = tray::kFirstBalloonVersion;
    EXPECT_TRUE(NotifyWide(kNimSetVersion, version));
    EXPECT_TRUE(NotifyWide(NIM_SETFOCUS, version));

    SystemIcon balloon = told;
    balloon.flags = kNifInfo;
    balloon.infoTitle = L"Disk space";
    balloon.info = L"Drive C: is almost full. Click here to see what can go.";
    balloon.infoFlags = kNiifWarning;
    balloon.timeoutOrVersion = 10000;
    owner_.Clear();
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, balloon));
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (shown = ShownBalloon()) != nullptr; }, 3000));
    EXPECT_TRUE(WaitForCallback(1, tray::kBalloonShow));
    PumpMessages(300);
    RECT rc = {};
    GetWindowRect(shown, &rc);
    // Mostly the tip background, with the text and the sign on it.
    const int area = (rc.right - rc.left) * (rc.bottom - rc.top);
    EXPECT_GT(PixelsOfColour(rc, GetSysColor(COLOR_INFOBK)), area / 2);
    EXPECT_GT(PixelsOfColour(rc, GetSysColor(COLOR_INFOTEXT)), 50);
    MoveMouse(300, 500);  // no tooltip of an icon over the picture
    WaitFor([&] { return ShownTooltip(shell_.Pid()).empty(); }, 3000);
    SaveScreenshotIfAsked("tray-balloon");

    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_TRUE(WaitForCallback(1, tray::kBalloonUserClick));
    EXPECT_TRUE(WaitFor([] { return ShownBalloon() == nullptr; }, 2000));

    // Left alone, it closes when its time is up.
    owner_.Clear();
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, balloon));
    ASSERT_TRUE(WaitFor([] { return ShownBalloon() != nullptr; }, 3000));
    EXPECT_TRUE(WaitForCallback(1, tray::kBalloonTimeout, 15000));
    EXPECT_EQ(ShownBalloon(), nullptr);

    // An owner that set no version sees its balloon but hears nothing.
    SystemIcon quiet = balloon;
    quiet.id = untold.id;
    owner_.Clear();
    ASSERT_TRUE(NotifyWide(NIM_MODIFY, quiet));
    ASSERT_TRUE(WaitFor([] { return ShownBalloon() != nullptr; }, 3000));
    PumpMessages(1000);
    for (const IconOwner::Event& e : owner_.Events()) EXPECT_LT(static_cast<UINT>(e.lParam), tray::kBalloonShow);
}
