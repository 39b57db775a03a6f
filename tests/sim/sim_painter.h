/*
 * The simulated painter: a drawing program standing on the simulated
 * desktop, for tests that drive it as the trace drives a real one. It shows
 * three slider bars in the exact colours the program looks for and a blank
 * canvas, and it knows of the program only what a real painter would: the
 * injected presses and releases, landing wherever the cursor stands, and
 * the cursor itself.
 *
 * Slider mapping (the painter's own choice): a bar spans the columns
 * barLeft..barRight, w columns. A press in a bar's rows at column c, with
 * barLeft - kSliderMargin <= c <= barRight + kSliderMargin, sets that
 * channel to clamp(c - barLeft, 0, w - 1) * 255 / (w - 1), integer
 * division: the bar's first column (and the margin left of it) is 0, its
 * last (and the margin right of it) is 255. The release plays no part in a
 * slider click. A press anywhere else off the canvas does nothing.
 *
 * Canvas: a press on the canvas starts a drag; the release paints the
 * straight line from the press point to the release point in the current
 * colour, clipped to the canvas. An end-including painter paints both end
 * points; an end-excluding one leaves the release pixel out (so a press and
 * release at one point paints nothing), the painter PainterAdjust is for.
 *
 * Lag, as seen under Wine:
 *   - the cursor: SimDesktop::SetCursorLag. A move takes effect only after
 *     some cursor reads or some sleep, so a press injected right after a
 *     move lands at the old point;
 *   - the canvas: SetPaintLag. A finished drag shows on the screen only
 *     after some further reads (screen or cursor) or some sleep. The
 *     sliders answer at once, but the canvas paints a drag in the colour
 *     that is current when the drag shows: a colour change clicked before
 *     the painter has caught up recolours the drags still pending.
 */
#pragma once

#include <cstdint>
#include <vector>

#include "sim/sim_desktop.h"

// Columns left and right of a bar where a press still counts as on it.
const int kSliderMargin = 2;

struct SimPainterLayout {
    int barLeft;    // the columns of all three bars, inclusive
    int barRight;
    int redTop;     // each bar's top row
    int greenTop;
    int blueTop;
    int barHeight;
    int canvasLeft;  // the canvas, inclusive
    int canvasTop;
    int canvasRight;
    int canvasBottom;
    Colour canvasColour;
};

// Bars over columns 20..219 (rows 10..19, 25..34, 40..49) and a white
// canvas at (20, 70)-(379, 289), for a desktop of at least 400 x 300.
SimPainterLayout StandardPainterLayout();

// The same layout moved by (dx, dy): the painter on another monitor.
SimPainterLayout ShiftedPainterLayout(SimPainterLayout layout, int dx, int dy);

enum class StrokeEnd { Included, Excluded };

class SimPainter : public SimListener {
public:
    // Draws the bars and the blank canvas on Sim()'s screen and becomes its
    // listener. The current colour starts black.
    SimPainter(const SimPainterLayout& layout, StrokeEnd end);
    ~SimPainter() override;
    SimPainter(const SimPainter&) = delete;
    SimPainter& operator=(const SimPainter&) = delete;

    const SimPainterLayout& Layout() const { return layout_; }

    // A finished drag shows after this many further reads or this many
    // milliseconds of sleep, whichever comes first; 0 disables that way,
    // both 0 (the default) shows every drag at its release.
    void SetPaintLag(int reads, std::uint32_t sleepMs);
    // Shows every pending drag now, as the painter would given time.
    void Flush();
    int PendingDrags() const { return static_cast<int>(pending_.size()); }
    int DragsShown() const { return dragsShown_; }

    // The slider mapping above, for one bar's column; and the colour the
    // three columns select together.
    int ChannelValueAt(int column) const;
    Colour ColourSelectedAt(int redColumn, int greenColumn, int blueColumn) const;
    Colour CurrentColour() const { return MakeColour(red_, green_, blue_); }

    // The user's hand: after this many further platform calls the cursor
    // is moved to (x, y) at once, as SimDesktop::MoveCursorByHand does.
    // A hand that holds the mouse puts it back there after every later call.
    void MoveHandAfterCalls(int calls, int x, int y);
    void HoldHandAfterCalls(int calls, int x, int y);

    void OnLeftDown(ScreenPoint at) override;
    void OnLeftUp(ScreenPoint at) override;
    void OnPlatformCall() override;

private:
    struct PendingDrag {
        std::vector<ScreenPoint> points;
        int readsLeft;
        std::uint32_t sleepLeft;
    };

    bool OnCanvas(ScreenPoint at) const;
    // The channel (0 red, 1 green, 2 blue) whose bar takes a press at, or -1.
    int BarAt(ScreenPoint at) const;
    std::vector<ScreenPoint> LinePoints(ScreenPoint from, ScreenPoint to) const;
    void Show(const PendingDrag& drag);
    void ShowDragsDue(bool read, std::uint32_t sleptMs);

    SimPainterLayout layout_;
    StrokeEnd end_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool dragging_ = false;
    ScreenPoint dragStart_ = {0, 0};
    int lagReads_ = 0;
    std::uint32_t lagSleepMs_ = 0;
    std::vector<PendingDrag> pending_;
    int dragsShown_ = 0;
    int handCallsLeft_ = 0;
    bool handHolds_ = false;
    ScreenPoint handTarget_ = {0, 0};
};
