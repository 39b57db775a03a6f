/*
 * The record of placed cursor points and the echo test (see
 * cursor_placement.h): a ring of the latest points with their ticks,
 * searched from the newest back while the points are recent enough.
 */
#include "app/cursor_placement.h"

namespace {

struct PlacedPoint {
    ScreenPoint at;
    std::uint32_t tick;
};

PlacedPoint placedHistory[kPlacedCursorHistory];
int placedCount = 0;  // points recorded, at most kPlacedCursorHistory
int newest = -1;      // index of the newest point in the ring

bool SamePoint(ScreenPoint a, ScreenPoint b)
{
    return a.x == b.x && a.y == b.y;
}

// True when `at` is a point placed before the newest one, within the echo
// window before `now`. Ticks wrap, so ages are unsigned differences.
bool IsEchoOfEarlierPlacement(ScreenPoint at, std::uint32_t now)
{
    for (int back = 1; back < placedCount; ++back) {
        const PlacedPoint& earlier =
            placedHistory[(newest - back + kPlacedCursorHistory) % kPlacedCursorHistory];
        if (now - earlier.tick > kCursorEchoWindowMs)
            return false;
        if (SamePoint(earlier.at, at))
            return true;
    }
    return false;
}

}  // namespace

void RecordPlacedCursor(ScreenPoint at, std::uint32_t now)
{
    newest = (newest + 1) % kPlacedCursorHistory;
    placedHistory[newest] = PlacedPoint{at, now};
    if (placedCount < kPlacedCursorHistory)
        ++placedCount;
}

bool CursorWasPlaced()
{
    return placedCount > 0;
}

ScreenPoint LastPlacedCursor()
{
    return placedCount > 0 ? placedHistory[newest].at : ScreenPoint{0, 0};
}

ScreenPoint TakeCursorReport(ScreenPoint reported, std::uint32_t now)
{
    if (placedCount == 0 || SamePoint(reported, LastPlacedCursor()))
        return reported;
    return IsEchoOfEarlierPlacement(reported, now) ? LastPlacedCursor() : reported;
}

long AbsoluteInputCoordinate(int pixel, int origin, int extent)
{
    if (extent <= 0)
        return 0;
    const long long offset = static_cast<long long>(pixel) - origin;
    return static_cast<long>((offset * 65536 + extent - 1) / extent);
}

void ForgetPlacedCursor()
{
    placedCount = 0;
    newest = -1;
}
