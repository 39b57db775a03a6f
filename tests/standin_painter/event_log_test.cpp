/*
 * The stand-in painter's event log lines: what a test counts as a slider
 * click, a stroke or a stray press must match what the painter did with it.
 */
#include <gtest/gtest.h>

#include <string>

#include "event_log.h"
#include "painter_model.h"
#include "painter_options.h"

namespace {

using standin::PainterState;
using standin::Rect;

TEST(StandinEventLog, OptionNamesTheFile)
{
    const char* args[] = {"standin-painter.exe", "--event-log=C:\\log.txt"};
    standin::PainterOptions options;
    std::string error;
    ASSERT_TRUE(standin::ParseOptions(2, args, options, error)) << error;
    EXPECT_EQ(options.eventLogFile, "C:\\log.txt");

    const char* empty[] = {"standin-painter.exe", "--event-log="};
    EXPECT_FALSE(standin::ParseOptions(2, empty, options, error));
}

TEST(StandinEventLog, EachPressIsNamedByWhatItHit)
{
    PainterState painter;
    standin::ResetPainter(painter, standin::PainterOptions());
    const standin::PainterLayout& layout = painter.layout;

    // A bar press gives the channel's new value, also when it is the old
    // one and when it falls in the reach beside the bar.
    const Rect& green = layout.bars[standin::kGreen];
    standin::PressAt(painter, green.left + 77, green.top + 4);
    EXPECT_EQ(standin::PressEventLine(painter, green.left + 77, green.top + 4), "click green 77");
    standin::PressAt(painter, green.left + 77, green.top + 4);
    EXPECT_EQ(standin::PressEventLine(painter, green.left + 77, green.top + 4), "click green 77");
    const Rect& blue = layout.bars[standin::kBlue];
    standin::PressAt(painter, blue.right + 2, blue.bottom);
    EXPECT_EQ(standin::PressEventLine(painter, blue.right + 2, blue.bottom), "click blue 255");
    const Rect& red = layout.bars[standin::kRed];
    standin::PressAt(painter, red.left - 1, red.top);
    EXPECT_EQ(standin::PressEventLine(painter, red.left - 1, red.top), "click red 0");

    // A canvas press is the start of a stroke and has no line of its own.
    standin::PressAt(painter, layout.canvas.left, layout.canvas.top);
    EXPECT_TRUE(painter.dragging);
    EXPECT_EQ(standin::PressEventLine(painter, layout.canvas.left, layout.canvas.top), "");

    // Anywhere else, say on the sample or the swatch, it is a stray press.
    standin::PainterState other;
    standin::ResetPainter(other, standin::PainterOptions());
    const int x = other.layout.swatch.left, y = other.layout.swatch.top;
    standin::PressAt(other, x, y);
    EXPECT_EQ(standin::PressEventLine(other, x, y),
              "press " + std::to_string(x) + " " + std::to_string(y));
}

TEST(StandinEventLog, StrokeLineGivesPressAndReleaseOnTheCanvas)
{
    PainterState painter;
    standin::ResetPainter(painter, standin::PainterOptions());
    const Rect& canvas = painter.layout.canvas;
    standin::PressAt(painter, canvas.left + 30, canvas.top + 9);
    standin::Stroke stroke;
    ASSERT_TRUE(standin::ReleaseAt(painter, canvas.left + 5, canvas.top + 11, stroke));
    EXPECT_EQ(standin::StrokeEventLine(stroke), "stroke 30 9 5 11");
}

}  // namespace
