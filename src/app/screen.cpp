/*
 * Storage of the screen size measured at start-up.
 */
#include "app/screen.h"

int ScreenWidth = 0;
int ScreenHeight = 0;
