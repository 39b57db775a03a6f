/*
 * The stand-in painter's fixed layout, derived from its options only, so
 * that two runs with the same options put every pixel in the same place.
 */
#include "painter_layout.h"

#include <algorithm>
#include <cstdio>

namespace standin {

namespace {

const int kEdge = 20;          // space round the contents
const int kBarTop = 16;
const int kBarHeight = 10;
const int kBarGap = 6;
const int kDragMarginRows = 6;
const int kDragMarginColumns = 4;
const int kSwatchGap = 14;
const int kSwatchWidth = 32;
const int kRowGap = 18;        // between the bars and the pictures
const int kPictureGap = 20;    // between the sample and the canvas

Rect Offset(const Rect& r, int dx, int dy)
{
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

void AppendRect(std::string& out, const char* key, const Rect& r)
{
    char line[96];
    std::snprintf(line, sizeof line, "%s=%d,%d,%d,%d\n", key, r.left, r.top, r.right, r.bottom);
    out += line;
}

void AppendNumber(std::string& out, const char* key, int value)
{
    char line[64];
    std::snprintf(line, sizeof line, "%s=%d\n", key, value);
    out += line;
}

}  // namespace

PainterLayout MakeLayout(const PainterOptions& options)
{
    PainterLayout layout;
    const int barLeft = kEdge;
    const int barRight = barLeft + options.barWidth - 1;
    for (int channel = kRed; channel <= kBlue; ++channel) {
        const int top = kBarTop + channel * (kBarHeight + kBarGap);
        layout.bars[channel] = Rect{barLeft, top, barRight, top + kBarHeight - 1};
        layout.barPress[channel] =
            Rect{barLeft - kBarPressReach, top, barRight + kBarPressReach, top + kBarHeight - 1};
    }
    layout.paletteDrag = Rect{barLeft - kDragMarginColumns, kBarTop - kDragMarginRows,
                              barRight + kDragMarginColumns,
                              layout.bars[kBlue].bottom + kDragMarginRows};
    const int swatchLeft = layout.paletteDrag.right + kSwatchGap;
    layout.swatch = Rect{swatchLeft, kBarTop, swatchLeft + kSwatchWidth - 1, layout.bars[kBlue].bottom};

    const int picturesTop = layout.paletteDrag.bottom + kRowGap;
    layout.sample = Rect{kEdge, picturesTop, kEdge + options.sampleWidth - 1,
                         picturesTop + options.sampleHeight - 1};
    const int canvasLeft = layout.sample.right + 1 + kPictureGap;
    layout.canvas = Rect{canvasLeft, picturesTop, canvasLeft + options.canvasWidth - 1,
                         picturesTop + options.canvasHeight - 1};

    layout.clientWidth = std::max(layout.swatch.right, layout.canvas.right) + 1 + kEdge;
    layout.clientHeight = std::max(layout.sample.bottom, layout.canvas.bottom) + 1 + kEdge;
    return layout;
}

std::string FormatGeometry(const PainterLayout& layout, const PainterOptions& options,
                           int clientScreenX, int clientScreenY, const Rect& windowRect)
{
    const int dx = clientScreenX;
    const int dy = clientScreenY;
    std::string out;
    AppendRect(out, "window", windowRect);
    AppendRect(out, "client",
               Rect{dx, dy, dx + layout.clientWidth - 1, dy + layout.clientHeight - 1});
    AppendRect(out, "sample", Offset(layout.sample, dx, dy));
    AppendRect(out, "canvas", Offset(layout.canvas, dx, dy));
    AppendRect(out, "swatch", Offset(layout.swatch, dx, dy));
    AppendRect(out, "red_bar", Offset(layout.bars[kRed], dx, dy));
    AppendRect(out, "green_bar", Offset(layout.bars[kGreen], dx, dy));
    AppendRect(out, "blue_bar", Offset(layout.bars[kBlue], dx, dy));
    AppendRect(out, "palette_drag", Offset(layout.paletteDrag, dx, dy));
    AppendNumber(out, "bar_left", layout.bars[kRed].left + dx);
    AppendNumber(out, "bar_width", options.barWidth);
    AppendNumber(out, "paint_release", options.paintReleasePixel ? 1 : 0);
    out += "ready=1\n";
    return out;
}

}  // namespace standin
