/*
 * The panel: the ten controls made on the window's creation, the paint of
 * its result lines, and the Start command up to its hand-over to the plan
 * and the trace. Every formatted line passes through the shared text buffer
 * and is drawn from it at once. No font is set anywhere, so all text uses
 * the system's default font.
 */
#include "ui/panel_win32.h"

#include "app/shell_win32.h"
#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/trace_driver.h"
#include "ui/control_ids.h"
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
    int x;
    int y;
    int width;
    int height;
};

const DWORD kPushButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
const DWORD kCheckBox = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;

// In id order; the controls are made in this order.
const ControlSpec kControls[kControlCount] = {
    {ID_SOURCE_REGION, "BUTTON", kTextSourceRegionButton, kPushButton, 16, 4, 128, 24},
    {ID_DEST_POSITION, "BUTTON", kTextDestPositionButton, kPushButton, 16, 32, 128, 24},
    {ID_RGB_REGION, "BUTTON", kTextRgbRegionButton, kPushButton, 16, 60, 128, 24},
    {ID_START, "BUTTON", kTextStartButton, kPushButton | WS_DISABLED, 16, 152, 128, 24},
    {ID_TRANSPARENT_TOP_LEFT, "BUTTON", kTextTransparentTopLeft, kCheckBox, 240, 72, 128, 24},
    {ID_PAINTER_ADJUST, "BUTTON", kTextPainterAdjust, kCheckBox, 240, 92, 180, 24},
    {ID_SYNC_COLOUR_SWITCH, "BUTTON", kTextSyncColourSwitch, kCheckBox, 240, 112, 180, 24},
    {ID_SYNC_MOUSE_MOVE, "BUTTON", kTextSyncMouseMove, kCheckBox, 240, 132, 200, 24},
    {ID_SYNC_EVERY_PIXEL, "BUTTON", kTextSyncEveryPixel, kCheckBox, 240, 152, 200, 24},
    {ID_WAIT_EDIT, "EDIT", kTextWaitInitial, WS_CHILD | WS_VISIBLE | WS_BORDER, 176, 104, 32, 24},
};

HWND controls[kControlCount] = {};

// Where each result line and the wait label stand, in client pixels.
const int kResultColumn = 160;
const int kSourceLineRow = 6;
const int kDestLineRow = 34;
const int kPaletteMarkRow = 62;
const int kWaitLabelColumn = 16;
const int kWaitLabelRow = 105;

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

void CreatePanelControls(HWND window)
{
    for (int i = 0; i < kControlCount; ++i) {
        const ControlSpec& c = kControls[i];
        controls[i] = CreateWindowExA(0, c.className, c.text, c.style, c.x, c.y, c.width, c.height,
                                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                      ModuleInstance, nullptr);
    }
}

void PaintPanel(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT panel = {0, 0, kPanelWidth, kPanelHeight};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &panel, face);
    DeleteObject(face);
    SetBkMode(dc, TRANSPARENT);

    int length = FormatSourceLine();
    TextOutA(dc, kResultColumn, kSourceLineRow, TextBuffer, length);
    length = FormatDestLine();
    TextOutA(dc, kResultColumn, kDestLineRow, TextBuffer, length);
    TextOutA(dc, kResultColumn, kPaletteMarkRow, PaletteMark(), kPaletteMarkLength);
    TextOutA(dc, kWaitLabelColumn, kWaitLabelRow, kTextWaitLabel, lstrlenA(kTextWaitLabel));
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
