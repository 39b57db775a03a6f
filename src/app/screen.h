/*
 * The screen's size, measured once at start-up from the desktop window's
 * rectangle (its right and bottom edges) and never followed afterwards.
 * The frozen surfaces are this size, and the overlay covers exactly this.
 * Written only by the program's start-up (and by a test's simulated one).
 */
#pragma once

extern int ScreenWidth;
extern int ScreenHeight;
