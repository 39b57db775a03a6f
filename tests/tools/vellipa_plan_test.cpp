/*
 * The planning command as its users run it: the built vellipa-plan on
 * image files, its exact output on good files, and a one-line error with
 * exit code 2 on bad ones. Its plans are held to the plain build run on the
 * same pixels in the simulated desktop.
 */
#include <gtest/gtest.h>
#include <png.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/painter_contract.h"
#include "image_file.h"
#include "palette/palette.h"
#include "plan/reference_plan.h"
#include "png_writer.h"
#include "sim/sim_desktop.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class VellipaPlan : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory_ = fs::temp_directory_path() /
                     ("vellipa-plan-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                      "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string PathOf(const std::string& name) const { return (directory_ / name).string(); }

    std::string Write(const std::string& name, const Image& image, ImageFormat format)
    {
        std::string error;
        EXPECT_TRUE(WriteImageFile(PathOf(name), image, format, error)) << error;
        return PathOf(name);
    }

    std::string WriteBytes(const std::string& name, const std::string& bytes)
    {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }

    std::string WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        return WriteBytes(name, std::string(bytes.begin(), bytes.end()));
    }

    Outcome Run(const std::string& arguments)
    {
        const std::string errPath = PathOf("stderr.txt");
        const std::string command =
            std::string("'") + VELLIPA_BINARY_DIR + "/vellipa-plan' " + arguments + " 2>'" + errPath + "'";
        Outcome outcome;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return outcome;
        char buffer[4096];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            outcome.out.append(buffer, got);
        const int status = pclose(pipe);
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(errPath);
        std::stringstream text;
        text << err.rdbuf();
        outcome.err = text.str();
        return outcome;
    }

    void ExpectRefused(const std::string& arguments)
    {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
        // One line, saying who speaks.
        EXPECT_EQ(outcome.err.rfind("vellipa-plan: ", 0), 0u) << outcome.err;
        ASSERT_FALSE(outcome.err.empty());
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
    }

    fs::path directory_;
};

Image Picture(const std::vector<std::vector<Colour>>& rows)
{
    Image image;
    image.height = static_cast<int>(rows.size());
    image.width = static_cast<int>(rows[0].size());
    for (const std::vector<Colour>& row : rows)
        image.pixels.insert(image.pixels.end(), row.begin(), row.end());
    return image;
}

// The painter's bars as in the detection's worked example, moved up by 200
// rows on a 400 x 80 screen.
Image PainterScreen()
{
    Image image;
    image.width = 400;
    image.height = 80;
    image.pixels.assign(400 * 80, 0x00C0C0C0u);
    auto fill = [&image](int top, int bottom, Colour c) {
        for (int y = top; y <= bottom; ++y)
            for (int x = 150; x <= 349; ++x)
                image.pixels[static_cast<size_t>(y) * 400 + x] = c;
    };
    fill(10, 19, kRedBarColour);
    fill(25, 34, kGreenBarColour);
    fill(40, 49, kBlueBarColour);
    return image;
}

const Colour A = 0x00000000u;
const Colour B = 0x000000FFu;
const Colour C = 0x0000FF00u;

TEST_F(VellipaPlan, PaletteFindsTheBarsInEveryFileFormat)
{
    const Image screen = PainterScreen();
    std::vector<std::string> paths;
    for (ImageFormat format : {ImageFormat::Ppm, ImageFormat::Bmp24, ImageFormat::Bmp32})
        paths.push_back(Write("screen" + std::to_string(paths.size()) + ".img", screen, format));
    // Screenshots as PNG: with alpha, 16 bits or a palette, interlaced.
    std::mt19937 random(13);
    for (const PngLayout& layout : {PngLayout{PNG_COLOR_TYPE_RGB, 8, false}, PngLayout{PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
                                    PngLayout{PNG_COLOR_TYPE_PALETTE, 4, true}})
        paths.push_back(WriteBytes("screen" + std::to_string(paths.size()) + ".png", WritePng(screen, layout, random)));
    for (const std::string& path : paths) {
        Outcome outcome = Run("palette '" + path + "' --rect 100,0,399,59");
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, "red 149 15 350\ngreen 149 29 350\nblue 149 44 350\nscale 202\nfound yes\n");
        outcome = Run("palette '" + path + "' --rect 399,59,100,0 --painter-adjust");
        EXPECT_EQ(outcome.out, "red 150 15 349\ngreen 150 29 349\nblue 150 44 349\nscale 200\nfound yes\n");
    }
    // Blue's top row is the rectangle's bottom row: green and red only.
    const Outcome partial = Run("palette '" + paths[0] + "' --rect 100,10,399,40");
    EXPECT_EQ(partial.status, 0);
    EXPECT_EQ(partial.out, "red 149 15 350\ngreen 149 29 350\nblue 0 0 0\nscale 0\nfound no\n");
}

