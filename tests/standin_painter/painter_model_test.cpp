/*
 * The stand-in painter against what Vellipa does to it: its bars, as drawn,
 * are found by the slider detection, and every channel byte clicked on the
 * measured lines selects the value the painter documents (exactly the byte
 * with the adjustment on). Then the drag rule, stroke by stroke.
 */
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/painter_contract.h"
#include "painter_model.h"
#include "palette/palette.h"
#include "sample_picture.h"
#include "sim/sim_desktop.h"

namespace {

using standin::PainterOptions;
using standin::PainterState;
using standin::Rect;
using standin::Stroke;

// Where the client area's top-left corner stands on the simulated screen.
const int kClientX = 37;
const int kClientY = 21;

Colour FromDib(std::uint32_t p)
{
    return MakeColour(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                      static_cast<int>(p & 0xFF));
}

// Puts the painter's client picture on a fresh simulated screen.
void ShowOnSimScreen(const PainterState& painter)
{
    const standin::PainterLayout& layout = painter.layout;
    std::vector<std::uint32_t> pixels;
    standin::RenderClient(painter,
                          standin::MakeSamplePicture(painter.options.sampleWidth,
                                                     painter.options.sampleHeight),
                          pixels);
    Sim().Reset(kClientX + layout.clientWidth + 50, kClientY + layout.clientHeight + 50, 0);
    for (int y = 0; y < layout.clientHeight; ++y)
        for (int x = 0; x < layout.clientWidth; ++x)
            Sim().SetPixel(kClientX + x, kClientY + y, FromDib(pixels[y * layout.clientWidth + x]));
}

void DetectOnSimScreen(const PainterState& painter, bool painterAdjust)
{
    const Rect& drag = painter.layout.paletteDrag;
    FreezeScreen(false);
    DetectPalette(kClientX + drag.left, kClientY + drag.top, kClientX + drag.right,
                  kClientY + drag.bottom, painterAdjust);
}

// What the painter's channel becomes when Vellipa clicks byte c on a line.
int ClickByte(PainterState& painter, const SliderLine& line, ChannelScale scale, int channel, int c)
{
    const int offset = c * scale / 255;
    painter.channels[channel] = -1;
    standin::PressAt(painter, line.left + offset - kClientX, line.top - kClientY);
    return painter.channels[channel];
}

// The value the documented mapping gives without the adjustment, for the
// default 255-column bars.
int UnadjustedValue(int c)
{
    if (c == 0)
        return 0;
    return c <= 127 ? c - 1 : c;
}

TEST(StandinSliders, DetectedLinesReproduceEveryByteWithAdjustment)
{
    PainterState painter;
    standin::ResetPainter(painter, PainterOptions());
    ShowOnSimScreen(painter);
    for (bool adjust : {true, false}) {
        SCOPED_TRACE(adjust ? "with adjustment" : "without adjustment");
        DetectOnSimScreen(painter, adjust);
        ASSERT_TRUE(PaletteFound());
        const int barLeft = kClientX + painter.layout.bars[standin::kRed].left;
        EXPECT_EQ(Palette.green.left, adjust ? barLeft : barLeft - 1);
        EXPECT_EQ(Palette.redScale, adjust ? 255 : 257);
        const SliderLine lines[3] = {Palette.red, Palette.green, Palette.blue};
        const ChannelScale scales[3] = {Palette.redScale, Palette.greenScale, Palette.blueScale};
        for (int channel = standin::kRed; channel <= standin::kBlue; ++channel) {
            for (int c = 0; c <= 255; ++c) {
                const int value = ClickByte(painter, lines[channel], scales[channel], channel, c);
                ASSERT_EQ(value, adjust ? c : UnadjustedValue(c))
                    << "channel " << channel << " byte " << c;
            }
        }
    }
}

TEST(StandinSliders, OtherBarWidthsAreFoundAndReachBothEnds)
{
    for (int width : {standin::kMinBarWidth, 9, 100, 256, standin::kMaxBarWidth}) {
        SCOPED_TRACE(width);
        PainterOptions options;
        options.barWidth = width;
        PainterState painter;
        standin::ResetPainter(painter, options);
        ShowOnSimScreen(painter);
        for (bool adjust : {true, false}) {
            DetectOnSimScreen(painter, adjust);
            ASSERT_TRUE(PaletteFound());
            EXPECT_EQ(Palette.blueScale, adjust ? width : width + 2);
            EXPECT_EQ(ClickByte(painter, Palette.blue, Palette.blueScale, standin::kBlue, 0), 0);
            EXPECT_EQ(ClickByte(painter, Palette.blue, Palette.blueScale, standin::kBlue, 255), 255);
        }
    }
}

TEST(StandinSliders, MappingRoundsAndClampsOutsideTheBar)
{
    EXPECT_EQ(standin::SliderValueAt(-2, 255), 0);
    EXPECT_EQ(standin::SliderValueAt(256, 255), 255);
    EXPECT_EQ(standin::SliderValueAt(1, 100), 3);    // 2.55 rounds up
    EXPECT_EQ(standin::SliderValueAt(50, 100), 128); // 127.5 rounds up
    EXPECT_EQ(standin::SliderValueAt(99, 100), 252);
    EXPECT_EQ(standin::SliderValueAt(100, 100), 255);
}

// A painter with its colour set through presses on its own bars.
PainterState PainterWithColour(bool paintRelease, int r, int g, int b, bool paintPath = false)
{
    PainterOptions options;
    options.paintReleasePixel = paintRelease;
    options.paintPath = paintPath;
    options.canvasWidth = 40;
    options.canvasHeight = 20;
    PainterState painter;
    standin::ResetPainter(painter, options);
    const int values[3] = {r, g, b};
    for (int channel = standin::kRed; channel <= standin::kBlue; ++channel) {
        const Rect& bar = painter.layout.bars[channel];
        standin::PressAt(painter, bar.left + values[channel], bar.top + 4);
    }
    return painter;
}

// Drags on the canvas between two canvas points and paints the stroke.
void Drag(PainterState& painter, int x0, int y0, int x1, int y1)
{
    const Rect& canvas = painter.layout.canvas;
    standin::PressAt(painter, canvas.left + x0, canvas.top + y0);
    Stroke stroke;
    ASSERT_TRUE(standin::ReleaseAt(painter, canvas.left + x1, canvas.top + y1, stroke));
    standin::PaintStroke(painter.canvas, 40, 20, stroke);
}

// A drag through canvas points: the press at the first, a move to each
// one between, the release at the last; paints every piece the painter
// gives.
void DragThrough(PainterState& painter, const std::vector<standin::CanvasPoint>& points)
{
    const Rect& canvas = painter.layout.canvas;
    standin::PressAt(painter, canvas.left + points.front().x, canvas.top + points.front().y);
    Stroke piece;
    for (size_t i = 1; i + 1 < points.size(); ++i)
        if (standin::MoveAt(painter, canvas.left + points[i].x, canvas.top + points[i].y, piece))
            standin::PaintStroke(painter.canvas, 40, 20, piece);
    ASSERT_TRUE(standin::ReleaseAt(painter, canvas.left + points.back().x,
                                   canvas.top + points.back().y, piece));
    standin::PaintStroke(painter.canvas, 40, 20, piece);
}

// The painted pixels of one canvas row, as a string: '#' painted, '.' white.
std::string Row(const PainterState& painter, int y)
{
    std::string row;
    for (int x = 0; x < 40; ++x)
        row += painter.canvas[y * 40 + x] == standin::kCanvasWhite ? '.' : '#';
    return row;
}

// A canvas row with columns first..last painted (first > last: none).
std::string Marks(int first, int last)
{
    std::string row(40, '.');
    for (int x = first; x <= last; ++x)
        row[x] = '#';
    return row;
}

TEST(StandinDrags, RowDragPaintsOrSkipsTheReleasePixel)
{
    for (bool paintRelease : {false, true}) {
        SCOPED_TRACE(paintRelease ? "end-including" : "end-excluding");
        PainterState painter = PainterWithColour(paintRelease, 10, 20, 30);
        Drag(painter, 2, 3, 7, 3);   // left to right
        Drag(painter, 7, 5, 2, 5);   // right to left: the release is column 2
        Drag(painter, 9, 8, 9, 8);   // press and release on one pixel
        Drag(painter, 0, 9, 39, 9);  // the whole row
        EXPECT_EQ(Row(painter, 3), paintRelease ? Marks(2, 7) : Marks(2, 6));
        EXPECT_EQ(Row(painter, 5), paintRelease ? Marks(2, 7) : Marks(3, 7));
        EXPECT_EQ(Row(painter, 8), Marks(9, 9));
        EXPECT_EQ(Row(painter, 9), paintRelease ? Marks(0, 39) : Marks(0, 38));
        EXPECT_EQ(Row(painter, 4), Marks(1, 0));
        EXPECT_EQ(painter.canvas[3 * 40 + 2], MakeColour(10, 20, 30));
    }
}

// Vellipa's stroke (press, a move to the release point, release) paints on
// a path painter what it paints on a straight one; other paths bend.
TEST(StandinDrags, PathPainterPaintsWhereThePointerWent)
{
    for (bool paintRelease : {false, true}) {
        SCOPED_TRACE(paintRelease ? "end-including" : "end-excluding");
        PainterState painter = PainterWithColour(paintRelease, 10, 20, 30, true);
        DragThrough(painter, {{2, 3}, {7, 3}, {7, 3}});
        DragThrough(painter, {{7, 5}, {2, 5}, {2, 5}});
        DragThrough(painter, {{9, 8}, {9, 8}});
        DragThrough(painter, {{9, 9}, {9, 9}, {9, 9}});
        // Along row 11 to column 6, down to row 13, back to column 3.
        DragThrough(painter, {{2, 11}, {6, 11}, {6, 13}, {3, 13}});
        // The moves, not the release point, make the line.
        DragThrough(painter, {{20, 15}, {30, 15}, {25, 15}});
        EXPECT_EQ(Row(painter, 3), paintRelease ? Marks(2, 7) : Marks(2, 6));
        EXPECT_EQ(Row(painter, 5), paintRelease ? Marks(2, 7) : Marks(3, 7));
        EXPECT_EQ(Row(painter, 8), Marks(9, 9));
        EXPECT_EQ(Row(painter, 9), Marks(9, 9));
        EXPECT_EQ(Row(painter, 11), Marks(2, 6));
        EXPECT_EQ(Row(painter, 12), Marks(6, 6));
        EXPECT_EQ(Row(painter, 13), paintRelease ? Marks(3, 6) : Marks(4, 6));
        EXPECT_EQ(Row(painter, 15), Marks(20, 30));
    }
    // Moves paint nothing without a drag, or on the straight-line painter.
    PainterState straight = PainterWithColour(false, 0, 0, 0);
    PainterState path = PainterWithColour(false, 0, 0, 0, true);
    Stroke piece;
    EXPECT_FALSE(standin::MoveAt(path, path.layout.canvas.left + 5, path.layout.canvas.top, piece));
    standin::PressAt(straight, straight.layout.canvas.left, straight.layout.canvas.top);
    EXPECT_FALSE(standin::MoveAt(straight, straight.layout.canvas.left + 5,
                                 straight.layout.canvas.top, piece));
}

TEST(StandinDrags, DragAcrossRowsIsAConnectedLine)
{
    PainterState painter = PainterWithColour(true, 0, 0, 0);
    Drag(painter, 1, 2, 13, 6);
    int painted = 0;
    for (Colour c : painter.canvas)
        painted += c != standin::kCanvasWhite ? 1 : 0;
    EXPECT_EQ(painted, 13);  // one pixel per column of the longer extent
    for (int y = 2; y <= 6; ++y)
        EXPECT_NE(Row(painter, y).find('#'), std::string::npos) << "row " << y;
    EXPECT_EQ(Row(painter, 2)[1], '#');
    EXPECT_EQ(Row(painter, 6)[13], '#');
}

TEST(StandinDrags, OnlyPressesOnTheCanvasStartADrag)
{
    PainterState painter = PainterWithColour(true, 5, 5, 5);
    const Rect& canvas = painter.layout.canvas;
    Stroke stroke;
    // A press beside the canvas, then a release on it.
    standin::PressAt(painter, canvas.left - 2, canvas.top + 3);
    EXPECT_FALSE(standin::ReleaseAt(painter, canvas.left + 5, canvas.top + 3, stroke));
    // A press on a bar does not start one either, and sets the channel.
    standin::PressAt(painter, painter.layout.bars[standin::kGreen].left + 200,
                     painter.layout.bars[standin::kGreen].top);
    EXPECT_EQ(painter.channels[standin::kGreen], 200);
    EXPECT_FALSE(standin::ReleaseAt(painter, canvas.left + 5, canvas.top + 3, stroke));
    // A drag takes the colour current at its press, and ends once.
    standin::PressAt(painter, canvas.left + 1, canvas.top + 1);
    standin::PressAt(painter, painter.layout.bars[standin::kRed].left + 99,
                     painter.layout.bars[standin::kRed].bottom);
    ASSERT_TRUE(standin::ReleaseAt(painter, canvas.left + 4, canvas.top + 1, stroke));
    EXPECT_EQ(stroke.colour, MakeColour(5, 200, 5));
    EXPECT_FALSE(standin::ReleaseAt(painter, canvas.left + 4, canvas.top + 1, stroke));
}

TEST(StandinDrags, StrokesLeavingTheCanvasAreClipped)
{
    PainterState painter = PainterWithColour(true, 1, 2, 3);
    Drag(painter, 35, 19, 60, 19);
    Drag(painter, 3, 0, -5, 0);
    Drag(painter, 20, 10, 20, 40);
    std::string lastRow = Marks(35, 39);
    lastRow[20] = '#';
    EXPECT_EQ(Row(painter, 19), lastRow);
    EXPECT_EQ(Row(painter, 0), Marks(0, 3));
    EXPECT_EQ(Row(painter, 15), Marks(20, 20));
}

TEST(StandinRender, ClientShowsBarsSwatchSampleAndCanvas)
{
    PainterState painter = PainterWithColour(false, 90, 80, 70);
    Drag(painter, 0, 0, 3, 0);
    std::vector<Colour> sample =
        standin::MakeSamplePicture(painter.options.sampleWidth, painter.options.sampleHeight);
    std::vector<std::uint32_t> pixels;
    standin::RenderClient(painter, sample, pixels);
    const standin::PainterLayout& l = painter.layout;
    auto at = [&](int x, int y) { return FromDib(pixels[y * l.clientWidth + x]); };
    EXPECT_EQ(at(l.bars[standin::kRed].right, l.bars[standin::kRed].bottom), kRedBarColour);
    EXPECT_EQ(at(l.bars[standin::kGreen].left, l.bars[standin::kGreen].top), kGreenBarColour);
    EXPECT_EQ(at(l.bars[standin::kBlue].left, l.bars[standin::kBlue].bottom), kBlueBarColour);
    EXPECT_NE(at(l.bars[standin::kGreen].right + 1, l.bars[standin::kGreen].top), kGreenBarColour);
    EXPECT_EQ(at(l.swatch.left, l.swatch.top), MakeColour(90, 80, 70));
    EXPECT_EQ(at(l.sample.right, l.sample.bottom), sample.back());
    EXPECT_EQ(at(l.canvas.left + 2, l.canvas.top), MakeColour(90, 80, 70));
    EXPECT_EQ(at(l.canvas.left + 3, l.canvas.top), standin::kCanvasWhite);
}

}  // namespace
