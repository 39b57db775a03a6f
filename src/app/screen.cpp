/*
 * The screen rectangle and the monitors measured at start-up, and the test
 * of which pixels a monitor shows.
 */
#include "app/screen.h"

int ScreenLeft = 0;
int ScreenTop = 0;
int ScreenWidth = 0;
int ScreenHeight = 0;

int MonitorCount = 0;
MonitorArea Monitors[kMaxMonitors] = {};

namespace {

bool Contains(const MonitorArea& area, int x, int y)
{
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

MonitorArea WholeScreen()
{
    return MonitorArea{ScreenLeft, ScreenTop, ScreenLeft + ScreenWidth, ScreenTop + ScreenHeight};
}

}  // namespace

void SetScreen(int left, int top, int width, int height)
{
    ScreenLeft = left;
    ScreenTop = top;
    ScreenWidth = width;
    ScreenHeight = height;
    MonitorCount = 0;
}

void SetMonitors(const MonitorArea* areas, int count)
{
    MonitorCount = 0;
    for (int i = 0; i < count && i < kMaxMonitors; ++i)
        Monitors[MonitorCount++] = areas[i];
}

bool IsShownByMonitor(int x, int y)
{
    if (!Contains(WholeScreen(), x, y))
        return false;
    if (MonitorCount == 0)
        return true;
    for (int i = 0; i < MonitorCount; ++i)
        if (Contains(Monitors[i], x, y))
            return true;
    return false;
}

MonitorArea MonitorAt(int x, int y)
{
    for (int i = 0; i < MonitorCount; ++i)
        if (Contains(Monitors[i], x, y))
            return Monitors[i];
    return WholeScreen();
}

void BlankUnshownPixels(int left, int top, int width, int height, Colour* pixels,
                        std::size_t stride)
{
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (!IsShownByMonitor(left + column, top + row))
                pixels[static_cast<std::size_t>(row) * stride + column] = kNoPixel;
}
