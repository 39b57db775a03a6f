/*
 * The trace driver step by step on hand-made plans: the start clicks, one
 * run per step, the clicks between groups, the forced sync on a group's last
 * run, the ways a trace ends, and the completion report.
 */
#include <gtest/gtest.h>

#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "sim/sim_painter.h"
#include "app/screen.h"
#include "trace/cursor_hold.h"
#include "trace_test_support.h"
#include "ui/selection.h"

namespace {

ColourGroup Group(int red, int green, int blue, std::vector<int> starts, std::vector<int> lengths)
{
    ColourGroup group;
    group.red = red;
    group.green = green;
    group.blue = blue;
    group.runStarts = starts;
    group.runLengths = lengths;
    group.runCount = static_cast<int>(group.runStarts.size());
    return group;
}

// Slider lines over the standard painter's bars, as detection without
// PainterAdjust finds them (x0 = 19), a 10-pixel-wide source painted at
// (100, 100), and the plan given; TraceMode Idle.
void SetUpPlan(std::vector<ColourGroup> groups)
{
    ResetTrace(0);
    TraceMode = Mode::Idle;
    Palette.red = SliderLine{19, 15, 220, 15};
    Palette.green = SliderLine{19, 29, 220, 29};
    Palette.blue = SliderLine{19, 44, 220, 44};
    SourceWidth = 10;
    DestPoint = ScreenPoint{100, 100};
    ColourGroupList = groups;
}

CallLog LogFrom(size_t first)
{
    return CallLog(Sim().Log().begin() + static_cast<std::ptrdiff_t>(first), Sim().Log().end());
}

TEST(StartTrace, TakesTheStartTickThenClicksRedGreenBlue)
{
    SetUpPlan({Group(10, 20, 30, {0}, {0}), Group(1, 2, 3, {1}, {0})});
    Sim().AdvanceTicks(500);
    // Left over from an earlier trace: all of it is reset.
    TraceProgress = TraceProgressRecord{1, 7, 40, 9, {1, 2, 3}};
    TraceMode = Mode::Tracing;
    StartTrace();
    const CallLog expected = {"GetTickCount=500",      "SetCursorPos(29,15)", "LeftDown", "LeftUp",
                              "SetCursorPos(39,29)",   "LeftDown",            "LeftUp",
                              "SetCursorPos(49,44)",   "LeftDown",            "LeftUp"};
    EXPECT_EQ(Sim().Log(), expected);
    EXPECT_EQ(TraceMode, Mode::Tracing);
    EXPECT_EQ(TraceProgress.groupIndex, 0);
    EXPECT_EQ(TraceProgress.runIndex, 0);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 3);
    EXPECT_EQ(TraceProgress.startTick, 500u);
    EXPECT_EQ(TraceProgress.painterColour.red, 10);
    EXPECT_EQ(TraceProgress.painterColour.green, 20);
    EXPECT_EQ(TraceProgress.painterColour.blue, 30);
}

TEST(StartTrace, EmptyListOrClearedLinesStartNothingAndEndARunningTrace)
{
    SetUpPlan({});
    StartTrace();
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Log().empty());

    // Start pressed during a trace, the rebuilt list empty.
    SetUpPlan({});
    TraceMode = Mode::Tracing;
    TraceProgress.groupIndex = 3;
    StartTrace();
    RunTraceStep();
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Log().empty());

    SetUpPlan({Group(10, 20, 30, {0}, {0})});
    TraceMode = Mode::Tracing;
    ClearSliderLines();
    StartTrace();
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Log().empty());
}

TEST(RunTraceStep, DoesNothingUnlessTracing)
{
    for (Mode mode : {Mode::Idle, Mode::PickSource, Mode::PickDestination, Mode::PickPalette}) {
        SetUpPlan({Group(10, 20, 30, {0}, {0})});
        TraceMode = mode;
        RunTraceStep();
        EXPECT_TRUE(Sim().Log().empty());
        EXPECT_EQ(TraceMode, mode);
    }
}

TEST(RunTraceStep, OneRunIsPaintedAndReportedInOneStep)
{
    SetUpPlan({Group(0, 0, 0, {23}, {4})});
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    TraceOptions.syncOnColourSwitch = 1;
    StartTrace();
    const size_t startCalls = Sim().Log().size();
    RunTraceStep();
    // Run start 23 in a 10-wide source: column 3, row 2.
    const CallLog expected = {
        "SetCursorPos(103,102)",        "GetPixel(107,102)=0x00FFFFFF", "LeftDown",
        "SetCursorPos(107,102)",        "LeftUp",
        "GetPixel(107,102)=0x00000000", "GetCursorPos=(107,102)",       "GetTickCount=0",
        std::string("MessageBox(") + "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : 0\x95\xAA" "0\x95" "b|" +
            "\x82\xA8\x82\xED\x82\xE8 - Vellipa)"};
    EXPECT_EQ(LogFrom(startCalls), expected);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 0);
    RunTraceStep();
    EXPECT_EQ(Sim().Log().size(), startCalls + expected.size());
}

