/*
 * Shared set-up of the trace tests: a fresh simulated desktop, cleared
 * options, and TraceProgress as a stroke or a step finds it mid-trace.
 */
#pragma once

#include <string>
#include <vector>

#include "sim/sim_desktop.h"
#include "trace/trace_driver.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

typedef std::vector<std::string> CallLog;

// A 400 x 300 white desktop at tick `ticks`, all options off, a trace
// running since tick `startTick` with `strokesSinceSync` on the counter.
inline void ResetTrace(int strokesSinceSync, std::uint32_t ticks = 0, std::uint32_t startTick = 0)
{
    Sim().Reset(400, 300, 0x00FFFFFFu, ticks);
    TraceOptions = TraceOptionsRecord{0, 0, 0, 0, 0, 0};
    TraceProgress = TraceProgressRecord{0, 0, strokesSinceSync, startTick, {0, 0, 0}};
    TraceMode = Mode::Tracing;
}

inline int CountCalls(const CallLog& log, const std::string& prefix)
{
    int count = 0;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0)
            ++count;
    return count;
}

// Moves the cursor by hand, once, when the button is released.
class HandOnRelease : public SimListener {
public:
    HandOnRelease(int x, int y) : to_{x, y} {}
    void OnLeftUp(ScreenPoint) override { Sim().MoveCursorByHand(to_.x, to_.y); }

private:
    ScreenPoint to_;
};
