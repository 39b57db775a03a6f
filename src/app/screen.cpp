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

int Smaller(int a, int b) { return a < b ? a : b; }
int Larger(int a, int b) { return a < b ? b : a; }

MonitorArea WholeScreen()
{
    return MonitorArea{ScreenLeft, ScreenTop, ScreenLeft + ScreenWidth, ScreenTop + ScreenHeight};
}

// The areas that show pixels: the listed monitors, or with none listed the
// whole screen, kept in `whole`. Returns how many there are.
int ShowingAreas(const MonitorArea*& areas, MonitorArea& whole)
{
    whole = WholeScreen();
    areas = MonitorCount > 0 ? Monitors : &whole;
    return MonitorCount > 0 ? MonitorCount : 1;
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
    const MonitorArea* areas = nullptr;
    MonitorArea whole;
    const int count = ShowingAreas(areas, whole);
    for (int i = 0; i < count; ++i)
        if (Contains(areas[i], x, y))
            return true;
    return false;
}

bool ShownSpanOfRow(int y, int first, int last, int& from, int& to)
{
    const MonitorArea* areas = nullptr;
    MonitorArea whole;
    const int count = ShowingAreas(areas, whole);
    bool shown = false;
    for (int i = 0; i < count; ++i) {
        const int left = Larger(first, areas[i].left);
        const int right = Smaller(last, areas[i].right - 1);
        if (y < areas[i].top || y >= areas[i].bottom || left > right)
            continue;
        from = shown ? Smaller(from, left) : left;
        to = shown ? Larger(to, right) : right;
        shown = true;
    }
    return shown;
}

ScreenPoint NearestShownPoint(int x, int y)
{
    const MonitorArea* areas = nullptr;
    MonitorArea whole;
    const int count = ShowingAreas(areas, whole);
    ScreenPoint nearest = {x, y};
    long long nearestDistance = -1;
    for (int i = 0; i < count; ++i) {
        const MonitorArea& m = areas[i];
        if (m.left >= m.right || m.top >= m.bottom)
            continue;
        const ScreenPoint at = {Larger(m.left, Smaller(x, m.right - 1)),
                                Larger(m.top, Smaller(y, m.bottom - 1))};
        const long long dx = static_cast<long long>(at.x) - x;
        const long long dy = static_cast<long long>(at.y) - y;
        if (nearestDistance < 0 || dx * dx + dy * dy < nearestDistance) {
            nearest = at;
            nearestDistance = dx * dx + dy * dy;
        }
    }
    return nearest;
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
