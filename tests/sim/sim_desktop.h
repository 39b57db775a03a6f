/*
 * The simulated desktop: the test suite's front end for the desktop seam
 * (app/desktop.h). It holds a screen of pixels, frozen copies of it, a
 * cursor, a clock and a log of every platform call in the order made, so
 * that a test can run the portable logic exactly and instantly and then
 * compare what it did with what the program must do.
 *
 * Time passes only when the logic sleeps: SleepMilliseconds advances the
 * tick count by its argument, so grace periods and poll limits are tested
 * to the millisecond. A cursor set off the screen stops at the edge of the
 * nearest monitor, as on real systems (the log keeps the point asked for).
 * The cursor can lag: a move may be reported (and take effect for presses)
 * only after some cursor reads or some milliseconds of sleep, as on real
 * systems. While it lags, the system's report is the point placed before;
 * the program's filtered read passes that report through the echo test of
 * app/cursor_placement.h, as the Win32 seam does, and so reads the last
 * placed point. A listener (the simulated painter) sees the injected
 * presses and releases where the cursor stands, and hears of every
 * platform call so that it can advance its own lag.
 *
 * The desktop may have several monitors (ResetMonitors): the screen is then
 * the rectangle that bounds them, its origin negative when a monitor lies
 * left of or above the primary, and a point that no monitor shows is no
 * pixel: it reads kNoPixel and takes no writes.
 *
 * There is one simulated desktop per process, reached through Sim();
 * Reset() gives every test a fresh one.
 */
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "app/screen.h"

// What a device on the simulated desktop (the simulated painter) sees.
class SimListener {
public:
    virtual ~SimListener() {}
    virtual void OnLeftDown(ScreenPoint at) { (void)at; }
    virtual void OnLeftUp(ScreenPoint at) { (void)at; }
    // After every platform call, the log entry already written.
    virtual void OnPlatformCall() {}
};

class SimDesktop {
public:
    // A fresh desktop: width x height pixels of fill, the cursor at (0, 0)
    // with no lag, the tick count at startTick, an empty log, no listener;
    // ScreenWidth and ScreenHeight set to its size, as start-up sets them.
    void Reset(int width, int height, Colour fill = 0x00FFFFFFu, std::uint32_t startTick = 0);
    // The same with these monitors (at least one): the screen is the
    // rectangle that bounds them. Both set the program's screen and
    // monitors (app/screen.h) as start-up measures them.
    void ResetMonitors(const std::vector<MonitorArea>& monitors, Colour fill = 0x00FFFFFFu,
                       std::uint32_t startTick = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    // Whether a monitor shows (x, y): a pixel of the screen.
    bool Shown(int x, int y) const { return Inside(x, y); }

    // The live screen, without logging. Points outside are ignored on write
    // and read kNoPixel.
    Colour Pixel(int x, int y) const;
    void SetPixel(int x, int y, Colour c);
    void FillRect(int left, int top, int right, int bottom, Colour c);  // inclusive
    Colour SourcePixel(int x, int y) const;
    Colour SnapshotPixel(int x, int y) const;

    // Cursor lag: a move takes effect (is reported, and is where presses
    // land) after this many cursor reads, or after this many milliseconds
    // of sleep, whichever comes first. A value of 0 disables that way; both
    // 0 (the default) makes every move take effect at once.
    void SetCursorLag(int reads, std::uint32_t sleepMs);
    // Where the cursor really is now, and a move by the user's hand: at
    // once, cancelling any pending injected move.
    ScreenPoint Cursor() const { return cursor_; }
    void MoveCursorByHand(int x, int y);

    std::uint32_t Ticks() const { return ticks_; }
    void AdvanceTicks(std::uint32_t ms) { ticks_ += ms; }

    // Every platform call made since Reset or ClearLog, one line each:
    //   SetCursorPos(x,y)  GetCursorPos=(x,y)  GetPixel(x,y)=0x00BBGGRR
    //   GetSnapshotPixel(x,y)=0x00BBGGRR
    //   GetCursorPos=(x,y) taken as (x,y)   (a filtered read the echo test
    //                                        changed: the report, then the answer)
    //   LeftDown  LeftUp  GetTickCount=N  Sleep(N)  Freeze  Freeze+Source
    //   ReadSource(l,t,w,h)  MessageBox(text|title)
    // Single source-pixel reads are counted, not logged.
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    int SourcePixelReads() const { return sourcePixelReads_; }
    // The completion boxes shown, their texts in code page 932.
    const std::vector<std::string>& Boxes() const { return boxes_; }

    // Makes the source surface unreadable, as when it could not be made.
    void BreakSourceSurface() { sourceBroken_ = true; }

    void SetListener(SimListener* listener) { listener_ = listener; }

    // The seam's operations (app/desktop.h forwards to these).
    Colour ReadScreen(int x, int y);
    void Freeze(bool alsoSource);
    Colour ReadSnapshot(int x, int y);
    Colour ReadSource(int x, int y);
    bool ReadSourceBlock(int left, int top, int width, int height, Colour* out);
    void SetCursor(int x, int y);
    ScreenPoint ReadSystemCursor();
    ScreenPoint ReadCursor();
    void PressLeft();
    void ReleaseLeft();
    std::uint32_t ReadTicks();
    void Sleep(std::uint32_t ms);
    void ShowBox(const char* text, const char* title);

private:
    bool Inside(int x, int y) const;
    std::size_t Index(int x, int y) const;
    ScreenPoint Pinned(int x, int y) const;
    void Record(const std::string& line);
    void ApplyPendingMove();

    int width_ = 0;
    int height_ = 0;
    int left_ = 0;
    int top_ = 0;
    std::vector<MonitorArea> monitors_;  // empty: one monitor, the whole screen
    std::vector<Colour> screen_;
    std::vector<Colour> snapshot_;
    std::vector<Colour> source_;
    bool sourceBroken_ = false;

    ScreenPoint cursor_ = {0, 0};
    bool movePending_ = false;
    ScreenPoint pendingMove_ = {0, 0};
    int lagReads_ = 0;
    std::uint32_t lagSleepMs_ = 0;
    int readsLeft_ = 0;
    std::uint32_t sleepLeft_ = 0;

    std::uint32_t ticks_ = 0;
    std::vector<std::string> log_;
    std::vector<std::string> boxes_;
    int sourcePixelReads_ = 0;
    SimListener* listener_ = nullptr;
};

SimDesktop& Sim();

// "0x00BBGGRR" for a colour, as the log writes it.
std::string ColourText(Colour c);
