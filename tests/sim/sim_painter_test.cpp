/*
 * The simulated painter must keep the contract a real painter keeps with
 * the program (bars the detection finds, a slider that selects by column,
 * drags that paint their row) and lag the way the trace has to cope with.
 */
#include <gtest/gtest.h>

#include "app/painter_contract.h"
#include "palette/palette.h"
#include "sim/sim_painter.h"

namespace {

void Click(int x, int y)
{
    Sim().MoveCursorByHand(x, y);
    PressLeftButton();
    ReleaseLeftButton();
}

void Drag(ScreenPoint from, ScreenPoint to)
{
    Sim().MoveCursorByHand(from.x, from.y);
    PressLeftButton();
    Sim().MoveCursorByHand(to.x, to.y);
    ReleaseLeftButton();
}

TEST(SimPainter, DetectionFindsItsBarsWithAndWithoutPainterAdjust)
{
    Sim().Reset(400, 300);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    EXPECT_EQ(Sim().Pixel(20, 10), kRedBarColour);
    EXPECT_EQ(Sim().Pixel(219, 34), kGreenBarColour);
    EXPECT_EQ(Sim().Pixel(100, 49), kBlueBarColour);

    FreezeScreen(false);
    DetectPalette(10, 5, 229, 54, false);
    ASSERT_TRUE(PaletteFound());
    EXPECT_EQ(Palette.green.left, 19);
    EXPECT_EQ(Palette.green.right, 220);
    EXPECT_EQ(Palette.greenScale, 202);
    // Every click row lies inside its own bar.
    EXPECT_EQ(Sim().Pixel(100, Palette.red.top), kRedBarColour);
    EXPECT_EQ(Sim().Pixel(100, Palette.green.top), kGreenBarColour);
    EXPECT_EQ(Sim().Pixel(100, Palette.blue.top), kBlueBarColour);

    DetectPalette(10, 5, 229, 54, true);
    EXPECT_EQ(Palette.green.left, 20);
    EXPECT_EQ(Palette.greenScale, 200);
}

TEST(SimPainter, SliderSelectsByColumnWithinItsMargin)
{
    Sim().Reset(400, 300);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    EXPECT_EQ(painter.ChannelValueAt(20), 0);
    EXPECT_EQ(painter.ChannelValueAt(18), 0);
    EXPECT_EQ(painter.ChannelValueAt(219), 255);
    EXPECT_EQ(painter.ChannelValueAt(221), 255);
    EXPECT_EQ(painter.ChannelValueAt(120), 100 * 255 / 199);

    Click(219, 12);    // red bar, last column
    Click(120, 30);    // green bar
    Click(221, 45);    // blue bar, in the right margin
    EXPECT_EQ(painter.CurrentColour(), MakeColour(255, 128, 255));
    Click(222, 15);    // beyond the margin: no bar
    Click(17, 30);     // left of the margin
    Click(120, 22);    // between two bars
    EXPECT_EQ(painter.CurrentColour(), MakeColour(255, 128, 255));
}

TEST(SimPainter, DragPaintsItsLineIncludingOrExcludingTheReleasePixel)
{
    Sim().Reset(400, 300);
    {
        SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
        Drag({100, 100}, {103, 100});
        Drag({110, 100}, {110, 100});
        Drag({130, 100}, {127, 100});   // right to left
    }
    EXPECT_EQ(Sim().Pixel(99, 100), 0x00FFFFFFu);
    for (int x = 100; x <= 103; ++x)
        EXPECT_EQ(Sim().Pixel(x, 100), 0u) << x;
    EXPECT_EQ(Sim().Pixel(104, 100), 0x00FFFFFFu);
    EXPECT_EQ(Sim().Pixel(110, 100), 0u);
    EXPECT_EQ(Sim().Pixel(127, 100), 0u);

    Sim().Reset(400, 300);
    {
        SimPainter painter(StandardPainterLayout(), StrokeEnd::Excluded);
        Drag({100, 100}, {103, 100});
        Drag({110, 100}, {110, 100});
    }
    EXPECT_EQ(Sim().Pixel(102, 100), 0u);
    EXPECT_EQ(Sim().Pixel(103, 100), 0x00FFFFFFu);
    EXPECT_EQ(Sim().Pixel(110, 100), 0x00FFFFFFu);
}

TEST(SimPainter, DragIsClippedToTheCanvasAndNeedsAPressOnIt)
{
    Sim().Reset(400, 300, 0x00808080u);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    Drag({375, 100}, {390, 100});
    EXPECT_EQ(Sim().Pixel(379, 100), 0u);
    EXPECT_EQ(Sim().Pixel(380, 100), 0x00808080u);
    Drag({5, 100}, {30, 100});   // pressed off the canvas
    EXPECT_EQ(Sim().Pixel(25, 100), 0x00FFFFFFu);
    Drag({100, 200}, {104, 210});   // a slanted drag paints a slanted line
    EXPECT_EQ(Sim().Pixel(100, 200), 0u);
    EXPECT_EQ(Sim().Pixel(104, 210), 0u);
    EXPECT_EQ(Sim().Pixel(104, 200), 0x00FFFFFFu);
}

TEST(SimPainter, LaggingCanvasShowsADragLateInTheColourThenCurrent)
{
    Sim().Reset(400, 300);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    painter.SetPaintLag(3, 0);
    Drag({100, 100}, {105, 100});
    EXPECT_EQ(ReadScreenPixel(100, 100), 0x00FFFFFFu);
    Click(219, 12);   // red, before the canvas has caught up
    EXPECT_EQ(ReadCursorPosition().x, 219);
    EXPECT_EQ(ReadScreenPixel(100, 100), 0x00FFFFFFu);
    EXPECT_EQ(painter.PendingDrags(), 0);
    EXPECT_EQ(ReadScreenPixel(100, 100), MakeColour(255, 0, 0));

    painter.SetPaintLag(0, 10);
    Drag({100, 110}, {105, 110});
    SleepMilliseconds(9);
    EXPECT_EQ(Sim().Pixel(100, 110), 0x00FFFFFFu);
    SleepMilliseconds(1);
    EXPECT_EQ(Sim().Pixel(100, 110), MakeColour(255, 0, 0));

    Drag({100, 120}, {105, 120});
    EXPECT_EQ(painter.PendingDrags(), 1);
    painter.Flush();
    EXPECT_EQ(Sim().Pixel(105, 120), MakeColour(255, 0, 0));
    EXPECT_EQ(painter.DragsShown(), 3);
}

TEST(SimPainter, HandMovesTheCursorAfterTheScriptedCalls)
{
    Sim().Reset(400, 300);
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    painter.MoveHandAfterCalls(2, 300, 250);
    SetCursorPosition(10, 10);
    EXPECT_EQ(ReadCursorPosition().x, 10);
    EXPECT_EQ(ReadCursorPosition().x, 300);
}

}  // namespace
