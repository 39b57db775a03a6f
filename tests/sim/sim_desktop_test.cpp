/*
 * The simulated desktop must behave as the real one where the logic can
 * tell: reads outside the screen answer kNoPixel, time passes only by
 * sleeping, a lagging cursor reports its move late, and presses land where
 * the cursor has got to.
 */
#include <gtest/gtest.h>

#include "sim/sim_desktop.h"

namespace {

class Recorder : public SimListener {
public:
    void OnLeftDown(ScreenPoint at) override { downs.push_back(at); }
    void OnLeftUp(ScreenPoint at) override { ups.push_back(at); }
    std::vector<ScreenPoint> downs;
    std::vector<ScreenPoint> ups;
};

TEST(SimDesktop, ReadsOutsideTheScreenAnswerNoPixel)
{
    Sim().Reset(4, 3, 0x00123456u);
    EXPECT_EQ(ReadScreenPixel(3, 2), 0x00123456u);
    EXPECT_EQ(ReadScreenPixel(4, 0), kNoPixel);
    EXPECT_EQ(ReadScreenPixel(0, 3), kNoPixel);
    EXPECT_EQ(ReadScreenPixel(-1, 0), kNoPixel);
    EXPECT_EQ(ReadScreenPixel(0, -1), kNoPixel);
    FreezeScreen(true);
    EXPECT_EQ(ReadSourcePixel(2, 1), 0x00123456u);
    EXPECT_EQ(ReadSourcePixel(-5, 1), kNoPixel);
    Colour block[4];
    ASSERT_TRUE(ReadSourceBlock(3, 2, 2, 2, block));
    EXPECT_EQ(block[0], 0x00123456u);
    EXPECT_EQ(block[1], kNoPixel);
    EXPECT_EQ(block[2], kNoPixel);
    EXPECT_EQ(block[3], kNoPixel);
}

TEST(SimDesktop, MonitorsMakeTheScreenAndTheirGapsAreNoPixel)
{
    // A monitor left of the primary, and a gap below the shorter primary.
    Sim().ResetMonitors({{0, 0, 3, 1}, {-2, 0, 0, 2}}, 0x00123456u);
    EXPECT_EQ(ScreenLeft, -2);
    EXPECT_EQ(ScreenWidth, 5);
    EXPECT_EQ(ScreenHeight, 2);
    EXPECT_EQ(ReadScreenPixel(-2, 1), 0x00123456u);
    EXPECT_EQ(ReadScreenPixel(0, 1), kNoPixel);
    Sim().SetPixel(0, 1, 0x00000000u);
    Sim().SetPixel(-1, 1, 0x00000000u);
    FreezeScreen(true);
    Colour block[4];
    ASSERT_TRUE(ReadSourceBlock(-1, 0, 2, 2, block));
    EXPECT_EQ(block[0], 0x00123456u);
    EXPECT_EQ(block[1], 0x00123456u);
    EXPECT_EQ(block[2], 0x00000000u);
    EXPECT_EQ(block[3], kNoPixel);
    Sim().Reset(2, 2);
    EXPECT_EQ(ScreenLeft, 0);
    EXPECT_EQ(MonitorCount, 0);
}

TEST(SimDesktop, SourceIsFrozenOnlyWhenAsked)
{
    Sim().Reset(2, 2, 0x00000001u);
    FreezeScreen(true);
    Sim().SetPixel(0, 0, 0x00000002u);
    FreezeScreen(false);
    EXPECT_EQ(ReadSourcePixel(0, 0), 0x00000001u);
    FreezeScreen(true);
    EXPECT_EQ(ReadSourcePixel(0, 0), 0x00000002u);
    const std::vector<std::string> expected = {"Freeze+Source", "Freeze", "Freeze+Source"};
    EXPECT_EQ(Sim().Log(), expected);
}

TEST(SimDesktop, SleepIsTheOnlyWayTimePassesAndTheClockWraps)
{
    Sim().Reset(1, 1, 0, 0xFFFFFFF0u);
    EXPECT_EQ(ReadTickCount(), 0xFFFFFFF0u);
    SleepMilliseconds(0x20);
    EXPECT_EQ(ReadTickCount(), 0x10u);
    const std::vector<std::string> expected = {"GetTickCount=4294967280", "Sleep(32)",
                                               "GetTickCount=16"};
    EXPECT_EQ(Sim().Log(), expected);
}

TEST(SimDesktop, LaggingCursorReportsTheMoveAfterItsReads)
{
    Sim().Reset(100, 100);
    Sim().SetCursorLag(3, 0);
    SetCursorPosition(50, 60);
    EXPECT_EQ(ReadCursorPosition().x, 0);
    EXPECT_EQ(ReadCursorPosition().x, 0);
    const ScreenPoint third = ReadCursorPosition();
    EXPECT_EQ(third.x, 50);
    EXPECT_EQ(third.y, 60);
}

// The system reports the point placed before; the program's filtered read
// takes that echo for the last placed point, but a point never placed (the
// start, a hand) comes through as reported.
TEST(SimDesktop, FilteredReadTakesAnEchoOfAnEarlierPlacementForTheLastOne)
{
    Sim().Reset(100, 100);
    Sim().SetCursorLag(4, 0);
    SetCursorPosition(10, 10);
    EXPECT_EQ(ReadCursorPosition().x, 0);
    Sim().MoveCursorByHand(10, 10);
    SetCursorPosition(50, 60);
    EXPECT_EQ(ReadSystemCursorPosition().x, 10);
    const ScreenPoint taken = ReadCursorPosition();
    EXPECT_EQ(taken.x, 50);
    EXPECT_EQ(taken.y, 60);
    EXPECT_EQ(Sim().Log().back(), "GetCursorPos=(10,10) taken as (50,60)");
}

TEST(SimDesktop, LaggingCursorMovesAfterEnoughSleep)
{
    Sim().Reset(100, 100);
    Sim().SetCursorLag(0, 10);
    SetCursorPosition(7, 8);
    SleepMilliseconds(9);
    EXPECT_EQ(ReadCursorPosition().x, 0);
    SleepMilliseconds(1);
    EXPECT_EQ(ReadCursorPosition().x, 7);
}

TEST(SimDesktop, PressRightAfterALaggingMoveLandsAtTheOldPoint)
{
    Recorder recorder;
    Sim().Reset(100, 100);
    Sim().SetListener(&recorder);
    Sim().SetCursorLag(1, 0);
    SetCursorPosition(10, 10);
    PressLeftButton();
    ReadCursorPosition();
    ReleaseLeftButton();
    ASSERT_EQ(recorder.downs.size(), 1u);
    EXPECT_EQ(recorder.downs[0].x, 0);
    EXPECT_EQ(recorder.ups[0].x, 10);
}

TEST(SimDesktop, HandMoveOverridesAPendingMove)
{
    Sim().Reset(100, 100);
    Sim().SetCursorLag(2, 0);
    SetCursorPosition(10, 10);
    Sim().MoveCursorByHand(90, 90);
    ReadCursorPosition();
    EXPECT_EQ(ReadCursorPosition().x, 90);
}

TEST(SimDesktop, BrokenSourceSurfaceCannotBeRead)
{
    Sim().Reset(2, 2);
    Sim().BreakSourceSurface();
    Colour block[4];
    EXPECT_FALSE(ReadSourceBlock(0, 0, 2, 2, block));
    EXPECT_EQ(ReadSourcePixel(0, 0), kNoPixel);
}

}  // namespace
