/*
 * The cursor hold's rectangle (see cursor_hold.h), from the trace's
 * geometry as the driver reads it: DestPoint, the source's size, the
 * painter adjustment and the slider lines.
 */
#include "trace/cursor_hold.h"

#include <algorithm>

#include "app/screen.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

namespace {

// A slider's clicks lie from x0 to x0 + scale, which may pass x1.
void Include(ScreenRect& box, const SliderLine& line, ChannelScale scale)
{
    box.left = std::min({box.left, line.left, line.right, line.left + scale});
    box.right = std::max({box.right, line.left, line.right, line.left + scale});
    box.top = std::min(box.top, line.top);
    box.bottom = std::max(box.bottom, line.top);
}

}  // namespace

bool TraceCursorHold(ScreenRect& hold)
{
    if (TraceMode != Mode::Tracing || ScreenWidth < 2 || ScreenHeight < 2)
        return false;
    ScreenRect box = {DestPoint.x, DestPoint.y,
                      DestPoint.x + SourceWidth - 1 + TraceOptions.painterAdjust,
                      DestPoint.y + SourceHeight - 1};
    Include(box, Palette.red, Palette.redScale);
    Include(box, Palette.green, Palette.greenScale);
    Include(box, Palette.blue, Palette.blueScale);
    const ScreenRect screen = {ScreenLeft, ScreenTop, ScreenLeft + ScreenWidth - 1,
                               ScreenTop + ScreenHeight - 1};
    hold = screen;
    if (box.right < screen.right)
        hold.right = screen.right - 1;
    else if (box.left > screen.left)
        hold.left = screen.left + 1;
    else if (box.bottom < screen.bottom)
        hold.bottom = screen.bottom - 1;
    else if (box.top > screen.top)
        hold.top = screen.top + 1;
    else
        return false;
    return true;
}
