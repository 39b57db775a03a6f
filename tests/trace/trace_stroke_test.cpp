/*
 * One stroke, call by call: when it waits for the screen, what it reads,
 * how its polls are bounded, and when it takes the cursor as moved by the
 * user and ends the trace.
 */
#include <gtest/gtest.h>

#include "sim/sim_painter.h"
#include "trace/trace_stroke.h"
#include "trace_test_support.h"

namespace {

TEST(TraceStroke, UnsynchronisedStrokeIsTwoMovesAndTwoButtonEvents)
{
    ResetTrace(62);
    TraceStroke(100, 120, 5);
    const CallLog expected = {"SetCursorPos(100,120)", "LeftDown", "SetCursorPos(105,120)", "LeftUp"};
    EXPECT_EQ(Sim().Log(), expected);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 63);
    EXPECT_EQ(TraceMode, Mode::Tracing);
}

TEST(TraceStroke, RunOfLengthZeroPressesAndReleasesAtOnePoint)
{
    ResetTrace(0);
    TraceStroke(100, 120, 0);
    const CallLog plain = {"SetCursorPos(100,120)", "LeftDown", "LeftUp"};
    EXPECT_EQ(Sim().Log(), plain);

    // Synchronised, under PainterAdjust: the watched pixel is left of the press.
    ResetTrace(63);
    TraceOptions.painterAdjust = 1;
    Sim().SetPixel(99, 120, 0x00000001u);
    TraceStroke(100, 120, 0);
    const CallLog synced = {"SetCursorPos(100,120)", "GetPixel(99,120)=0x00000001", "LeftDown",
                            "LeftUp"};
    ASSERT_GE(Sim().Log().size(), synced.size());
    EXPECT_EQ(CallLog(Sim().Log().begin(), Sim().Log().begin() + 4), synced);
}

// The painter draws the line at the release, so the first poll sees it.
TEST(TraceStroke, SyncAtCountSixtyFourReadsBeforeThePressAndPollsAfterTheRelease)
{
    ResetTrace(63);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    Sim().ClearLog();
    TraceStroke(100, 120, 5);
    const CallLog expected = {"SetCursorPos(100,120)", "GetPixel(105,120)=0x00FFFFFF", "LeftDown",
                              "SetCursorPos(105,120)", "LeftUp", "GetPixel(105,120)=0x00000000",
                              "GetCursorPos=(105,120)"};
    EXPECT_EQ(Sim().Log(), expected);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 0);
    EXPECT_EQ(TraceMode, Mode::Tracing);
}

// On the 400 x 300 screen: a run past the right edge is cut there; under
// PainterAdjust, whose painter leaves the release pixel out, a run whose
// painted pixels reach the last column is dragged back from that column to
// one left of its first pixel. Runs wholly off send and count nothing.
TEST(TraceStroke, RunsPastTheScreensEdgesAreCutOrSkipped)
{
    struct Case {
        const char* what;
        int x, y, length, painterAdjust;
        CallLog expected;
    };
    const Case cases[] = {
        {"on the screen, ending on its last column", 390, 120, 9, 0,
         {"SetCursorPos(390,120)", "LeftDown", "SetCursorPos(399,120)", "LeftUp"}},
        {"past the right edge", 390, 120, 15, 0,
         {"SetCursorPos(390,120)", "LeftDown", "SetCursorPos(399,120)", "LeftUp"}},
        {"adjusted, released just past the edge", 390, 120, 10, 1,
         {"SetCursorPos(399,120)", "LeftDown", "SetCursorPos(389,120)", "LeftUp"}},
        {"adjusted, past the right edge", 390, 120, 20, 1,
         {"SetCursorPos(399,120)", "LeftDown", "SetCursorPos(389,120)", "LeftUp"}},
        {"adjusted, one pixel on the last column", 399, 120, 1, 1,
         {"SetCursorPos(399,120)", "LeftDown", "SetCursorPos(398,120)", "LeftUp"}},
        {"adjusted, across the whole row", 0, 120, 400, 1,
         {"SetCursorPos(0,120)", "LeftDown", "SetCursorPos(399,120)", "LeftUp"}},
        {"past the left edge", -5, 120, 10, 0,
         {"SetCursorPos(0,120)", "LeftDown", "SetCursorPos(5,120)", "LeftUp"}},
        {"wholly right of the screen", 400, 120, 5, 0, {}},
        {"adjusted, only its release on the screen", -1, 120, 1, 1, {}},
        {"below the screen", 100, 300, 5, 0, {}},
        {"above the screen", 100, -1, 5, 0, {}},
    };
    for (const Case& c : cases) {
        ResetTrace(10);
        TraceOptions.painterAdjust = c.painterAdjust;
        TraceStroke(c.x, c.y, c.length);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Sim().Log(), c.expected);
        EXPECT_EQ(TraceProgress.strokesSinceSync, c.expected.empty() ? 10 : 11);
    }

    // A synchronised cut run watches a pixel it paints, on the screen: the
    // last column without the adjustment, the run's first pixel with it.
    for (int painterAdjust : {0, 1}) {
        ResetTrace(63);
        TraceOptions.painterAdjust = painterAdjust;
        TraceStroke(390, 120, 20);
        SCOPED_TRACE(painterAdjust);
        EXPECT_EQ(Sim().Log()[1], painterAdjust ? "GetPixel(390,120)=0x00FFFFFF"
                                                : "GetPixel(399,120)=0x00FFFFFF");
        EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel"), 1 + kPixelPollLimit);
    }
}

