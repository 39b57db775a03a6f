/*
 * Whole traces on the simulated painter: a generated picture is planned as
 * the Start command plans it and traced step by step until the trace ends;
 * the canvas must then show, at the destination, exactly the colours the
 * painter's sliders give for the plan's offsets, and nothing elsewhere. A
 * lagging painter is traced with and without the sync options its lag
 * calls for, which shows they matter.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "sim/sim_painter.h"
#include "trace_test_support.h"
#include "ui/selection.h"

namespace {

const int kSourceLeft = 240;
const int kSourceTop = 5;
const int kSourceWidth = 37;
const int kSourceHeight = 23;
const ScreenPoint kDest = {40, 100};

// A picture of horizontal stretches of a few colours. With a background,
// most stretches are of one colour, so that the plan fills rows with it.
// dx moves it, as everything else of a trace, to another monitor.
void DrawPicture(unsigned seed, bool background, int dx = 0)
{
    const Colour colours[] = {0x00FFFFFFu, 0x00000000u, 0x000000FFu, 0x0000FF00u,
                              0x00FF0000u, 0x00336699u, 0x00C08040u, 0x007F7F7Fu};
    std::mt19937 random(seed);
    for (int y = 0; y < kSourceHeight; ++y) {
        int x = 0;
        while (x < kSourceWidth) {
            // Long stretches without a background keep every colour's runs
            // fewer than the rows, so that no row is filled.
            const int stretch = background ? 1 + static_cast<int>(random() % 6)
                                           : 3 + static_cast<int>(random() % 12);
            const bool useBackground = background && random() % 3 != 0;
            const Colour colour = useBackground ? colours[6] : colours[random() % 8];
            for (int i = 0; i < stretch && x < kSourceWidth; ++i, ++x)
                Sim().SetPixel(kSourceLeft + dx + x, kSourceTop + y, colour);
        }
    }
}

// Black stretches on white, white at the top-left corner: with
// TransparentTopLeft the plan is one black group, the painter's colour from
// the start, so the slider clicks cannot matter.
void DrawBlackOnWhite(unsigned seed)
{
    std::mt19937 random(seed);
    for (int y = 0; y < kSourceHeight; ++y)
        for (int x = 0; x < kSourceWidth; ++x)
            Sim().SetPixel(kSourceLeft + x, kSourceTop + y,
                           random() % 3 == 0 ? 0x00000000u : 0x00FFFFFFu);
    Sim().SetPixel(kSourceLeft, kSourceTop, 0x00FFFFFFu);
}

struct TraceSetUp {
    StrokeEnd end;
    int painterAdjust;
    int paintLagReads;
    int syncOnColourSwitch;
    int syncEveryPixel;
    int transparentTopLeft;
};

// A destination where the copy crosses the 400 x 300 screen's right and
// bottom edges (20 of its columns and 15 of its rows on the screen), for a
// painter whose canvas reaches past both.
const ScreenPoint kDestAtTheCorner = {380, 285};

SimPainterLayout CanvasPastTheEdges()
{
    SimPainterLayout layout = StandardPainterLayout();
    layout.canvasRight = 499;
    layout.canvasBottom = 399;
    return layout;
}

// With monitors, the desktop has them, and the picture, the painter and
// the destination are moved by dx columns onto one of them.
class WholeTrace {
public:
    WholeTrace(const TraceSetUp& setUp, unsigned seed, bool background, ScreenPoint dest = kDest,
               const SimPainterLayout& layout = StandardPainterLayout(),
               const std::vector<MonitorArea>& monitors = {}, int dx = 0)
        : dx_(dx), dest_{dest.x + dx, dest.y}, layout_(ShiftedPainterLayout(layout, dx, 0))
    {
        ResetTrace(0);
        if (!monitors.empty())
            Sim().ResetMonitors(monitors);
        TraceMode = Mode::Idle;
        painter_.reset(new SimPainter(layout_, setUp.end));
        painter_->SetPaintLag(setUp.paintLagReads, 0);
        DrawPicture(seed, background, dx_);
        FreezeScreen(true);
        DetectPalette(10 + dx_, 5, 229 + dx_, 54, setUp.painterAdjust != 0);
        SourceRect = ScreenRect{kSourceLeft + dx_, kSourceTop, kSourceLeft + dx_ + kSourceWidth - 1,
                                kSourceTop + kSourceHeight - 1};
        DestPoint = dest_;
        TraceOptions = TraceOptionsRecord{setUp.syncOnColourSwitch, 0, setUp.painterAdjust,
                                          setUp.syncEveryPixel, 1, setUp.transparentTopLeft};
        transparent_ = setUp.transparentTopLeft != 0;
    }

    // The Start command's build and start, then idle steps until Idle.
    void Run()
    {
        BuildColourGroups();
        StartTrace();
        for (int step = 0; step < 100000 && TraceMode == Mode::Tracing; ++step)
            RunTraceStep();
        painter_->Flush();   // the painter catches up once the trace is over
    }

    // What the painter's sliders give for a source pixel's offsets.
    Colour Expected(int column, int row) const
    {
        const Colour source = Sim().SourcePixel(kSourceLeft + dx_ + column, kSourceTop + row);
        if (transparent_ && source == Sim().SourcePixel(kSourceLeft + dx_, kSourceTop))
            return StandardPainterLayout().canvasColour;
        return painter_->ColourSelectedAt(
            Palette.red.left + RedOf(source) * Palette.redScale / 255,
            Palette.green.left + GreenOf(source) * Palette.greenScale / 255,
            Palette.blue.left + BlueOf(source) * Palette.blueScale / 255);
    }

    SimPainter& Painter() { return *painter_; }

    // Canvas pixels on the screen that differ from what the trace should
    // have painted; outside the destination the canvas must stay blank.
    int WrongPixels() const
    {
        int wrong = 0;
        for (int y = layout_.canvasTop; y <= layout_.canvasBottom; ++y)
            for (int x = layout_.canvasLeft; x <= layout_.canvasRight; ++x) {
                if (!Sim().Shown(x, y))
                    continue;
                const int column = x - dest_.x;
                const int row = y - dest_.y;
                const bool inside =
                    column >= 0 && column < kSourceWidth && row >= 0 && row < kSourceHeight;
                const Colour want = inside ? Expected(column, row) : layout_.canvasColour;
                wrong += Sim().Pixel(x, y) != want ? 1 : 0;
            }
        return wrong;
    }

private:
    int dx_;
    ScreenPoint dest_;
    SimPainterLayout layout_;
    std::unique_ptr<SimPainter> painter_;
    bool transparent_ = false;
};

TEST(WholeTrace, ReproducesThePictureOnBothKindsOfPainter)
{
    const TraceSetUp setUps[] = {
        {StrokeEnd::Included, 0, 0, 0, 0, 0},
        {StrokeEnd::Excluded, 1, 0, 0, 0, 0},
        {StrokeEnd::Included, 0, 0, 0, 0, 1},
        {StrokeEnd::Excluded, 1, 0, 0, 0, 1},
    };
    for (const TraceSetUp& setUp : setUps) {
        for (bool background : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "adjust " << setUp.painterAdjust << " transparent "
                                              << setUp.transparentTopLeft << " background "
                                              << background);
            WholeTrace trace(setUp, 11, background);
            trace.Run();
            ASSERT_TRUE(PaletteFound());
            EXPECT_EQ(RowFillFirst, background && setUp.transparentTopLeft == 0);
            EXPECT_EQ(trace.WrongPixels(), 0);
            EXPECT_EQ(Sim().Boxes().size(), 1u);
        }
    }
}

// Picture, painter and destination on a monitor left of the primary: every
// column the trace reads, clicks and paints is negative.
TEST(WholeTrace, ReproducesThePictureOnAMonitorLeftOfThePrimary)
{
    const std::vector<MonitorArea> monitors = {{0, 0, 320, 240}, {-400, 0, 0, 300}};
    for (const TraceSetUp& setUp : {TraceSetUp{StrokeEnd::Included, 0, 0, 0, 0, 0},
                                    TraceSetUp{StrokeEnd::Excluded, 1, 6, 1, 0, 0}}) {
        SCOPED_TRACE(setUp.painterAdjust);
        WholeTrace trace(setUp, 11, true, kDest, StandardPainterLayout(), monitors, -400);
        trace.Run();
        ASSERT_TRUE(PaletteFound());
        EXPECT_LT(Palette.green.right, 0);
        EXPECT_EQ(trace.WrongPixels(), 0);
        EXPECT_EQ(Sim().Boxes().size(), 1u);
    }
}

// The simulated system pins a cursor set off the screen to the nearest
// monitor's edge, as a real one does: only a trace that sends nothing off
// the screen paints the part of the copy on the screen exactly, its last
// column included. Off the screen is past its edges, and on a desktop of
// two monitors also the gap below the shorter one: there a copy that
// crosses from the primary onto it comes out exact on both monitors.
TEST(WholeTrace, CopyAcrossTheScreensCornerPaintsExactlyTheOnScreenPart)
{
    const TraceSetUp setUps[] = {
        {StrokeEnd::Included, 0, 0, 0, 0, 0},
        {StrokeEnd::Excluded, 1, 0, 0, 0, 0},
        {StrokeEnd::Excluded, 1, 6, 1, 0, 0},
        {StrokeEnd::Included, 0, 6, 0, 1, 1},
    };
    SimPainterLayout acrossTheGap = StandardPainterLayout();
    acrossTheGap.canvasRight = 579;
    const std::vector<MonitorArea> gapBelowTheRight = {{0, 0, 400, 300}, {400, 0, 600, 200}};
    for (const TraceSetUp& setUp : setUps) {
        for (bool background : {false, true}) {
            for (bool monitors : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "adjust " << setUp.painterAdjust << " lag "
                                                  << setUp.paintLagReads << " background "
                                                  << background << " monitors " << monitors);
                // The copy's columns 380..416 and rows 190..212 cross both
                // the monitors' edge and the gap's top.
                WholeTrace trace = monitors ? WholeTrace(setUp, 11, background, {380, 190},
                                                         acrossTheGap, gapBelowTheRight)
                                            : WholeTrace(setUp, 11, background, kDestAtTheCorner,
                                                         CanvasPastTheEdges());
                trace.Run();
                EXPECT_EQ(trace.WrongPixels(), 0);
                EXPECT_EQ(Sim().Boxes().size(), 1u);
                int offScreen = 0, strokes = 0, onTheRight = 0;
                for (const std::string& line : Sim().Log()) {
                    int x = 0, y = 0;
                    if (std::sscanf(line.c_str(), "SetCursorPos(%d,%d)", &x, &y) != 2)
                        continue;
                    offScreen += !Sim().Shown(x, y);
                    strokes += y >= 70;
                    onTheRight += y >= 70 && x >= 400;
                }
                EXPECT_EQ(offScreen, 0);
                EXPECT_GT(strokes, 0);
                EXPECT_EQ(onTheRight > 0, monitors);
            }
        }
    }
}

// PainterAdjust is what makes an end-excluding painter come out right.
TEST(WholeTrace, EndExcludingPainterWithoutPainterAdjustLosesTheLastColumns)
{
    WholeTrace trace({StrokeEnd::Excluded, 0, 0, 0, 0, 0}, 11, true);
    trace.Run();
    EXPECT_GT(trace.WrongPixels(), kSourceHeight);
}

TEST(WholeTrace, LaggingPainterIsReproducedWhenEachColourIsSyncedBeforeTheSwitch)
{
    const TraceSetUp setUps[] = {
        {StrokeEnd::Included, 0, 6, 1, 0, 0},
        {StrokeEnd::Excluded, 1, 6, 1, 0, 0},
        {StrokeEnd::Included, 0, 6, 0, 1, 0},
        {StrokeEnd::Excluded, 1, 6, 0, 1, 0},
    };
    for (const TraceSetUp& setUp : setUps) {
        for (bool background : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "adjust " << setUp.painterAdjust << " every pixel "
                                              << setUp.syncEveryPixel << " background "
                                              << background);
            WholeTrace trace(setUp, 29, background);
            trace.Run();
            EXPECT_EQ(trace.WrongPixels(), 0);
            EXPECT_EQ(Sim().Boxes().size(), 1u);
        }
    }
}

TEST(WholeTrace, LaggingPainterRecoloursRunsWhenTheSyncOptionsAreOff)
{
    for (StrokeEnd end : {StrokeEnd::Included, StrokeEnd::Excluded}) {
        const int adjust = end == StrokeEnd::Excluded ? 1 : 0;
        WholeTrace trace({end, adjust, 6, 0, 0, 0}, 29, false);
        trace.Run();
        EXPECT_GT(trace.WrongPixels(), 0);
        // The trace itself went through to its end.
        EXPECT_EQ(Sim().Boxes().size(), 1u);
    }
}

TEST(WholeTrace, UserTakingTheMouseStopsTheTraceAtTheColourSwitchWithoutABox)
{
    WholeTrace trace({StrokeEnd::Included, 0, 0, 1, 0, 0}, 11, false);
    BuildColourGroups();
    ASSERT_GE(ColourGroupList.size(), 2u);
    StartTrace();
    Sim().AdvanceTicks(5000);
    // The user holds the mouse from now on: the strokes go astray, and the
    // sync on the first group's last run sees the cursor off its row.
    trace.Painter().HoldHandAfterCalls(1, 300, 280);
    const int clicksAndStrokes = CountCalls(Sim().Log(), "LeftDown");
    for (int step = 0; step < 100000 && TraceMode == Mode::Tracing; ++step)
        RunTraceStep();
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(Sim().Boxes().empty());
    EXPECT_EQ(CountCalls(Sim().Log(), "LeftDown") - clicksAndStrokes, ColourGroupList[0].runCount);
    EXPECT_EQ(Sim().Log().back().compare(0, 13, "GetTickCount="), 0);
    EXPECT_GT(trace.WrongPixels(), 0);
}

// A slider click has no cursor poll, so under a lagging cursor it can land
// at the old point; this picture needs no click to take effect. The strokes
// land on their runs only when every cursor move is waited for.
TEST(WholeTrace, LaggingCursorIsReproducedOnlyWhenCursorMovesAreSynced)
{
    for (int syncOnMouseMove : {1, 0}) {
        WholeTrace trace({StrokeEnd::Excluded, 1, 0, 0, 0, 1}, 5, false);
        DrawBlackOnWhite(5);
        FreezeScreen(true);
        TraceOptions.syncOnMouseMove = syncOnMouseMove;
        Sim().SetCursorLag(2, 3);
        trace.Run();
        SCOPED_TRACE(syncOnMouseMove);
        ASSERT_EQ(ColourGroupList.size(), 1u);
        if (syncOnMouseMove)
            EXPECT_EQ(trace.WrongPixels(), 0);
        else
            EXPECT_GT(trace.WrongPixels(), 0);
    }
}

}  // namespace
