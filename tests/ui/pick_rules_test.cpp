/*
 * The overlay's plain rules: drags normalised into inclusive rectangles,
 * what a press and a release do in each pick mode, the coordinate label's
 * text and where it stands.
 */
#include <gtest/gtest.h>

#include <string>

#include "app/screen.h"
#include "app/text_buffer.h"
#include "palette/palette.h"
#include "sim/sim_desktop.h"
#include "sim/sim_painter.h"
#include "ui/pick_rules.h"
#include "ui/selection.h"
#include "ui/status_lines.h"
#include "ui/trace_mode.h"

namespace {

class PickRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sim().Reset(400, 300);
        ScreenWidth = 400;
        ScreenHeight = 300;
        SourceRect = ScreenRect{0, 0, 0, 0};
        DestPoint = ScreenPoint{0, 0};
        ClearSliderLines();
        DragAnchorSet = 0;
    }
    void TearDown() override { TraceMode = Mode::Idle; }

    // One pick gesture as the overlay handles it: press, then release.
    void Drag(Mode mode, ScreenPoint from, ScreenPoint to)
    {
        TraceMode = mode;
        DragAnchorSet = 0;
        RecordDragPress(from);
        ApplyDragRelease(to, false);
    }
};

bool operator==(const ScreenRect& a, const ScreenRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(PickRules, DragInEveryDirectionGivesTheSameInclusiveRectangle)
{
    const ScreenRect expected = {10, 20, 30, 50};
    const ScreenPoint corners[][2] = {
        {{10, 20}, {30, 50}}, {{30, 50}, {10, 20}}, {{30, 20}, {10, 50}}, {{10, 50}, {30, 20}}};
    for (const auto& c : corners) {
        Drag(Mode::PickSource, c[0], c[1]);
        EXPECT_TRUE(SourceRect == expected) << c[0].x << "," << c[0].y << " to " << c[1].x << ","
                                            << c[1].y;
    }
}

TEST_F(PickRules, ClickWithoutDragGivesOnePixel)
{
    Drag(Mode::PickSource, {7, 8}, {7, 8});
    EXPECT_TRUE(SourceRect == (ScreenRect{7, 8, 7, 8}));
    EXPECT_EQ(std::string(TextBuffer, FormatPickLabel(7, 8)), " (7,8)-(7,8) 1x1 ");
}

TEST_F(PickRules, OnlyTheFirstPressOfAPickAnchorsTheDrag)
{
    TraceMode = Mode::PickSource;
    RecordDragPress({5, 5});
    RecordDragPress({50, 60});
    ApplyDragRelease({9, 9}, false);
    EXPECT_TRUE(SourceRect == (ScreenRect{5, 5, 9, 9}));
    // The anchor stays set after the drag, until the next pick clears it.
    EXPECT_EQ(DragAnchorSet, 1);
}

TEST_F(PickRules, ReleaseWithoutPressSetsNothing)
{
    SourceRect = ScreenRect{1, 2, 3, 4};
    TraceMode = Mode::PickSource;
    ApplyDragRelease({100, 100}, false);
    EXPECT_TRUE(SourceRect == (ScreenRect{1, 2, 3, 4}));
}

TEST_F(PickRules, DestinationPickSetsNoRectangleOnRelease)
{
    SourceRect = ScreenRect{1, 2, 3, 4};
    TraceMode = Mode::PickDestination;
    ApplyDestinationPress({44, 55});
    DragAnchor = ScreenPoint{0, 0};
    DragAnchorSet = 1;  // even with an anchor left over
    ApplyDragRelease({100, 100}, false);
    EXPECT_EQ(DestPoint.x, 44);
    EXPECT_EQ(DestPoint.y, 55);
    EXPECT_TRUE(SourceRect == (ScreenRect{1, 2, 3, 4}));
}

TEST_F(PickRules, PaletteDragSearchesTheDraggedRectangleOfTheFrozenImage)
{
    SimPainter painter(StandardPainterLayout(), StrokeEnd::Included);
    FreezeScreen(false);  // as entering the pick does
    // Round the three bars (columns 20..219, rows 10..49), dragged from the
    // bottom right; the source is not touched.
    Drag(Mode::PickPalette, {230, 55}, {10, 5});
    EXPECT_TRUE(PaletteFound());
    EXPECT_TRUE(SourceRect == (ScreenRect{0, 0, 0, 0}));

    // A drag over the empty canvas finds nothing.
    Drag(Mode::PickPalette, {30, 80}, {200, 200});
    EXPECT_FALSE(PaletteFound());
}

TEST_F(PickRules, LabelTextFollowsTheAnchor)
{
    EXPECT_EQ(std::string(TextBuffer, FormatPickLabel(12, 34)), " (12,34) ");
    DragAnchor = ScreenPoint{100, 10};
    DragAnchorSet = 1;
    EXPECT_EQ(std::string(TextBuffer, FormatPickLabel(40, 70)), " (40,10)-(100,70) 61x61 ");
    // Width first, then height.
    EXPECT_EQ(std::string(TextBuffer, FormatPickLabel(130, 15)), " (100,10)-(130,15) 31x6 ");
}

TEST_F(PickRules, LabelFlipsLeftOnlyPastTheRightEdge)
{
    const int width = 50;
    // x + width + 12 == ScreenWidth: still on the right.
    EXPECT_EQ(PickLabelLeft(338, 100, width), 350);
    EXPECT_EQ(PickLabelLeft(339, 100, width), 339 - 12 - width);
    EXPECT_EQ(PickLabelLeft(0, 100, width), 12);
    // Above the cursor row, with no vertical flip.
    EXPECT_EQ(PickLabelTop(100, 16), 84);
    EXPECT_EQ(PickLabelTop(3, 16), -13);
}

// The picks on a monitor left of the primary, whose columns are negative,
// and a primary that is shorter, with a gap below it.
class PickRulesOnTwoMonitors : public PickRules {
protected:
    void SetUp() override
    {
        PickRules::SetUp();
        Sim().ResetMonitors({{0, 0, 320, 240}, {-400, 0, 0, 300}});
    }
};

TEST_F(PickRulesOnTwoMonitors, SourceAndDestinationKeepNegativeCoordinates)
{
    Drag(Mode::PickSource, {-250, 60}, {-300, 20});
    EXPECT_TRUE(SourceRect == (ScreenRect{-300, 20, -250, 60}));
    EXPECT_EQ(std::string(TextBuffer, FormatSourceLine()), "(-300,  20)-(-250,  60)   51x  41");
    TraceMode = Mode::PickDestination;
    ApplyDestinationPress({-1, 299});
    EXPECT_EQ(std::string(TextBuffer, FormatDestLine()), "(  -1, 299)");
}

TEST_F(PickRulesOnTwoMonitors, PaletteIsFoundOnTheLeftMonitor)
{
    SimPainter painter(ShiftedPainterLayout(StandardPainterLayout(), -400, 0), StrokeEnd::Included);
    FreezeScreen(false);
    Drag(Mode::PickPalette, {-170, 55}, {-390, 5});
    ASSERT_TRUE(PaletteFound());
    EXPECT_EQ(Palette.green.left, -381);
    EXPECT_EQ(Palette.green.right, -180);
    EXPECT_EQ(Palette.red.top, 15);
    EXPECT_EQ(Palette.blue.top, 44);
}

TEST_F(PickRulesOnTwoMonitors, LabelFlipsAtTheEdgeOfTheMonitorUnderTheCursor)
{
    const int width = 50;
    // The left monitor ends at column -1, though the screen goes on.
    EXPECT_EQ(PickLabelLeft(-62, 100, width), -50);
    EXPECT_EQ(PickLabelLeft(-61, 100, width), -61 - 12 - width);
    // The primary's own right edge.
    EXPECT_EQ(PickLabelLeft(258, 100, width), 270);
    EXPECT_EQ(PickLabelLeft(259, 100, width), 259 - 12 - width);
    EXPECT_EQ(std::string(TextBuffer, FormatPickLabel(-62, 100)), " (-62,100) ");
}

}  // namespace
