/*
 * The stand-in painter's command line: what kind of painter it pretends to
 * be (does a drag paint its release pixel, how wide are the slider bars, how
 * slow is it), where its window goes, and which files it writes. Parsing is
 * plain C++ so that the native tests reach it; the usage text documents
 * every option.
 */
#pragma once

#include <string>

namespace standin {

struct PainterOptions {
    // A drag paints the line from the press point to the release point; the
    // release pixel itself only when this is set (an end-including painter).
    // Off by default: the painter that the "しぃペインター" adjustment is made for.
    bool paintReleasePixel = false;
    // A drag paints along the pointer's path, as drawing programs do: every
    // mouse move it takes between press and release extends the line (see
    // painter_model.h). Off: the straight line from press to release.
    bool paintPath = false;
    // Columns of each slider bar. 255 makes offset v from the bar's first
    // column select channel value v exactly (see painter_model.h).
    int barWidth = 255;
    // Each mouse message is handled only after sleeping this long.
    int eventDelayMs = 0;
    // A drag's pixels reach the screen only this long after the release.
    int paintLagMs = 0;
    // The window's outer top-left corner, in screen pixels.
    int windowX = 460;
    int windowY = 40;
    int canvasWidth = 200;
    int canvasHeight = 120;
    int sampleWidth = 64;
    int sampleHeight = 48;
    // Written when the window closes: the canvas. At start-up: the sample
    // picture and the screen geometry. Empty means not written. A name
    // ending in .bmp (any case) is written as BMP, anything else as PPM.
    std::string canvasFile;
    std::string sampleFile;
    std::string geometryFile;
    // Every slider click and finished drag, one line each as it happens
    // (see event_log.h). Empty means not written.
    std::string eventLogFile;
    // The event log also gets a line for every mouse message taken.
    bool logInput = false;
    bool showUsage = false;
};

// Limits that keep the layout sound: bars narrower than 8 columns would put
// the probe column of a detection outside them (see painter_layout.h).
const int kMinBarWidth = 8;
const int kMaxBarWidth = 1000;
const int kMaxDelayMs = 10000;
const int kMaxPictureSide = 1000;

// Parses argv[1] .. argv[argc - 1] into options, starting from the
// defaults. Returns false with a one-line message in error for an unknown
// option, a malformed or out-of-range value, or a missing value.
bool ParseOptions(int argc, const char* const* argv, PainterOptions& options, std::string& error);

// The usage text, several lines, ending in a newline.
const char* UsageText();

}  // namespace standin
