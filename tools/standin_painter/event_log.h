/*
 * The stand-in painter's event log: one line for every left press it takes
 * on a bar and for every drag it finishes, so that a test or a benchmark
 * can count the slider clicks and strokes a painter really received, and
 * see when input stops. The window writes each line at once, after the
 * GetTickCount millisecond at which it handled the event:
 *
 *   TICK click red|green|blue VALUE    a press on a bar; VALUE is the
 *                                      channel's value after it
 *   TICK stroke X0 Y0 X1 Y1            a finished drag, canvas coordinates
 *                                      of its press and release points
 *   TICK press X Y                     a press anywhere else (client
 *                                      coordinates); it does nothing
 *
 * A press on the canvas is not logged by itself: it is the start of the
 * stroke that its release logs.
 */
#pragma once

#include <string>

#include "painter_model.h"

namespace standin {

// The line (without tick or newline) for a left press at client point
// (x, y) that the state has just handled; empty for a press that started a
// drag on the canvas.
std::string PressEventLine(const PainterState& state, int x, int y);

// The line (without tick or newline) for a finished drag.
std::string StrokeEventLine(const Stroke& stroke);

}  // namespace standin
