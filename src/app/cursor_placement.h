/*
 * Where the program has put the cursor, for the Win32 side of the desktop
 * seam, which on some systems cannot trust the cursor the system reports.
 *
 * Under Wine over X every SetCursorPos warps the X pointer, and another
 * program that takes the pointer events of those warps late (the painter,
 * busy drawing) reports them back as moves: for a while the system's
 * cursor then reads as standing at a point this program put it at earlier,
 * a few moves back when the painter keeps up, a hundred and more when it
 * lags. A bare button event is taken at that believed point too. So the
 * seam records every point it places the cursor at, injects button events
 * at the last one, and takes a cursor report of an earlier recent one for
 * such an echo. A user's hand moves the mouse elsewhere, so the trace still
 * sees the hand. Only the check for the hand reads the cursor so; the
 * cursor sync waits on the system's own report. While a trace holds the
 * cursor (trace/cursor_hold.h) Wine replays no moves at all, but the
 * record still serves the button events and any report read before the
 * hold took.
 *
 * Plain state and free functions, written only by the seam.
 */
#pragma once

#include <cstdint>

#include "app/desktop.h"

// How long a placed point may still come back as an echo, and how many
// placed points are kept: every point of that span at the fastest trace
// (two points a stroke, some 400 strokes a second).
const std::uint32_t kCursorEchoWindowMs = 2000;
const int kPlacedCursorHistory = 4096;

// Records that the program put the cursor at `at` at tick `now`.
void RecordPlacedCursor(ScreenPoint at, std::uint32_t now);

// True once the program has placed the cursor; the last point placed.
bool CursorWasPlaced();
ScreenPoint LastPlacedCursor();

// The cursor as the program should take it, given what the system
// reported at tick `now`: the last placed point when the report is an
// echo of an earlier point placed within kCursorEchoWindowMs, otherwise
// the report itself.
ScreenPoint TakeCursorReport(ScreenPoint reported, std::uint32_t now);

// The normalised absolute coordinate (0..65535 across the desktop) that the
// system maps back to `pixel` on a desktop `extent` pixels wide or high
// whose first column or row is `origin` (negative when a monitor lies left
// of or above the primary): it maps with origin + coordinate * extent /
// 65536, so this rounds up.
long AbsoluteInputCoordinate(int pixel, int origin, int extent);

// Forgets every placed point (a fresh start, for tests).
void ForgetPlacedCursor();
