/*
 * The placed-cursor record behind the Win32 seam: an echo of an earlier
 * placed point reads as the last one, a hand's move reads as it is, old
 * points stop counting, and button coordinates map back to their pixels.
 */
#include <gtest/gtest.h>

#include "app/cursor_placement.h"

namespace {

ScreenPoint Point(int x, int y)
{
    return ScreenPoint{x, y};
}

void ExpectPoint(ScreenPoint actual, int x, int y)
{
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
}

class CursorPlacement : public ::testing::Test {
protected:
    void SetUp() override { ForgetPlacedCursor(); }
};

TEST_F(CursorPlacement, ReportsPassUnchangedBeforeAnyPlacement)
{
    EXPECT_FALSE(CursorWasPlaced());
    ExpectPoint(TakeCursorReport(Point(5, 6), 100), 5, 6);
}

TEST_F(CursorPlacement, EchoOfAnEarlierPointReadsAsTheLastOne)
{
    RecordPlacedCursor(Point(10, 20), 1000);
    RecordPlacedCursor(Point(30, 20), 1001);
    RecordPlacedCursor(Point(40, 50), 1002);
    EXPECT_TRUE(CursorWasPlaced());
    ExpectPoint(LastPlacedCursor(), 40, 50);
    ExpectPoint(TakeCursorReport(Point(10, 20), 1500), 40, 50);
    ExpectPoint(TakeCursorReport(Point(30, 20), 1500), 40, 50);
    ExpectPoint(TakeCursorReport(Point(40, 50), 1500), 40, 50);
}

TEST_F(CursorPlacement, HandMovesElsewhereReadAsTheyAre)
{
    RecordPlacedCursor(Point(10, 20), 1000);
    RecordPlacedCursor(Point(30, 20), 1001);
    ExpectPoint(TakeCursorReport(Point(10, 200), 1002), 10, 200);
    ExpectPoint(TakeCursorReport(Point(11, 20), 1002), 11, 20);
}

TEST_F(CursorPlacement, PointsOlderThanTheWindowAreNoLongerEchoes)
{
    RecordPlacedCursor(Point(10, 20), 1000);
    RecordPlacedCursor(Point(30, 20), 1000 + kCursorEchoWindowMs);
    ExpectPoint(TakeCursorReport(Point(10, 20), 1000 + kCursorEchoWindowMs), 30, 20);
    ExpectPoint(TakeCursorReport(Point(10, 20), 1001 + kCursorEchoWindowMs), 10, 20);
}

TEST_F(CursorPlacement, AgesAreRightAcrossTheTickCountsWrap)
{
    RecordPlacedCursor(Point(1, 1), 0xFFFFFF00u);
    RecordPlacedCursor(Point(2, 2), 0x00000010u);
    ExpectPoint(TakeCursorReport(Point(1, 1), 0x00000020u), 2, 2);
}

TEST_F(CursorPlacement, OnlyTheLatestPointsAreKept)
{
    RecordPlacedCursor(Point(7, 7), 0);
    for (int i = 0; i < kPlacedCursorHistory; ++i)
        RecordPlacedCursor(Point(100 + i, 3), 1);
    // (7, 7) has been pushed out of the ring; the oldest kept point remains.
    ExpectPoint(TakeCursorReport(Point(7, 7), 2), 7, 7);
    ExpectPoint(TakeCursorReport(Point(100, 3), 2), 100 + kPlacedCursorHistory - 1, 3);
}

TEST(AbsoluteInputCoordinate, MapsBackToEveryPixel)
{
    for (int extent : {640, 768, 1024, 1080, 1920, 2560, 3840}) {
        for (int pixel = 0; pixel < extent; ++pixel) {
            const long coordinate = AbsoluteInputCoordinate(pixel, 0, extent);
            ASSERT_LE(coordinate, 65535) << extent << " " << pixel;
            ASSERT_EQ(coordinate * extent / 65536, pixel) << extent << " " << pixel;
        }
    }
    EXPECT_EQ(AbsoluteInputCoordinate(10, 0, 0), 0);
}

// A virtual desktop whose first column or row is left of or above the
// primary's: (origin, extent) as two or three monitors give them.
TEST(AbsoluteInputCoordinate, MapsBackToEveryPixelOfAVirtualDesktop)
{
    const int desktops[][2] = {{-1024, 2304}, {-1920, 5760}, {-768, 1568}, {0, 2304}, {-1, 7681}};
    for (const auto& d : desktops) {
        const int origin = d[0];
        const int extent = d[1];
        for (int pixel = origin; pixel < origin + extent; ++pixel) {
            const long coordinate = AbsoluteInputCoordinate(pixel, origin, extent);
            ASSERT_GE(coordinate, 0) << origin << " " << pixel;
            ASSERT_LE(coordinate, 65535) << origin << " " << pixel;
            ASSERT_EQ(origin + coordinate * extent / 65536, pixel) << origin << " " << pixel;
        }
    }
}

}  // namespace
