/*
 * The program's entry and its only loop: registers the window class,
 * creates the control window, puts the picked geometry and the mode into
 * their start state, measures the screen, makes the three screen surfaces
 * and runs a message loop that never waits. Whenever the queue is empty the
 * loop calls the trace driver's idle step once; that call is what drives a
 * trace. After each message and each step it holds or lets go of the
 * cursor as the trace needs (app/desktop_win32.h). The exit code is the
 * quit message's, or 1 when the window or the surfaces cannot be made.
 */
#include <windows.h>

#include "app/desktop_win32.h"
#include "app/shell_win32.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "trace/trace_driver.h"
#include "ui/panel_win32.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"
#include "ui/window_win32.h"

HINSTANCE ModuleInstance = nullptr;
HWND ControlWindow = nullptr;

static const int kIconResource = 107;
// The outer size at 96 DPI; the panel resizes itself to its DPI's before
// it is shown.
static const int kPanelWidth = 430;
static const int kPanelHeight = 220;

static void RegisterControlWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ControlWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kTextWindowClass;
    RegisterClassExA(&windowClass);
}

static void SetStartState()
{
    SourceRect = ScreenRect{0, 0, 0, 0};
    DestPoint = ScreenPoint{0, 0};
    ClearSliderLines();
    TraceMode = Mode::Idle;
}

static int RunMessageLoop()
{
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            RunTraceStep();
        }
        ApplyCursorHold();
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    RegisterControlWindowClass(instance);
    ModuleInstance = instance;
    ControlWindow = CreateWindowExA(0, kTextWindowClass, kTextWindowTitle, WS_CAPTION | WS_SYSMENU,
                                    CW_USEDEFAULT, CW_USEDEFAULT, kPanelWidth, kPanelHeight, nullptr,
                                    nullptr, instance, nullptr);
    if (!ControlWindow)
        return 1;
    SizePanelWindow(ControlWindow);
    ShowWindow(ControlWindow, showCommand);
    UpdateWindow(ControlWindow);

    SetStartState();
    MeasureScreen();
    if (!CreateScreenSurfaces()) {
        // Every source pixel would read as a wrong colour, and a trace of
        // them would still end as a success: refuse to run at all.
        DestroyWindow(ControlWindow);
        return 1;
    }
    TraceOptions.syncWaitMs = 0;

    const int exitCode = RunMessageLoop();
    ReleaseCursorHold();
    ReleaseScreenSurfaces();
    return exitCode;
}
