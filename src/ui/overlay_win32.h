/*
 * The control window's overlay face: while TraceMode is a pick mode the
 * window covers the whole screen without border or caption and shows the
 * frozen screen with a crosshair or a rubber band and a coordinate label at
 * the cursor. One left-button gesture sets the area; the right button
 * cancels, also during a trace.
 */
#pragma once

#include <windows.h>

#include "ui/trace_mode.h"

// A pick button's command, in any mode (a running trace is abandoned):
// sets TraceMode to pickMode, clears the drag anchor, hides the system
// cursor, enters the overlay and invalidates it with erasing. pickMode MUST
// be PickSource, PickDestination or PickPalette.
void BeginPick(Mode pickMode);

// Freezes the screen (into the source surface too in PickSource), hides the
// nine buttons and check boxes, saves the panel's position and turns the
// control window into a full-screen popup. TraceMode MUST already be the
// new pick mode.
void EnterPickMode();

// Gives the control window back its caption style, the saved position and
// the panel's outer size at its current DPI, shows the nine controls again and has every window on the
// desktop repainted.
void LeavePickMode();

// Paints one overlay frame: the frozen screen with the marks for the
// cursor, composed off screen and copied to the window in one block.
void PaintPickFrame(HWND window);

// Draws the crosshair (no press recorded) or the rubber band, each with
// inverted pixels, and the coordinate label for cursor (x, y) onto surface,
// which already holds the frozen frame. Uses the shared text buffer.
void DrawPickOverlay(HDC surface, int x, int y);

// The four mouse messages; each reads the cursor itself and returns 0.
LRESULT OnMouseMove(HWND window);
LRESULT OnLeftButtonDown();
LRESULT OnLeftButtonUp();
LRESULT OnRightButtonDown();
