/*
 * The simulated desktop and the seam's functions over it (see
 * sim_desktop.h). Every seam call writes its log line first and then tells
 * the listener, so a painter's reaction is always logged after its cause.
 */
#include "sim/sim_desktop.h"

#include <algorithm>
#include <cstdio>

#include "app/cursor_placement.h"
#include "app/screen.h"

SimDesktop& Sim()
{
    static SimDesktop desktop;
    return desktop;
}

std::string ColourText(Colour c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(c));
    return text;
}

void SimDesktop::ResetMonitors(const std::vector<MonitorArea>& monitors, Colour fill,
                               std::uint32_t startTick)
{
    MonitorArea bounds = monitors.at(0);
    for (const MonitorArea& m : monitors) {
        bounds.left = std::min(bounds.left, m.left);
        bounds.top = std::min(bounds.top, m.top);
        bounds.right = std::max(bounds.right, m.right);
        bounds.bottom = std::max(bounds.bottom, m.bottom);
    }
    Reset(bounds.right - bounds.left, bounds.bottom - bounds.top, fill, startTick);
    left_ = bounds.left;
    top_ = bounds.top;
    monitors_ = monitors;
    SetScreen(left_, top_, width_, height_);
    SetMonitors(monitors_.data(), static_cast<int>(monitors_.size()));
}

bool SimDesktop::Inside(int x, int y) const
{
    if (x < left_ || y < top_ || x >= left_ + width_ || y >= top_ + height_)
        return false;
    if (monitors_.empty())
        return true;
    for (const MonitorArea& m : monitors_)
        if (x >= m.left && x < m.right && y >= m.top && y < m.bottom)
            return true;
    return false;
}

std::size_t SimDesktop::Index(int x, int y) const
{
    return static_cast<std::size_t>(y - top_) * width_ + (x - left_);
}

void SimDesktop::Reset(int width, int height, Colour fill, std::uint32_t startTick)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    left_ = 0;
    top_ = 0;
    monitors_.clear();
    // The program's start-up measures the screen; so does this one.
    SetScreen(0, 0, width_, height_);
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    screen_.assign(count, fill);
    snapshot_.assign(count, fill);
    source_.assign(count, fill);
    sourceBroken_ = false;
    cursor_ = {0, 0};
    movePending_ = false;
    lagReads_ = 0;
    lagSleepMs_ = 0;
    ticks_ = startTick;
    log_.clear();
    boxes_.clear();
    sourcePixelReads_ = 0;
    listener_ = nullptr;
    ForgetPlacedCursor();
}

Colour SimDesktop::Pixel(int x, int y) const
{
    return Inside(x, y) ? screen_[Index(x, y)] : kNoPixel;
}

void SimDesktop::SetPixel(int x, int y, Colour c)
{
    if (Inside(x, y))
        screen_[Index(x, y)] = c;
}

void SimDesktop::FillRect(int left, int top, int right, int bottom, Colour c)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            SetPixel(x, y, c);
}

Colour SimDesktop::SourcePixel(int x, int y) const
{
    return Inside(x, y) ? source_[Index(x, y)] : kNoPixel;
}

Colour SimDesktop::SnapshotPixel(int x, int y) const
{
    return Inside(x, y) ? snapshot_[Index(x, y)] : kNoPixel;
}

void SimDesktop::SetCursorLag(int reads, std::uint32_t sleepMs)
{
    lagReads_ = std::max(reads, 0);
    lagSleepMs_ = sleepMs;
}

void SimDesktop::MoveCursorByHand(int x, int y)
{
    movePending_ = false;
    cursor_ = {x, y};
}

void SimDesktop::Record(const std::string& line)
{
    log_.push_back(line);
}

void SimDesktop::ApplyPendingMove()
{
    cursor_ = pendingMove_;
    movePending_ = false;
}

static std::string PointText(int x, int y)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

Colour SimDesktop::ReadScreen(int x, int y)
{
    const Colour c = Pixel(x, y);
    Record("GetPixel" + PointText(x, y) + "=" + ColourText(c));
    if (listener_)
        listener_->OnPlatformCall();
    return c;
}

void SimDesktop::Freeze(bool alsoSource)
{
    snapshot_ = screen_;
    if (alsoSource)
        source_ = screen_;
    Record(alsoSource ? "Freeze+Source" : "Freeze");
    if (listener_)
        listener_->OnPlatformCall();
}

Colour SimDesktop::ReadSnapshot(int x, int y)
{
    const Colour c = SnapshotPixel(x, y);
    Record("GetSnapshotPixel" + PointText(x, y) + "=" + ColourText(c));
    if (listener_)
        listener_->OnPlatformCall();
    return c;
}

Colour SimDesktop::ReadSource(int x, int y)
{
    ++sourcePixelReads_;
    return sourceBroken_ ? kNoPixel : SourcePixel(x, y);
}

