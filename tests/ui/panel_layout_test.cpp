/*
 * The panel's layout at 100 %, 125 %, 150 % and 200 %: the 96-DPI table,
 * the scaling with the system's rounding, and a sound panel at every scale
 * (no two controls overlap, each lies inside the client area).
 */
#include <gtest/gtest.h>

#include <climits>

#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace {

// A fixed frame of 3 pixels and a caption, as the system draws them at
// 96 DPI, and the same grown for dpi.
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

void ExpectRect(const PanelRect& r, int left, int top, int right, int bottom, const char* what)
{
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right, right) << what;
    EXPECT_EQ(r.bottom, bottom) << what;
}

}  // namespace

TEST(PanelLayout, MulDivRoundsAsTheSystemDoes)
{
    EXPECT_EQ(MulDivRounded(105, 144, 96), 158);    // 157.5: halves away from zero
    EXPECT_EQ(MulDivRounded(-105, 144, 96), -158);
    EXPECT_EQ(MulDivRounded(7, -3, 2), -11);
    EXPECT_EQ(MulDivRounded(7, 3, -2), -11);
    EXPECT_EQ(MulDivRounded(-7, 3, -2), 11);
    EXPECT_EQ(MulDivRounded(101, 120, 96), 126);    // 126.25
    EXPECT_EQ(MulDivRounded(103, 120, 96), 129);    // 128.75
    EXPECT_EQ(MulDivRounded(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // 64-bit product
    EXPECT_EQ(MulDivRounded(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRounded(5, 5, 0), -1);
}

TEST(PanelLayout, At96DpiIsThe430By220Panel)
{
    const PanelLayout p = LayoutAt(96);
    EXPECT_EQ(p.outerWidth, 430);
    EXPECT_EQ(p.outerHeight, 220);
    EXPECT_EQ(p.clientWidth, 424);
    EXPECT_EQ(p.clientHeight, 195);
    ExpectRect(p.fill, 0, 0, 430, 220, "fill");
    ExpectRect(p.controls[ID_SOURCE_REGION - kFirstControlId], 16, 4, 144, 28, "source");
    ExpectRect(p.controls[ID_DEST_POSITION - kFirstControlId], 16, 32, 144, 56, "destination");
    ExpectRect(p.controls[ID_RGB_REGION - kFirstControlId], 16, 60, 144, 84, "RGB");
    ExpectRect(p.controls[ID_START - kFirstControlId], 16, 152, 144, 176, "start");
    ExpectRect(p.controls[ID_TRANSPARENT_TOP_LEFT - kFirstControlId], 240, 74, 368, 94, "transparent");
    ExpectRect(p.controls[ID_PAINTER_ADJUST - kFirstControlId], 240, 94, 420, 114, "painter");
    ExpectRect(p.controls[ID_SYNC_COLOUR_SWITCH - kFirstControlId], 240, 114, 420, 134, "colour");
    // 200 wide from 240 would pass the client area's right edge at 424.
    ExpectRect(p.controls[ID_SYNC_MOUSE_MOVE - kFirstControlId], 240, 134, 424, 154, "mouse");
    ExpectRect(p.controls[ID_SYNC_EVERY_PIXEL - kFirstControlId], 240, 154, 424, 174, "pixel");
    ExpectRect(p.controls[ID_WAIT_EDIT - kFirstControlId], 176, 104, 208, 128, "wait");
    EXPECT_EQ(p.sourceLine.x, 160);
    EXPECT_EQ(p.sourceLine.y, 6);
    EXPECT_EQ(p.destLine.y, 34);
    EXPECT_EQ(p.paletteMark.y, 62);
    EXPECT_EQ(p.waitLabel.x, 16);
    EXPECT_EQ(p.waitLabel.y, 105);
}

TEST(PanelLayout, At200PercentEveryPositionDoubles)
{
    const PanelLayout base = LayoutAt(96);
    const PanelLayout p = LayoutAt(192);
    EXPECT_EQ(p.clientWidth, 2 * base.clientWidth);
    EXPECT_EQ(p.clientHeight, 2 * base.clientHeight);
    // The outer size is the doubled client area in the frame of 192 DPI,
    // not the doubled outer size.
    EXPECT_EQ(p.outerWidth, 2 * 424 + 12);
    EXPECT_EQ(p.outerHeight, 2 * 195 + 12 + 38);
    for (int i = 0; i < kControlCount; ++i) {
        const PanelRect& b = base.controls[i];
        ExpectRect(p.controls[i], 2 * b.left, 2 * b.top, 2 * b.right, 2 * b.bottom, "control");
    }
    EXPECT_EQ(p.sourceLine.x, 320);
    EXPECT_EQ(p.waitLabel.y, 210);
}

TEST(PanelLayout, AtEveryScaleTheControlsLieApartInsideTheClientArea)
{
    for (int dpi : {96, 120, 144, 192}) {
        const PanelLayout p = LayoutAt(dpi);
        EXPECT_EQ(p.dpi, dpi);
        EXPECT_EQ(p.clientHeight, MulDivRounded(195, dpi, 96)) << dpi;
        EXPECT_EQ(p.outerWidth, p.clientWidth + 2 * FrameAt(dpi).left) << dpi;
        for (int i = 0; i < kControlCount; ++i) {
            const PanelRect& c = p.controls[i];
            EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.left < c.right && c.top < c.bottom &&
                        c.right <= p.clientWidth && c.bottom <= p.clientHeight)
                << dpi << " dpi, control " << kFirstControlId + i;
            for (int j = i + 1; j < kControlCount; ++j)
                EXPECT_FALSE(Overlap(c, p.controls[j]))
                    << dpi << " dpi, controls " << kFirstControlId + i << " and " << kFirstControlId + j;
        }
        for (const PanelPoint& line : {p.sourceLine, p.destLine, p.paletteMark, p.waitLabel})
            EXPECT_TRUE(line.x < p.clientWidth && line.y < p.clientHeight) << dpi;
        EXPECT_GE(p.fill.right, p.clientWidth);
        EXPECT_GE(p.fill.bottom, p.clientHeight);
    }
}
