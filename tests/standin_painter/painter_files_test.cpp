/*
 * The stand-in painter's command line, layout, geometry report and sample
 * picture.
 */
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "painter_layout.h"
#include "painter_options.h"
#include "sample_picture.h"

namespace {

using standin::PainterOptions;
using standin::Rect;

bool Parse(std::vector<const char*> args, PainterOptions& options, std::string& error)
{
    args.insert(args.begin(), "standin-painter.exe");
    return standin::ParseOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(StandinOptions, EveryOptionIsRead)
{
    PainterOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--paint-release", "--paint-path", "--log-input", "--bar-width=100", "--event-delay=3", "--paint-lag=40",
                       "--pos=10,20", "--canvas-size=300x200", "--sample-size=7x5",
                       "--canvas-out=c.bmp", "--sample-out=s.ppm", "--geometry-out=g.txt"},
                      o, error))
        << error;
    EXPECT_TRUE(o.paintReleasePixel);
    EXPECT_TRUE(o.paintPath);
    EXPECT_TRUE(o.logInput);
    EXPECT_EQ(o.barWidth, 100);
    EXPECT_EQ(o.eventDelayMs, 3);
    EXPECT_EQ(o.paintLagMs, 40);
    EXPECT_EQ(o.windowX, 10);
    EXPECT_EQ(o.windowY, 20);
    EXPECT_EQ(o.canvasWidth, 300);
    EXPECT_EQ(o.canvasHeight, 200);
    EXPECT_EQ(o.sampleWidth, 7);
    EXPECT_EQ(o.sampleHeight, 5);
    EXPECT_EQ(o.canvasFile, "c.bmp");
    EXPECT_EQ(o.sampleFile, "s.ppm");
    EXPECT_EQ(o.geometryFile, "g.txt");
    EXPECT_FALSE(o.showUsage);

    PainterOptions defaults;
    ASSERT_TRUE(Parse({}, defaults, error));
    EXPECT_FALSE(defaults.paintReleasePixel);
    EXPECT_FALSE(defaults.paintPath);
    EXPECT_EQ(defaults.barWidth, 255);
}

TEST(StandinOptions, BadArgumentsAreRefusedByName)
{
    const char* bad[] = {"--bogus",          "--bar-width=7",     "--bar-width=1001",
                         "--bar-width=12a",  "--bar-width=",      "--bar-width",
                         "--pos=5",          "--pos=5,",          "--pos=-1,3",
                         "--canvas-size=0x3", "--canvas-size=4x", "--sample-size=4*4",
                         "--paint-lag=10001", "--canvas-out=",    "--paint-release=1",
                         "--event-delay=99999999999999999999"};
    for (const char* argument : bad) {
        PainterOptions o;
        std::string error;
        EXPECT_FALSE(Parse({"--paint-lag=5", argument}, o, error)) << argument;
        EXPECT_NE(error.find(argument), std::string::npos) << error;
    }
}

TEST(StandinLayout, PartsStayApartForEveryBarAndPictureSize)
{
    for (int barWidth : {standin::kMinBarWidth, 255, standin::kMaxBarWidth}) {
        for (int side : {1, 64, 400}) {
            PainterOptions o;
            o.barWidth = barWidth;
            o.sampleWidth = o.sampleHeight = side;
            o.canvasWidth = o.canvasHeight = side;
            const standin::PainterLayout l = standin::MakeLayout(o);
            const Rect& drag = l.paletteDrag;
            const Rect& green = l.bars[standin::kGreen];
            // The detection's probe point falls in the green bar.
            const int probeX = drag.left + 3 * (drag.right - drag.left) / 4;
            const int middleRow = (drag.top + drag.bottom) >> 1;
            EXPECT_TRUE(standin::Contains(green, probeX, middleRow)) << barWidth;
            EXPECT_GT(l.swatch.left, drag.right);
            EXPECT_GT(l.sample.top, drag.bottom);
            EXPECT_GT(l.canvas.left - 1, l.sample.right);  // the frame too
            EXPECT_EQ(standin::WidthOf(l.canvas), side);
            EXPECT_LT(l.canvas.right + 1, l.clientWidth);
            EXPECT_LT(l.canvas.bottom + 1, l.clientHeight);
            EXPECT_LT(l.swatch.right, l.clientWidth);
        }
    }
}

std::map<std::string, std::string> ParseGeometry(const std::string& text)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

TEST(StandinLayout, GeometryIsReportedInScreenCoordinates)
{
    PainterOptions o;
    o.paintReleasePixel = true;
    const standin::PainterLayout l = standin::MakeLayout(o);
    const std::string text = standin::FormatGeometry(l, o, 400, 60, Rect{397, 38, 800, 500});
    std::map<std::string, std::string> g = ParseGeometry(text);
    EXPECT_EQ(g["window"], "397,38,800,500");
    EXPECT_EQ(g["client"], "400,60," + std::to_string(399 + l.clientWidth) + "," +
                               std::to_string(59 + l.clientHeight));
    EXPECT_EQ(g["canvas"], std::to_string(400 + l.canvas.left) + "," +
                               std::to_string(60 + l.canvas.top) + "," +
                               std::to_string(400 + l.canvas.right) + "," +
                               std::to_string(60 + l.canvas.bottom));
    EXPECT_EQ(g["bar_left"], std::to_string(400 + l.bars[standin::kBlue].left));
    EXPECT_EQ(g["bar_width"], "255");
    EXPECT_EQ(g["paint_release"], "1");
    for (const char* key : {"sample", "swatch", "red_bar", "green_bar", "blue_bar", "palette_drag"})
        EXPECT_EQ(g.count(key), 1u) << key;
    EXPECT_EQ(text.substr(text.size() - 8), "ready=1\n");
}

// Runs per colour, counted row by row as the plan does.
std::map<Colour, int> RunsPerColour(const std::vector<Colour>& p, int width, int height)
{
    std::map<Colour, int> runs;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x == 0 || p[y * width + x] != p[y * width + x - 1])
                ++runs[p[y * width + x]];
    return runs;
}

TEST(StandinSample, DefaultPictureIsColourfulAndCallsForARowFill)
{
    const std::vector<Colour> picture = standin::MakeSamplePicture(64, 48);
    ASSERT_EQ(picture.size(), 64u * 48u);
    EXPECT_EQ(picture, standin::MakeSamplePicture(64, 48));
    const std::map<Colour, int> runs = RunsPerColour(picture, 64, 48);
    EXPECT_GE(runs.size(), 300u);
    int most = 0;
    for (const auto& colourRuns : runs)
        most = std::max(most, colourRuns.second);
    EXPECT_GT(most, 2 * 48);
    std::set<int> channelValues;
    for (Colour c : picture) {
        channelValues.insert({RedOf(c), GreenOf(c), BlueOf(c)});
    }
    for (int value : {0, 1, 127, 128, 254, 255})
        EXPECT_EQ(channelValues.count(value), 1u) << value;
}

TEST(StandinSample, NoSizeGivesANearWhitePixel)
{
    for (int width : {1, 2, 7, 64, 333}) {
        for (int height : {1, 3, 48, 250}) {
            const std::vector<Colour> picture = standin::MakeSamplePicture(width, height);
            ASSERT_EQ(picture.size(), static_cast<size_t>(width) * height);
            for (Colour c : picture)
                ASSERT_FALSE(RedOf(c) >= 250 && GreenOf(c) >= 250 && BlueOf(c) >= 250)
                    << width << "x" << height;
        }
    }
}

}  // namespace
