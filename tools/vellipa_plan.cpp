/*
 * vellipa-plan: what a trace of a picture would cost, worked out before
 * the trace, and the slider detection on a stored screen. An image file
 * stands for the screen: its pixel (x, y) is screen pixel (x, y).
 *
 *   vellipa-plan plan IMAGE --scales R,G,B [--rect L,T,R,B] [--painter-adjust]
 *                [--transparent-top-left] [--dump]
 *   vellipa-plan palette IMAGE --rect L,T,R,B [--painter-adjust]
 *   vellipa-plan --help
 *
 * IMAGE is a PNG, binary PPM or BMP file. Any error (a bad command line,
 * an unreadable or damaged image, a rectangle outside it) is one line on
 * stderr and exit code 2; --help (or -h) prints the usage on stdout.
 */
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "image_desktop.h"
#include "image_file.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "ui/pick_rules.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

namespace {

const int kUsageError = 2;
const char kUsage[] =
    "usage: vellipa-plan plan IMAGE --scales R,G,B [--rect L,T,R,B] [--painter-adjust] "
    "[--transparent-top-left] [--dump] | vellipa-plan palette IMAGE --rect L,T,R,B [--painter-adjust]";

const char kHelp[] =
    "usage: vellipa-plan plan IMAGE --scales R,G,B [--rect L,T,R,B] [--painter-adjust]\n"
    "                    [--transparent-top-left] [--dump]\n"
    "       vellipa-plan palette IMAGE --rect L,T,R,B [--painter-adjust]\n"
    "       vellipa-plan --help\n"
    "\n"
    "IMAGE (PNG, binary PPM or BMP) stands for the screen: its pixel (x, y) is\n"
    "screen pixel (x, y).\n"
    "\n"
    "plan     the plan of a copy of the rectangle (default: the whole image):\n"
    "         its size, colour groups, runs, strokes, slider clicks and whether\n"
    "         the first group fills whole rows; --dump lists every group and run\n"
    "palette  the slider bars found in the rectangle, and the green scale\n"
    "\n"
    "--scales R,G,B           the channel scales of the painter's sliders\n"
    "--rect L,T,R,B           a rectangle of the image, both corners included\n"
    "--painter-adjust         for a painter that leaves out a drag's last pixel:\n"
    "                         drags one pixel longer, bars measured to their ends\n"
    "--transparent-top-left   leave out the top-left pixel's colour\n"
    "--help, -h               this text\n";

// The largest scale whose products with a channel byte stay within 32 bits.
const long kMaxScale = INT_MAX / 255;

struct CommandLine {
    std::string command;
    std::string imagePath;
    bool hasScales = false;
    long scales[3] = {0, 0, 0};
    bool hasRect = false;
    long rect[4] = {0, 0, 0, 0};
    bool painterAdjust = false;
    bool transparentTopLeft = false;
    bool dump = false;
};

int Refuse(const std::string& reason)
{
    std::fprintf(stderr, "vellipa-plan: %s\n", reason.c_str());
    return kUsageError;
}

// Exactly count comma-separated integers, nothing else.
bool ParseIntegers(const std::string& text, int count, long* values)
{
    const char* at = text.c_str();
    for (int i = 0; i < count; ++i) {
        if (i > 0 && *at++ != ',')
            return false;
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(at, &end, 10);
        if (end == at || errno != 0 || value < INT_MIN / 2 || value > INT_MAX / 2)
            return false;
        values[i] = value;
        at = end;
    }
    return *at == '\0';
}

// Fills line from argv; on a mistake returns false with the reason.
bool ParseCommandLine(int argc, char** argv, CommandLine& line, std::string& reason)
{
    if (argc < 2) {
        reason = kUsage;
        return false;
    }
    line.command = argv[1];
    if (line.command != "plan" && line.command != "palette") {
        reason = "unknown command '" + line.command + "' (" + kUsage + ")";
        return false;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--scales" || arg == "--rect";
        if (takesValue && i + 1 >= argc) {
            reason = arg + " needs a value";
            return false;
        }
        if (arg == "--scales") {
            line.hasScales = ParseIntegers(argv[++i], 3, line.scales);
            if (!line.hasScales) {
                reason = "--scales wants R,G,B, three whole numbers";
                return false;
            }
        } else if (arg == "--rect") {
            line.hasRect = ParseIntegers(argv[++i], 4, line.rect);
            if (!line.hasRect) {
                reason = "--rect wants L,T,R,B, four whole numbers";
                return false;
            }
        } else if (arg == "--painter-adjust") {
            line.painterAdjust = true;
        } else if (line.command == "plan" && arg == "--transparent-top-left") {
            line.transparentTopLeft = true;
        } else if (line.command == "plan" && arg == "--dump") {
            line.dump = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            reason = "unknown option '" + arg + "' for " + line.command + " (" + kUsage + ")";
            return false;
        } else if (line.imagePath.empty()) {
            line.imagePath = arg;
        } else {
            reason = "more than one image given ('" + line.imagePath + "', '" + arg + "')";
            return false;
        }
    }
    if (line.imagePath.empty()) {
        reason = "no image given (" + std::string(kUsage) + ")";
        return false;
    }
    if (line.command == "plan" && !line.hasScales) {
        reason = "plan needs --scales R,G,B";
        return false;
    }
    if (line.command == "palette" && !line.hasRect) {
        reason = "palette needs --rect L,T,R,B";
        return false;
    }
    for (long scale : line.scales) {
        if (scale < 0 || scale > kMaxScale) {
            reason = "scales must lie between 0 and " + std::to_string(kMaxScale);
            return false;
        }
    }
    return true;
}

// The rectangle as given, normalised like a drag, or the whole image; it
// must lie inside the image.
bool PickRectangle(const CommandLine& line, const Image& image, ScreenRect& rect, std::string& reason)
{
    rect = ScreenRect{0, 0, image.width - 1, image.height - 1};
    if (!line.hasRect)
        return true;
    // The values were read within half the int range, so they fit an int.
    rect = NormaliseDrag(ScreenPoint{static_cast<int>(line.rect[0]), static_cast<int>(line.rect[1])},
                         ScreenPoint{static_cast<int>(line.rect[2]), static_cast<int>(line.rect[3])});
    if (rect.left < 0 || rect.top < 0 || rect.right >= image.width || rect.bottom >= image.height) {
        reason = "rectangle " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                 std::to_string(rect.right) + "," + std::to_string(rect.bottom) + " lies outside the " +
                 std::to_string(image.width) + " x " + std::to_string(image.height) + " image";
        return false;
    }
    return true;
}

// The slider clicks a trace of the list makes: all three bars for the
// first colour, then each bar whose offset changes from group to group.
long long CountClicks()
{
    if (ColourGroupList.empty())
        return 0;
    long long clicks = 3;
    for (std::size_t i = 1; i < ColourGroupList.size(); ++i) {
        const ColourGroup& before = ColourGroupList[i - 1];
        const ColourGroup& group = ColourGroupList[i];
        clicks += (group.red != before.red) + (group.green != before.green) + (group.blue != before.blue);
    }
    return clicks;
}

void PrintSummary()
{
    long long runs = 0;
    for (const ColourGroup& group : ColourGroupList)
        runs += group.runCount;
    // Every run is painted as one stroke, the row fill's included.
    const long long strokes = runs;
    std::printf("size %d x %d\n", SourceWidth, SourceHeight);
    std::printf("groups %zu\n", ColourGroupList.size());
    std::printf("runs %lld\n", runs);
    std::printf("strokes %lld\n", strokes);
    std::printf("clicks %lld\n", CountClicks());
    std::printf("row fill %s\n", RowFillFirst ? "yes" : "no");
}

void PrintDump()
{
    for (const ColourGroup& group : ColourGroupList) {
        std::printf("group %d %d %d %d\n", group.red, group.green, group.blue, group.runCount);
        for (int i = 0; i < group.runCount; ++i)
            std::printf("%d %d\n", group.runStarts[static_cast<std::size_t>(i)],
                        group.runLengths[static_cast<std::size_t>(i)]);
    }
}

int RunPlan(const CommandLine& line, const Image& image)
{
    std::string reason;
    if (!PickRectangle(line, image, SourceRect, reason))
        return Refuse(reason);
    Palette.redScale = static_cast<ChannelScale>(line.scales[0]);
    Palette.greenScale = static_cast<ChannelScale>(line.scales[1]);
    Palette.blueScale = static_cast<ChannelScale>(line.scales[2]);
    TraceOptions.painterAdjust = line.painterAdjust ? 1 : 0;
    TraceOptions.transparentTopLeft = line.transparentTopLeft ? 1 : 0;
    FreezeScreen(true);
    BuildColourGroups();
    if (line.dump)
        PrintDump();
    else
        PrintSummary();
    return 0;
}

void PrintLine(const char* name, const SliderLine& line)
{
    std::printf("%s %d %d %d\n", name, line.left, line.top, line.right);
}

int RunPalette(const CommandLine& line, const Image& image)
{
    std::string reason;
    ScreenRect rect;
    if (!PickRectangle(line, image, rect, reason))
        return Refuse(reason);
    DetectPalette(rect.left, rect.top, rect.right, rect.bottom, line.painterAdjust);
    PrintLine("red", Palette.red);
    PrintLine("green", Palette.green);
    PrintLine("blue", Palette.blue);
    std::printf("scale %d\n", Palette.greenScale);
    std::printf("found %s\n", PaletteFound() ? "yes" : "no");
    return 0;
}

bool AsksForHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (AsksForHelp(argc, argv)) {
        std::fputs(kHelp, stdout);
        return std::fflush(stdout) == 0 ? 0 : Refuse("could not write the output");
    }
    CommandLine line;
    std::string reason;
    if (!ParseCommandLine(argc, argv, line, reason))
        return Refuse(reason);
    Image image;
    if (!ReadImageFile(line.imagePath, image, reason))
        return Refuse(reason);
    UseImageAsScreen(image);
    const int status = line.command == "plan" ? RunPlan(line, image) : RunPalette(line, image);
    if (status == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        return Refuse("could not write the output");
    return status;
}
