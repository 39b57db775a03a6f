/*
 * The simulated painter (see sim_painter.h). It learns of the passing of
 * time the only way the simulated desktop offers: from the kind of each
 * platform call, read off the last line of the desktop's log.
 */
#include "sim/sim_painter.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/painter_contract.h"

SimPainterLayout StandardPainterLayout()
{
    SimPainterLayout layout;
    layout.barLeft = 20;
    layout.barRight = 219;
    layout.redTop = 10;
    layout.greenTop = 25;
    layout.blueTop = 40;
    layout.barHeight = 10;
    layout.canvasLeft = 20;
    layout.canvasTop = 70;
    layout.canvasRight = 379;
    layout.canvasBottom = 289;
    layout.canvasColour = 0x00FFFFFFu;
    return layout;
}

SimPainterLayout ShiftedPainterLayout(SimPainterLayout layout, int dx, int dy)
{
    layout.barLeft += dx;
    layout.barRight += dx;
    layout.canvasLeft += dx;
    layout.canvasRight += dx;
    layout.redTop += dy;
    layout.greenTop += dy;
    layout.blueTop += dy;
    layout.canvasTop += dy;
    layout.canvasBottom += dy;
    return layout;
}

SimPainter::SimPainter(const SimPainterLayout& layout, StrokeEnd end) : layout_(layout), end_(end)
{
    const int bottom = layout.barHeight - 1;
    Sim().FillRect(layout.barLeft, layout.redTop, layout.barRight, layout.redTop + bottom,
                   kRedBarColour);
    Sim().FillRect(layout.barLeft, layout.greenTop, layout.barRight, layout.greenTop + bottom,
                   kGreenBarColour);
    Sim().FillRect(layout.barLeft, layout.blueTop, layout.barRight, layout.blueTop + bottom,
                   kBlueBarColour);
    Sim().FillRect(layout.canvasLeft, layout.canvasTop, layout.canvasRight, layout.canvasBottom,
                   layout.canvasColour);
    Sim().SetListener(this);
}

SimPainter::~SimPainter()
{
    Sim().SetListener(nullptr);
}

void SimPainter::SetPaintLag(int reads, std::uint32_t sleepMs)
{
    lagReads_ = std::max(reads, 0);
    lagSleepMs_ = sleepMs;
}

void SimPainter::Flush()
{
    for (const PendingDrag& drag : pending_)
        Show(drag);
    pending_.clear();
}

int SimPainter::ChannelValueAt(int column) const
{
    const int width = layout_.barRight - layout_.barLeft + 1;
    if (width < 2)
        return 0;
    const int position = std::min(std::max(column - layout_.barLeft, 0), width - 1);
    return position * 255 / (width - 1);
}

Colour SimPainter::ColourSelectedAt(int redColumn, int greenColumn, int blueColumn) const
{
    return MakeColour(ChannelValueAt(redColumn), ChannelValueAt(greenColumn),
                      ChannelValueAt(blueColumn));
}

void SimPainter::MoveHandAfterCalls(int calls, int x, int y)
{
    handCallsLeft_ = std::max(calls, 1);
    handHolds_ = false;
    handTarget_ = {x, y};
}

void SimPainter::HoldHandAfterCalls(int calls, int x, int y)
{
    MoveHandAfterCalls(calls, x, y);
    handHolds_ = true;
}

bool SimPainter::OnCanvas(ScreenPoint at) const
{
    return at.x >= layout_.canvasLeft && at.x <= layout_.canvasRight && at.y >= layout_.canvasTop &&
           at.y <= layout_.canvasBottom;
}

int SimPainter::BarAt(ScreenPoint at) const
{
    if (at.x < layout_.barLeft - kSliderMargin || at.x > layout_.barRight + kSliderMargin)
        return -1;
    const int tops[3] = {layout_.redTop, layout_.greenTop, layout_.blueTop};
    for (int channel = 0; channel < 3; ++channel)
        if (at.y >= tops[channel] && at.y < tops[channel] + layout_.barHeight)
            return channel;
    return -1;
}

void SimPainter::OnLeftDown(ScreenPoint at)
{
    dragging_ = false;
    switch (BarAt(at)) {
    case 0:
        red_ = ChannelValueAt(at.x);
        return;
    case 1:
        green_ = ChannelValueAt(at.x);
        return;
    case 2:
        blue_ = ChannelValueAt(at.x);
        return;
    default:
        break;
    }
    if (OnCanvas(at)) {
        dragging_ = true;
        dragStart_ = at;
    }
}

void SimPainter::OnLeftUp(ScreenPoint at)
{
    if (!dragging_)
        return;
    dragging_ = false;
    PendingDrag drag = {LinePoints(dragStart_, at), lagReads_, lagSleepMs_};
    if (lagReads_ == 0 && lagSleepMs_ == 0)
        Show(drag);
    else
        pending_.push_back(drag);
}

// The points of the straight line between two points (Bresenham), the
// release point last; left out by an end-excluding painter.
std::vector<ScreenPoint> SimPainter::LinePoints(ScreenPoint from, ScreenPoint to) const
{
    std::vector<ScreenPoint> points;
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    ScreenPoint at = from;
    for (;;) {
        points.push_back(at);
        if (at.x == to.x && at.y == to.y)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
    if (end_ == StrokeEnd::Excluded)
        points.pop_back();
    return points;
}

void SimPainter::Show(const PendingDrag& drag)
{
    const Colour colour = CurrentColour();
    for (const ScreenPoint& point : drag.points)
        if (OnCanvas(point))
            Sim().SetPixel(point.x, point.y, colour);
    ++dragsShown_;
}

void SimPainter::ShowDragsDue(bool read, std::uint32_t sleptMs)
{
    for (PendingDrag& drag : pending_) {
        if (read && drag.readsLeft > 0)
            --drag.readsLeft;
        drag.sleepLeft -= std::min(drag.sleepLeft, sleptMs);
    }
    // The canvas shows its drags in the order they were made.
    size_t due = 0;
    while (due < pending_.size() &&
           ((lagReads_ > 0 && pending_[due].readsLeft == 0) ||
            (lagSleepMs_ > 0 && pending_[due].sleepLeft == 0)))
        ++due;
    for (size_t i = 0; i < due; ++i)
        Show(pending_[i]);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(due));
}

void SimPainter::OnPlatformCall()
{
    if (Sim().Log().empty())
        return;
    const std::string& call = Sim().Log().back();
    const bool read = call.compare(0, 8, "GetPixel") == 0 || call.compare(0, 12, "GetCursorPos") == 0;
    std::uint32_t sleptMs = 0;
    if (call.compare(0, 6, "Sleep(") == 0)
        sleptMs = static_cast<std::uint32_t>(std::stoul(call.substr(6)));
    if (!pending_.empty())
        ShowDragsDue(read, sleptMs);

    if (handCallsLeft_ > 0 && --handCallsLeft_ == 0) {
        Sim().MoveCursorByHand(handTarget_.x, handTarget_.y);
        handCallsLeft_ = handHolds_ ? 1 : 0;
    }
}