TEST(TraceStroke, SyncFallsOnSixtyFourOrMoreAndOnEveryStrokeWhenAsked)
{
    struct Case {
        int counterOnEntry;
        int syncEveryPixel;
        bool synchronised;
    };
    const Case cases[] = {{62, 0, false}, {63, 0, true}, {66, 0, true}, {0, 1, true}, {62, 1, true}};
    for (const Case& c : cases) {
        ResetTrace(c.counterOnEntry);
        TraceOptions.syncEveryPixel = c.syncEveryPixel;
        TraceStroke(100, 120, 3);
        SCOPED_TRACE(c.counterOnEntry);
        EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel") > 0, c.synchronised);
        EXPECT_EQ(TraceProgress.strokesSinceSync, c.synchronised ? 0 : c.counterOnEntry + 1);
    }
}

TEST(TraceStroke, PainterAdjustWatchesTheColumnLeftOfTheRelease)
{
    ResetTrace(0);
    TraceOptions.syncEveryPixel = 1;
    TraceOptions.painterAdjust = 1;
    TraceStroke(100, 120, 5);
    EXPECT_EQ(Sim().Log()[1], "GetPixel(104,120)=0x00FFFFFF");
    EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel(104,120)"), 1 + kPixelPollLimit);
}

TEST(TraceStroke, CursorPollWaitsForTheColumnAndSleepsOnlyAfterAMiss)
{
    ResetTrace(0);
    TraceOptions.syncOnMouseMove = 1;
    TraceOptions.syncWaitMs = 7;
    Sim().SetCursorLag(3, 0);
    TraceStroke(100, 120, 5);
    const CallLog expected = {
        "SetCursorPos(100,120)", "GetCursorPos=(0,0)", "Sleep(7)", "GetCursorPos=(0,0)", "Sleep(7)",
        "GetCursorPos=(100,120)", "LeftDown", "SetCursorPos(105,120)", "GetCursorPos=(100,120)",
        "Sleep(7)", "GetCursorPos=(100,120)", "Sleep(7)", "GetCursorPos=(105,120)", "LeftUp"};
    EXPECT_EQ(Sim().Log(), expected);
}

TEST(TraceStroke, CursorPollComparesTheColumnOnly)
{
    ResetTrace(0);
    TraceOptions.syncOnMouseMove = 1;
    Sim().MoveCursorByHand(100, 7);
    MoveCursorSynced(100, 120);  // no lag: the cursor is there at once
    Sim().ClearLog();
    Sim().SetCursorLag(1000, 0);
    Sim().MoveCursorByHand(100, 7);
    MoveCursorSynced(100, 120);
    const CallLog expected = {"SetCursorPos(100,120)", "GetCursorPos=(100,7)"};
    EXPECT_EQ(Sim().Log(), expected);
}

