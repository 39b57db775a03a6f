/*
 * The screen of several monitors: which pixels a monitor shows, a row's
 * shown span, the nearest shown point, the monitor under a point and the
 * blanking of the unshown pixels of a block read from the screen.
 */
#include <gtest/gtest.h>

#include "app/screen.h"

namespace {

// A monitor left of the primary and taller than it: the primary's rows 240
// and below are shown by no monitor.
const MonitorArea kLeft = {-400, 0, 0, 300};
const MonitorArea kPrimary = {0, 0, 320, 240};

class TwoMonitors : public ::testing::Test {
protected:
    void SetUp() override
    {
        const MonitorArea monitors[] = {kPrimary, kLeft};
        SetScreen(-400, 0, 720, 300);
        SetMonitors(monitors, 2);
    }
    void TearDown() override { SetScreen(0, 0, 0, 0); }
};

bool Same(const MonitorArea& a, const MonitorArea& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(TwoMonitors, OnlyPixelsOfAMonitorAreShown)
{
    // Each monitor's corners, then the gap below the primary, then past the
    // screen rectangle on every side.
    for (const ScreenPoint p : {ScreenPoint{-400, 0}, {-1, 299}, {0, 0}, {319, 239}})
        EXPECT_TRUE(IsShownByMonitor(p.x, p.y)) << p.x << "," << p.y;
    for (const ScreenPoint p : {ScreenPoint{0, 240}, {319, 299}, {-401, 10}, {320, 10}, {-10, 300},
                                {-10, -1}})
        EXPECT_FALSE(IsShownByMonitor(p.x, p.y)) << p.x << "," << p.y;

    EXPECT_TRUE(Same(MonitorAt(-1, 299), kLeft));
    EXPECT_TRUE(Same(MonitorAt(0, 0), kPrimary));
    EXPECT_TRUE(Same(MonitorAt(10, 250), (MonitorArea{-400, 0, 320, 300})));
}

TEST_F(TwoMonitors, RowSpansAndNearestPointsStayOnTheMonitors)
{
    int from = 0;
    int to = 0;
    ASSERT_TRUE(ShownSpanOfRow(100, -10, 400, from, to));
    EXPECT_EQ(from, -10);
    EXPECT_EQ(to, 319);
    // Below the primary only the left monitor shows the row.
    ASSERT_TRUE(ShownSpanOfRow(250, -500, 500, from, to));
    EXPECT_EQ(from, -400);
    EXPECT_EQ(to, -1);
    EXPECT_FALSE(ShownSpanOfRow(250, 0, 50, from, to));
    EXPECT_FALSE(ShownSpanOfRow(300, -10, 10, from, to));

    const ScreenPoint belowPrimary = NearestShownPoint(100, 250);
    EXPECT_EQ(belowPrimary.x, 100);
    EXPECT_EQ(belowPrimary.y, 239);
    const ScreenPoint pastTheLeft = NearestShownPoint(-500, 400);
    EXPECT_EQ(pastTheLeft.x, -400);
    EXPECT_EQ(pastTheLeft.y, 299);
}

TEST_F(TwoMonitors, BlockReadBlanksOnlyTheGap)
{
    // Columns -2..1 of rows 238..240, in rows of five colours; the fifth
    // column is not the block's and stays as it is.
    Colour block[15];
    for (Colour& c : block)
        c = 0x00123456u;
    BlankUnshownPixels(-2, 238, 4, 3, block, 5);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column) {
            const bool gap = column >= 2 && column < 4 && row == 2;
            EXPECT_EQ(block[row * 5 + column], gap ? kNoPixel : 0x00123456u) << row << "," << column;
        }
}

TEST(ThreeMonitors, RowSpanCrossesAGapBetweenMonitors)
{
    // The middle monitor is shorter: on row 70 its columns are a gap.
    const MonitorArea monitors[] = {{0, 0, 100, 100}, {100, 0, 200, 50}, {200, 0, 300, 100}};
    SetScreen(0, 0, 300, 100);
    SetMonitors(monitors, 3);
    int from = 0;
    int to = 0;
    ASSERT_TRUE(ShownSpanOfRow(70, 50, 250, from, to));
    EXPECT_EQ(from, 50);
    EXPECT_EQ(to, 250);
    ASSERT_TRUE(ShownSpanOfRow(70, 120, 250, from, to));
    EXPECT_EQ(from, 200);
    EXPECT_FALSE(ShownSpanOfRow(70, 100, 199, from, to));
    // With no monitors listed the whole rectangle is one monitor.
    SetScreen(0, 0, 10, 8);
    EXPECT_TRUE(IsShownByMonitor(9, 7));
    EXPECT_FALSE(IsShownByMonitor(10, 0));
    SetScreen(0, 0, 0, 0);
}

}  // namespace
