/*
 * The control window's procedure: a short switch on the message that calls
 * one handler per message, and for commands a switch on the control id
 * alone (the low 16 bits of the first parameter; the notification code in
 * the high 16 bits is ignored). While TraceMode is Idle or Tracing the
 * window is the panel; in a pick mode it is the overlay. Closing the window
 * ends the program through the quit message; the default procedure
 * destroys the window on its close box. A change of the display's scale
 * (the window moved to a monitor of another scale, or the user changed it)
 * lays the panel out again.
 */
#include "ui/window_win32.h"

#include "ui/control_ids.h"
#include "ui/overlay_win32.h"
#include "ui/panel_win32.h"
#include "ui/pick_rules.h"
#include "ui/trace_mode.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

static LRESULT OnCreate(HWND window)
{
    CreatePanelControls(window);
    return 0;
}

static LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

static LRESULT OnPaint(HWND window)
{
    if (IsPickMode(TraceMode))
        PaintPickFrame(window);
    else
        PaintPanel(window);
    return 0;
}

// The new DPI is in both halves of wParam, and lParam points at the outer
// rectangle the system suggests for it. The overlay keeps covering the
// screen; the panel comes back at its new size when the pick ends.
static LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    LayOutPanelAgain(HIWORD(wParam));
    if (!IsPickMode(TraceMode)) {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

static LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_SOURCE_REGION:
        BeginPick(Mode::PickSource);
        return 0;
    case ID_DEST_POSITION:
        BeginPick(Mode::PickDestination);
        return 0;
    case ID_RGB_REGION:
        BeginPick(Mode::PickPalette);
        return 0;
    case ID_START:
        RunStartCommand();
        return 0;
    case ID_PAINTER_ADJUST:
        OnPainterAdjustCommand(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        return OnDestroy();
    case WM_PAINT:
        return OnPaint(window);
    case WM_COMMAND:
        return OnCommand(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(window);
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown();
    case WM_LBUTTONUP:
        return OnLeftButtonUp();
    case WM_RBUTTONDOWN:
        return OnRightButtonDown();
    case WM_DPICHANGED:
        return OnDpiChanged(window, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
