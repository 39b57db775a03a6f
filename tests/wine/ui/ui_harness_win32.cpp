/*
 * The Wine tests' harness: the program's start-up around the real control
 * window, the fake painter, and input injected as a user's.
 */
#include "ui_harness_win32.h"

#include <cstdio>

#include "app/desktop_win32.h"
#include "app/painter_contract.h"
#include "app/screen.h"
#include "app/shell_win32.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/trace_driver.h"
#include "ui/control_ids.h"
#include "ui/dpi_win32.h"
#include "ui/panel_win32.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"
#include "ui/window_win32.h"

HINSTANCE ModuleInstance = nullptr;
HWND ControlWindow = nullptr;

namespace {

const char kPainterClass[] = "Vellipa test painter";
const COLORREF kStripeColours[kStripeCount] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 160, 0),
                                               RGB(0, 0, 255)};

HWND painterWindow = nullptr;
HANDLE watchdogThread = nullptr;
volatile LONG completionBoxes = 0;
volatile LONG stopWatchdog = 0;

void FillScreenRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    // Client coordinates of the fake painter, from inclusive screen ones.
    RECT r = {left - kPainterLeft, top - kPainterTop, right - kPainterLeft + 1,
              bottom - kPainterTop + 1};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK PainterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillScreenRect(dc, kPainterLeft, kPainterTop, kPainterLeft + kPainterWidth - 1,
                   kPainterTop + kPainterHeight - 1, RGB(255, 255, 255));
    FillScreenRect(dc, kBarLeft, kRedBarTop, kBarRight, kRedBarTop + kBarHeight - 1, kRedBarColour);
    FillScreenRect(dc, kBarLeft, kGreenBarTop, kBarRight, kGreenBarTop + kBarHeight - 1,
                   kGreenBarColour);
    FillScreenRect(dc, kBarLeft, kBlueBarTop, kBarRight, kBlueBarTop + kBarHeight - 1,
                   kBlueBarColour);
    for (int i = 0; i < kStripeCount; ++i)
        FillScreenRect(dc, kStripesLeft + i * kStripeWidth, kStripesTop,
                       kStripesLeft + (i + 1) * kStripeWidth - 1, kStripesTop + kStripesHeight - 1,
                       kStripeColours[i]);
    EndPaint(window, &paint);
    return 0;
}

// A completion box would stop the test thread in its modal loop: close any
// that appears, and count it.
DWORD WINAPI WatchForCompletionBoxes(LPVOID)
{
    while (!stopWatchdog) {
        HWND box = FindWindowA(nullptr, kTextCompletionTitle);
        if (box) {
            InterlockedIncrement(&completionBoxes);
            PostMessageA(box, WM_CLOSE, 0, 0);
            Sleep(200);
        }
        Sleep(20);
    }
    return 0;
}

void RegisterClasses()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ControlWindowProc;
    windowClass.hInstance = ModuleInstance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kTextWindowClass;
    RegisterClassExA(&windowClass);

    WNDCLASSEXA painterClass = {};
    painterClass.cbSize = sizeof painterClass;
    painterClass.lpfnWndProc = PainterProc;
    painterClass.hInstance = ModuleInstance;
    painterClass.hCursor = windowClass.hCursor;
    painterClass.lpszClassName = kPainterClass;
    RegisterClassExA(&painterClass);
}

}  // namespace

bool StartHarness()
{
    ModuleInstance = GetModuleHandleA(nullptr);
    RegisterClasses();
    painterWindow = CreateWindowExA(0, kPainterClass, "Test painter", WS_POPUP | WS_VISIBLE,
                                    kPainterLeft, kPainterTop, kPainterWidth, kPainterHeight,
                                    nullptr, nullptr, ModuleInstance, nullptr);
    // As the program makes it, but at a known place.
    ControlWindow = CreateWindowExA(0, kTextWindowClass, kTextWindowTitle, WS_CAPTION | WS_SYSMENU,
                                    kPanelLeft, kPanelTop, 430, 220, nullptr, nullptr,
                                    ModuleInstance, nullptr);
    if (!ControlWindow || !painterWindow)
        return false;
    SizePanelWindow(ControlWindow);
    ShowWindow(ControlWindow, SW_SHOWNORMAL);
    UpdateWindow(ControlWindow);
    UpdateWindow(painterWindow);

    MeasureScreen();
    if (!CreateScreenSurfaces())
        return false;
    watchdogThread = CreateThread(nullptr, 0, WatchForCompletionBoxes, nullptr, 0, nullptr);
    PumpFor(300);
    return true;
}

void StopHarness()
{
    stopWatchdog = 1;
    if (watchdogThread) {
        WaitForSingleObject(watchdogThread, 2000);
        CloseHandle(watchdogThread);
    }
    DestroyWindow(painterWindow);
    DestroyWindow(ControlWindow);
    PumpMessages();
    ReleaseScreenSurfaces();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(2);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void PumpWithTraceSteps(int steps)
{
    while (steps > 0) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            RunTraceStep();
            --steps;
        }
    }
    PumpMessages();
}

