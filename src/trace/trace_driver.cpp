/*
 * The trace driver (see trace_driver.h). Everything it reads it takes from
 * the program-wide state at the moment of use: the list, SourceWidth,
 * DestPoint, the Palette's slider lines and TraceOptions.
 */
#include "trace/trace_driver.h"

#include <cstddef>

#include "app/desktop.h"
#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/trace_stroke.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

TraceProgressRecord TraceProgress = {0, 0, 0, 0, {0, 0, 0}};

void ClickAt(int x, int y)
{
    SetCursorPosition(x, y);
    PressLeftButton();
    ReleaseLeftButton();
    ++TraceProgress.strokesSinceSync;
}

// Selects offset on a bar: the click lands offset columns right of x0.
static void ClickSlider(const SliderLine& line, int offset)
{
    ClickAt(line.left + offset, line.top);
}

// Ends a trace without a report: the user or the program gave it up.
static void AbandonTrace()
{
    if (TraceMode == Mode::Tracing)
        TraceMode = Mode::Idle;
}

void StartTrace()
{
    // Without a plan or without slider lines there is nothing a new trace
    // could do, and the running one's plan is gone or its clicks would
    // land nowhere.
    if (ColourGroupList.empty() || !PaletteFound()) {
        AbandonTrace();
        return;
    }
    TraceMode = Mode::Tracing;
    TraceProgress.groupIndex = 0;
    TraceProgress.runIndex = 0;
    TraceProgress.strokesSinceSync = 0;
    // Taken before the first click, so that the clicks count in the report.
    TraceProgress.startTick = ReadTickCount();

    const ColourGroup& first = ColourGroupList.front();
    TraceProgress.painterColour = PainterColour{first.red, first.green, first.blue};
    ClickSlider(Palette.red, first.red);
    ClickSlider(Palette.green, first.green);
    ClickSlider(Palette.blue, first.blue);
}

static void CompleteTrace()
{
    TraceMode = Mode::Idle;
    const std::uint32_t elapsedMs = ReadTickCount() - TraceProgress.startTick;
    const int seconds = static_cast<int>(elapsedMs / 1000u);
    // Minutes are not folded into hours: 62 minutes read as 62.
    const int minutes = seconds / 60;
    FormatText(kTextElapsedFormat, minutes, seconds - 60 * minutes);
    ShowCompletionBox(TextBuffer, kTextCompletionTitle);
}

// Clicks, in the order red, green, blue, only the bars whose offset
// differs from the painter's current colour.
static void SelectColour(const ColourGroup& group)
{
    PainterColour& current = TraceProgress.painterColour;
    if (group.red != current.red) {
        current.red = group.red;
        ClickSlider(Palette.red, group.red);
    }
    if (group.green != current.green) {
        current.green = group.green;
        ClickSlider(Palette.green, group.green);
    }
    if (group.blue != current.blue) {
        current.blue = group.blue;
        ClickSlider(Palette.blue, group.blue);
    }
}

// A step can paint only when the slider lines are still there (the
// "しぃペインター" box clears them, also during a trace) and the progress
// points at a run of the list.
static bool NextRunExists()
{
    const int groupCount = static_cast<int>(ColourGroupList.size());
    if (TraceProgress.groupIndex < 0 || TraceProgress.groupIndex >= groupCount)
        return false;
    const ColourGroup& group = ColourGroupList[TraceProgress.groupIndex];
    const std::size_t run = static_cast<std::size_t>(TraceProgress.runIndex);
    return TraceProgress.runIndex >= 0 && run < group.runStarts.size() &&
           run < group.runLengths.size() && SourceWidth > 0;
}

void RunTraceStep()
{
    if (TraceMode != Mode::Tracing)
        return;
    if (!PaletteFound() || !NextRunExists()) {
        AbandonTrace();
        return;
    }

    const ColourGroup& group = ColourGroupList[TraceProgress.groupIndex];
    const int start = group.runStarts[TraceProgress.runIndex];
    const int length = group.runLengths[TraceProgress.runIndex];
    const int x = DestPoint.x + start % SourceWidth;
    const int y = DestPoint.y + start / SourceWidth;

    ++TraceProgress.runIndex;
    const bool lastOfGroup = TraceProgress.runIndex >= group.runCount;
    if (TraceOptions.syncOnColourSwitch != 0 && lastOfGroup)
        TraceProgress.strokesSinceSync = kSyncInterval;  // the stroke's increment makes it sync

    TraceStroke(x, y, length);
    if (!lastOfGroup)
        return;

    ++TraceProgress.groupIndex;
    if (TraceProgress.groupIndex >= static_cast<int>(ColourGroupList.size())) {
        // The last stroke was sent whole, even when its check then found
        // the user's hand on the mouse: the trace is complete.
        CompleteTrace();
        return;
    }
    TraceProgress.runIndex = 0;
    // The user has taken the mouse during the stroke: nothing more may be
    // clicked, and nothing resumes this trace.
    if (TraceMode != Mode::Tracing)
        return;
    SelectColour(ColourGroupList[TraceProgress.groupIndex]);
}
