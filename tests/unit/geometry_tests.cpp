// Screen geometry: keeping windows on the screen and in the work area, and
// where the desktop menus open.
#include <gtest/gtest.h>

#include "geometry.h"
#include "menu_placement.h"

using namespace holm;

namespace {

const Size kScreen = {1024, 768};

Rect At(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

}  // namespace

TEST(KeepOnScreen, PullsEachEdgeInside) {
    EXPECT_EQ(KeepOnScreen(At(974, -30, 100, 80), kScreen), At(924, 0, 100, 80));
    EXPECT_EQ(KeepOnScreen(At(-20, 758, 100, 80), kScreen), At(0, 688, 100, 80));
    EXPECT_EQ(KeepOnScreen(At(10, 20, 100, 80), kScreen), At(10, 20, 100, 80));
    EXPECT_EQ(KeepOnScreen(At(924, 688, 100, 80), kScreen), At(924, 688, 100, 80));  // touching both edges
}

TEST(KeepOnScreen, ATallWindowAboveTheScreenShowsItsTop) {
    EXPECT_EQ(KeepOnScreen(At(5, -100, 50, 1000), kScreen), At(5, 0, 50, 1000));
}

TEST(BringBackOnScreen, MovesOnlyWindowsWhollyOff) {
    EXPECT_EQ(BringBackOnScreen(At(974, 718, 100, 80), kScreen), At(974, 718, 100, 80));
    EXPECT_EQ(BringBackOnScreen(At(-99, -79, 100, 80), kScreen), At(-99, -79, 100, 80));
    EXPECT_EQ(BringBackOnScreen(At(1524, -400, 100, 80), kScreen), At(924, 0, 100, 80));
    EXPECT_EQ(BringBackOnScreen(At(-300, 768, 100, 80), kScreen), At(0, 688, 100, 80));
    // Right and bottom edges are exclusive: ending at 0 is wholly off.
    EXPECT_EQ(BringBackOnScreen(At(-100, 10, 100, 80), kScreen), At(0, 10, 100, 80));
    EXPECT_EQ(BringBackOnScreen(At(10, -80, 100, 80), kScreen), At(10, 0, 100, 80));
    EXPECT_EQ(BringBackOnScreen(At(-99, 10, 100, 80), kScreen), At(-99, 10, 100, 80));
}

TEST(PlaceInsideArea, MovesUpAndLeftThenDownAndRight) {
    const Rect workArea = {0, 40, 1024, 768};  // a strip at the top is taken
    EXPECT_EQ(PlaceInsideArea({1000, 700}, {200, 100}, workArea), (Point{824, 668}));
    EXPECT_EQ(PlaceInsideArea({-5, 0}, {200, 100}, workArea), (Point{0, 40}));
    EXPECT_EQ(PlaceInsideArea({100, 100}, {200, 100}, workArea), (Point{100, 100}));
    // Larger than the area: its top left corner stays reachable.
    EXPECT_EQ(PlaceInsideArea({300, 300}, {2000, 1000}, workArea), (Point{0, 40}));
}

TEST(MenuPlacement, RightEdgeTenRightOfThePointerTopTenAbove) {
    EXPECT_EQ(MenuAnchor({500, 400}), (Point{510, 390}));
    EXPECT_EQ(PlainMenuAnchor({500, 400}, 1024), (Point{510, 390}));
    EXPECT_EQ(PlainMenuAnchor({1021, 300}, 1024), (Point{1024, 290}));
    EXPECT_EQ(RightAlignedAt({510, 390}, {120, 200}), At(390, 390, 120, 200));
}

TEST(MenuPlacement, ACloakedMenuNearTheEdgesStaysOnScreen) {
    const Size menu = {150, 300};
    const Rect nearRight = KeepOnScreen(RightAlignedAt(MenuAnchor({1021, 300}), menu), kScreen);
    EXPECT_EQ(nearRight.right, 1024);
    const Rect nearTop = KeepOnScreen(RightAlignedAt(MenuAnchor({5, 3}), menu), kScreen);
    EXPECT_EQ(nearTop, At(0, 0, 150, 300));
    const Rect nearBottom = KeepOnScreen(RightAlignedAt(MenuAnchor({600, 760}), menu), kScreen);
    EXPECT_EQ(nearBottom, At(460, 468, 150, 300));
}
