/*
 * The panel: the ten controls made on the window's creation, the paint of
 * its result lines, and the Start command up to its hand-over to the plan
 * and the trace. Every formatted line passes through the shared text buffer
 * and is drawn from it at once. No font is set anywhere, so all text uses
 * the system's default font, in whatever size the system gives it at the
 * display's scale; the controls and lines stand where the layout for the
 * window's DPI puts them.
 */
#include "ui/panel_win32.h"

#include "app/shell_win32.h"
#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/trace_driver.h"
#include "ui/control_ids.h"
#include "ui/dpi_win32.h"
#include "ui/panel_layout.h"
#include "ui/start_rule.h"
#include "ui/status_lines.h"
#include "ui/trace_options.h"
#include "ui/wait_text.h"

namespace {

struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    DWORD style;
};

const DWORD kPushButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
const DWORD kCheckBox = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;

// In id order; the controls are made in this order.
const ControlSpec kControls[kControlCount] = {
    {ID_SOURCE_REGION, "BUTTON", kTextSourceRegionButton, kPushButton},
    {ID_DEST_POSITION, "BUTTON", kTextDestPositionButton, kPushButton},
    {ID_RGB_REGION, "BUTTON", kTextRgbRegionButton, kPushButton},
    {ID_START, "BUTTON", kTextStartButton, kPushButton | WS_DISABLED},
    {ID_TRANSPARENT_TOP_LEFT, "BUTTON", kTextTransparentTopLeft, kCheckBox},
    {ID_PAINTER_ADJUST, "BUTTON", kTextPainterAdjust, kCheckBox},
    {ID_SYNC_COLOUR_SWITCH, "BUTTON", kTextSyncColourSwitch, kCheckBox},
    {ID_SYNC_MOUSE_MOVE, "BUTTON", kTextSyncMouseMove, kCheckBox},
    {ID_SYNC_EVERY_PIXEL, "BUTTON", kTextSyncEveryPixel, kCheckBox},
    {ID_WAIT_EDIT, "EDIT", kTextWaitInitial, WS_CHILD | WS_VISIBLE | WS_BORDER},
};

HWND controls[kControlCount] = {};
PanelLayout layout = {};

void DrawLine(HDC dc, PanelPoint at, const char* text, int length)
{
    TextOutA(dc, at.x, at.y, text, length);
}

int FlagOf(int id)
{
    return IsBoxChecked(id) ? 1 : 0;
}

}  // namespace

HWND PanelControl(int id)
{
    const int index = id - kFirstControlId;
    return index >= 0 && index < kControlCount ? controls[index] : nullptr;
}

const PanelLayout& CurrentPanelLayout()
{
    return layout;
}

void CreatePanelControls(HWND window)
{
    layout = PanelLayoutAt(WindowDpi(window));
    for (int i = 0; i < kControlCount; ++i) {
        const ControlSpec& c = kControls[i];
        const PanelRect& at = layout.controls[i];
        controls[i] = CreateWindowExA(0, c.className, c.text, c.style, at.left, at.top,
                                      at.right - at.left, at.bottom - at.top, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                      ModuleInstance, nullptr);
    }
}

void SizePanelWindow(HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, layout.outerWidth, layout.outerHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOutPanelAgain(int dpi)
{
    layout = PanelLayoutAt(dpi);
    for (int i = 0; i < kControlCount; ++i) {
        const PanelRect& at = layout.controls[i];
        MoveWindow(controls[i], at.left, at.top, at.right - at.left, at.bottom - at.top, TRUE);
    }
}

void PaintPanel(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT panel = {layout.fill.left, layout.fill.top, layout.fill.right, layout.fill.bottom};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &panel, face);
    DeleteObject(face);
    SetBkMode(dc, TRANSPARENT);

    int length = FormatSourceLine();
    DrawLine(dc, layout.sourceLine, TextBuffer, length);
    length = FormatDestLine();
    DrawLine(dc, layout.destLine, TextBuffer, length);
    DrawLine(dc, layout.paletteMark, PaletteMark(), kPaletteMarkLength);
    DrawLine(dc, layout.waitLabel, kTextWaitLabel, lstrlenA(kTextWaitLabel));
    EndPaint(window, &paint);
}

bool IsBoxChecked(int id)
{
    return SendMessageA(PanelControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RunStartCommand()
{
    TraceOptions.syncOnColourSwitch = FlagOf(ID_SYNC_COLOUR_SWITCH);
    TraceOptions.syncOnMouseMove = FlagOf(ID_SYNC_MOUSE_MOVE);
    TraceOptions.painterAdjust = FlagOf(ID_PAINTER_ADJUST);
    TraceOptions.syncEveryPixel = FlagOf(ID_SYNC_EVERY_PIXEL);
    GetWindowTextA(PanelControl(ID_WAIT_EDIT), TextBuffer, kTextBufferSize);
    TraceOptions.syncWaitMs = ReadWaitText(TextBuffer);
    // The plan reads "左上色を透過" from the options record rather than from
    // the box, so it is taken here, just before the build.
    TraceOptions.transparentTopLeft = FlagOf(ID_TRANSPARENT_TOP_LEFT);
    BuildColourGroups();
    StartTrace();
}

void UpdateStartButton()
{
    EnableWindow(PanelControl(ID_START), StartConditionsHold() ? TRUE : FALSE);
}

void OnPainterAdjustCommand(HWND window)
{
    ClearSliderLines();
    UpdateStartButton();
    InvalidateRect(window, nullptr, TRUE);
}
