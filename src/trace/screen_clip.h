/*
 * Where the trace may put the cursor, press and release: only on pixels of
 * the screen, that is pixels a monitor shows (app/screen.h); the gaps that
 * monitors of different sizes leave in the rectangle bounding them count
 * as off the screen, and the edges of every monitor as the screen's edges.
 * A destination near the screen's right or bottom edge lets a
 * copy run past it, and a system pins a cursor set beyond the edge to the
 * edge, so an unclipped run would be pressed and released on the last
 * column or row, painting wrong pixels there or clicking whatever lies
 * under it. Everything the trace knows of the screen's shape is in this
 * file (screen_clip.cpp).
 *
 * What the trace does with a run, a click and its counts:
 *   - A run none of whose painted pixels lies on the screen is skipped: no
 *     move, no press, and it does not count towards the sync after every
 *     kSyncInterval clicks and strokes, which counts what was sent.
 *   - A run partly off the screen is cut at the edge and painted as one
 *     stroke (counted as one). Its on-screen pixels come out as before.
 *   - A colour none of whose runs reaches the screen has no slider clicked:
 *     the trace goes from the colour before it to the next colour that has
 *     a run on the screen, clicking the bars where they differ.
 *   - The colour-switch sync falls on a colour's last run that is painted,
 *     so it still comes before the next colour's clicks.
 *   - A list of which no run reaches the screen clicks nothing and ends at
 *     once with the completion box.
 *   - A slider click whose point lies off the screen is made at the
 *     nearest point on it (see NearestPointOnScreen).
 */
#pragma once

#include "app/desktop.h"

// True when (x, y) is a pixel of the screen: a monitor shows it.
bool OnScreen(int x, int y);

// The part of row y's columns first..last (first <= last) that lies on the
// screen, as from..to: from its first on-screen column to its last. A gap
// between two monitors inside it is crossed, never pressed or released in.
// False when none of it lies on the screen.
bool ClipSpanToScreen(int y, int first, int last, int& from, int& to);

// One stroke as it is sent: press, release and the pixel the screen sync
// watches, all on row y and all on the screen.
struct ScreenStroke {
    int pressX;
    int releaseX;
    int watchedX;
};

// The stroke that paints the on-screen pixels of the run whose first pixel
// is (x, y), pressed there and released length columns to the right; under
// painterAdjust (1) the painter leaves the release pixel out, so the run's
// painted pixels end one column left of its release. Returns false when no
// painted pixel lies on the screen. A run that lies on the screen whole
// keeps its press, release and watched pixel (release - painterAdjust), but
// a watched pixel off the screen becomes the press pixel.
//
// A run whose release would fall past the right edge is cut there and
// released on the screen's last column. Under painterAdjust that pixel
// would then be left unpainted, so such a run is dragged the other way
// instead: pressed on its last on-screen pixel, released one column left
// of its first and watched at its first, which paints the same pixels.
// Only when that column is off the screen too (a run across the whole
// screen) is it dragged rightwards, and its pixel on the last column then
// stays unpainted.
bool ClipRunToScreen(int x, int y, int length, int painterAdjust, ScreenStroke& stroke);

// The pixel of the screen nearest to (x, y): the point itself when it lies
// on the screen. For a slider click: a click past the screen's edge is
// wanted only where the bar reaches that edge (the full value is clicked
// one column past a bar's last column), so the nearest point lies on the
// bar's end: the value nearest the wanted one that the screen lets a click
// reach.
ScreenPoint NearestPointOnScreen(int x, int y);
