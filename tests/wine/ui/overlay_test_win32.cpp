/*
 * What the overlay draws: DrawPickOverlay on a memory surface, pixel by
 * pixel (the inverted crosshair and rubber band, the label and where it
 * flips), and the frames the real overlay shows on screen during a pick.
 */
#include <gtest/gtest.h>

#include <string>

#include "app/desktop_win32.h"
#include "app/screen.h"
#include "app/shell_win32.h"
#include "app/text_buffer.h"
#include "ui/control_ids.h"
#include "ui/overlay_win32.h"
#include "ui/pick_rules.h"
#include "ui/trace_mode.h"
#include "ui_harness_win32.h"

namespace {

const COLORREF kFill = 0x00336699;
const COLORREF kInverted = 0x00CC9966;
const COLORREF kWhite = 0x00FFFFFF;
const int kSurfaceHeight = 200;

// A fresh memory surface as wide as the screen, filled with kFill: what a
// frame holds before the marks are drawn.
class MemorySurface {
public:
    MemorySurface()
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, ScreenWidth, kSurfaceHeight);
        ReleaseDC(nullptr, screen);
        kept_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, ScreenWidth, kSurfaceHeight};
        HBRUSH brush = CreateSolidBrush(kFill);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~MemorySurface()
    {
        SelectObject(dc_, kept_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // The size the label for cursor (x, y) has on this surface.
    SIZE LabelSize(int x, int y) const
    {
        const int length = FormatPickLabel(x, y);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc_, TextBuffer, length, &size);
        return size;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ kept_ = nullptr;
};

class DrawPickOverlayTest : public ::testing::Test {
protected:
    void SetUp() override { DragAnchorSet = 0; }
    void TearDown() override { DragAnchorSet = 0; }
};

// The label's box is opaque white padded by blanks: its corners are white,
// and the pixels just outside its left and right are not part of it.
void ExpectLabelAt(const MemorySurface& s, int left, int top, SIZE size)
{
    EXPECT_EQ(s.At(left, top), kWhite) << "label's top-left at " << left << "," << top;
    EXPECT_EQ(s.At(left + size.cx - 1, top + size.cy - 1), kWhite) << "label's bottom-right";
    EXPECT_EQ(s.At(left - 1, top + size.cy / 2), kFill) << "left of the label";
    if (left + size.cx < ScreenWidth) {
        EXPECT_EQ(s.At(left + size.cx, top + size.cy / 2), kFill) << "right of the label";
    }
    int black = 0;
    for (int x = left; x < left + size.cx; ++x)
        for (int y = top; y < top + size.cy; ++y)
            black += s.At(x, y) == 0;
    EXPECT_GT(black, 20) << "no text in the label";
}

TEST_F(DrawPickOverlayTest, CrosshairInvertsTwentyFourPixelsEachWayAndNotItsEnds)
{
    MemorySurface s;
    const SIZE label = s.LabelSize(300, 100);
    DrawPickOverlay(s.Dc(), 300, 100);
    for (int d = -12; d < 12; ++d) {
        if (d == 0)
            continue;
        EXPECT_EQ(s.At(300 + d, 100), kInverted) << "horizontal arm at " << d;
        EXPECT_EQ(s.At(300, 100 + d), kInverted) << "vertical arm at " << d;
    }
    // Both arms cover the centre, which is inverted twice; their end points
    // are not drawn.
    EXPECT_EQ(s.At(300, 100), kFill);
    EXPECT_EQ(s.At(312, 100), kFill);
    EXPECT_EQ(s.At(300, 112), kFill);
    EXPECT_EQ(s.At(287, 100), kFill);
    EXPECT_EQ(s.At(300, 87), kFill);
    EXPECT_EQ(std::string(TextBuffer), " (300,100) ");
    ExpectLabelAt(s, 312, 100 - label.cy, label);
}

TEST_F(DrawPickOverlayTest, RubberBandInvertsItsWholeOutlineOnce)
{
    DragAnchor = ScreenPoint{400, 40};
    DragAnchorSet = 1;
    MemorySurface s;
    const SIZE label = s.LabelSize(300, 120);
    DrawPickOverlay(s.Dc(), 300, 120);
    EXPECT_EQ(std::string(TextBuffer), " (300,40)-(400,120) 101x81 ");
    const RECT labelBox = {312, 120 - label.cy, 312 + label.cx, 120};
    auto expectOutline = [&](int x, int y) {
        const POINT p = {x, y};
        if (!PtInRect(&labelBox, p)) {
            EXPECT_EQ(s.At(x, y), kInverted) << "outline at " << x << "," << y;
        }
    };
    for (int x = 300; x <= 400; ++x) {
        expectOutline(x, 40);
        expectOutline(x, 120);
    }
    for (int y = 40; y <= 120; ++y) {
        expectOutline(300, y);
        expectOutline(400, y);
    }
    EXPECT_EQ(s.At(350, 60), kFill);
    EXPECT_EQ(s.At(299, 80), kFill);
    EXPECT_EQ(s.At(401, 80), kFill);
    EXPECT_EQ(s.At(350, 39), kFill);
    EXPECT_EQ(s.At(350, 121), kFill);
    // The label stands by the cursor, not by the rectangle.
    ExpectLabelAt(s, 312, 120 - label.cy, label);
}

TEST_F(DrawPickOverlayTest, LabelFlipsLeftOnePixelPastTheRightEdge)
{
    MemorySurface s;
    // The cursor column where the label ends exactly at the screen's edge.
    const int width = s.LabelSize(ScreenWidth - 100, 100).cx;
    const int x = ScreenWidth - 12 - width;
    ASSERT_EQ(s.LabelSize(x, 100).cx, width) << "label width changed with the column";
    ASSERT_EQ(s.LabelSize(x + 1, 100).cx, width);
    {
        MemorySurface edge;
        DrawPickOverlay(edge.Dc(), x, 100);
        ExpectLabelAt(edge, x + 12, 100 - s.LabelSize(x, 100).cy, s.LabelSize(x, 100));
        EXPECT_EQ(edge.At(ScreenWidth - 1, 99), kWhite);
    }
    {
        MemorySurface past;
        const SIZE label = s.LabelSize(x + 1, 100);
        DrawPickOverlay(past.Dc(), x + 1, 100);
        ExpectLabelAt(past, x + 1 - 12 - label.cx, 100 - label.cy, label);
        EXPECT_EQ(past.At(x + 13, 99), kFill);
        EXPECT_EQ(past.At(ScreenWidth - 1, 99), kFill);
    }
}

TEST_F(DrawPickOverlayTest, LabelNearTheTopIsCutOffNotMoved)
{
    MemorySurface s;
    const SIZE label = s.LabelSize(300, 5);
    ASSERT_GT(label.cy, 5);
    DrawPickOverlay(s.Dc(), 300, 5);
    // Only its lowest rows are on the surface, just above the cursor row.
    EXPECT_EQ(s.At(312, 0), kWhite);
    EXPECT_EQ(s.At(312, 4), kWhite);
    EXPECT_EQ(s.At(312, 5), kFill);
}

// ---- The real overlay on screen ------------------------------------------

class OverlayOnScreenTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }
};

