/*
 * The desktop seam over Win32 GDI, USER and KERNEL, the screen's measure
 * and the three screen surfaces it reads. This file only translates: every
 * decision about what to read, move or press is made by the portable
 * logic, and which pixels a monitor shows is app/screen.h's.
 *
 * The display's context takes screen coordinates, negative ones included;
 * the memory surfaces hold the screen rectangle from its origin, so a
 * point (x, y) of theirs is (x - ScreenLeft, y - ScreenTop).
 */
#include "app/desktop_win32.h"

#include "app/absolute_input_win32.h"
#include "app/cursor_placement.h"
#include "app/desktop.h"
#include "app/screen.h"
#include "app/shell_win32.h"
#include "trace/cursor_hold.h"

HDC ScreenDC = nullptr;
HDC SnapshotDC = nullptr;
HDC SourceDC = nullptr;

static HBITMAP snapshotBitmap = nullptr;
static HBITMAP sourceBitmap = nullptr;
static HGDIOBJ snapshotKeptBitmap = nullptr;
static HGDIOBJ sourceKeptBitmap = nullptr;

struct MonitorList {
    MonitorArea areas[kMaxMonitors];
    int count;
};

static BOOL CALLBACK ListMonitor(HMONITOR, HDC, LPRECT area, LPARAM listParam)
{
    MonitorList* list = reinterpret_cast<MonitorList*>(listParam);
    if (list->count < kMaxMonitors)
        list->areas[list->count++] = MonitorArea{area->left, area->top, area->right, area->bottom};
    return TRUE;
}

void MeasureScreen()
{
    SetScreen(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
              GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    MonitorList list = {};
    EnumDisplayMonitors(nullptr, nullptr, ListMonitor, reinterpret_cast<LPARAM>(&list));
    SetMonitors(list.areas, list.count);
}

bool CreateScreenSurfaces()
{
    ScreenDC = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    SnapshotDC = CreateCompatibleDC(ScreenDC);
    SourceDC = CreateCompatibleDC(ScreenDC);
    snapshotBitmap = CreateCompatibleBitmap(ScreenDC, ScreenWidth, ScreenHeight);
    sourceBitmap = CreateCompatibleBitmap(ScreenDC, ScreenWidth, ScreenHeight);
    snapshotKeptBitmap = SnapshotDC && snapshotBitmap ? SelectObject(SnapshotDC, snapshotBitmap) : nullptr;
    sourceKeptBitmap = SourceDC && sourceBitmap ? SelectObject(SourceDC, sourceBitmap) : nullptr;
    if (ScreenDC && SnapshotDC && SourceDC && snapshotKeptBitmap && sourceKeptBitmap)
        return true;
    ReleaseScreenSurfaces();
    return false;
}

void ReleaseScreenSurfaces()
{
    if (snapshotKeptBitmap)
        SelectObject(SnapshotDC, snapshotKeptBitmap);
    if (sourceKeptBitmap)
        SelectObject(SourceDC, sourceKeptBitmap);
    if (snapshotBitmap)
        DeleteObject(snapshotBitmap);
    if (sourceBitmap)
        DeleteObject(sourceBitmap);
    if (SnapshotDC)
        DeleteDC(SnapshotDC);
    if (SourceDC)
        DeleteDC(SourceDC);
    if (ScreenDC)
        DeleteDC(ScreenDC);
    snapshotKeptBitmap = sourceKeptBitmap = nullptr;
    snapshotBitmap = sourceBitmap = nullptr;
    SnapshotDC = SourceDC = ScreenDC = nullptr;
}

Colour ReadScreenPixel(int x, int y)
{
    return IsShownByMonitor(x, y) ? GetPixel(ScreenDC, x, y) : kNoPixel;
}

void FreezeScreen(bool alsoSource)
{
    BitBlt(SnapshotDC, 0, 0, ScreenWidth, ScreenHeight, ScreenDC, ScreenLeft, ScreenTop, SRCCOPY);
    if (alsoSource)
        BitBlt(SourceDC, 0, 0, ScreenWidth, ScreenHeight, ScreenDC, ScreenLeft, ScreenTop,
               SRCCOPY);
}

Colour ReadSnapshotPixel(int x, int y)
{
    return IsShownByMonitor(x, y) ? GetPixel(SnapshotDC, x - ScreenLeft, y - ScreenTop) : kNoPixel;
}

Colour ReadSourcePixel(int x, int y)
{
    return IsShownByMonitor(x, y) ? GetPixel(SourceDC, x - ScreenLeft, y - ScreenTop) : kNoPixel;
}

// One BitBlt into a top-down 32-bit DIB section, whose memory then holds
// the pixels as 0x00RRGGBB; a COLORREF wants red in the low byte, so red
// and blue swap.
bool CopyDeviceBlock(HDC source, int left, int top, int width, int height, Colour* out,
                     size_t stride)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(source);
    if (!section || !copyDC || !bits) {
        if (section)
            DeleteObject(section);
        if (copyDC)
            DeleteDC(copyDC);
        return false;
    }
    HGDIOBJ kept = SelectObject(copyDC, section);
    const BOOL copied = BitBlt(copyDC, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    if (copied) {
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        for (int row = 0; row < height; ++row) {
            Colour* line = out + static_cast<size_t>(row) * stride;
            const DWORD* from = pixels + static_cast<size_t>(row) * width;
            for (int column = 0; column < width; ++column) {
                const DWORD p = from[column];
                line[column] = ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
            }
        }
    }
    SelectObject(copyDC, kept);
    DeleteDC(copyDC);
    DeleteObject(section);
    return copied != FALSE;
}

// Only the part of the block that lies on the screen rectangle is copied,
// and of that only what a monitor shows is kept.
bool ReadSourceBlock(int left, int top, int width, int height, Colour* out)
{
    if (width <= 0 || height <= 0)
        return true;
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i)
        out[i] = kNoPixel;
    const int clipLeft = left < ScreenLeft ? ScreenLeft : left;
    const int clipTop = top < ScreenTop ? ScreenTop : top;
    const int screenRight = ScreenLeft + ScreenWidth;
    const int screenBottom = ScreenTop + ScreenHeight;
    const int clipRight = left + width > screenRight ? screenRight : left + width;
    const int clipBottom = top + height > screenBottom ? screenBottom : top + height;
    if (clipLeft >= clipRight || clipTop >= clipBottom)
        return true;
    Colour* onScreen = out + static_cast<size_t>(clipTop - top) * width + (clipLeft - left);
    if (!CopyDeviceBlock(SourceDC, clipLeft - ScreenLeft, clipTop - ScreenTop,
                         clipRight - clipLeft, clipBottom - clipTop, onScreen,
                         static_cast<size_t>(width)))
        return false;
    BlankUnshownPixels(clipLeft, clipTop, clipRight - clipLeft, clipBottom - clipTop, onScreen,
                       static_cast<size_t>(width));
    return true;
}

