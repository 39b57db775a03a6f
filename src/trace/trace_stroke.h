/*
 * One stroke of a trace: a horizontal left-button drag along one screen row,
 * made of injected cursor moves and button events, with the screen sync that
 * waits until the painter shows the stroke and the cursor check that ends
 * the trace when the user has taken the mouse. Only the trace driver calls
 * it, one stroke per idle pass.
 */
#pragma once

// A stroke whose own increment brings strokesSinceSync to this or more
// waits for the screen.
const int kSyncInterval = 64;
// Most cursor reads after one cursor move, and most re-reads of the watched
// pixel after a synchronised release.
const int kCursorPollLimit = 256;
const int kPixelPollLimit = 256;
// A cursor reported more rows than this above or below the stroke's row
// has been moved by the user ...
const int kRowTolerance = 4;
// ... once more than this many milliseconds have passed since the trace's
// start tick (before that the cursor may still be settling).
const unsigned kGracePeriodMs = 2000;

// Injects one drag from (x, y) to (x + length, y), synchronises with the
// screen when due, and sets TraceMode to Idle when the cursor is found off
// the row after the grace period. Reads and writes TraceProgress's
// strokesSinceSync; reads TraceOptions' syncOnMouseMove, syncEveryPixel,
// painterAdjust and syncWaitMs. A run that passes the screen's edge is cut
// there, and one wholly off it sends and counts nothing (screen_clip.h).
// Under painterAdjust the sync watches the run's last painted pixel, one
// column left of the release.
void TraceStroke(int x, int y, int length);

// Sets the cursor and, under syncOnMouseMove, waits (at most
// kCursorPollLimit reads, a sleep of syncWaitMs after each miss) until the
// system's own report (ReadSystemCursorPosition) shows column x.
void MoveCursorSynced(int x, int y);

// The sleep between two polls: syncWaitMs, with a negative wait taken as 0
// (handed to the platform as an unsigned count it would never end).
unsigned SyncWaitMilliseconds();
