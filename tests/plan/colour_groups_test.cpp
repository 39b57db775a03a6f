/*
 * The plan build against its definition: the worked examples and edge
 * cases spelled out, then thousands of generated sources on which the fast
 * build must give exactly the list of the plain pixel-by-pixel build, and
 * the build's own promises (one block read, nothing left behind when memory
 * runs out).
 */
#include <gtest/gtest.h>

#include <new>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "plan/reference_plan.h"
#include "sim/sim_desktop.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

namespace {

std::string Describe(const ColourGroup& g)
{
    std::ostringstream text;
    text << "(" << g.red << "," << g.green << "," << g.blue << ") count " << g.runCount << ":";
    for (size_t i = 0; i < g.runStarts.size(); ++i)
        text << " " << g.runStarts[i] << "+" << (i < g.runLengths.size() ? g.runLengths[i] : -1);
    return text.str();
}

::testing::AssertionResult SameList(const std::vector<ColourGroup>& expected,
                                    const std::vector<ColourGroup>& actual)
{
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << "expected " << expected.size() << " groups, got " << actual.size();
    for (size_t i = 0; i < expected.size(); ++i) {
        const ColourGroup& e = expected[i];
        const ColourGroup& a = actual[i];
        if (e.red != a.red || e.green != a.green || e.blue != a.blue || e.runCount != a.runCount ||
            e.runStarts != a.runStarts || e.runLengths != a.runLengths)
            return ::testing::AssertionFailure()
                   << "group " << i << ": expected " << Describe(e) << ", got " << Describe(a);
    }
    return ::testing::AssertionSuccess();
}

struct PlanSetup {
    int scale = 255;
    bool painterAdjust = false;
    bool transparentTopLeft = false;
};

void Apply(const PlanSetup& setup)
{
    Palette.redScale = setup.scale;
    Palette.greenScale = setup.scale;
    Palette.blueScale = setup.scale;
    TraceOptions.painterAdjust = setup.painterAdjust ? 1 : 0;
    TraceOptions.transparentTopLeft = setup.transparentTopLeft ? 1 : 0;
}

// A screen whose top-left corner holds the given rows of colours, frozen
// as the source, with SourceRect exactly over them.
void FreezeSource(const std::vector<std::vector<Colour>>& rows, int margin = 0)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    Sim().Reset(width + 2 * margin, height + 2 * margin, 0x00FFFFFFu);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Sim().SetPixel(margin + x, margin + y, rows[y][x]);
    FreezeScreen(true);
    SourceRect = ScreenRect{margin, margin, margin + width - 1, margin + height - 1};
}

const Colour A = 0x00000000u;
const Colour B = 0x000000FFu;
const Colour C = 0x0000FF00u;

ColourGroup Group(Colour c, std::vector<int> starts, std::vector<int> lengths, int scale = 255)
{
    const int count = static_cast<int>(starts.size());
    return ColourGroup{RedOf(c) * scale / 255, GreenOf(c) * scale / 255, BlueOf(c) * scale / 255,
                       starts, lengths, count};
}

TEST(ColourGroups, FiveByTwoExampleRowFillsTheFirstOfTheTiedColours)
{
    FreezeSource({{A, B, C, B, C}, {A, B, C, B, C}});
    Apply(PlanSetup{});
    BuildColourGroups();
    EXPECT_EQ(SourceWidth, 5);
    EXPECT_EQ(SourceHeight, 2);
    EXPECT_TRUE(RowFillFirst);
    EXPECT_TRUE(SameList({Group(B, {0, 5}, {4, 4}), Group(A, {0, 5}, {0, 0}),
                          Group(C, {2, 4, 7, 9}, {0, 0, 0, 0})},
                         ColourGroupList));

    // Under PainterAdjust the row fill is lengthened as well, so the
    // release lands one past the row's last source column.
    Apply(PlanSetup{255, true, false});
    BuildColourGroups();
    EXPECT_TRUE(SameList({Group(B, {0, 5}, {5, 5}), Group(A, {0, 5}, {1, 1}),
                          Group(C, {2, 4, 7, 9}, {1, 1, 1, 1})},
                         ColourGroupList));
}