// Runs wholly off the screen (here rows below it, between the others) are
// not sent, so they do not count towards the sync.
TEST(RunTraceStep, FirstSynchronisedStrokeIsThe61stAfterTheStartClicks)
{
    for (bool offScreenRuns : {false, true}) {
        std::vector<int> starts;
        for (int run = 0; run < 130; ++run) {
            starts.push_back(run * 2);
            if (offScreenRuns)
                starts.push_back(8000 + run * 2);
        }
        SetUpPlan({Group(0, 0, 0, starts, std::vector<int>(starts.size(), 0))});
        SourceWidth = 40;
        SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
        StartTrace();
        std::vector<int> synchronised;
        for (int stroke = 1; stroke <= 130; ++stroke) {
            const size_t before = Sim().Log().size();
            RunTraceStep();
            if (CountCalls(LogFrom(before), "GetPixel") > 0)
                synchronised.push_back(stroke);
        }
        SCOPED_TRACE(offScreenRuns);
        EXPECT_EQ(synchronised, (std::vector<int>{61, 125}));
        EXPECT_EQ(TraceMode, Mode::Idle);
        EXPECT_EQ(CountCalls(Sim().Log(), "LeftDown"), 3 + 130);
    }
}

// The copy at (395, 100) runs past the right edge from its sixth column on.
// B has no run on the screen: its colour is never clicked, and A's last
// painted run takes the colour-switch sync before the clicks for C.
TEST(RunTraceStep, ColoursWhollyOffTheScreenAreNotClickedAndTheSyncFallsOnTheLastPaintedRun)
{
    SetUpPlan({Group(0, 0, 0, {0, 6}, {0, 0}), Group(50, 50, 50, {7}, {2}),
               Group(0, 9, 0, {1, 18}, {0, 0})});
    DestPoint = ScreenPoint{395, 100};
    SimPainterLayout layout = StandardPainterLayout();
    layout.canvasRight = 399;
    SimPainter painter(layout, StrokeEnd::Included);
    TraceOptions.syncOnColourSwitch = 1;
    StartTrace();
    size_t before = Sim().Log().size();
    RunTraceStep();
    const CallLog first = {"SetCursorPos(395,100)", "GetPixel(395,100)=0x00FFFFFF",
                           "LeftDown",              "LeftUp",
                           "GetPixel(395,100)=0x00000000", "GetCursorPos=(395,100)",
                           "SetCursorPos(28,29)",   "LeftDown", "LeftUp"};
    EXPECT_EQ(LogFrom(before), first);
    EXPECT_EQ(TraceProgress.groupIndex, 2);

    before = Sim().Log().size();
    RunTraceStep();
    EXPECT_EQ(Sim().Log()[before], "SetCursorPos(396,100)");
    EXPECT_EQ(Sim().Log()[before + 1].compare(0, 8, "GetPixel"), 0);
    EXPECT_EQ(CountCalls(LogFrom(before), "SetCursorPos"), 1);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(Sim().Boxes().size(), 1u);

    // Nothing of the copy on the screen: no click, no stroke, the box.
    SetUpPlan({Group(0, 0, 0, {0}, {0}), Group(9, 9, 9, {1}, {0})});
    DestPoint = ScreenPoint{100, 300};
    StartTrace();
    EXPECT_EQ(CountCalls(Sim().Log(), "SetCursorPos"), 0);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(Sim().Boxes().size(), 1u);
}

TEST(ClickAt, PointOffTheScreenIsClickedAtTheNearestPixelOfTheScreen)
{
    ResetTrace(0);
    ClickAt(405, 15);
    ClickAt(-3, 310);
    const CallLog expected = {"SetCursorPos(399,15)", "LeftDown", "LeftUp",
                              "SetCursorPos(0,299)",  "LeftDown", "LeftUp"};
    EXPECT_EQ(Sim().Log(), expected);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 2);
}

