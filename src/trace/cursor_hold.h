/*
 * The rectangle the cursor is held within while a trace runs. Under Wine
 * over X every cursor move the program makes grabs and releases the X
 * pointer, and the window under the pointer takes each release as a mouse
 * move to the point just placed, but only when it next reads its X events:
 * a busy painter gets these replays late, in the middle of a later drag, and
 * a painter that paints along the pointer's path draws a line to the old
 * point. While the cursor is clipped, Wine moves it inside one grab that
 * lasts, and nothing is replayed. A clip that covers the whole screen is no
 * clip to Wine, so the hold leaves out one edge column or row of the screen
 * that the trace never places the cursor on.
 */
#pragma once

#include "ui/selection.h"

// The rectangle (inclusive) for the trace now running: the screen less one
// edge strip, the right column, else the left, else the bottom row, else
// the top, the first that none of the trace's points lies on (the
// destination's runs, one column longer under the painter adjustment, and
// the slider lines up to x0 + scale). False when no trace runs or the
// trace reaches all four edges: then nothing is held.
bool TraceCursorHold(ScreenRect& hold);