TEST(ColourGroups, DominantColourMayBeTheFirstGroup)
{
    FreezeSource({{A, B, A, B}, {B, A, B, A}});
    Apply(PlanSetup{});
    BuildColourGroups();
    EXPECT_TRUE(SameList({Group(A, {0, 4}, {3, 3}), Group(B, {1, 3, 4, 6}, {0, 0, 0, 0})},
                         ColourGroupList));
}

TEST(ColourGroups, OnePixelAndOneColourSources)
{
    FreezeSource({{C}});
    Apply(PlanSetup{});
    BuildColourGroups();
    EXPECT_TRUE(SameList({Group(C, {0}, {0})}, ColourGroupList));
    Apply(PlanSetup{255, true, false});
    BuildColourGroups();
    EXPECT_TRUE(SameList({Group(C, {0}, {1})}, ColourGroupList));
    Apply(PlanSetup{255, false, true});
    BuildColourGroups();
    EXPECT_TRUE(ColourGroupList.empty());

    // One colour: one run per row, each row's first pixel starting anew,
    // and never a row fill.
    FreezeSource({{B, B, B}, {B, B, B}, {B, B, B}});
    Apply(PlanSetup{255, true, false});
    BuildColourGroups();
    EXPECT_FALSE(RowFillFirst);
    EXPECT_TRUE(SameList({Group(B, {0, 3, 6}, {3, 3, 3})}, ColourGroupList));
}

TEST(ColourGroups, RowFillNeedsMoreRunsThanRows)
{
    // B has exactly two runs in two rows: no row fill.
    FreezeSource({{B, A, B}, {A, A, A}});
    Apply(PlanSetup{});
    BuildColourGroups();
    EXPECT_FALSE(RowFillFirst);
    EXPECT_TRUE(SameList({Group(B, {0, 2}, {0, 0}), Group(A, {1, 3}, {0, 2})}, ColourGroupList));

    // Three runs in two rows: B is row-filled and its own runs are gone.
    FreezeSource({{B, A, B}, {A, B, A}});
    BuildColourGroups();
    EXPECT_TRUE(RowFillFirst);
    EXPECT_TRUE(SameList({Group(B, {0, 3}, {2, 2}), Group(A, {1, 3, 5}, {0, 0, 0})},
                         ColourGroupList));
}

TEST(ColourGroups, TransparentTopLeftRemovesTheColourEverywhereAndNeverRowFills)
{
    FreezeSource({{A, B, A, B, A}, {B, A, C, A, B}});
    Apply(PlanSetup{255, false, true});
    BuildColourGroups();
    EXPECT_FALSE(RowFillFirst);
    EXPECT_TRUE(SameList({Group(B, {1, 3, 5, 9}, {0, 0, 0, 0}), Group(C, {7}, {0})},
                         ColourGroupList));
}

TEST(ColourGroups, ColoursThatQuantiseTogetherAreOneColourAndOneRun)
{
    // At scale 100, 128 and 129 both give 50, 254 gives 99 and 255 gives 100.
    // The second row keeps the first colour's two runs from a row fill.
    FreezeSource({{MakeColour(128, 0, 0), MakeColour(129, 0, 0), MakeColour(254, 0, 0),
                   MakeColour(255, 0, 0), MakeColour(128, 1, 2)},
                  {A, A, A, A, A}});
    Apply(PlanSetup{100, false, false});
    BuildColourGroups();
    EXPECT_FALSE(RowFillFirst);
    EXPECT_TRUE(SameList({ColourGroup{50, 0, 0, {0, 4}, {1, 0}, 2}, ColourGroup{99, 0, 0, {2}, {0}, 1},
                          ColourGroup{100, 0, 0, {3}, {0}, 1}, ColourGroup{0, 0, 0, {5}, {4}, 1}},
                         ColourGroupList));
}

