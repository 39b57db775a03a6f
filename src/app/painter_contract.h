/*
 * What the target painter must show on the screen for Vellipa to drive it:
 * three horizontal slider bars in these exact colours, red above green above
 * blue, over the same columns. The colours are compared for exact equality
 * with what a screen pixel read returns (COLORREF, 0x00BBGGRR).
 */
#pragma once

#include "app/desktop.h"

const Colour kRedBarColour = 0x009696FAu;    // (250, 150, 150)
const Colour kGreenBarColour = 0x0038F282u;  // (130, 242, 56)
const Colour kBlueBarColour = 0x00FF8080u;   // (128, 128, 255)
