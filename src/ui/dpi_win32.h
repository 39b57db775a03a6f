/*
 * The display scale the panel is laid out for. The window's own DPI (its
 * monitor's) comes from GetDpiForWindow, and the frame at a DPI from
 * AdjustWindowRectExForDpi; both are newer than Windows 7, so they are
 * looked up in user32 when the program runs, and on a system without them
 * the screen's LOGPIXELSY and AdjustWindowRectEx stand in. The program
 * imports neither.
 */
#pragma once

#include <windows.h>

#include "ui/panel_layout.h"

// The DPI of the monitor window is on.
int WindowDpi(HWND window);

// The panel layout at dpi, with the panel style's frames measured at 96
// DPI and at dpi.
PanelLayout PanelLayoutAt(int dpi);
