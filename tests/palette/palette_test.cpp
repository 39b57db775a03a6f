/*
 * Slider detection on a simulated screen: the worked example, every way a
 * search can stop short, bars reaching the rectangle's edges, and the reads
 * it makes (the frozen snapshot only, never outside the rectangle), also
 * when the live screen shows the overlay's label over the bars.
 */
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/painter_contract.h"
#include "palette/palette.h"
#include "sim/sim_desktop.h"

namespace {

const Colour kBackground = 0x00C0C0C0u;

// The overlay freezes the screen before every pick; the detection reads
// what was frozen. The log then holds the detection's reads only.
void Detect(int left, int top, int right, int bottom, bool painterAdjust)
{
    FreezeScreen(false);
    Sim().ClearLog();
    DetectPalette(left, top, right, bottom, painterAdjust);
}

// The painter of the worked example: three bars over columns 150 to 349,
// red in rows 210-219, green in 225-234 and blue in 240-249.
void ShowExamplePainter()
{
    Sim().Reset(640, 480, kBackground);
    Sim().FillRect(150, 210, 349, 219, kRedBarColour);
    Sim().FillRect(150, 225, 349, 234, kGreenBarColour);
    Sim().FillRect(150, 240, 349, 249, kBlueBarColour);
}

void ExpectLine(const SliderLine& line, int x0, int y, int x1)
{
    EXPECT_EQ(line.left, x0);
    EXPECT_EQ(line.top, y);
    EXPECT_EQ(line.right, x1);
    EXPECT_EQ(line.bottom, y);
}

void ExpectCleared(const SliderLine& line) { ExpectLine(line, 0, 0, 0); }

void ExpectScales(int scale)
{
    EXPECT_EQ(Palette.redScale, scale);
    EXPECT_EQ(Palette.greenScale, scale);
    EXPECT_EQ(Palette.blueScale, scale);
}

// Fills the Palette with values a failed detection must not leave behind.
void SpoilPalette()
{
    Palette = PaletteRecord{{1, 2, 3, 2}, {4, 5, 6, 5}, {7, 8, 9, 8}, 10, 11, 12};
}

// Every pixel read the detection made, checked to lie inside the rectangle.
int ReadsInside(int left, int top, int right, int bottom)
{
    int reads = 0;
    for (const std::string& line : Sim().Log()) {
        int x = 0, y = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), "GetSnapshotPixel(%d,%d)", &x, &y), 2) << line;
        EXPECT_TRUE(x >= left && x <= right && y >= top && y <= bottom) << line;
        ++reads;
    }
    return reads;
}

TEST(DetectPalette, WorkedExampleWithoutAndWithPainterAdjust)
{
    ShowExamplePainter();
    Detect(100, 200, 399, 259, false);
    ExpectLine(Palette.green, 149, 229, 350);
    ExpectLine(Palette.red, 149, 215, 350);
    ExpectLine(Palette.blue, 149, 244, 350);
    ExpectScales(202);
    EXPECT_TRUE(PaletteFound());
    // Only the snapshot is read, within the rectangle, and no more than the
    // column and row walks need.
    const int reads = ReadsInside(100, 200, 399, 259);
    EXPECT_LE(reads, (229 - 200) * 2 + (259 - 229) + (399 - 100 + 2));
    EXPECT_EQ(Sim().SourcePixelReads(), 0);

    Detect(100, 200, 399, 259, true);
    ExpectLine(Palette.green, 150, 229, 349);
    ExpectLine(Palette.red, 150, 215, 349);
    ExpectLine(Palette.blue, 150, 244, 349);
    ExpectScales(200);
    EXPECT_TRUE(PaletteFound());
}

