/*
 * What the stand-in painter does with the mouse: the slider mapping, the
 * current colour, and the drag rule that paints the canvas. Plain C++; the
 * window (painter_win32.cpp) feeds it client coordinates and shows the
 * result.
 *
 * Slider mapping. A bar of N columns starts at column B. A left press at
 * column B + v on a bar's rows (v may lie kBarPressReach columns outside
 * the bar) sets that channel to SliderValueAt(v, N) =
 * round(clamp(v, 0, N) * 255 / N): offset 0 selects 0 and offset N, one
 * column right of the bar's last column, selects 255.
 *
 * With the default N = 255 the value is simply clamp(v, 0, 255). Vellipa
 * clicks a channel byte c at x0 + (c * scale) / 255 on the line it measured:
 *   - with its painter adjustment on, x0 = B and x1 = B + 254 (the first and
 *     last bar columns), scale 255: c is clicked at B + c and every channel
 *     is reproduced exactly;
 *   - without it, x0 = B - 1 and x1 = B + 255 (one column outside the bar on
 *     each side), scale 257: c is clicked at B - 1 + (c * 257) / 255, which
 *     selects 0 for c = 0, c - 1 for c = 1..127, c for c = 128..255
 *     (255 is clicked at B + 256, past the bar, and clamps to 255).
 *
 * Drag rule. A left press on the canvas starts a drag; the release, wherever
 * it happens, paints a straight line (Bresenham) from the press point to the
 * release point in the colour current at the press, clipped to the canvas.
 * A press and release on one row paint that row between them. The press
 * pixel is always painted; the release pixel only with paintReleasePixel
 * (or when it is the press pixel). Moves in between are not looked at, so a
 * release that lands on another row than its press shows as a slanted line.
 * A press anywhere else does nothing, and neither does its release.
 *
 * Path rule (paintPath). The drag paints along the pointer's path instead:
 * every move taken while the button is down paints the line from the last
 * point taken to the new one, leaving the new point itself to the next
 * piece, and the release paints the last piece the same way, its release
 * pixel as the drag rule says. So a press, one move and a release at the
 * moved-to point paint what the drag rule paints for that press and
 * release; a move to a point on another row shows as a bend.
 */
#pragma once

#include <cstdint>
#include <vector>

#include "app/desktop.h"
#include "painter_layout.h"

namespace standin {

const Colour kCanvasWhite = 0x00FFFFFFu;

// The channel value a press at offset v from a bar's first column selects.
int SliderValueAt(int offset, int barWidth);

struct CanvasPoint {
    int x;
    int y;
};

// One finished drag, in canvas coordinates.
struct Stroke {
    CanvasPoint from;
    CanvasPoint to;
    Colour colour;
    bool paintsRelease;
    // The press pixel; false for a last piece of a path that ends where the
    // one before it did (its pixel is the release pixel then).
    bool paintsPress = true;
};

struct PainterState {
    PainterOptions options;
    PainterLayout layout;
    int channels[3];          // indexed by Channel, 0..255; black at start
    bool dragging;
    CanvasPoint pressPoint;
    Colour pressColour;
    CanvasPoint pathEnd;   // the last point of the drag taken so far
    bool pathPainted;      // a piece of the path has been painted
    std::vector<Colour> canvas;  // layout.canvas size, row after row
};

void ResetPainter(PainterState& state, const PainterOptions& options);

Colour CurrentColour(const PainterState& state);

// A left press at client point (x, y). Returns true when it changed the
// current colour (the swatch needs repainting).
bool PressAt(PainterState& state, int x, int y);

// A mouse move to client point (x, y) with the button down. Returns true,
// with the piece to paint, when the painter paints along the path, a drag
// is on and the point differs from the last one taken.
bool MoveAt(PainterState& state, int x, int y, Stroke& piece);

// A left release at client point (x, y). Returns true, with the stroke to
// paint (the whole line, or the path's last piece), when it ends a drag
// begun on the canvas. The stroke is not painted here: the window may show
// it later (the paint lag).
bool ReleaseAt(PainterState& state, int x, int y, Stroke& stroke);

// Paints one stroke into a canvas of width x height pixels.
void PaintStroke(std::vector<Colour>& canvas, int width, int height, const Stroke& stroke);

// The whole client area as top-down 32-bit device-independent pixels
// (0x00RRGGBB, the byte order a 32-bit DIB holds), from the state and the
// sample picture (layout.sample size).
void RenderClient(const PainterState& state, const std::vector<Colour>& sample,
                  std::vector<std::uint32_t>& pixels);

}  // namespace standin
