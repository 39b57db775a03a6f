/*
 * The panel's plain rules: when "はじめ" is enabled, and the texts of the
 * result lines beside the pick buttons.
 */
#include <gtest/gtest.h>

#include <string>

#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "ui/selection.h"
#include "ui/start_rule.h"
#include "ui/status_lines.h"

namespace {

void PickEverything()
{
    SourceRect = ScreenRect{10, 20, 11, 21};
    DestPoint = ScreenPoint{1, 1};
    Palette.red = SliderLine{100, 5, 300, 5};
    Palette.green = SliderLine{100, 15, 300, 15};
    Palette.blue = SliderLine{100, 25, 300, 25};
}

void ClearEverything()
{
    SourceRect = ScreenRect{0, 0, 0, 0};
    DestPoint = ScreenPoint{0, 0};
    ClearSliderLines();
}

class PanelRules : public ::testing::Test {
protected:
    void SetUp() override { PickEverything(); }
    void TearDown() override { ClearEverything(); }
};

TEST_F(PanelRules, StartIsAllowedOnlyWithAllThreeAreasPicked)
{
    EXPECT_TRUE(StartConditionsHold());
    ClearEverything();
    EXPECT_FALSE(StartConditionsHold());
}

TEST_F(PanelRules, EachOfTheSevenComparisonsAloneBlocksStart)
{
    struct Spoiler {
        const char* what;
        void (*spoil)();
    };
    const Spoiler spoilers[] = {
        {"one column", [] { SourceRect.right = SourceRect.left; }},
        {"one row", [] { SourceRect.bottom = SourceRect.top; }},
        {"destination in column 0", [] { DestPoint.x = 0; }},
        {"destination in row 0", [] { DestPoint.y = 0; }},
        {"red line", [] { Palette.red.right = Palette.red.left; }},
        {"blue line", [] { Palette.blue.right = Palette.blue.left; }},
        {"green line", [] { Palette.green.right = Palette.green.left; }},
    };
    for (const Spoiler& s : spoilers) {
        PickEverything();
        s.spoil();
        EXPECT_FALSE(StartConditionsHold()) << s.what;
    }
}

TEST_F(PanelRules, OnlyInequalityCountsNotOrderOrSign)
{
    // A reversed or negative area is still "picked" by these comparisons.
    SourceRect = ScreenRect{5, 5, -3, -3};
    DestPoint = ScreenPoint{-1, -1};
    Palette.green = SliderLine{300, 15, 100, 15};
    EXPECT_TRUE(StartConditionsHold());
}

std::string Formatted(int length)
{
    return std::string(TextBuffer, static_cast<size_t>(length));
}

TEST(StatusLines, StartUpValuesShowZerosAndAOnePixelSource)
{
    ClearEverything();
    EXPECT_EQ(Formatted(FormatSourceLine()), "(   0,   0)-(   0,   0)    1x   1");
    EXPECT_EQ(Formatted(FormatDestLine()), "(   0,   0)");
    EXPECT_STREQ(PaletteMark(), kTextPaletteNotFound);
}

TEST(StatusLines, WideNumbersWidenTheirFieldAndAreNotCut)
{
    SourceRect = ScreenRect{12345, -678, 123456, 9};
    DestPoint = ScreenPoint{-12345, 100000};
    EXPECT_EQ(Formatted(FormatSourceLine()), "(12345,-678)-(123456,   9) 111112x 688");
    EXPECT_EQ(Formatted(FormatDestLine()), "(-12345,100000)");
    ClearEverything();
}

TEST(StatusLines, SizeOfTheExtremeRectangleDoesNotOverflow)
{
    SourceRect = ScreenRect{-2147483647 - 1, 0, 2147483647, 0};
    // The inclusive width 2^32 wraps to 0; the point is that forming it is
    // not undefined (the sanitizer build checks that).
    EXPECT_EQ(Formatted(FormatSourceLine()), "(-2147483648,   0)-(2147483647,   0)    0x   1");
    ClearEverything();
}

TEST(StatusLines, PaletteMarkFollowsTheFoundTest)
{
    PickEverything();
    EXPECT_STREQ(PaletteMark(), kTextPaletteFound);
    Palette.blue.right = Palette.blue.left;
    EXPECT_STREQ(PaletteMark(), kTextPaletteNotFound);
    ClearEverything();
}

}  // namespace
