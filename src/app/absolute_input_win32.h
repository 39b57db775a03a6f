/*
 * One mouse event at an absolute screen point, over the whole virtual
 * desktop: what the program's button events are, and what the test driver
 * and the benchmark's sender send as a user's hand. The event carries its
 * own position (see AbsoluteInputCoordinate for how the system maps it back
 * to a pixel), so it lands there whatever the system believes of the cursor.
 */
#pragma once

#include <windows.h>

#include "app/cursor_placement.h"

inline void SendAbsoluteMouse(int x, int y, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteInputCoordinate(x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                                          GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = AbsoluteInputCoordinate(y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                                          GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
}