TEST(RunTraceStep, GroupChangeClicksOnlyTheChangedBarsInRedGreenBlueOrder)
{
    SetUpPlan({Group(10, 20, 30, {0}, {0}), Group(10, 20, 40, {1}, {0}),
               Group(50, 60, 40, {2}, {0}), Group(50, 60, 40, {3}, {0})});
    StartTrace();

    size_t before = Sim().Log().size();
    RunTraceStep();
    const CallLog blueOnly = {"SetCursorPos(100,100)", "LeftDown", "LeftUp",
                              "SetCursorPos(59,44)",   "LeftDown", "LeftUp"};
    EXPECT_EQ(LogFrom(before), blueOnly);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 5);

    before = Sim().Log().size();
    RunTraceStep();
    const CallLog redThenGreen = {"SetCursorPos(101,100)", "LeftDown", "LeftUp",
                                  "SetCursorPos(69,15)",   "LeftDown", "LeftUp",
                                  "SetCursorPos(79,29)",   "LeftDown", "LeftUp"};
    EXPECT_EQ(LogFrom(before), redThenGreen);

    // An equal colour (not possible in a built plan, but harmless) clicks nothing.
    before = Sim().Log().size();
    RunTraceStep();
    EXPECT_EQ(CountCalls(LogFrom(before), "SetCursorPos"), 1);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 9);
}

TEST(RunTraceStep, OffsetsAboveTheByteAreClickedAndRememberedWhole)
{
    SetUpPlan({Group(300, 0, 256, {0}, {0}), Group(300, 0, 5, {1}, {0})});
    StartTrace();
    EXPECT_EQ(Sim().Log()[1], "SetCursorPos(319,15)");
    EXPECT_EQ(Sim().Log()[7], "SetCursorPos(275,44)");
    const size_t before = Sim().Log().size();
    RunTraceStep();
    const CallLog expected = {"SetCursorPos(100,100)", "LeftDown", "LeftUp",
                              "SetCursorPos(24,44)",   "LeftDown", "LeftUp"};
    EXPECT_EQ(LogFrom(before), expected);
    EXPECT_EQ(TraceProgress.painterColour.red, 300);
}

// Two groups A (two runs) and B (one run) under SyncOnColourSwitch.
TEST(RunTraceStep, ColourSwitchSyncsEveryGroupsLastRunBeforeItsClicks)
{
    SetUpPlan({Group(0, 0, 0, {0, 2}, {0, 0}), Group(0, 7, 9, {4}, {0})});
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    TraceOptions.syncOnColourSwitch = 1;
    StartTrace();
    EXPECT_EQ(TraceProgress.strokesSinceSync, 3);

    RunTraceStep();
    EXPECT_EQ(TraceProgress.strokesSinceSync, 4);

    size_t before = Sim().Log().size();
    RunTraceStep();
    const CallLog second = {"SetCursorPos(102,100)", "GetPixel(102,100)=0x00FFFFFF",
                            "LeftDown",              "LeftUp",
                            "GetPixel(102,100)=0x00000000", "GetCursorPos=(102,100)",
                            "SetCursorPos(26,29)",   "LeftDown", "LeftUp",
                            "SetCursorPos(28,44)",   "LeftDown", "LeftUp"};
    EXPECT_EQ(LogFrom(before), second);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 2);

    before = Sim().Log().size();
    RunTraceStep();
    EXPECT_EQ(Sim().Log()[before + 1].compare(0, 8, "GetPixel"), 0);
    EXPECT_EQ(TraceProgress.strokesSinceSync, 0);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(Sim().Boxes().size(), 1u);
}

TEST(RunTraceStep, HandOnTheMouseAtAGroupsLastRunStopsBeforeAnyClick)
{
    SetUpPlan({Group(0, 0, 0, {0}, {3}), Group(9, 9, 9, {5}, {0})});
    TraceOptions.syncOnColourSwitch = 1;
    StartTrace();
    Sim().AdvanceTicks(2500);
    HandOnRelease hand(103, 160);
    Sim().SetListener(&hand);
    RunTraceStep();
    EXPECT_EQ(Sim().Log().back(), "GetTickCount=2500");
    EXPECT_EQ(CountCalls(Sim().Log(), "SetCursorPos"), 3 + 2);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Boxes().empty());
    const size_t after = Sim().Log().size();
    RunTraceStep();
    EXPECT_EQ(Sim().Log().size(), after);
}

TEST(RunTraceStep, HandOnTheMouseAtTheVeryLastRunStillCompletesTheTrace)
{
    SetUpPlan({Group(0, 0, 0, {0}, {3}), Group(9, 9, 9, {5}, {0})});
    TraceOptions.syncOnColourSwitch = 1;
    StartTrace();
    RunTraceStep();
    Sim().AdvanceTicks(65000);
    HandOnRelease hand(105, 160);
    Sim().SetListener(&hand);
    RunTraceStep();
    const CallLog tail = {"GetCursorPos=(105,160)", "GetTickCount=65000", "GetTickCount=65000"};
    ASSERT_GE(Sim().Log().size(), 4u);
    EXPECT_EQ(CallLog(Sim().Log().end() - 4, Sim().Log().end() - 1), tail);
    ASSERT_EQ(Sim().Boxes().size(), 1u);
    EXPECT_EQ(Sim().Boxes()[0], "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : 1\x95\xAA" "5\x95" "b");
    EXPECT_EQ(TraceMode, Mode::Idle);
}

