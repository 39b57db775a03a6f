/*
 * The screen's shape as the trace sees it (see screen_clip.h): the pixels
 * the monitors show, as app/screen.h tells them from the monitors measured
 * at start-up.
 */
#include "trace/screen_clip.h"

#include <algorithm>

#include "app/screen.h"

bool OnScreen(int x, int y)
{
    return IsShownByMonitor(x, y);
}

bool ClipSpanToScreen(int y, int first, int last, int& from, int& to)
{
    return ShownSpanOfRow(y, first, last, from, to);
}

bool ClipRunToScreen(int x, int y, int length, int painterAdjust, ScreenStroke& stroke)
{
    const int lastPainted = x + std::max(length - painterAdjust, 0);
    int from = 0;
    int to = 0;
    if (!ClipSpanToScreen(y, x, lastPainted, from, to))
        return false;
    stroke.pressX = from;
    stroke.releaseX = to == lastPainted ? x + length : to + painterAdjust;
    stroke.watchedX = stroke.releaseX - painterAdjust;
    if (!OnScreen(stroke.watchedX, y))
        stroke.watchedX = from;
    if (OnScreen(stroke.releaseX, y))
        return true;
    // Only under painterAdjust, with `to` on the last column: see the header.
    if (OnScreen(from - 1, y)) {
        stroke = ScreenStroke{to, from - 1, from};
    } else {
        stroke.releaseX = to;
        stroke.watchedX = std::max(to - painterAdjust, from);
    }
    return true;
}

ScreenPoint NearestPointOnScreen(int x, int y)
{
    return NearestShownPoint(x, y);
}
