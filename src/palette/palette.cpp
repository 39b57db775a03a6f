/*
 * The Palette, its reset and the slider detection: finding the painter's
 * red, green and blue bars inside the rectangle the user dragged round them,
 * by their exact colours, with a few pixel reads along one column and one
 * row of the frozen snapshot. The snapshot is what the user dragged on; the
 * live screen still shows the overlay's last frame, whose rubber band and
 * label (flipped into the rectangle near the screen's right edge) would
 * hide the bars.
 */
#include "palette/palette.h"

#include "app/desktop.h"
#include "app/painter_contract.h"

PaletteRecord Palette = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0};

namespace {

SliderLine LineAt(int x0, int y, int x1)
{
    return SliderLine{x0, y, x1, y};
}

bool IsGreen(int x, int y)
{
    return ReadSnapshotPixel(x, y) == kGreenBarColour;
}

// Walks up column x from row y while the pixels are green, never reading
// row top. Returns the row where the walk stopped.
int FirstNonGreenAbove(int x, int y, int top)
{
    while (y > top && IsGreen(x, y))
        --y;
    return y;
}

// Walks from (x, y) in steps of dx along the row while the pixels are green,
// reading the columns from x up to and including limit. Returns the first
// column that is not green, or the one just past limit.
int GreenRunEnd(int x, int y, int dx, int limit)
{
    while ((dx < 0 ? x >= limit : x <= limit) && IsGreen(x, y))
        x += dx;
    return x;
}

}  // namespace

void DetectPalette(int left, int top, int right, int bottom, bool painterAdjustChecked)
{
    Palette = PaletteRecord{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0};

    const ScreenPoint probe = PaletteProbePoint(left, top, right, bottom);
    const int px = probe.x;
    const int mid = probe.y;

    // The green bar's top row, seen from the middle row upward. The walk
    // must stop on a non-green row strictly inside the rectangle.
    const int edge = FirstNonGreenAbove(px, mid, top);
    if (edge == mid || edge == top)
        return;
    const int greenTop = edge + 1;

    int x0 = GreenRunEnd(px, greenTop, -1, left);
    int x1 = GreenRunEnd(px, greenTop, +1, right);
    // The painter of the "しぃペインター" box takes its first and last green
    // columns as the slider's ends; other painters one column outside them.
    if (painterAdjustChecked) {
        x0 += 1;
        x1 -= 1;
    }
    Palette.green = LineAt(x0, edge + 5, x1);

    int y = mid;
    while (y > top && ReadSnapshotPixel(px, y) != kRedBarColour)
        --y;
    if (y == top)
        return;
    Palette.red = LineAt(x0, y - 4, x1);

    y = mid;
    while (y < bottom && ReadSnapshotPixel(px, y) != kBlueBarColour)
        ++y;
    if (y == bottom)
        return;
    Palette.blue = LineAt(x0, y + 4, x1);

    // Kept whole: a scale above 255 gives offsets above 255, which the plan
    // stores and the trace clicks as they are.
    const ChannelScale scale = x1 - x0 + 1;
    Palette.redScale = scale;
    Palette.greenScale = scale;
    Palette.blueScale = scale;
}

ScreenPoint PaletteProbePoint(int left, int top, int right, int bottom)
{
    // The dividend is never negative for a normalised rectangle; the row is
    // halved by an arithmetic shift, which rounds toward the top where a
    // division would round toward zero.
    return ScreenPoint{left + (3 * (right - left)) / 4, (top + bottom) >> 1};
}

void ClearSliderLines()
{
    Palette.red = SliderLine{0, 0, 0, 0};
    Palette.green = SliderLine{0, 0, 0, 0};
    Palette.blue = SliderLine{0, 0, 0, 0};
}

bool PaletteFound()
{
    return Palette.red.left != Palette.red.right && Palette.blue.left != Palette.blue.right &&
           Palette.green.left != Palette.green.right;
}
