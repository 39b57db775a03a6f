/*
 * The event log's lines; see event_log.h.
 */
#include "event_log.h"

#include <cstdio>

namespace standin {

namespace {

const char* const kChannelNames[3] = {"red", "green", "blue"};

}  // namespace

std::string PressEventLine(const PainterState& state, int x, int y)
{
    char line[64];
    if (Contains(state.layout.canvas, x, y))
        return std::string();
    for (int channel = kRed; channel <= kBlue; ++channel) {
        if (Contains(state.layout.barPress[channel], x, y)) {
            std::snprintf(line, sizeof line, "click %s %d", kChannelNames[channel],
                          state.channels[channel]);
            return line;
        }
    }
    std::snprintf(line, sizeof line, "press %d %d", x, y);
    return line;
}

std::string StrokeEventLine(const Stroke& stroke)
{
    char line[80];
    std::snprintf(line, sizeof line, "stroke %d %d %d %d", stroke.from.x, stroke.from.y,
                  stroke.to.x, stroke.to.y);
    return line;
}

}  // namespace standin