TEST(ColourGroups, OffsetsAboveTwoHundredFiftyFiveAreKeptWhole)
{
    FreezeSource({{MakeColour(255, 128, 0), MakeColour(0, 255, 255)}});
    Apply(PlanSetup{256, false, false});
    BuildColourGroups();
    EXPECT_TRUE(SameList({ColourGroup{256, 128, 0, {0}, {0}, 1}, ColourGroup{0, 256, 256, {1}, {0}, 1}},
                         ColourGroupList));
    Apply(PlanSetup{600, false, false});
    BuildColourGroups();
    ASSERT_EQ(ColourGroupList.size(), 2u);
    EXPECT_EQ(ColourGroupList[0].red, 600);
    EXPECT_EQ(ColourGroupList[0].green, 301);  // 128 * 600 / 255 = 301.17
}

TEST(ColourGroups, ReadsTheSourceInOneBlockAndNeverPixelByPixel)
{
    FreezeSource({{A, B, C}, {C, B, A}}, 3);
    Sim().ClearLog();
    Apply(PlanSetup{});
    BuildColourGroups();
    const std::vector<std::string> expected = {"ReadSource(3,3,3,2)"};
    EXPECT_EQ(Sim().Log(), expected);
    EXPECT_EQ(Sim().SourcePixelReads(), 0);
    EXPECT_EQ(ColourGroupList.size(), 3u);
}

TEST(ColourGroups, OffScreenPixelsPlanAsTheyRead)
{
    // Off the screen every pixel reads as kNoPixel, whose bytes are all 255.
    FreezeSource({{A, B}, {C, A}});
    SourceRect = ScreenRect{1, 1, 3, 2};
    Apply(PlanSetup{200, false, false});
    BuildColourGroups();
    EXPECT_TRUE(SameList(BuildReferenceColourGroups(), ColourGroupList));
    EXPECT_EQ(ColourGroupList.size(), 2u);
}

TEST(ColourGroups, UnreadableSourceGivesAnEmptyList)
{
    // Planning colours that were never read would paint wrong pixels and
    // report the trace as a success: no plan, so no trace starts.
    FreezeSource({{A, B}, {C, A}});
    Apply(PlanSetup{200, false, false});
    BuildColourGroups();
    ASSERT_FALSE(ColourGroupList.empty());
    Sim().BreakSourceSurface();
    BuildColourGroups();
    EXPECT_TRUE(ColourGroupList.empty());
    EXPECT_FALSE(RowFillFirst);
}

TEST(ColourGroups, EmptySourceRectangleGivesAnEmptyList)
{
    FreezeSource({{A, B}});
    Apply(PlanSetup{});
    BuildColourGroups();
    ASSERT_FALSE(ColourGroupList.empty());
    SourceRect = ScreenRect{5, 0, 4, 0};
    BuildColourGroups();
    EXPECT_EQ(SourceWidth, 0);
    EXPECT_TRUE(ColourGroupList.empty());
    EXPECT_FALSE(RowFillFirst);
}

class OutOfMemoryOnRead : public SimListener {
public:
    void OnPlatformCall() override
    {
        if (!Sim().Log().empty() && Sim().Log().back().rfind("ReadSource", 0) == 0)
            throw std::bad_alloc();
    }
};

TEST(ColourGroups, RunningOutOfMemoryLeavesTheListEmptyAndTheProgramGoesOn)
{
    FreezeSource({{A, B, A, B}, {B, A, B, A}});
    Apply(PlanSetup{});
    BuildColourGroups();
    ASSERT_TRUE(RowFillFirst);
    ASSERT_EQ(ColourGroupList.size(), 2u);

    OutOfMemoryOnRead failingMemory;
    Sim().SetListener(&failingMemory);
    EXPECT_NO_THROW(BuildColourGroups());
    EXPECT_TRUE(ColourGroupList.empty());
    EXPECT_FALSE(RowFillFirst);

    Sim().SetListener(nullptr);
    BuildColourGroups();
    EXPECT_EQ(ColourGroupList.size(), 2u);
}

