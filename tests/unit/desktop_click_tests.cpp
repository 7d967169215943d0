// The desktop click rules of the mouse hook: presses and releases on the
// desktop, the middle button, and the notice a hook outside the shell's
// process sends.
#include <gtest/gtest.h>

#include "desktop_click.h"

using namespace holm::hook;

namespace {

struct Desktop {
    ClickState state;
    bool ready = true;
    bool reverse = false;
    ClickOutcome On(Mouse m, bool onDesktop = true) { return OnButton(state, m, onDesktop, ready, reverse); }
    Menu Click(Mouse down, Mouse up) {
        EXPECT_TRUE(On(down).passOn);
        const ClickOutcome released = On(up);
        EXPECT_EQ(released.passOn, released.open == Menu::None);
        return released.open;
    }
};

}  // namespace

TEST(DesktopClick, TheReleasedButtonDecidesTheMenu) {
    Desktop d;
    EXPECT_EQ(d.Click(Mouse::LeftDown, Mouse::LeftUp), Menu::InitMenu);
    EXPECT_EQ(d.Click(Mouse::RightDown, Mouse::RightUp), Menu::WindowList);
    EXPECT_EQ(d.Click(Mouse::LeftDown, Mouse::RightUp), Menu::WindowList);
    EXPECT_EQ(d.Click(Mouse::RightDown, Mouse::LeftUp), Menu::InitMenu);
    d.reverse = true;
    EXPECT_EQ(d.Click(Mouse::LeftDown, Mouse::LeftUp), Menu::WindowList);
    EXPECT_EQ(d.Click(Mouse::RightDown, Mouse::RightUp), Menu::InitMenu);
}

TEST(DesktopClick, AReleaseOpensAtMostOneMenuAndOnlyAfterAPress) {
    Desktop d;
    EXPECT_EQ(d.On(Mouse::LeftUp).open, Menu::None);
    EXPECT_EQ(d.Click(Mouse::LeftDown, Mouse::LeftUp), Menu::InitMenu);
    EXPECT_EQ(d.On(Mouse::LeftUp).open, Menu::None);  // the click was used up
    // Other messages on the desktop neither start nor end a click.
    d.On(Mouse::Other);
    d.On(Mouse::MiddleUp);
    EXPECT_EQ(d.On(Mouse::RightUp).open, Menu::None);
}

TEST(DesktopClick, AReleaseOverAnotherWindowEndsTheClick) {
    Desktop d;
    d.On(Mouse::LeftDown);
    const ClickOutcome elsewhere = d.On(Mouse::LeftUp, false);
    EXPECT_EQ(elsewhere.open, Menu::None);
    EXPECT_TRUE(elsewhere.passOn);
    EXPECT_EQ(d.On(Mouse::LeftUp).open, Menu::None);
    // A press elsewhere does not end it.
    d.On(Mouse::RightDown);
    d.On(Mouse::LeftDown, false);
    EXPECT_EQ(d.On(Mouse::RightUp).open, Menu::WindowList);
}

TEST(DesktopClick, NothingOpensWhileTheMenusAreNotReady) {
    Desktop d;
    d.ready = false;
    EXPECT_EQ(d.Click(Mouse::LeftDown, Mouse::LeftUp), Menu::None);
    d.ready = true;
    EXPECT_EQ(d.On(Mouse::LeftUp).open, Menu::None);  // that press set no click
    // A click begun while ready opens nothing if the menus went busy before its release.
    d.On(Mouse::LeftDown);
    d.ready = false;
    EXPECT_EQ(d.On(Mouse::LeftUp).open, Menu::None);
}

TEST(MiddleButton, PlayedAsADoubleClickOnlyWithTheOptionOn) {
    EXPECT_EQ(MiddleButtonAction(Mouse::MiddleDown, true), MiddleAction::Swallow);
    EXPECT_EQ(MiddleButtonAction(Mouse::NonClientMiddleDown, true), MiddleAction::Swallow);
    EXPECT_EQ(MiddleButtonAction(Mouse::MiddleUp, true), MiddleAction::PlayClientDoubleClick);
    EXPECT_EQ(MiddleButtonAction(Mouse::NonClientMiddleUp, true), MiddleAction::PlayNonClientDoubleClick);
    for (Mouse m : {Mouse::LeftDown, Mouse::LeftUp, Mouse::RightDown, Mouse::RightUp, Mouse::Other})
        EXPECT_EQ(MiddleButtonAction(m, true), MiddleAction::None);
    for (Mouse m : {Mouse::MiddleDown, Mouse::MiddleUp, Mouse::NonClientMiddleDown, Mouse::NonClientMiddleUp})
        EXPECT_EQ(MiddleButtonAction(m, false), MiddleAction::None);
}

TEST(ForwardToShell, PressesOnTheDesktopAndEveryRelease) {
    EXPECT_TRUE(ForwardsToShell(Mouse::LeftDown, true));
    EXPECT_TRUE(ForwardsToShell(Mouse::RightDown, true));
    EXPECT_FALSE(ForwardsToShell(Mouse::LeftDown, false));
    EXPECT_FALSE(ForwardsToShell(Mouse::RightDown, false));
    for (bool desktop : {true, false}) {
        EXPECT_TRUE(ForwardsToShell(Mouse::LeftUp, desktop));
        EXPECT_TRUE(ForwardsToShell(Mouse::RightUp, desktop));
        EXPECT_FALSE(ForwardsToShell(Mouse::MiddleUp, desktop));
        EXPECT_FALSE(ForwardsToShell(Mouse::Other, desktop));
    }
}

TEST(DesktopButtonNotice, PacksTheMessageTheDesktopFlagAndASignedPoint) {
    const PackedNotice packed = PackDesktopButton({0x0202, true, -5, 300});
    EXPECT_EQ(packed.wParam, 0x10202u);
    EXPECT_EQ(packed.lParam, 0x012CFFFB);
    const DesktopButtonNotice back = UnpackDesktopButton(packed.wParam, packed.lParam);
    EXPECT_EQ(back.message, 0x0202u);
    EXPECT_TRUE(back.onDesktop);
    EXPECT_EQ(back.x, -5);
    EXPECT_EQ(back.y, 300);
    EXPECT_FALSE(UnpackDesktopButton(PackDesktopButton({0x0204, false, 1, -1}).wParam, 0).onDesktop);
}

TEST(DesktopButtonNotice, AnyBitsUnpackToAPointOnTheSixteenBitPlane) {
    // Another program may post the message with anything in it.
    const DesktopButtonNotice n = UnpackDesktopButton(~std::uintptr_t{0}, -1);
    EXPECT_EQ(n.message, 0xFFFFu);
    EXPECT_TRUE(n.onDesktop);
    EXPECT_EQ(n.x, -1);
    EXPECT_EQ(n.y, -1);
    const DesktopButtonNotice big = UnpackDesktopButton(0x7FFF0201, 0x7FFF8000);
    EXPECT_EQ(big.x, -32768);
    EXPECT_EQ(big.y, 32767);
}
