/*
 * The desktop seam over Win32 GDI, USER and KERNEL, and the three screen
 * surfaces it reads. This file only translates: every decision about what
 * to read, move or press is made by the portable logic.
 */
#include "app/desktop_win32.h"


#include "app/desktop.h"
#include "app/screen.h"
#include "app/shell_win32.h"

HDC ScreenDC = nullptr;
HDC SnapshotDC = nullptr;
HDC SourceDC = nullptr;

static HBITMAP snapshotBitmap = nullptr;
static HBITMAP sourceBitmap = nullptr;
static HGDIOBJ snapshotKeptBitmap = nullptr;
static HGDIOBJ sourceKeptBitmap = nullptr;

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
    return GetPixel(ScreenDC, x, y);
}

void FreezeScreen(bool alsoSource)
{
    BitBlt(SnapshotDC, 0, 0, ScreenWidth, ScreenHeight, ScreenDC, 0, 0, SRCCOPY);
    if (alsoSource)
        BitBlt(SourceDC, 0, 0, ScreenWidth, ScreenHeight, ScreenDC, 0, 0, SRCCOPY);
}

Colour ReadSourcePixel(int x, int y)
{
    return GetPixel(SourceDC, x, y);
}

// The part of the block that lies on the screen is copied in one BitBlt
// into a top-down 32-bit DIB section, whose memory then holds the pixels as
// 0x00RRGGBB; a COLORREF wants red in the low byte, so red and blue swap.
bool ReadSourceBlock(int left, int top, int width, int height, Colour* out)
{
    if (width <= 0 || height <= 0)
        return true;
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i)
        out[i] = kNoPixel;
    const int clipLeft = left < 0 ? 0 : left;
    const int clipTop = top < 0 ? 0 : top;
    const int clipRight = left + width > ScreenWidth ? ScreenWidth : left + width;
    const int clipBottom = top + height > ScreenHeight ? ScreenHeight : top + height;
    if (clipLeft >= clipRight || clipTop >= clipBottom)
        return true;
    const int clipWidth = clipRight - clipLeft;
    const int clipHeight = clipBottom - clipTop;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = clipWidth;
    info.bmiHeader.biHeight = -clipHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(SourceDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(SourceDC);
    if (!section || !copyDC || !bits) {
        if (section)
            DeleteObject(section);
        if (copyDC)
            DeleteDC(copyDC);
        return false;
    }
    HGDIOBJ kept = SelectObject(copyDC, section);
    const BOOL copied = BitBlt(copyDC, 0, 0, clipWidth, clipHeight, SourceDC, clipLeft, clipTop, SRCCOPY);
    GdiFlush();
    if (copied) {
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        for (int row = 0; row < clipHeight; ++row) {
            Colour* line = out + static_cast<size_t>(clipTop - top + row) * width + (clipLeft - left);
            const DWORD* from = pixels + static_cast<size_t>(row) * clipWidth;
            for (int column = 0; column < clipWidth; ++column) {
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

// Where the program last put the cursor; a button event is injected there.
static bool cursorPlaced = false;
static POINT placedCursor = {0, 0};

// The points the program put the cursor at lately, and when, newest last.
struct PlacedPoint {
    POINT at;
    DWORD tick;
};
// Room for every point of the last kEchoWindowMs at the fastest trace (two
// points a stroke, some 400 strokes a second).
static const unsigned kPlacedHistory = 4096;
static const DWORD kEchoWindowMs = 2000;
static PlacedPoint placedHistory[kPlacedHistory];
static unsigned placedCount = 0;

void SetCursorPosition(int x, int y)
{
    SetCursorPos(x, y);
    cursorPlaced = true;
    placedCursor.x = x;
    placedCursor.y = y;
    placedHistory[placedCount % kPlacedHistory] = PlacedPoint{placedCursor, GetTickCount()};
    ++placedCount;
}

// Under Wine over X, each SetCursorPos warps the X pointer, and another
// program that takes the pointer events of those warps late (the painter,
// busy drawing) reports them as moves: the system's cursor then jumps back
// for a while to a point this program put it at earlier, a few moves back
// when the painter keeps up, a hundred and more when it lags. A user's hand
// moves the mouse elsewhere, so a report of such a point, placed within the
// last kEchoWindowMs, is taken as that echo.
static bool IsEchoOfEarlierPlacement(POINT at)
{
    const DWORD now = GetTickCount();
    for (unsigned back = 2; back <= kPlacedHistory && back <= placedCount; ++back) {
        const PlacedPoint& earlier = placedHistory[(placedCount - back) % kPlacedHistory];
        if (now - earlier.tick > kEchoWindowMs)
            return false;
        if (earlier.at.x == at.x && earlier.at.y == at.y)
            return true;
    }
    return false;
}

// An echo is answered with the point the cursor was last put at, where it
// stands once the late events are through.
ScreenPoint ReadCursorPosition()
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    if (cursorPlaced && (at.x != placedCursor.x || at.y != placedCursor.y) &&
        IsEchoOfEarlierPlacement(at))
        at = placedCursor;
    return ScreenPoint{at.x, at.y};
}

// A bare press (mouse_event with no position) is taken wherever the system
// believes the cursor is when it handles the event, and on some systems
// (Wine over X) that belief lags behind SetCursorPos by one move or more,
// long enough for a poll of GetCursorPos to pass and the press to land at
// the previous point. So the button event carries its own absolute
// position: the point where the program last put the cursor, which is
// where it stands on a system without that lag. The normalised coordinate
// is rounded up so that the system's x * 65536 / width maps back exactly.
static void InjectLeftButton(DWORD buttonFlag)
{
    POINT at = placedCursor;
    if (!cursorPlaced)
        GetCursorPos(&at);
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = width > 0 ? static_cast<LONG>((static_cast<LONGLONG>(at.x) * 65536 + width - 1) / width) : 0;
    input.mi.dy = height > 0 ? static_cast<LONG>((static_cast<LONGLONG>(at.y) * 65536 + height - 1) / height) : 0;
    input.mi.dwFlags = buttonFlag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void PressLeftButton()
{
    InjectLeftButton(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton()
{
    InjectLeftButton(MOUSEEVENTF_LEFTUP);
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
    MessageBoxA(ControlWindow, text, title, MB_TOPMOST);
}
