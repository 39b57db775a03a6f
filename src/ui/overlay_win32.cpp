/*
 * The overlay: entry into a pick mode, the frames drawn while it lasts, the
 * four mouse messages and the return to the panel. There is no second
 * window; the control window itself changes style and size. Every point
 * comes from the cursor position when the message is handled, never from
 * the message, so every point is in screen coordinates. While the overlay
 * is up the window covers the screen rectangle without a frame, its client
 * origin at the screen's origin (ScreenLeft, ScreenTop); each frame is
 * drawn in screen coordinates through its viewport origin.
 */
#include "ui/overlay_win32.h"

#include "app/desktop.h"
#include "app/desktop_win32.h"
#include "app/screen.h"
#include "app/shell_win32.h"
#include "app/text_buffer.h"
#include "ui/control_ids.h"
#include "ui/panel_win32.h"
#include "ui/pick_rules.h"

namespace {

const LONG kPanelStyle = WS_CAPTION | WS_SYSMENU;
const LONG kOverlayStyle = static_cast<LONG>(WS_POPUP);

// The cursor where the user has it, straight from the system. The desktop
// seam's cursor read takes a report of a point the trace placed the cursor
// at lately for a late echo of that move; a pick made just after a trace,
// on the painter's canvas or sliders, must not be mistaken for one.
ScreenPoint UserCursor()
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    return ScreenPoint{at.x, at.y};
}

void ShowPickHiddenControls(int showCommand)
{
    for (int i = 0; i < kPickHiddenControlCount; ++i)
        ShowWindow(PanelControl(kFirstControlId + i), showCommand);
}

// The common end of a pick (and of a trace cancelled by the right button).
void ReturnToIdle()
{
    TraceMode = Mode::Idle;
    ShowCursor(TRUE);
    LeavePickMode();
}

void DrawLine(HDC surface, int x0, int y0, int x1, int y1)
{
    MoveToEx(surface, x0, y0, nullptr);
    LineTo(surface, x1, y1);
}

}  // namespace

void BeginPick(Mode pickMode)
{
    TraceMode = pickMode;
    DragAnchorSet = 0;
    ShowCursor(FALSE);
    EnterPickMode();
    InvalidateRect(ControlWindow, nullptr, TRUE);
}

void EnterPickMode()
{
    // Taken while the panel is still on screen: the frozen image shows it.
    FreezeScreen(TraceMode == Mode::PickSource);
    ShowPickHiddenControls(SW_HIDE);
    RECT outer = {0, 0, 0, 0};
    GetWindowRect(ControlWindow, &outer);
    SavedPanelPosition = ScreenPoint{outer.left, outer.top};
    SetWindowLongA(ControlWindow, GWL_STYLE, kOverlayStyle);
    SetWindowPos(ControlWindow, HWND_TOP, ScreenLeft, ScreenTop, ScreenWidth, ScreenHeight,
                 SWP_SHOWWINDOW);
}

void LeavePickMode()
{
    SetWindowLongA(ControlWindow, GWL_STYLE, kPanelStyle);
    const PanelLayout& panel = CurrentPanelLayout();
    SetWindowPos(ControlWindow, HWND_TOP, SavedPanelPosition.x, SavedPanelPosition.y,
                 panel.outerWidth, panel.outerHeight, SWP_SHOWWINDOW);
    ShowPickHiddenControls(SW_SHOW);
    // Whatever the full-screen window covered is redrawn at once.
    InvalidateRect(nullptr, nullptr, TRUE);
}

void PaintPickFrame(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    HDC frame = CreateCompatibleDC(target);
    // Compatible with the window's surface: a bitmap compatible with a fresh
    // memory context would be monochrome.
    HBITMAP bitmap = CreateCompatibleBitmap(target, ScreenWidth, ScreenHeight);
    HGDIOBJ keptBitmap = SelectObject(frame, bitmap);
    BitBlt(frame, 0, 0, ScreenWidth, ScreenHeight, SnapshotDC, 0, 0, SRCCOPY);
    const ScreenPoint cursor = UserCursor();
    SetViewportOrgEx(frame, -ScreenLeft, -ScreenTop, nullptr);
    DrawPickOverlay(frame, cursor.x, cursor.y);
    SetViewportOrgEx(frame, 0, 0, nullptr);
    BitBlt(target, 0, 0, ScreenWidth, ScreenHeight, frame, 0, 0, SRCCOPY);
    SelectObject(frame, keptBitmap);
    DeleteObject(bitmap);
    DeleteDC(frame);
    EndPaint(window, &paint);
}

void DrawPickOverlay(HDC surface, int x, int y)
{
    // R2_NOT inverts every pixel a line covers, so the marks show on any
    // background; the pen's colour does not show.
    SetROP2(surface, R2_NOT);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ keptPen = SelectObject(surface, pen);
    if (!DragAnchorSet) {
        DrawLine(surface, x - kCrosshairArm, y, x + kCrosshairArm, y);
        DrawLine(surface, x, y - kCrosshairArm, x, y + kCrosshairArm);
    } else {
        const ScreenRect band = NormaliseDrag(DragAnchor, ScreenPoint{x, y});
        MoveToEx(surface, band.left, band.top, nullptr);
        LineTo(surface, band.right, band.top);
        LineTo(surface, band.right, band.bottom);
        LineTo(surface, band.left, band.bottom);
        LineTo(surface, band.left, band.top);
    }
    SelectObject(surface, keptPen);
    DeleteObject(pen);
    SetROP2(surface, R2_COPYPEN);

    // The surface's own defaults: black text in an opaque white box, which
    // the label's leading and trailing blanks pad.
    const int length = FormatPickLabel(x, y);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(surface, TextBuffer, length, &extent);
    TextOutA(surface, PickLabelLeft(x, y, extent.cx), PickLabelTop(y, extent.cy), TextBuffer,
             length);
}

LRESULT OnMouseMove(HWND window)
{
    if (IsPickMode(TraceMode))
        InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT OnLeftButtonDown()
{
    if (TraceMode == Mode::PickDestination) {
        // The destination is taken on the press; the release that follows
        // arrives in Idle and is ignored.
        ApplyDestinationPress(UserCursor());
        UpdateStartButton();
        ReturnToIdle();
    } else if (TraceMode == Mode::PickSource || TraceMode == Mode::PickPalette) {
        RecordDragPress(UserCursor());
    }
    return 0;
}

LRESULT OnLeftButtonUp()
{
    if (!IsPickMode(TraceMode))
        return 0;
    ApplyDragRelease(UserCursor(), IsBoxChecked(ID_PAINTER_ADJUST));
    UpdateStartButton();
    ReturnToIdle();
    return 0;
}

LRESULT OnRightButtonDown()
{
    if (TraceMode != Mode::Idle)
        ReturnToIdle();
    return 0;
}