bool CursorIsAt(int x, int y)
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
}

// Under Wine a warp is reported at once but the display server can still
// deliver an older pointer position afterwards, which moves the cursor back:
// the move counts only once the cursor has stayed put for a while.
bool MoveCursorTo(int x, int y)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetCursorPos(x, y);
        if (!PumpUntil([x, y] { return CursorIsAt(x, y); }, 1000))
            continue;
        PumpFor(40);
        if (!CursorIsAt(x, y))
            continue;
        // A move of no distance: the window under the cursor hears of it.
        mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        PumpFor(10);
        if (CursorIsAt(x, y))
            return true;
    }
    return false;
}

void PressLeft() { mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); }
void ReleaseLeft() { mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); }
void PressRight() { mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0); }
void ReleaseRight() { mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0); }

POINT ControlCentre(int id)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(GetDlgItem(ControlWindow, id), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ClickControl(int id, const std::function<bool()>& done)
{
    const POINT at = ControlCentre(id);
    if (!MoveCursorTo(at.x, at.y))
        return false;
    HWND control = GetDlgItem(ControlWindow, id);
    PressLeft();
    // A disabled button takes no press, so only wait for an enabled one.
    if (IsWindowEnabled(control))
        PumpUntil([control] { return GetCapture() == control; }, 1000);
    ReleaseLeft();
    const bool handled =
        done ? PumpUntil(done) : PumpUntil([] { return GetCapture() == nullptr; }, 1000);
    if (!handled) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        HWND under = WindowFromPoint(cursor);
        std::fprintf(stderr, "click on control %d at (%ld,%ld) not handled: cursor (%ld,%ld), window "
                             "there id %d%s\n",
                     id, at.x, at.y, cursor.x, cursor.y, under ? GetDlgCtrlID(under) : -1,
                     under == ControlWindow ? " (the control window)" : "");
    }
    return handled;
}

std::vector<COLORREF> CaptureClient(HWND window, const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<Colour> pixels(static_cast<size_t>(width) * height, CLR_INVALID);
    HDC source = GetDC(window);
    CopyDeviceBlock(source, area.left, area.top, width, height, pixels.data(),
                    static_cast<size_t>(width));
    ReleaseDC(window, source);
    return std::vector<COLORREF>(pixels.begin(), pixels.end());
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    const RECT one = {x, y, x + 1, y + 1};
    return CaptureClient(window, one)[0];
}

std::vector<COLORREF> RenderPanelText(const char* text, int length, const RECT& area, int x, int y)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(ControlWindow);
    HDC surface = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(ControlWindow, screen);
    HGDIOBJ kept = SelectObject(surface, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(surface, &all, face);
    DeleteObject(face);
    SetBkMode(surface, TRANSPARENT);
    TextOutA(surface, x - area.left, y - area.top, text, length);
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels[static_cast<size_t>(row) * width + column] = GetPixel(surface, column, row);
    SelectObject(surface, kept);
    DeleteObject(bitmap);
    DeleteDC(surface);
    return pixels;
}

int CompletionBoxesSeen()
{
    return static_cast<int>(completionBoxes);
}

void ResetProgramState()
{
    if (TraceMode != Mode::Idle) {
        MoveCursorTo(ScreenWidth - 2, 2);
        PressRight();
        ReleaseRight();
        PumpUntil([] { return TraceMode == Mode::Idle; });
    }
    SourceRect = ScreenRect{0, 0, 0, 0};
    DestPoint = ScreenPoint{0, 0};
    ClearSliderLines();
    ColourGroupList.clear();
    TraceOptions = TraceOptionsRecord{0, 0, 0, 0, 0, 0};
    for (int id = ID_TRANSPARENT_TOP_LEFT; id <= ID_SYNC_EVERY_PIXEL; ++id)
        SendMessageA(GetDlgItem(ControlWindow, id), BM_SETCHECK, BST_UNCHECKED, 0);
    SetWindowTextA(GetDlgItem(ControlWindow, ID_WAIT_EDIT), kTextWaitInitial);
    EnableWindow(GetDlgItem(ControlWindow, ID_START), FALSE);
    LayOutPanelAgain(WindowDpi(ControlWindow));
    SetWindowPos(ControlWindow, HWND_TOP, kPanelLeft, kPanelTop, CurrentPanelLayout().outerWidth,
                 CurrentPanelLayout().outerHeight, SWP_SHOWWINDOW);
    InvalidateRect(nullptr, nullptr, TRUE);
    PumpFor(50);
    UpdateWindow(ControlWindow);
    UpdateWindow(painterWindow);
    PumpFor(50);
}