void SetCursorPosition(int x, int y)
{
    SetCursorPos(x, y);
    RecordPlacedCursor(ScreenPoint{x, y}, GetTickCount());
}

ScreenPoint ReadSystemCursorPosition()
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    return ScreenPoint{at.x, at.y};
}

ScreenPoint ReadCursorPosition()
{
    return TakeCursorReport(ReadSystemCursorPosition(), GetTickCount());
}

// The button event carries its own absolute position, the point where the
// program last put the cursor (see app/cursor_placement.h): a bare one is
// taken wherever the system believes the cursor is, which under Wine lags.
// The position is over the whole virtual desktop, so that it reaches every
// monitor; without MOUSEEVENTF_VIRTUALDESK it would span the primary only.
static void InjectLeftButton(DWORD buttonFlag)
{
    ScreenPoint at = LastPlacedCursor();
    if (!CursorWasPlaced()) {
        POINT reported = {0, 0};
        GetCursorPos(&reported);
        at = ScreenPoint{reported.x, reported.y};
    }
    SendAbsoluteMouse(at.x, at.y, buttonFlag);
}

void PressLeftButton()
{
    InjectLeftButton(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton()
{
    InjectLeftButton(MOUSEEVENTF_LEFTUP);
}

static bool cursorHeld = false;

void ApplyCursorHold()
{
    ScreenRect hold;
    if (!TraceCursorHold(hold)) {
        ReleaseCursorHold();
        return;
    }
    // ClipCursor leaves out the rectangle's right column and bottom row.
    const RECT wanted = {hold.left, hold.top, hold.right + 1, hold.bottom + 1};
    RECT now = {0, 0, 0, 0};
    if (cursorHeld && GetClipCursor(&now) && EqualRect(&now, &wanted))
        return;
    ClipCursor(&wanted);
    cursorHeld = true;
}

void ReleaseCursorHold()
{
    if (!cursorHeld)
        return;
    ClipCursor(nullptr);
    cursorHeld = false;
}

std::uint32_t ReadTickCount()
{
    return GetTickCount();
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

void ShowCompletionBox(const char* text, const char* title)
{
    // The trace has ended: the cursor is the user's again before the box.
    ApplyCursorHold();
    MessageBoxA(ControlWindow, text, title, MB_TOPMOST);
}