// A drag that ends near the screen's right edge: the overlay's last frame
// flips the label (black text in an opaque white box) left of the cursor,
// over the rectangle's bottom rows and the blue bar, and inverts the
// rectangle's border. Only the live screen shows them.
TEST(DetectPalette, ReadsTheFrozenImageNotTheOverlaysMarksOnTheLiveScreen)
{
    ShowExamplePainter();
    FreezeScreen(false);
    Sim().FillRect(230, 238, 387, 259, 0x00FFFFFFu);
    for (int x = 236; x < 380; x += 3)
        Sim().FillRect(x, 242, x, 255, 0x00000000u);
    for (int x = 100; x <= 399; ++x) {
        Sim().SetPixel(x, 200, ~Sim().Pixel(x, 200) & 0x00FFFFFFu);
        Sim().SetPixel(x, 259, ~Sim().Pixel(x, 259) & 0x00FFFFFFu);
    }
    Sim().ClearLog();
    DetectPalette(100, 200, 399, 259, false);
    ExpectLine(Palette.blue, 149, 244, 350);
    EXPECT_TRUE(PaletteFound());
    ReadsInside(100, 200, 399, 259);

    // The same marks in the image itself do hide the blue bar.
    Detect(100, 200, 399, 259, false);
    ExpectCleared(Palette.blue);
    EXPECT_FALSE(PaletteFound());
}

TEST(DetectPalette, SearchesThatFindNoGreenEdgeLeaveEverythingZero)
{
    ShowExamplePainter();
    struct Case {
        const char* what;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"one row tall", 100, 229, 399, 229},
        {"two rows tall", 100, 229, 399, 230},
        {"probe point off the green", 100, 200, 399, 280},   // mid 240: blue
        {"probe column off the bars", 300, 200, 500, 259},   // px 450
        {"green from mid up to top + 1", 100, 224, 399, 234},
        {"green reaching row top", 100, 226, 399, 232},
    };
    for (const Case& c : cases) {
        SpoilPalette();
        Detect(c.left, c.top, c.right, c.bottom, false);
        SCOPED_TRACE(c.what);
        ExpectCleared(Palette.red);
        ExpectCleared(Palette.green);
        ExpectCleared(Palette.blue);
        ExpectScales(0);
        EXPECT_FALSE(PaletteFound());
    }
}

TEST(DetectPalette, ProbeRowIsTheMiddleRoundedTowardTheTop)
{
    ShowExamplePainter();
    Sim().Freeze(false);
    // Rows 200 + 251 halve to 225, the green bar's top row; 200 + 269 to
    // 234, its bottom row: one row off either way misses the bar.
    DetectPalette(100, 200, 399, 251, false);
    ExpectLine(Palette.green, 149, 229, 350);
    DetectPalette(100, 200, 399, 269, false);
    ExpectLine(Palette.green, 149, 229, 350);
    EXPECT_TRUE(PaletteFound());

    // Above the origin, halving rounds toward the top, not toward zero.
    EXPECT_EQ(PaletteProbePoint(-20, -11, 19, 4).y, -4);
    EXPECT_EQ(PaletteProbePoint(-20, -11, 19, 4).x, 9);
    EXPECT_EQ(PaletteProbePoint(-40, -30, -1, -29).y, -30);
    EXPECT_EQ(PaletteProbePoint(-40, -30, -1, -29).x, -11);
}

TEST(DetectPalette, GreenTopMustLieTwoRowsBelowTheRectangleTop)
{
    ShowExamplePainter();
    // Rectangle top 223: the walk stops on row 224, inside; green is found
    // (and red is not, rows 210-219 being above the rectangle).
    Detect(100, 223, 399, 235, false);
    ExpectLine(Palette.green, 149, 229, 350);
    ExpectCleared(Palette.red);
    // Rectangle top 224: row 224 is the top row and is never read.
    Detect(100, 224, 399, 234, false);
    ExpectCleared(Palette.green);
}