// Sources of every kind the generator can make, planned both ways.
class SourceGenerator {
public:
    explicit SourceGenerator(unsigned seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    Colour AnyColour() { return static_cast<Colour>(Below(1 << 24)); }

    // A palette of colours, some of them close enough to share offsets at
    // small scales.
    std::vector<Colour> Colours(int count)
    {
        std::vector<Colour> colours;
        const Colour base = AnyColour();
        for (int i = 0; i < count; ++i)
            colours.push_back(Below(3) == 0 ? (base ^ static_cast<Colour>(Below(4) * 0x010101))
                                            : AnyColour());
        return colours;
    }

    // Rows of pixels that repeat their left neighbour with some chance,
    // drawn from a small or a large palette.
    void PaintScreen(int width, int height)
    {
        const int kinds[] = {1, 2, 3, 5, 40, 1 << 12};
        const std::vector<Colour> colours = Colours(kinds[Below(6)]);
        const int repeatPercent = Below(4) * 30;
        Sim().Reset(width, height, 0);
        for (int y = 0; y < height; ++y) {
            Colour c = colours[static_cast<size_t>(Below(static_cast<int>(colours.size())))];
            for (int x = 0; x < width; ++x) {
                if (x > 0 && Below(100) >= repeatPercent)
                    c = colours[static_cast<size_t>(Below(static_cast<int>(colours.size())))];
                Sim().SetPixel(x, y, c);
            }
        }
        FreezeScreen(true);
    }

    int Size()
    {
        const int sizes[] = {1, 1, 2, 3, 7, 16, 33};
        return sizes[Below(7)] + Below(3);
    }

    int Scale()
    {
        const int scales[] = {0, 1, 2, 3, 7, 100, 200, 254, 255, 256, 300, 1000};
        return scales[Below(12)];
    }

private:
    std::mt19937 random_;
};

TEST(ColourGroups, FastBuildMatchesThePlainBuildOnGeneratedSources)
{
    SourceGenerator generate(20261210u);
    int rowFills = 0;
    int transparentEmpties = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const int width = generate.Size();
        const int height = generate.Size();
        generate.PaintScreen(width + 2, height + 2);
        SourceRect.left = generate.Below(3);
        SourceRect.top = generate.Below(3);
        SourceRect.right = SourceRect.left + width - 1;
        SourceRect.bottom = SourceRect.top + height - 1;
        Palette.redScale = generate.Scale();
        Palette.greenScale = generate.Scale();
        Palette.blueScale = generate.Scale();
        TraceOptions.painterAdjust = trial & 1;
        TraceOptions.transparentTopLeft = (trial >> 1) & 1;

        bool referenceRowFill = false;
        const std::vector<ColourGroup> expected = BuildReferenceColourGroups(&referenceRowFill);
        BuildColourGroups();
        ASSERT_TRUE(SameList(expected, ColourGroupList))
            << "trial " << trial << ": " << width << "x" << height << " scales "
            << Palette.redScale << "," << Palette.greenScale << "," << Palette.blueScale
            << " adjust " << TraceOptions.painterAdjust << " transparent "
            << TraceOptions.transparentTopLeft;
        ASSERT_EQ(referenceRowFill, RowFillFirst) << "trial " << trial;
        ASSERT_EQ(SourceWidth, width);
        ASSERT_EQ(SourceHeight, height);
        rowFills += RowFillFirst ? 1 : 0;
        transparentEmpties += TraceOptions.transparentTopLeft && ColourGroupList.empty() ? 1 : 0;
    }
    // The generator must reach the interesting paths, not only plain lists.
    EXPECT_GT(rowFills, 200);
    EXPECT_GT(transparentEmpties, 20);
}

TEST(ColourGroups, SeveralThousandColoursGrowTheColourTable)
{
    // 6144 distinct colours, every pixel its own: the colour table must
    // grow several times over.
    std::vector<std::vector<Colour>> rows(64, std::vector<Colour>(96));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            rows[y][x] = static_cast<Colour>((y * 96 + x) * 2731) & 0x00FFFFFFu;
    FreezeSource(rows, 1);
    Apply(PlanSetup{255, false, false});
    BuildColourGroups();
    EXPECT_EQ(ColourGroupList.size(), 6144u);
    EXPECT_TRUE(SameList(BuildReferenceColourGroups(), ColourGroupList));
}

}  // namespace
