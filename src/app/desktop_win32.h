/*
 * The Win32 side of the desktop seam: the three screen surfaces made once at
 * start-up and released after the message loop. ScreenDC is the live
 * display; SnapshotDC and SourceDC are screen-sized memory copies of it, the
 * first shown by the overlay, the second read by the plan.
 */
#pragma once

#include <windows.h>

extern HDC ScreenDC;
extern HDC SnapshotDC;
extern HDC SourceDC;

// Makes ScreenDC, then SnapshotDC and SourceDC, each with a bitmap of
// ScreenWidth x ScreenHeight compatible with the display. Returns false,
// having released whatever it made, when any of them could not be made:
// without them nothing true can be copied.
bool CreateScreenSurfaces();

// Selects the kept bitmaps back, deletes the two bitmaps, then the two
// memory contexts, then ScreenDC.
void ReleaseScreenSurfaces();
