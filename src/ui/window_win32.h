/*
 * The control window's procedure: the one entry besides the message loop.
 * It dispatches every message of the control window, panel and overlay.
 */
#pragma once

#include <windows.h>

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
