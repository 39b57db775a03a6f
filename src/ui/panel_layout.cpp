/*
 * The panel's layout at any DPI, scaled from its one table at 96 DPI.
 */
#include "ui/panel_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

struct ControlBox {
    int x;
    int y;
    int width;
    int height;
};

// The panel at 96 DPI, in client pixels, in id order.
// The check boxes stand 20 pixels apart, so each is 20 high (centred where
// a 24-high box at 2 pixels less would centre its text): taller boxes would
// overlap their neighbours.
const ControlBox kControlsAtBase[kControlCount] = {
    {16, 4, 128, 24},    // ID_SOURCE_REGION
    {16, 32, 128, 24},   // ID_DEST_POSITION
    {16, 60, 128, 24},   // ID_RGB_REGION
    {16, 152, 128, 24},  // ID_START
    {240, 74, 128, 20},  // ID_TRANSPARENT_TOP_LEFT
    {240, 94, 180, 20},  // ID_PAINTER_ADJUST
    {240, 114, 180, 20}, // ID_SYNC_COLOUR_SWITCH
    {240, 134, 200, 20}, // ID_SYNC_MOUSE_MOVE
    {240, 154, 200, 20}, // ID_SYNC_EVERY_PIXEL
    {176, 104, 32, 24},  // ID_WAIT_EDIT
};

const PanelPoint kSourceLineAtBase = {160, 6};
const PanelPoint kDestLineAtBase = {160, 34};
const PanelPoint kPaletteMarkAtBase = {160, 62};
const PanelPoint kWaitLabelAtBase = {16, 105};

const int kOuterWidthAtBase = 430;
const int kOuterHeightAtBase = 220;

PanelPoint ScalePoint(PanelPoint p, int dpi)
{
    return PanelPoint{ScaleToDpi(p.x, dpi), ScaleToDpi(p.y, dpi)};
}

}  // namespace

int MulDivRounded(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const int64_t half = divisor / 2;
    const int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > INT32_MAX || result < -INT32_MAX)
        return -1;
    return static_cast<int>(result);
}

int ScaleToDpi(int value, int dpi)
{
    return MulDivRounded(value, dpi, kBaseDpi);
}

PanelLayout LayOutPanel(int dpi, const PanelFrame& frameAtBase, const PanelFrame& frameAtDpi)
{
    PanelLayout layout = {};
    layout.dpi = dpi;
    const int baseClientWidth = kOuterWidthAtBase - frameAtBase.left - frameAtBase.right;
    const int baseClientHeight = kOuterHeightAtBase - frameAtBase.top - frameAtBase.bottom;
    layout.clientWidth = ScaleToDpi(baseClientWidth, dpi);
    layout.clientHeight = ScaleToDpi(baseClientHeight, dpi);
    layout.outerWidth = layout.clientWidth + frameAtDpi.left + frameAtDpi.right;
    layout.outerHeight = layout.clientHeight + frameAtDpi.top + frameAtDpi.bottom;
    for (int i = 0; i < kControlCount; ++i) {
        const ControlBox& c = kControlsAtBase[i];
        const int left = ScaleToDpi(c.x, dpi);
        const int top = ScaleToDpi(c.y, dpi);
        // Edges are scaled, not sizes, so that neighbours that touch at 96
        // DPI still touch. A box reaching past the client area's right edge
        // is cut there: beyond it nothing shows and nothing can be clicked.
        const int right = std::min(ScaleToDpi(c.x + c.width, dpi), layout.clientWidth);
        const int bottom = ScaleToDpi(c.y + c.height, dpi);
        layout.controls[i] = PanelRect{left, top, right, bottom};
    }
    layout.sourceLine = ScalePoint(kSourceLineAtBase, dpi);
    layout.destLine = ScalePoint(kDestLineAtBase, dpi);
    layout.paletteMark = ScalePoint(kPaletteMarkAtBase, dpi);
    layout.waitLabel = ScalePoint(kWaitLabelAtBase, dpi);
    layout.fill = PanelRect{0, 0, layout.outerWidth, layout.outerHeight};
    return layout;
}
