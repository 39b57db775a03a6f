/*
 * The trace driver (see trace_driver.h). Everything it reads it takes from
 * the program-wide state at the moment of use: the list, SourceWidth,
 * DestPoint, the Palette's slider lines and TraceOptions.
 */
#include "trace/trace_driver.h"

#include <algorithm>
#include <cstddef>

#include "app/desktop.h"
#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/screen_clip.h"
#include "trace/trace_stroke.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

TraceProgressRecord TraceProgress = {0, 0, 0, 0, {0, 0, 0}};

void ClickAt(int x, int y)
{
    const ScreenPoint at = NearestPointOnScreen(x, y);
    SetCursorPosition(at.x, at.y);
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

// Where run `run` of group lies on the screen: its first pixel and length.
static void RunPosition(const ColourGroup& group, int run, int& x, int& y, int& length)
{
    const int start = group.runStarts[static_cast<std::size_t>(run)];
    x = DestPoint.x + start % SourceWidth;
    y = DestPoint.y + start / SourceWidth;
    length = group.runLengths[static_cast<std::size_t>(run)];
}

// The first run of group from run `from` on that has a pixel to paint on
// the screen; the group's runCount when none has.
static int NextRunOnScreen(const ColourGroup& group, int from)
{
    if (SourceWidth <= 0)
        return group.runCount;
    const int runs = std::min(group.runCount, static_cast<int>(std::min(group.runStarts.size(),
                                                                        group.runLengths.size())));
    for (int run = from; run < runs; ++run) {
        int x = 0, y = 0, length = 0;
        RunPosition(group, run, x, y, length);
        ScreenStroke unused;
        if (ClipRunToScreen(x, y, length, TraceOptions.painterAdjust, unused))
            return run;
    }
    return group.runCount;
}

// From group `from` on, the first group with a run on the screen, and in
// runIndex that run; groupIndex is the list's size when there is none.
static void MoveToGroupOnScreen(int from)
{
    const int groups = static_cast<int>(ColourGroupList.size());
    for (int group = from; group < groups; ++group) {
        const int run = NextRunOnScreen(ColourGroupList[static_cast<std::size_t>(group)], 0);
        if (run < ColourGroupList[static_cast<std::size_t>(group)].runCount) {
            TraceProgress.groupIndex = group;
            TraceProgress.runIndex = run;
            return;
        }
    }
    TraceProgress.groupIndex = groups;
    TraceProgress.runIndex = 0;
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
    TraceProgress.strokesSinceSync = 0;
    // Taken before the first click, so that the clicks count in the report.
    TraceProgress.startTick = ReadTickCount();
    MoveToGroupOnScreen(0);
    if (TraceProgress.groupIndex >= static_cast<int>(ColourGroupList.size())) {
        CompleteTrace();  // nothing of the copy lies on the screen
        return;
    }

    const ColourGroup& first = ColourGroupList[static_cast<std::size_t>(TraceProgress.groupIndex)];
    TraceProgress.painterColour = PainterColour{first.red, first.green, first.blue};
    ClickSlider(Palette.red, first.red);
    ClickSlider(Palette.green, first.green);
    ClickSlider(Palette.blue, first.blue);
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
    int x = 0, y = 0, length = 0;
    RunPosition(group, TraceProgress.runIndex, x, y, length);

    // Runs wholly off the screen are passed over here, so that the group's
    // last painted run is known before it is painted.
    TraceProgress.runIndex = NextRunOnScreen(group, TraceProgress.runIndex + 1);
    const bool lastOfGroup = TraceProgress.runIndex >= group.runCount;
    if (TraceOptions.syncOnColourSwitch != 0 && lastOfGroup)
        TraceProgress.strokesSinceSync = kSyncInterval;  // the stroke's increment makes it sync

    TraceStroke(x, y, length);
    if (!lastOfGroup)
        return;

    MoveToGroupOnScreen(TraceProgress.groupIndex + 1);
    if (TraceProgress.groupIndex >= static_cast<int>(ColourGroupList.size())) {
        // The last stroke was sent whole, even when its check then found
        // the user's hand on the mouse: the trace is complete.
        CompleteTrace();
        return;
    }
    // The user has taken the mouse during the stroke: nothing more may be
    // clicked, and nothing resumes this trace.
    if (TraceMode != Mode::Tracing)
        return;
    SelectColour(ColourGroupList[TraceProgress.groupIndex]);
}
