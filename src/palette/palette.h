/*
 * The Palette: where the target painter's red, green and blue sliders are
 * clicked, found by DetectPalette inside the rectangle the user dragged
 * round them, and how a colour channel of 0 to 255 becomes an offset along
 * a slider. Written only by DetectPalette and ClearSliderLines.
 */
#pragma once

#include "app/desktop.h"

// A slider line, stored as a rectangle: left = x0, the column of offset 0;
// top = bottom = y, the row that is clicked; right = x1, the far end as
// measured. A cleared line has x0 = x1 = 0.
struct SliderLine {
    int left;
    int top;
    int right;
    int bottom;
};

// Slider positions per channel: a channel byte c becomes the offset
// (c * scale) / 255, so 255 is clicked at x0 + scale.
typedef int ChannelScale;

struct PaletteRecord {
    SliderLine red;
    SliderLine green;
    SliderLine blue;
    ChannelScale redScale;
    ChannelScale greenScale;
    ChannelScale blueScale;
};

extern PaletteRecord Palette;

// Clears the Palette and searches the frozen snapshot inside the inclusive
// rectangle (left <= right, top <= bottom) for the three bars.
// painterAdjustChecked is the state of the "しぃペインター" box now: with it
// the line ends become the first and last green columns.
void DetectPalette(int left, int top, int right, int bottom, bool painterAdjustChecked);

// Where DetectPalette starts its search in that rectangle: three quarters
// of the way across, on the middle row rounded toward the top (also for
// negative coordinates).
ScreenPoint PaletteProbePoint(int left, int top, int right, int bottom);

// Clears the twelve line fields; the scales keep their values.
void ClearSliderLines();

// The Palette counts as found when every line has x0 != x1.
bool PaletteFound();
