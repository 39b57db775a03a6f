/*
 * Where everything lies in the stand-in painter's client area, and the
 * geometry report that tests read to find it on the screen.
 *
 *   +-------------------------------------------------------------+
 *   |   [ red bar      ]                             [swatch]     |
 *   |   [ green bar    ]                             [      ]     |
 *   |   [ blue bar     ]                             [      ]     |
 *   |                                                             |
 *   |   [sample]  +---------canvas---------+                      |
 *   |             |                        |                      |
 *   +-------------------------------------------------------------+
 *
 * The bars are 10 rows tall with 6-row gaps, over the same columns. The
 * suggested palette drag leaves 6 rows above the red bar and below the blue
 * bar and 4 columns beside the bars, so that its middle row falls in the
 * green bar and its probe column (three quarters across) lies inside it for
 * every bar width from 8 columns up. The swatch shows the current colour and
 * lies outside that drag.
 */
#pragma once

#include <string>

#include "painter_options.h"

namespace standin {

// An inclusive rectangle.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

inline bool Contains(const Rect& r, int x, int y)
{
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

inline int WidthOf(const Rect& r) { return r.right - r.left + 1; }
inline int HeightOf(const Rect& r) { return r.bottom - r.top + 1; }

enum Channel { kRed = 0, kGreen = 1, kBlue = 2 };

// Presses this many columns left of a bar's first column, or right of its
// last, still count as presses on the bar (and select 0 or full), so that
// both ways of measuring a bar's ends land on it.
const int kBarPressReach = 2;

struct PainterLayout {
    int clientWidth;
    int clientHeight;
    Rect bars[3];        // drawn bars, indexed by Channel
    Rect barPress[3];    // where a press sets the channel
    Rect paletteDrag;    // a rectangle round the bars that detection accepts
    Rect swatch;         // the current colour
    Rect sample;         // the sample picture
    Rect canvas;         // the canvas (its frame lies one pixel outside)
};

// All in client coordinates.
PainterLayout MakeLayout(const PainterOptions& options);

// The geometry report: one key=value line per item (see UsageText), in
// screen coordinates given the client area's top-left corner on the screen
// and the window's outer rectangle; the last line is "ready=1".
std::string FormatGeometry(const PainterLayout& layout, const PainterOptions& options,
                           int clientScreenX, int clientScreenY, const Rect& windowRect);

}  // namespace standin
