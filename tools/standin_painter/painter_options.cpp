/*
 * Command-line parsing for the stand-in painter. Every option has the form
 * --name or --name=value; numbers are plain decimal integers.
 */
#include "painter_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace standin {

namespace {

const char kUsage[] =
    "usage: standin-painter.exe [options]\n"
    "\n"
    "A stand-in drawing program: red, green and blue slider bars in the\n"
    "exact colours (250,150,150), (130,242,56), (128,128,255), a white\n"
    "canvas and a sample picture to copy. A left press on a bar sets that\n"
    "channel; a left drag on the canvas paints a straight line from the\n"
    "press point to the release point in the current colour (on one row:\n"
    "that row between the two points). Escape or the close box ends it.\n"
    "\n"
    "  --paint-release        a drag also paints its release pixel (an\n"
    "                         end-including painter); by default it does not\n"
    "                         (the painter the adjustment option is made for)\n"
    "  --bar-width=N          columns of each bar, 8..1000 (default 255); a\n"
    "                         press at offset v from the bar's first column\n"
    "                         selects round(clamp(v, 0, N) * 255 / N); the\n"
    "                         bars also take presses 2 columns either side\n"
    "  --paint-path           a drag paints along the pointer's path: each\n"
    "                         mouse move between press and release extends\n"
    "                         the line from the last point taken (whose own\n"
    "                         pixel the next piece paints); the release pixel\n"
    "                         as --paint-release says\n"
    "  --event-delay=MS       sleep MS ms before handling each mouse message\n"
    "  --paint-lag=MS         a drag reaches the screen MS ms after release\n"
    "  --pos=X,Y              outer top-left corner of the window (460,40)\n"
    "  --canvas-size=WxH      canvas size in pixels (200x120)\n"
    "  --sample-size=WxH      sample picture size in pixels (64x48)\n"
    "  --canvas-out=FILE      write the canvas to FILE when the window closes\n"
    "  --sample-out=FILE      write the sample picture to FILE at start-up\n"
    "                         (FILE ending in .bmp: 24-bit BMP, else PPM P6)\n"
    "  --geometry-out=FILE    write the screen geometry to FILE at start-up\n"
    "                         (it also goes to standard output)\n"
    "  --event-log=FILE       write a line to FILE for every bar press and\n"
    "                         finished drag, as it happens: \"TICK click\n"
    "                         red|green|blue VALUE\", \"TICK stroke X0 Y0 X1\n"
    "                         Y1\" (canvas), \"TICK press X Y\" (elsewhere)\n"
    "  --log-input            the event log also gets \"TICK move|down|up X Y\"\n"
    "                         (client point) for every mouse message taken\n"
    "  --help                 this text\n"
    "\n"
    "Geometry lines, screen pixels, rectangles inclusive as L,T,R,B:\n"
    "  window=  client=  sample=  canvas=  swatch=\n"
    "  red_bar=  green_bar=  blue_bar=  palette_drag=\n"
    "  bar_left=X  bar_width=N  paint_release=0|1  ready=1 (last line)\n";

// A whole decimal integer in [low, high], and nothing after it but the
// character `end` (or the end of the text).
bool ReadNumber(const char*& text, char end, int low, int high, int& value)
{
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    char* stop = nullptr;
    const long number = std::strtol(text, &stop, 10);
    if (errno != 0 || number < low || number > high || *stop != end)
        return false;
    value = static_cast<int>(number);
    text = *stop != '\0' ? stop + 1 : stop;
    return true;
}

bool ReadPair(const char* text, char separator, int low, int high, int& first, int& second)
{
    return ReadNumber(text, separator, low, high, first) &&
           ReadNumber(text, '\0', low, high, second);
}

bool ReadSize(const char* text, int& width, int& height)
{
    return ReadPair(text, 'x', 1, kMaxPictureSide, width, height);
}

// One argument into options; false when it is not understood.
bool ApplyArgument(const std::string& name, const char* value, PainterOptions& options)
{
    if (value == nullptr) {
        if (name == "--paint-release")
            options.paintReleasePixel = true;
        else if (name == "--paint-path")
            options.paintPath = true;
        else if (name == "--log-input")
            options.logInput = true;
        else if (name == "--help")
            options.showUsage = true;
        else
            return false;
        return true;
    }
    if (name == "--bar-width")
        return ReadNumber(value, '\0', kMinBarWidth, kMaxBarWidth, options.barWidth);
    if (name == "--event-delay")
        return ReadNumber(value, '\0', 0, kMaxDelayMs, options.eventDelayMs);
    if (name == "--paint-lag")
        return ReadNumber(value, '\0', 0, kMaxDelayMs, options.paintLagMs);
    if (name == "--pos")
        return ReadPair(value, ',', 0, 100000, options.windowX, options.windowY);
    if (name == "--canvas-size")
        return ReadSize(value, options.canvasWidth, options.canvasHeight);
    if (name == "--sample-size")
        return ReadSize(value, options.sampleWidth, options.sampleHeight);
    std::string* file = nullptr;
    if (name == "--canvas-out")
        file = &options.canvasFile;
    else if (name == "--sample-out")
        file = &options.sampleFile;
    else if (name == "--geometry-out")
        file = &options.geometryFile;
    else if (name == "--event-log")
        file = &options.eventLogFile;
    if (file == nullptr || *value == '\0')
        return false;
    *file = value;
    return true;
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, PainterOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* equals = std::strchr(argument, '=');
        const std::string name =
            equals != nullptr ? std::string(argument, equals - argument) : std::string(argument);
        if (!ApplyArgument(name, equals != nullptr ? equals + 1 : nullptr, options)) {
            error = std::string("standin-painter: bad option: ") + argument;
            return false;
        }
    }
    return true;
}

const char* UsageText()
{
    return kUsage;
}

}  // namespace standin