TEST(RunTraceStep, ClearedSliderLinesEndTheTraceBeforeAnythingIsPainted)
{
    SetUpPlan({Group(0, 0, 0, {0, 1}, {0, 0}), Group(9, 9, 9, {5}, {0})});
    StartTrace();
    RunTraceStep();
    ClearSliderLines();
    Sim().ClearLog();
    RunTraceStep();
    EXPECT_TRUE(Sim().Log().empty());
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Boxes().empty());
}

TEST(CompletionReport, ShowsWholeMinutesAndSecondsWithoutHours)
{
    struct Case {
        std::uint32_t elapsedMs;
        const char* text;
    };
    const Case cases[] = {
        {999, "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : 0\x95\xAA" "0\x95" "b"},
        {125999, "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : 2\x95\xAA" "5\x95" "b"},
        {62 * 60000 + 5000, "\x8F\x88\x97\x9D\x8E\x9E\x8A\xD4 : 62\x95\xAA" "5\x95" "b"},
    };
    for (const Case& c : cases) {
        // Started just before the tick count wraps: the difference is unsigned.
        SetUpPlan({Group(1, 2, 3, {0}, {0})});
        Sim().AdvanceTicks(0xFFFFFFFFu - 100u);
        StartTrace();
        Sim().AdvanceTicks(c.elapsedMs);
        RunTraceStep();
        ASSERT_EQ(Sim().Boxes().size(), 1u);
        EXPECT_EQ(Sim().Boxes()[0], c.text);
        EXPECT_EQ(Sim().Log().back(), std::string("MessageBox(") + c.text + "|" +
                                          "\x82\xA8\x82\xED\x82\xE8 - Vellipa)");
    }
}

// The hold leaves out the first edge strip the trace does not reach: the
// destination's runs (one longer under the adjustment) and the slider lines
// up to x0 + scale, which may pass x1.
TEST(CursorHold, LeavesOutAnEdgeStripTheTraceNeverReaches)
{
    struct Case {
        int destX, destY, painterAdjust, greenX0, greenScale, redRow;
        bool held;
        ScreenRect hold;
    };
    const Case cases[] = {
        {100, 100, 0, 19, 201, 15, true, {0, 0, 398, 299}},
        {389, 100, 0, 19, 201, 15, true, {0, 0, 398, 299}},  // runs end on column 398
        {389, 100, 1, 19, 201, 15, true, {1, 0, 399, 299}},  // one longer: column 399
        {100, 100, 0, 198, 201, 15, true, {1, 0, 399, 299}}, // clicks up to 198 + 201
        {100, 280, 1, 0, 399, 15, true, {0, 0, 399, 298}},
        {100, 290, 1, 0, 399, 15, true, {0, 1, 399, 299}},
        {100, 290, 0, 0, 399, 0, false, {0, 0, 0, 0}},  // every edge is reached
    };
    // The same 400 x 300 screen from the origin, and as a virtual screen
    // whose monitors lie left of and above the primary, with everything
    // moved along.
    for (const ScreenPoint o : {ScreenPoint{0, 0}, ScreenPoint{-400, -300}}) {
        for (const Case& c : cases) {
            SetUpPlan({Group(1, 2, 3, {0}, {0})});
            SetScreen(o.x, o.y, 400, 300);
            TraceMode = Mode::Tracing;
            SourceHeight = 10;
            DestPoint = ScreenPoint{o.x + c.destX, o.y + c.destY};
            TraceOptions.painterAdjust = c.painterAdjust;
            Palette.red = SliderLine{o.x + 19, o.y + c.redRow, o.x + 220, o.y + c.redRow};
            Palette.green = SliderLine{o.x + c.greenX0, o.y + 29, o.x + c.greenX0 + 100, o.y + 29};
            Palette.blue = SliderLine{o.x + 19, o.y + 44, o.x + 220, o.y + 44};
            Palette.redScale = Palette.blueScale = 201;
            Palette.greenScale = c.greenScale;
            ScreenRect hold = {0, 0, 0, 0};
            SCOPED_TRACE(testing::Message() << "case at " << c.destX << "," << c.destY << " origin "
                                            << o.x << "," << o.y);
            ASSERT_EQ(TraceCursorHold(hold), c.held);
            if (c.held) {
                EXPECT_EQ(hold.left, o.x + c.hold.left);
                EXPECT_EQ(hold.top, o.y + c.hold.top);
                EXPECT_EQ(hold.right, o.x + c.hold.right);
                EXPECT_EQ(hold.bottom, o.y + c.hold.bottom);
            }
        }
    }
    TraceMode = Mode::Idle;
    ScreenRect hold;
    EXPECT_FALSE(TraceCursorHold(hold));
}

}  // namespace