TEST(TraceStroke, CursorPollGivesUpAfter256ReadsAndANegativeWaitSleepsZero)
{
    ResetTrace(0);
    TraceOptions.syncOnMouseMove = 1;
    TraceOptions.syncWaitMs = -5;
    Sim().SetCursorLag(1000, 0);
    MoveCursorSynced(100, 120);
    // The limits are written out as numbers here and below: a test against
    // the constant would follow a changed limit.
    EXPECT_EQ(CountCalls(Sim().Log(), "GetCursorPos"), 256);
    EXPECT_EQ(CountCalls(Sim().Log(), "Sleep(0)"), 256);
    EXPECT_EQ(Sim().Log().size(), 1u + 2u * 256u);
    EXPECT_EQ(Sim().Ticks(), 0u);
}

TEST(TraceStroke, PixelThatNeverChangesCostsTheFullPollThenTheTraceGoesOn)
{
    ResetTrace(63);
    TraceOptions.syncWaitMs = 2;
    TraceStroke(100, 120, 5);
    const CallLog& log = Sim().Log();
    // 5 calls before the poll, 3 per pass (no tick read: on the row), the final check.
    ASSERT_EQ(log.size(), 5u + 3u * 256u + 1u);
    for (int pass = 0; pass < kPixelPollLimit; ++pass) {
        const size_t at = 5 + 3 * static_cast<size_t>(pass);
        EXPECT_EQ(log[at], "GetPixel(105,120)=0x00FFFFFF");
        EXPECT_EQ(log[at + 1], "GetCursorPos=(105,120)");
        EXPECT_EQ(log[at + 2], "Sleep(2)");
    }
    EXPECT_EQ(log.back(), "GetCursorPos=(105,120)");
    EXPECT_EQ(TraceMode, Mode::Tracing);
    EXPECT_EQ(Sim().Ticks(), 2u * 256u);
}

TEST(TraceStroke, CursorWithinFourRowsIsOnTheRowWhateverItsColumn)
{
    for (int rowsOff : {4, -4}) {
        ResetTrace(63, 5000, 0);
        HandOnRelease hand(3, 120 + rowsOff);
        Sim().SetListener(&hand);
        TraceStroke(100, 120, 5);
        EXPECT_EQ(CountCalls(Sim().Log(), "GetTickCount"), 0);
        EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel"), 1 + kPixelPollLimit);
        EXPECT_EQ(TraceMode, Mode::Tracing);
    }
}

TEST(TraceStroke, CursorFiveRowsOffAfterTheGracePeriodEndsTheTraceAtOnce)
{
    for (int rowsOff : {5, -5}) {
        ResetTrace(63, 5000, 0);
        HandOnRelease hand(105, 120 + rowsOff);
        Sim().SetListener(&hand);
        TraceStroke(100, 120, 5);
        const CallLog expected = {
            "SetCursorPos(100,120)", "GetPixel(105,120)=0x00FFFFFF", "LeftDown",
            "SetCursorPos(105,120)", "LeftUp", "GetPixel(105,120)=0x00FFFFFF",
            "GetCursorPos=(105," + std::to_string(120 + rowsOff) + ")", "GetTickCount=5000"};
        EXPECT_EQ(Sim().Log(), expected);
        EXPECT_EQ(TraceMode, Mode::Idle);
        EXPECT_EQ(TraceProgress.strokesSinceSync, 0);
    }
}

TEST(TraceStroke, GracePeriodEndsAfterExactly2000Milliseconds)
{
    // At 2000 ms the poll goes on and sleeps; one millisecond later it ends.
    ResetTrace(63, 12000, 10000);
    TraceOptions.syncWaitMs = 1;
    HandOnRelease hand(105, 200);
    Sim().SetListener(&hand);
    TraceStroke(100, 120, 5);
    const CallLog tail = {"GetPixel(105,120)=0x00FFFFFF", "GetCursorPos=(105,200)",
                          "GetTickCount=12000", "Sleep(1)", "GetPixel(105,120)=0x00FFFFFF",
                          "GetCursorPos=(105,200)", "GetTickCount=12001"};
    ASSERT_EQ(Sim().Log().size(), 5u + tail.size());
    EXPECT_EQ(CallLog(Sim().Log().begin() + 5, Sim().Log().end()), tail);
    EXPECT_EQ(TraceMode, Mode::Idle);
}