TEST(DetectPalette, MissingRedKeepsGreenOnlyAndMissingBlueKeepsGreenAndRed)
{
    ShowExamplePainter();
    Sim().FillRect(150, 210, 349, 219, kBackground);
    SpoilPalette();
    Detect(100, 200, 399, 259, false);
    ExpectLine(Palette.green, 149, 229, 350);
    ExpectCleared(Palette.red);
    ExpectCleared(Palette.blue);
    ExpectScales(0);
    EXPECT_FALSE(PaletteFound());

    ShowExamplePainter();
    Sim().FillRect(150, 240, 349, 249, kBackground);
    SpoilPalette();
    Detect(100, 200, 399, 259, false);
    ExpectLine(Palette.green, 149, 229, 350);
    ExpectLine(Palette.red, 149, 215, 350);
    ExpectCleared(Palette.blue);
    ExpectScales(0);
    EXPECT_FALSE(PaletteFound());

    // Red whose bottom row is the rectangle's top row, and blue whose top
    // row is its bottom row, are not seen; one row further in they are.
    ShowExamplePainter();
    Detect(100, 219, 399, 240, false);
    ExpectCleared(Palette.red);
    Detect(100, 218, 399, 240, false);
    ExpectLine(Palette.red, 149, 215, 350);
    ExpectCleared(Palette.blue);
    Detect(100, 218, 399, 241, false);
    ExpectLine(Palette.blue, 149, 244, 350);
    EXPECT_TRUE(PaletteFound());
}

TEST(DetectPalette, BarsReachingTheRectangleSidesEndOneColumnOutside)
{
    ShowExamplePainter();
    Detect(150, 200, 349, 259, false);
    ExpectLine(Palette.green, 149, 229, 350);
    ExpectScales(202);
    EXPECT_GT(ReadsInside(150, 200, 349, 259), 0);

    Detect(200, 200, 300, 259, false);
    ExpectLine(Palette.green, 199, 229, 301);
    ExpectLine(Palette.blue, 199, 244, 301);
    ExpectScales(103);
    ReadsInside(200, 200, 300, 259);

    Detect(200, 200, 300, 259, true);
    ExpectLine(Palette.green, 200, 229, 300);
    ExpectLine(Palette.red, 200, 215, 300);
    ExpectScales(101);
}

TEST(DetectPalette, OneColumnGreenUnderPainterAdjustIsFilledButNotFound)
{
    Sim().Reset(100, 100, kBackground);
    Sim().FillRect(40, 10, 40, 19, kRedBarColour);
    Sim().FillRect(40, 25, 40, 34, kGreenBarColour);
    Sim().FillRect(40, 40, 40, 49, kBlueBarColour);
    Detect(40, 0, 40, 59, true);
    ExpectLine(Palette.green, 40, 29, 40);
    ExpectLine(Palette.red, 40, 15, 40);
    ExpectLine(Palette.blue, 40, 44, 40);
    ExpectScales(1);
    EXPECT_FALSE(PaletteFound());

    Detect(40, 0, 40, 59, false);
    ExpectScales(3);
    EXPECT_TRUE(PaletteFound());
}

TEST(DetectPalette, StrayRedPixelEndsTheRedSearch)
{
    ShowExamplePainter();
    Sim().SetPixel(324, 222, kRedBarColour);
    Detect(100, 200, 399, 259, false);
    ExpectLine(Palette.red, 149, 218, 350);
}

TEST(DetectPalette, WideBarsGiveScalesAboveTwoHundredFiftyFive)
{
    Sim().Reset(800, 100, kBackground);
    Sim().FillRect(10, 10, 709, 19, kRedBarColour);
    Sim().FillRect(10, 25, 709, 34, kGreenBarColour);
    Sim().FillRect(10, 40, 709, 49, kBlueBarColour);
    Detect(0, 0, 799, 59, true);
    ExpectLine(Palette.green, 10, 29, 709);
    ExpectScales(700);
    EXPECT_TRUE(PaletteFound());
}

TEST(ClearSliderLines, ClearsTheLinesAndKeepsTheScales)
{
    ShowExamplePainter();
    Detect(100, 200, 399, 259, false);
    ASSERT_TRUE(PaletteFound());
    ClearSliderLines();
    ExpectCleared(Palette.red);
    ExpectCleared(Palette.green);
    ExpectCleared(Palette.blue);
    ExpectScales(202);
    EXPECT_FALSE(PaletteFound());
    ClearSliderLines();
    ExpectCleared(Palette.green);
}

}  // namespace
