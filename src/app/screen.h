/*
 * The screen: the rectangle that bounds every monitor of the desktop (the
 * virtual screen), and the monitors themselves, measured once at start-up
 * and never followed afterwards. The frozen surfaces hold exactly this
 * rectangle and the overlay covers it. Its origin (ScreenLeft, ScreenTop)
 * is the primary monitor's top-left corner unless a monitor lies left of
 * or above the primary; it is then negative. With one monitor it is that
 * monitor, from (0, 0).
 *
 * Monitors of different sizes leave parts of the rectangle that no monitor
 * shows: there is no pixel there to read, and no input may go there.
 *
 * Written only by the program's start-up (and by a test's simulated one):
 * SetScreen, then SetMonitors when the system lists its monitors.
 */
#pragma once

#include <cstddef>

#include "app/desktop.h"

extern int ScreenLeft;
extern int ScreenTop;
extern int ScreenWidth;
extern int ScreenHeight;

// A monitor's rectangle in screen coordinates: left and top are its first
// column and row, right and bottom the first ones past it.
struct MonitorArea {
    int left;
    int top;
    int right;
    int bottom;
};

// More monitors than this are not kept; the screen rectangle still bounds
// them all, and a point shown only by one of those left out counts as
// shown by no monitor.
const int kMaxMonitors = 16;

extern int MonitorCount;
extern MonitorArea Monitors[kMaxMonitors];

// The screen rectangle, width x height from (left, top), with no monitor
// list: the whole rectangle then counts as one monitor.
void SetScreen(int left, int top, int width, int height);

// The monitors, as the system lists them (the first count of areas, at
// most kMaxMonitors). With a count of 0 the whole screen rectangle counts
// as one monitor, as after SetScreen.
void SetMonitors(const MonitorArea* areas, int count);

// True when a monitor shows the pixel (x, y): it lies in one of the
// listed monitors or, with none listed, in the screen rectangle.
bool IsShownByMonitor(int x, int y);

// The columns of row y from first to last (first <= last) that monitors
// show, as from..to: the first and the last such column. Columns between
// them that no monitor shows (a gap between two monitors on that row) lie
// inside from..to. False when no column of it is shown.
bool ShownSpanOfRow(int y, int first, int last, int& from, int& to);

// The pixel a monitor shows that lies nearest to (x, y): the point itself
// when a monitor shows it, else the nearest point of the nearest monitor
// (of the screen rectangle when no monitors are listed), as a system puts
// a cursor set there. (x, y) itself for an empty screen.
ScreenPoint NearestShownPoint(int x, int y);

// The monitor that shows (x, y), or the whole screen rectangle when no
// monitors are listed or none of them shows the point.
MonitorArea MonitorAt(int x, int y);

// Sets every pixel of a block read from the screen that no monitor shows
// to kNoPixel: the block's top-left pixel is (left, top), it is width
// pixels wide and its rows lie stride colours apart in pixels.
void BlankUnshownPixels(int left, int top, int width, int height, Colour* pixels,
                        std::size_t stride);
