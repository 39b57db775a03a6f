/*
 * The stand-in painter's window: a fixed-size top-level window that shows
 * the client picture RenderClient makes, hands left presses, releases and
 * mouse moves to the model in client coordinates, and holds back finished
 * drags (and, painting along the path, each piece) for the paint lag before
 * they reach the screen. On close it writes the canvas.
 *
 * The slowness options act where a real slow painter is slow: every mouse
 * message is handled only after a sleep (so input queues up behind it), and
 * a finished drag is shown only once its lag has passed.
 */
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "event_log.h"
#include "image_file.h"
#include "painter_model.h"
#include "sample_picture.h"

namespace {

const char kClassName[] = "StandinPainterWindow";
const char kTitle[] = "Stand-in Painter";
const UINT_PTR kLagTimer = 1;
const UINT kLagTimerPeriodMs = 5;  // the system rounds it up to its own minimum

struct PendingStroke {
    DWORD dueTick;
    standin::Stroke stroke;
};

standin::PainterState Painter;
std::vector<Colour> Sample;
std::vector<std::uint32_t> ClientPixels;
bool ClientPixelsStale = true;
std::deque<PendingStroke> PendingStrokes;
bool WriteFailed = false;
std::FILE* EventLog = nullptr;

// One line of the event log, flushed at once so that a reader sees input
// as the painter takes it.
void LogEvent(const std::string& line)
{
    if (EventLog == nullptr || line.empty())
        return;
    std::fprintf(EventLog, "%lu %s\n", static_cast<unsigned long>(GetTickCount()), line.c_str());
    std::fflush(EventLog);
}

void Invalidate(HWND window, const standin::Rect& r)
{
    ClientPixelsStale = true;
    RECT area = {r.left, r.top, r.right + 1, r.bottom + 1};
    InvalidateRect(window, &area, FALSE);
}

// The client rectangle a canvas stroke or piece can touch.
standin::Rect StrokeArea(const standin::Stroke& s)
{
    const standin::Rect& canvas = Painter.layout.canvas;
    return standin::Rect{canvas.left + std::min(s.from.x, s.to.x), canvas.top + std::min(s.from.y, s.to.y),
                         canvas.left + std::max(s.from.x, s.to.x), canvas.top + std::max(s.from.y, s.to.y)};
}

void ShowStroke(HWND window, const standin::Stroke& stroke)
{
    standin::PaintStroke(Painter.canvas, Painter.options.canvasWidth,
                         Painter.options.canvasHeight, stroke);
    Invalidate(window, StrokeArea(stroke));
}

// Shows every held-back stroke whose time has come, or all of them.
void ShowDueStrokes(HWND window, bool all)
{
    const DWORD now = GetTickCount();
    while (!PendingStrokes.empty()) {
        const PendingStroke& next = PendingStrokes.front();
        if (!all && static_cast<LONG>(now - next.dueTick) < 0)
            break;
        ShowStroke(window, next.stroke);
        PendingStrokes.pop_front();
    }
    if (PendingStrokes.empty())
        KillTimer(window, kLagTimer);
}

// Shows a stroke or a piece of a path now, or holds it back for the lag.
void ShowOrHold(HWND window, const standin::Stroke& stroke)
{
    if (Painter.options.paintLagMs == 0) {
        ShowStroke(window, stroke);
        return;
    }
    PendingStrokes.push_back(
        PendingStroke{GetTickCount() + static_cast<DWORD>(Painter.options.paintLagMs), stroke});
    SetTimer(window, kLagTimer, kLagTimerPeriodMs, nullptr);
}

void OnRelease(HWND window, int x, int y)
{
    standin::Stroke stroke;
    if (!standin::ReleaseAt(Painter, x, y, stroke))
        return;
    // The log names the whole drag, press to release, in either mode.
    standin::Stroke drag = stroke;
    drag.from = Painter.pressPoint;
    LogEvent(standin::StrokeEventLine(drag));
    ReleaseCapture();
    ShowOrHold(window, stroke);
}

// A move message carries the pointer's latest point: the system merges
// moves that wait in the queue.
void OnMove(HWND window, int x, int y)
{
    standin::Stroke piece;
    if (standin::MoveAt(Painter, x, y, piece))
        ShowOrHold(window, piece);
}

void OnPress(HWND window, int x, int y)
{
    if (standin::PressAt(Painter, x, y))
        Invalidate(window, Painter.layout.swatch);
    LogEvent(standin::PressEventLine(Painter, x, y));
    if (Painter.dragging)
        SetCapture(window);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (ClientPixelsStale) {
        standin::RenderClient(Painter, Sample, ClientPixels);
        ClientPixelsStale = false;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Painter.layout.clientWidth;
    info.bmiHeader.biHeight = -Painter.layout.clientHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, Painter.layout.clientWidth, Painter.layout.clientHeight, 0, 0, 0,
                      Painter.layout.clientHeight, ClientPixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

void SleepForEvent()
{
    if (Painter.options.eventDelayMs > 0)
        Sleep(static_cast<DWORD>(Painter.options.eventDelayMs));
}

// Writes a picture as BMP when the name ends in .bmp, else as PPM; says on
// stderr why when it cannot.
bool WritePictureFile(const std::string& path, int width, int height,
                      const std::vector<Colour>& pixels)
{
    Image picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = pixels;
    std::string error;
    if (WriteImageFile(path, picture, ImageFormatForName(path), error))
        return true;
    std::fprintf(stderr, "standin-painter: %s\n", error.c_str());
    return false;
}

void OnDestroy(HWND window)
{
    ShowDueStrokes(window, true);
    if (!Painter.options.canvasFile.empty() &&
        !WritePictureFile(Painter.options.canvasFile, Painter.options.canvasWidth,
                          Painter.options.canvasHeight, Painter.canvas))
        WriteFailed = true;
    PostQuitMessage(0);
}

// The mouse message as taken, before the painter acts on it.
void LogInput(const char* kind, LPARAM lParam)
{
    if (Painter.options.logInput)
        LogEvent(std::string(kind) + " " + std::to_string(GET_X_LPARAM(lParam)) + " " +
                 std::to_string(GET_Y_LPARAM(lParam)));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        SleepForEvent();
        LogInput("down", lParam);
        OnPress(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        SleepForEvent();
        LogInput("up", lParam);
        OnRelease(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        SleepForEvent();
        LogInput("move", lParam);
        OnMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kLagTimer)
            ShowDueStrokes(window, false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            DestroyWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreatePainterWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) == 0)
        return nullptr;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer = {0, 0, Painter.layout.clientWidth, Painter.layout.clientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    return CreateWindowA(kClassName, kTitle, style, Painter.options.windowX,
                         Painter.options.windowY, outer.right - outer.left,
                         outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
}

// The geometry report, to standard output and the geometry file.
void ReportGeometry(HWND window)
{
    POINT clientOrigin = {0, 0};
    ClientToScreen(window, &clientOrigin);
    RECT outer;
    GetWindowRect(window, &outer);
    const std::string text = standin::FormatGeometry(
        Painter.layout, Painter.options, clientOrigin.x, clientOrigin.y,
        standin::Rect{outer.left, outer.top, outer.right - 1, outer.bottom - 1});
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    const std::string& path = Painter.options.geometryFile;
    if (path.empty())
        return;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fputs(text.c_str(), file) >= 0;
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "standin-painter: cannot write %s\n", path.c_str());
        WriteFailed = true;
    }
}

void WriteSample()
{
    const standin::PainterOptions& o = Painter.options;
    if (!o.sampleFile.empty() &&
        !WritePictureFile(o.sampleFile, o.sampleWidth, o.sampleHeight, Sample))
        WriteFailed = true;
}

}  // namespace

// Exit codes: 0 after a normal close, 1 when a requested file could not be
// written or the window could not be made, 2 for a bad command line.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    standin::PainterOptions options;
    std::string error;
    if (!standin::ParseOptions(__argc, __argv, options, error)) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), standin::UsageText());
        return 2;
    }
    if (options.showUsage) {
        std::fputs(standin::UsageText(), stdout);
        return 0;
    }
    standin::ResetPainter(Painter, options);
    if (!options.eventLogFile.empty()) {
        EventLog = std::fopen(options.eventLogFile.c_str(), "wb");
        if (EventLog == nullptr) {
            std::fprintf(stderr, "standin-painter: cannot write %s\n", options.eventLogFile.c_str());
            return 1;
        }
    }
    Sample = standin::MakeSamplePicture(options.sampleWidth, options.sampleHeight);
    WriteSample();

    HWND window = CreatePainterWindow(instance);
    if (window == nullptr)
        return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    ReportGeometry(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (EventLog != nullptr && std::fclose(EventLog) != 0)
        WriteFailed = true;
    return WriteFailed ? 1 : 0;
}
