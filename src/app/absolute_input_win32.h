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

// The virtual screen's origin and size, read once: under Wine each read of
// these metrics goes through the display's device list and costs about as
// much as the event itself. Like the program's screen, a change of the
// desktop while it runs is not followed.
struct VirtualScreenMetrics {
    int left, top, width, height;
};

inline const VirtualScreenMetrics& VirtualScreenOnce()
{
    static const VirtualScreenMetrics metrics = {
        GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
        GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return metrics;
}

inline void SendAbsoluteMouse(int x, int y, DWORD flags)
{
    const VirtualScreenMetrics& screen = VirtualScreenOnce();
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteInputCoordinate(x, screen.left, screen.width);
    input.mi.dy = AbsoluteInputCoordinate(y, screen.top, screen.height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
}