TEST(TraceStroke, GracePeriodIsMeasuredAcrossTheTickCountsWrap)
{
    const std::uint32_t start = 0xFFFFFF00u;
    // 2001 ms after the start, past zero: the trace ends.
    ResetTrace(63, start + 2001u, start);
    HandOnRelease late(105, 200);
    Sim().SetListener(&late);
    TraceStroke(100, 120, 5);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(Sim().Log().back(), "GetTickCount=1745");

    // 1000 ms after the start, past zero: still inside the grace period.
    ResetTrace(63, start + 1000u, start);
    HandOnRelease early(105, 200);
    Sim().SetListener(&early);
    TraceStroke(100, 120, 5);
    EXPECT_EQ(TraceMode, Mode::Tracing);
    EXPECT_EQ(CountCalls(Sim().Log(), "GetTickCount=744"), kPixelPollLimit + 1);
}

// A lagging system still reports the last slider click, far off the row:
// that is the program's own move coming back, not the user's hand.
TEST(TraceStroke, EchoOfAnEarlierPlacementOffTheRowIsNotTheHand)
{
    ResetTrace(63, 5000, 0);
    SetCursorPosition(30, 15);
    Sim().SetCursorLag(1000, 0);
    TraceStroke(100, 120, 5);
    EXPECT_EQ(TraceMode, Mode::Tracing);
    EXPECT_EQ(CountCalls(Sim().Log(), "GetCursorPos=(30,15) taken as (105,120)"),
              kPixelPollLimit + 1);
    EXPECT_EQ(CountCalls(Sim().Log(), "GetTickCount"), 0);
}

TEST(TraceStroke, FinalCheckEndsTheTraceWhenTheCursorLeftAfterThePixelChanged)
{
    ResetTrace(63, 3000, 0);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    Sim().ClearLog();
    // The sixth call is the first poll, which sees the painted line.
    painter.MoveHandAfterCalls(6, 300, 250);
    TraceStroke(100, 120, 5);
    const CallLog tail = {"GetPixel(105,120)=0x00000000", "GetCursorPos=(300,250)",
                          "GetTickCount=3000"};
    ASSERT_EQ(Sim().Log().size(), 8u);
    EXPECT_EQ(CallLog(Sim().Log().begin() + 5, Sim().Log().end()), tail);
    EXPECT_EQ(TraceMode, Mode::Idle);
}

TEST(TraceStroke, PollWaitsForALaggingPainter)
{
    ResetTrace(63);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    painter.SetPaintLag(10, 0);
    Sim().ClearLog();
    TraceStroke(100, 120, 5);
    // The line shows after ten further reads, screen and cursor alike: the
    // first five poll passes still see white.
    EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel(105,120)=0x00FFFFFF"), 1 + 5);
    EXPECT_EQ(CountCalls(Sim().Log(), "GetPixel(105,120)=0x00000000"), 1);
    EXPECT_EQ(painter.PendingDrags(), 0);
}

// Under a lagging cursor only the cursor poll makes the drag land where it
// was sent.
TEST(TraceStroke, CursorPollKeepsALaggingCursorsDragOnItsRun)
{
    for (int syncOnMouseMove : {1, 0}) {
        ResetTrace(0);
        SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
        TraceOptions.syncOnMouseMove = syncOnMouseMove;
        Sim().MoveCursorByHand(50, 100);
        Sim().SetCursorLag(2, 0);
        TraceStroke(100, 120, 5);
        int painted = 0;
        for (int x = 100; x <= 105; ++x)
            painted += Sim().Pixel(x, 120) == 0 ? 1 : 0;
        SCOPED_TRACE(syncOnMouseMove);
        EXPECT_EQ(painted, syncOnMouseMove ? 6 : 0);
        EXPECT_EQ(Sim().Pixel(50, 100) == 0, syncOnMouseMove == 0);
    }
}

}  // namespace
