/*
 * The panel's layout as a function of the display's DPI: where the ten
 * controls and the four status lines stand, the area the paint fills, and
 * the window's client and outer sizes. At 96 DPI (a display at 100 %) the
 * panel is the fixed 430 x 220 window; at any other DPI every position and
 * size is the 96-DPI one scaled by dpi / 96, rounded as the system's MulDiv
 * rounds, and the window is as large as it must be for its client area to
 * be the 96-DPI client area scaled likewise, at that DPI's frame and
 * caption. The front end measures the frames; everything else is decided
 * here.
 */
#pragma once

#include "ui/control_ids.h"

const int kBaseDpi = 96;

// number * numerator / denominator, rounded to the nearest integer with
// halves away from zero, computed in 64 bits; -1 when denominator is 0 or
// the result does not fit in 32 bits. The same as the system's MulDiv.
int MulDivRounded(int number, int numerator, int denominator);

// A length in pixels at 96 DPI, in pixels at dpi.
int ScaleToDpi(int value, int dpi);

// Client rectangle, right and bottom exclusive.
struct PanelRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct PanelPoint {
    int x;
    int y;
};

// How far the panel window's frame and caption reach out from its client
// area on each side, at one DPI (what AdjustWindowRectEx adds), all >= 0.
struct PanelFrame {
    int left;
    int top;
    int right;
    int bottom;
};

struct PanelLayout {
    int dpi;
    // The controls in id order, ID_SOURCE_REGION first.
    PanelRect controls[kControlCount];
    // Top-left corners of the status lines' text.
    PanelPoint sourceLine;
    PanelPoint destLine;
    PanelPoint paletteMark;
    PanelPoint waitLabel;
    // The button-face area the paint fills; it covers the client area.
    PanelRect fill;
    int clientWidth;
    int clientHeight;
    int outerWidth;
    int outerHeight;
};

// The layout at dpi, for a window whose frame is frameAtBase at 96 DPI and
// frameAtDpi at dpi. dpi MUST be positive.
PanelLayout LayOutPanel(int dpi, const PanelFrame& frameAtBase, const PanelFrame& frameAtDpi);