bool SimDesktop::ReadSourceBlock(int left, int top, int width, int height, Colour* out)
{
    Record("ReadSource(" + std::to_string(left) + "," + std::to_string(top) + "," +
           std::to_string(width) + "," + std::to_string(height) + ")");
    if (listener_)
        listener_->OnPlatformCall();
    if (sourceBroken_)
        return false;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            out[static_cast<size_t>(row) * width + column] = SourcePixel(left + column, top + row);
    return true;
}

// A real system pins a cursor set off the screen to its edge: to the
// nearest point of the nearest monitor.
ScreenPoint SimDesktop::Pinned(int x, int y) const
{
    std::vector<MonitorArea> areas = monitors_;
    if (areas.empty())
        areas.push_back(MonitorArea{left_, top_, left_ + width_, top_ + height_});
    ScreenPoint nearest = {x, y};
    long long nearestDistance = -1;
    for (const MonitorArea& m : areas) {
        const ScreenPoint at = {std::clamp(x, m.left, std::max(m.right - 1, m.left)),
                                std::clamp(y, m.top, std::max(m.bottom - 1, m.top))};
        const long long dx = at.x - x;
        const long long dy = at.y - y;
        if (nearestDistance < 0 || dx * dx + dy * dy < nearestDistance) {
            nearest = at;
            nearestDistance = dx * dx + dy * dy;
        }
    }
    return nearest;
}

void SimDesktop::SetCursor(int x, int y)
{
    Record("SetCursorPos" + PointText(x, y));
    RecordPlacedCursor(ScreenPoint{x, y}, ticks_);
    const ScreenPoint pinned = Pinned(x, y);
    if (lagReads_ == 0 && lagSleepMs_ == 0) {
        cursor_ = pinned;
    } else {
        movePending_ = true;
        pendingMove_ = pinned;
        readsLeft_ = lagReads_;
        sleepLeft_ = lagSleepMs_;
    }
    if (listener_)
        listener_->OnPlatformCall();
}

ScreenPoint SimDesktop::ReadSystemCursor()
{
    if (movePending_ && lagReads_ > 0 && --readsLeft_ <= 0)
        ApplyPendingMove();
    const ScreenPoint at = cursor_;
    Record("GetCursorPos=" + PointText(at.x, at.y));
    if (listener_)
        listener_->OnPlatformCall();
    return at;
}

// The read is logged before the filter's answer is known, so a changed
// answer is added to the read's own log line.
ScreenPoint SimDesktop::ReadCursor()
{
    const size_t line = log_.size();
    const ScreenPoint reported = ReadSystemCursor();
    const ScreenPoint taken = TakeCursorReport(reported, ticks_);
    if ((taken.x != reported.x || taken.y != reported.y) && line < log_.size())
        log_[line] += " taken as " + PointText(taken.x, taken.y);
    return taken;
}

void SimDesktop::PressLeft()
{
    Record("LeftDown");
    if (listener_) {
        listener_->OnLeftDown(cursor_);
        listener_->OnPlatformCall();
    }
}

void SimDesktop::ReleaseLeft()
{
    Record("LeftUp");
    if (listener_) {
        listener_->OnLeftUp(cursor_);
        listener_->OnPlatformCall();
    }
}

std::uint32_t SimDesktop::ReadTicks()
{
    Record("GetTickCount=" + std::to_string(ticks_));
    if (listener_)
        listener_->OnPlatformCall();
    return ticks_;
}

void SimDesktop::Sleep(std::uint32_t ms)
{
    Record("Sleep(" + std::to_string(ms) + ")");
    ticks_ += ms;
    if (movePending_ && lagSleepMs_ > 0) {
        if (ms >= sleepLeft_)
            ApplyPendingMove();
        else
            sleepLeft_ -= ms;
    }
    if (listener_)
        listener_->OnPlatformCall();
}

void SimDesktop::ShowBox(const char* text, const char* title)
{
    Record(std::string("MessageBox(") + text + "|" + title + ")");
    boxes_.push_back(text);
    if (listener_)
        listener_->OnPlatformCall();
}

// The seam, answered by the simulated desktop.

Colour ReadScreenPixel(int x, int y) { return Sim().ReadScreen(x, y); }
void FreezeScreen(bool alsoSource) { Sim().Freeze(alsoSource); }
Colour ReadSnapshotPixel(int x, int y) { return Sim().ReadSnapshot(x, y); }
Colour ReadSourcePixel(int x, int y) { return Sim().ReadSource(x, y); }
bool ReadSourceBlock(int left, int top, int width, int height, Colour* out)
{
    return Sim().ReadSourceBlock(left, top, width, height, out);
}
void SetCursorPosition(int x, int y) { Sim().SetCursor(x, y); }
ScreenPoint ReadSystemCursorPosition() { return Sim().ReadSystemCursor(); }
ScreenPoint ReadCursorPosition() { return Sim().ReadCursor(); }
void PressLeftButton() { Sim().PressLeft(); }
void ReleaseLeftButton() { Sim().ReleaseLeft(); }
std::uint32_t ReadTickCount() { return Sim().ReadTicks(); }
void SleepMilliseconds(std::uint32_t milliseconds) { Sim().Sleep(milliseconds); }
void ShowCompletionBox(const char* text, const char* title) { Sim().ShowBox(text, title); }
