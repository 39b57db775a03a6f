/*
 * The two areas the user picks on the overlay besides the palette: the
 * source rectangle to copy and the destination point where its top-left
 * pixel is painted. Both are screen coordinates; SourceRect is inclusive
 * (both corners belong to it). Written only by the overlay's picks.
 */
#pragma once

#include "app/desktop.h"

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

extern ScreenRect SourceRect;
extern ScreenPoint DestPoint;
