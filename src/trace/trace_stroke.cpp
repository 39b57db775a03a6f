/*
 * The stroke and its screen sync (see trace_stroke.h). The order of the
 * platform calls is part of the contract: the watched pixel is read after
 * the cursor has reached the run's start and before the press, and every
 * poll sleeps only after a miss.
 */
#include "trace/trace_stroke.h"

#include <cstdint>
#include <cstdlib>

#include "app/desktop.h"
#include "trace/screen_clip.h"
#include "trace/trace_driver.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

unsigned SyncWaitMilliseconds()
{
    return TraceOptions.syncWaitMs < 0 ? 0u : static_cast<unsigned>(TraceOptions.syncWaitMs);
}

void MoveCursorSynced(int x, int y)
{
    SetCursorPosition(x, y);
    if (TraceOptions.syncOnMouseMove == 0)
        return;
    // The system's own report: the filtered one answers the point just
    // placed for any late echo and would match at once. Only the column is
    // compared: the row of a horizontal stroke never changes between its
    // two moves.
    for (int read = 0; read < kCursorPollLimit; ++read) {
        if (ReadSystemCursorPosition().x == x)
            return;
        SleepMilliseconds(SyncWaitMilliseconds());
    }
}

// True when the cursor stands off the stroke's row and the grace period is
// over. The tick count is read only in the first case.
static bool UserHasTakenTheMouse(int y)
{
    const ScreenPoint cursor = ReadCursorPosition();
    if (std::abs(cursor.y - y) <= kRowTolerance)
        return false;
    // Unsigned 32-bit difference: right across the tick count's wrap.
    const std::uint32_t elapsed = ReadTickCount() - TraceProgress.startTick;
    return elapsed > kGracePeriodMs;
}

// Polls the watched pixel until it differs from before. Returns false when
// the user took the mouse meanwhile (the trace has then ended).
static bool WaitForPixelChange(int watchedX, int y, Colour before)
{
    for (int pass = 0; pass < kPixelPollLimit; ++pass) {
        if (ReadScreenPixel(watchedX, y) != before)
            return true;
        if (UserHasTakenTheMouse(y)) {
            TraceMode = Mode::Idle;
            return false;
        }
        SleepMilliseconds(SyncWaitMilliseconds());
    }
    return true;
}

void TraceStroke(int x, int y, int length)
{
    ScreenStroke stroke;
    if (!ClipRunToScreen(x, y, length, TraceOptions.painterAdjust, stroke))
        return;
    ++TraceProgress.strokesSinceSync;
    MoveCursorSynced(stroke.pressX, y);

    const bool synchronised =
        TraceProgress.strokesSinceSync >= kSyncInterval || TraceOptions.syncEveryPixel != 0;
    Colour before = 0;
    if (synchronised)
        before = ReadScreenPixel(stroke.watchedX, y);

    PressLeftButton();
    if (stroke.releaseX != stroke.pressX)
        MoveCursorSynced(stroke.releaseX, y);
    ReleaseLeftButton();

    if (!synchronised)
        return;
    TraceProgress.strokesSinceSync = 0;
    if (!WaitForPixelChange(stroke.watchedX, y, before))
        return;
    if (UserHasTakenTheMouse(y))
        TraceMode = Mode::Idle;
}