TEST_F(VellipaPlan, PlanSummaryCountsGroupsRunsStrokesAndClicks)
{
    const std::string path = Write("abcbc.ppm", Picture({{A, B, C, B, C}, {A, B, C, B, C}}), ImageFormat::Ppm);
    // Row fill of B (2 runs), then A (2), then C (4); clicks: 3, then B to A
    // changes red, A to C changes green.
    Outcome outcome = Run("plan '" + path + "' --scales 255,255,255");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "size 5 x 2\ngroups 3\nruns 8\nstrokes 8\nclicks 5\nrow fill yes\n");

    outcome = Run("plan '" + path + "' --scales 255,255,255 --transparent-top-left");
    EXPECT_EQ(outcome.out, "size 5 x 2\ngroups 2\nruns 8\nstrokes 8\nclicks 5\nrow fill no\n");

    outcome = Run("plan '" + path + "' --scales 255,255,255 --rect 0,0,0,1 --transparent-top-left");
    EXPECT_EQ(outcome.out, "size 1 x 2\ngroups 0\nruns 0\nstrokes 0\nclicks 0\nrow fill no\n");
}

TEST_F(VellipaPlan, DumpListsEveryGroupAndRun)
{
    const std::string path = Write("abab.bmp", Picture({{A, B, A, B}, {B, A, B, A}}), ImageFormat::Bmp24);
    Outcome outcome = Run("plan '" + path + "' --scales 255,255,255 --dump");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "group 0 0 0 2\n0 3\n4 3\ngroup 255 0 0 4\n1 0\n3 0\n4 0\n6 0\n");

    // B A B: offsets above 255 stay whole, B's two runs in one row make a
    // row fill, and PainterAdjust lengthens every run, the row fill's too.
    outcome = Run("plan '" + path + "' --scales 300,1,1 --dump --painter-adjust --rect 1,0,3,0");
    EXPECT_EQ(outcome.out, "group 300 0 0 1\n0 3\ngroup 0 0 0 1\n1 1\n");
}

// The fast plan of the command equals the plain build over the same pixels.
TEST_F(VellipaPlan, DumpMatchesThePlainBuildOnRandomPictures)
{
    std::mt19937 random(12);
    for (int trial = 0; trial < 12; ++trial) {
        const int width = 1 + static_cast<int>(random() % 30);
        const int height = 1 + static_cast<int>(random() % 20);
        Image image;
        image.width = width;
        image.height = height;
        const Colour colours[] = {A, B, C, 0x00808080u, 0x00818181u};
        for (int i = 0; i < width * height; ++i)
            image.pixels.push_back(random() % 3 == 0 ? static_cast<Colour>(random() & 0xFFFFFF) : colours[random() % 5]);
        const std::string path = Write("random.ppm", image, trial % 2 ? ImageFormat::Ppm : ImageFormat::Bmp32);

        Sim().Reset(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Sim().SetPixel(x, y, image.At(x, y));
        FreezeScreen(true);
        SourceRect = ScreenRect{0, 0, width - 1, height - 1};
        const int scale = trial % 3 == 0 ? 3 : 200;
        Palette.redScale = Palette.greenScale = Palette.blueScale = scale;
        TraceOptions.painterAdjust = trial & 1;
        TraceOptions.transparentTopLeft = (trial >> 1) & 1;
        std::ostringstream expected;
        for (const ColourGroup& group : BuildReferenceColourGroups()) {
            expected << "group " << group.red << " " << group.green << " " << group.blue << " " << group.runCount << "\n";
            for (int i = 0; i < group.runCount; ++i)
                expected << group.runStarts[i] << " " << group.runLengths[i] << "\n";
        }

        std::string arguments = "plan '" + path + "' --dump --scales " + std::to_string(scale) + "," +
                                std::to_string(scale) + "," + std::to_string(scale);
        if (TraceOptions.painterAdjust)
            arguments += " --painter-adjust";
        if (TraceOptions.transparentTopLeft)
            arguments += " --transparent-top-left";
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, expected.str()) << "trial " << trial;
    }
}

