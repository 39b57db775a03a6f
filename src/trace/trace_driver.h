/*
 * The trace driver: paints the ColourGroupList into the target painter,
 * group after group and run after run in list order, one run per idle pass
 * of the message loop. It selects each group's colour by clicking the
 * painter's slider bars, only those whose value changes, and reports the
 * elapsed time when the last run is painted.
 */
#pragma once

#include <cstdint>

// The slider offsets last clicked on each bar, taken to be the painter's
// current colour. Kept whole, as the plan keeps them (a scale above 255
// gives offsets above 255).
struct PainterColour {
    int red;
    int green;
    int blue;
};

struct TraceProgressRecord {
    int groupIndex;        // the group being painted
    int runIndex;          // the next run of that group
    int strokesSinceSync;  // slider clicks and strokes since the last screen sync
    std::uint32_t startTick;
    PainterColour painterColour;
};

// Written only by the trace (StartTrace, RunTraceStep, ClickAt and the
// stroke); kept as it is after a trace ends.
extern TraceProgressRecord TraceProgress;

// Begins a trace of the freshly built ColourGroupList: resets
// TraceProgress, clicks the first group's colour on all three bars (red,
// green, blue) and sets TraceMode to Tracing. The Start command MUST call it
// right after BuildColourGroups. With an empty list, or with the slider
// lines cleared, nothing is clicked and no trace starts; a trace that was
// running ends (TraceMode Idle, no box). Groups with no run on the screen
// are passed over (see screen_clip.h); when no group has one, the trace
// ends at once with the completion box.
void StartTrace();

// Called by the message loop whenever it finds the queue empty. Returns at
// once unless TraceMode is Tracing; otherwise paints exactly one run that
// reaches the screen (passing over those that do not) and, after a group's
// last such run, selects the next colour or completes the trace with the
// completion box. Finding the slider lines cleared, it ends the trace
// (Idle, no box) without painting or clicking.
void RunTraceStep();

// One left click, without waiting: the slider click. Made at (x, y), or at
// the screen's pixel nearest to it when (x, y) lies off the screen. Counts
// towards strokesSinceSync.
void ClickAt(int x, int y);