COLORREF Inverse(COLORREF c) { return ~c & 0x00FFFFFF; }

// Waits until the overlay shows the frozen pixel at (x, y) inverted.
bool ShowsInverted(int x, int y)
{
    const COLORREF frozen = GetPixel(SnapshotDC, x, y);
    return PumpUntil([=] { return ClientPixel(ControlWindow, x, y) == Inverse(frozen); }, 2000);
}

bool ShowsFrozen(int x, int y)
{
    return ClientPixel(ControlWindow, x, y) == GetPixel(SnapshotDC, x, y);
}

TEST_F(OverlayOnScreenTest, FramesShowTheCrosshairThenTheRubberBandOverTheFrozenScreen)
{
    ASSERT_TRUE(ClickControl(ID_SOURCE_REGION, [] { return TraceMode == Mode::PickSource; }));
    // Over the fake painter's blank canvas.
    ASSERT_TRUE(MoveCursorTo(700, 500));
    EXPECT_TRUE(ShowsInverted(690, 500));
    EXPECT_TRUE(ShowsInverted(700, 490));
    EXPECT_TRUE(ShowsFrozen(712, 500));
    EXPECT_TRUE(ShowsFrozen(650, 450));

    PressLeft();
    ASSERT_TRUE(PumpUntil([] { return DragAnchorSet == 1; }));
    ASSERT_TRUE(MoveCursorTo(640, 420));
    // The band from (640, 420) to (700, 500); the crosshair has gone.
    EXPECT_TRUE(ShowsInverted(670, 500));
    EXPECT_TRUE(ShowsInverted(640, 460));
    EXPECT_TRUE(ShowsInverted(700, 460));
    EXPECT_TRUE(ShowsInverted(700, 500));
    EXPECT_TRUE(ShowsFrozen(690, 500 - 30));
    EXPECT_TRUE(ShowsFrozen(700, 512));
    EXPECT_TRUE(ShowsFrozen(670, 480));
    // The label's white box stands right of the cursor, above its row.
    EXPECT_EQ(ClientPixel(ControlWindow, 640 + 12, 419), kWhite);

    ReleaseLeft();
    ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
    EXPECT_EQ(SourceRect.left, 640);
    EXPECT_EQ(SourceRect.top, 420);
    EXPECT_EQ(SourceRect.right, 700);
    EXPECT_EQ(SourceRect.bottom, 500);
}

}  // namespace