TEST_F(VellipaPlan, BadFilesAndBadCommandLinesAreOneLineErrors)
{
    const std::string good = Write("good.ppm", Picture({{A, B}, {C, A}}), ImageFormat::Ppm);
    ExpectRefused("plan '" + WriteBytes("truncated.ppm", std::string("P6\n2 2\n255\n\x01\x02", 13)) + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("header.ppm", "P6\n2 two\n255\n") + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("huge.ppm", "P6\n30000 30000\n255\n") + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("huge.bmp", std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xff\xff\x7f\0\xff\xff\x7f\0\x01\0\x18\0", 30) +
                                        std::string(24, '\0')) + "' --scales 1,1,1");
    std::mt19937 random(14);
    const PngLayout rgb = {PNG_COLOR_TYPE_RGB, 8, false};
    const std::vector<unsigned char> png = WritePng(Picture({{A, B}, {C, A}}), rgb, random);
    std::vector<unsigned char> damaged = png;
    damaged[damaged.size() - 20] ^= 0x10;
    ExpectRefused("plan '" + WriteBytes("crc.png", damaged) + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("truncated.png", std::vector<unsigned char>(png.begin(), png.end() - 13)) + "' --scales 1,1,1");
    damaged = png;
    SetPngSize(damaged, 20000, 20000);
    ExpectRefused("plan '" + WriteBytes("huge.png", damaged) + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("text.png", "hello\n") + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("text.txt", "hello\n") + "' --scales 1,1,1");
    ExpectRefused("plan '" + WriteBytes("empty.ppm", "") + "' --scales 1,1,1");
    ExpectRefused("plan '" + PathOf("missing.ppm") + "' --scales 1,1,1");
    ExpectRefused("plan '" + good + "' --scales 1,1,1 --rect 0,0,2,1");
    ExpectRefused("plan '" + good + "' --scales 1,1,1 --rect -1,0,1,1");
    ExpectRefused("palette '" + good + "' --rect 0,0,1,2");
    ExpectRefused("plan '" + good + "'");
    ExpectRefused("plan '" + good + "' --scales 1,1");
    ExpectRefused("plan '" + good + "' --scales 1,1,-1");
    ExpectRefused("plan '" + good + "' --scales 1,1,1 --rect 0,0,1");
    ExpectRefused("plan '" + good + "' --scales 1,1,1 --bogus");
    ExpectRefused("palette '" + good + "'");
    ExpectRefused("palette '" + good + "' --rect 0,0,1,1 --dump");
    ExpectRefused("paint '" + good + "'");
    ExpectRefused("plan");
    ExpectRefused("");
    // A mistaken command or option shows how to call it.
    EXPECT_NE(Run("paint '" + good + "'").err.find("usage: vellipa-plan plan IMAGE"), std::string::npos);
    EXPECT_NE(Run("plan '" + good + "' --bogus").err.find("usage: vellipa-plan plan IMAGE"), std::string::npos);
}

TEST_F(VellipaPlan, HelpPrintsTheUsageAndSucceeds)
{
    const Outcome help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("usage: vellipa-plan plan IMAGE --scales R,G,B", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("vellipa-plan palette IMAGE --rect L,T,R,B"), std::string::npos);
    for (const char* arguments : {"-h", "plan --help", "palette missing.png -h"}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments;
        EXPECT_EQ(outcome.out, help.out) << arguments;
    }
}

}  // namespace
