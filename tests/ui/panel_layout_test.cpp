/*
 * The panel's layout at 100 %, 125 %, 150 % and 200 %: the 96-DPI table,
 * the system's rounding, and a sound panel at every scale (no two controls
 * overlap, each lies inside the client area).
 */
#include <gtest/gtest.h>

#include <climits>

#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace {

// A fixed frame of 3 pixels under a caption of 19 at 96 DPI, grown for dpi.
PanelFrame FrameAt(int dpi)
{
    const int border = 3 * dpi / 96;
    return PanelFrame{border, border + 19 * dpi / 96, border, border};
}

PanelLayout LayoutAt(int dpi)
{
    return LayOutPanel(dpi, FrameAt(96), FrameAt(dpi));
}

bool Overlap(const PanelRect& a, const PanelRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Same(const PanelRect& a, const PanelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(PanelLayout, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDivRounded(105, 144, 96), 158);  // 157.5
    EXPECT_EQ(MulDivRounded(-105, 144, 96), -158);
    EXPECT_EQ(MulDivRounded(7, 3, -2), -11);
    EXPECT_EQ(MulDivRounded(103, 120, 96), 129);  // 128.75
    EXPECT_EQ(MulDivRounded(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // a 64-bit product
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(5, 5, 0), -1);
}

// Today's panel, with the check boxes as high as their row pitch (20, kept
// centred where they were) and cut at the client area's right edge.
TEST(PanelLayout, At96DpiIsThe430By220Panel)
{
    const PanelRect expected[kControlCount] = {
        {16, 4, 144, 28},    {16, 32, 144, 56},   {16, 60, 144, 84},   {16, 152, 144, 176},
        {240, 74, 368, 94},  {240, 94, 420, 114}, {240, 114, 420, 134}, {240, 134, 424, 154},
        {240, 154, 424, 174}, {176, 104, 208, 128},
    };
    const PanelLayout p = LayoutAt(96);
    EXPECT_EQ(p.outerWidth, 430);
    EXPECT_EQ(p.outerHeight, 220);
    EXPECT_EQ(p.clientWidth, 424);
    EXPECT_EQ(p.clientHeight, 195);
    EXPECT_TRUE(Same(p.fill, PanelRect{0, 0, 430, 220}));
    for (int i = 0; i < kControlCount; ++i)
        EXPECT_TRUE(Same(p.controls[i], expected[i])) << kFirstControlId + i;
    EXPECT_TRUE(p.sourceLine.x == 160 && p.sourceLine.y == 6 && p.destLine.x == 160 &&
                p.destLine.y == 34 && p.paletteMark.x == 160 && p.paletteMark.y == 62 &&
                p.waitLabel.x == 16 && p.waitLabel.y == 105);
}

TEST(PanelLayout, At200PercentEveryPositionDoublesAndTheFrameIsThatDpisOwn)
{
    const PanelLayout base = LayoutAt(96);
    const PanelLayout p = LayoutAt(192);
    EXPECT_EQ(p.clientWidth, 848);
    EXPECT_EQ(p.clientHeight, 390);
    EXPECT_EQ(p.outerWidth, 848 + 12);
    EXPECT_EQ(p.outerHeight, 390 + 12 + 38);
    for (int i = 0; i < kControlCount; ++i) {
        const PanelRect& b = base.controls[i];
        EXPECT_TRUE(Same(p.controls[i], PanelRect{2 * b.left, 2 * b.top, 2 * b.right, 2 * b.bottom}))
            << kFirstControlId + i;
    }
    EXPECT_TRUE(p.sourceLine.x == 320 && p.waitLabel.y == 210);
}

TEST(PanelLayout, AtEveryScaleTheControlsLieApartInsideTheClientArea)
{
    for (int dpi : {96, 120, 144, 192}) {
        const PanelLayout p = LayoutAt(dpi);
        EXPECT_EQ(p.clientHeight, MulDivRounded(195, dpi, 96)) << dpi;
        for (int i = 0; i < kControlCount; ++i) {
            const PanelRect& c = p.controls[i];
            EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.left < c.right && c.top < c.bottom &&
                        c.right <= p.clientWidth && c.bottom <= p.clientHeight)
                << dpi << " dpi, control " << kFirstControlId + i;
            for (int j = i + 1; j < kControlCount; ++j)
                EXPECT_FALSE(Overlap(c, p.controls[j]))
                    << dpi << " dpi, controls " << kFirstControlId + i << " and " << kFirstControlId + j;
        }
        EXPECT_TRUE(p.fill.right >= p.clientWidth && p.fill.bottom >= p.clientHeight) << dpi;
    }
}
