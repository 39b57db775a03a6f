/*
 * The screen of several monitors: which pixels a monitor shows, where a
 * monitor's edge is for a point, and the blanking of the pixels between
 * monitors in a block read from the screen.
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
    // Each monitor's corners, negative columns included.
    EXPECT_TRUE(IsShownByMonitor(-400, 0));
    EXPECT_TRUE(IsShownByMonitor(-1, 299));
    EXPECT_TRUE(IsShownByMonitor(0, 0));
    EXPECT_TRUE(IsShownByMonitor(319, 239));
    // The gap below the primary, inside the screen rectangle.
    EXPECT_FALSE(IsShownByMonitor(0, 240));
    EXPECT_FALSE(IsShownByMonitor(319, 299));
    // Past the screen rectangle.
    EXPECT_FALSE(IsShownByMonitor(-401, 10));
    EXPECT_FALSE(IsShownByMonitor(320, 10));
    EXPECT_FALSE(IsShownByMonitor(-10, 300));
    EXPECT_FALSE(IsShownByMonitor(-10, -1));
}

TEST_F(TwoMonitors, MonitorAtIsTheOneShowingThePointElseTheWholeScreen)
{
    EXPECT_TRUE(Same(MonitorAt(-1, 299), kLeft));
    EXPECT_TRUE(Same(MonitorAt(0, 0), kPrimary));
    EXPECT_TRUE(Same(MonitorAt(10, 250), (MonitorArea{-400, 0, 320, 300})));
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

TEST(OneMonitor, WithNoMonitorListedTheWholeScreenIsShown)
{
    SetScreen(0, 0, 10, 8);
    EXPECT_TRUE(IsShownByMonitor(9, 7));
    EXPECT_FALSE(IsShownByMonitor(10, 0));
    EXPECT_FALSE(IsShownByMonitor(0, -1));
    EXPECT_TRUE(Same(MonitorAt(3, 3), (MonitorArea{0, 0, 10, 8})));
    // More monitors than are kept: those left out show nothing.
    MonitorArea many[kMaxMonitors + 1];
    for (int i = 0; i <= kMaxMonitors; ++i)
        many[i] = MonitorArea{i, 0, i + 1, 8};
    SetScreen(0, 0, kMaxMonitors + 1, 8);
    SetMonitors(many, kMaxMonitors + 1);
    EXPECT_EQ(MonitorCount, kMaxMonitors);
    EXPECT_TRUE(IsShownByMonitor(kMaxMonitors - 1, 0));
    EXPECT_FALSE(IsShownByMonitor(kMaxMonitors, 0));
    SetScreen(0, 0, 0, 0);
}

}  // namespace
