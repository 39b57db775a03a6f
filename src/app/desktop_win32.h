/*
 * The Win32 side of the desktop seam: the screen's measure and the three
 * screen surfaces made once at start-up and released after the message
 * loop. ScreenDC is the live display; SnapshotDC and SourceDC are
 * screen-sized memory copies of it, the first shown by the overlay and read
 * by the slider detection, the second read by the plan; CopyDeviceBlock
 * reads any of them in one block.
 */
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/desktop.h"

extern HDC ScreenDC;
extern HDC SnapshotDC;
extern HDC SourceDC;

// Measures the screen (app/screen.h): the virtual screen's rectangle from
// the system metrics and the monitors the system lists.
void MeasureScreen();

// Makes ScreenDC, then SnapshotDC and SourceDC, each with a bitmap of
// ScreenWidth x ScreenHeight compatible with the display. Returns false,
// having released whatever it made, when any of them could not be made:
// without them nothing true can be copied.
bool CreateScreenSurfaces();

// Selects the kept bitmaps back, deletes the two bitmaps, then the two
// memory contexts, then ScreenDC.
void ReleaseScreenSurfaces();

// Copies the width x height pixels of source from (left, top) into out as
// COLORREF values, row after row, each row stride colours after the one
// before. Returns false when the copy could not be made.
bool CopyDeviceBlock(HDC source, int left, int top, int width, int height, Colour* out,
                     std::size_t stride);

// Holds the cursor within TraceCursorHold's rectangle while a trace runs
// (see trace/cursor_hold.h), putting the clip back if the system dropped
// it, and lets it go once the trace has ended. The message loop MUST call it
// after every message it dispatches and every idle step.
void ApplyCursorHold();

// Lets the cursor go if this program holds it (at exit).
void ReleaseCursorHold();
