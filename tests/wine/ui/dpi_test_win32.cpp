/*
 * The panel at the display's scale, run in prefixes of 96, 144 and 192 DPI:
 * the window laid out for its DPI, every control's text fitting its control
 * in the font the control draws with, the status lines fitting the client
 * area, and a change of scale while the program runs.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/shell_win32.h"
#include "app/texts.h"
#include "ui/control_ids.h"
#include "ui/dpi_win32.h"
#include "ui/panel_layout.h"
#include "ui/panel_win32.h"
#include "ui_harness_win32.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

HWND Control(int id) { return GetDlgItem(ControlWindow, id); }

// The DPI the rig made this run's prefix with.
int RigDpi()
{
    const char* dpi = std::getenv("VELLIPA_WINE_DPI");
    return dpi && *dpi ? std::atoi(dpi) : 96;
}

// The extent of text in the font window draws with: the one it was given,
// or the system font that a window without one uses.
SIZE TextExtentIn(HWND window, const char* text)
{
    HDC dc = GetDC(window);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ kept = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    SelectObject(dc, kept);
    ReleaseDC(window, dc);
    return extent;
}

RECT ClientRectOf(HWND control)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, ControlWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class PanelAtDisplayScale : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }
};

TEST(PanelLayoutOnWindows, MulDivRoundedAgreesWithTheSystem)
{
    int differing = 0;
    for (int number = -500; number <= 500; number += 7)
        for (int dpi : {72, 96, 120, 144, 168, 192, 240})
            for (int denominator : {96, -96, 7, 2})
                differing += MulDivRounded(number, dpi, denominator) != MulDiv(number, dpi, denominator);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(MulDivRounded(1 << 30, 8, 2), MulDiv(1 << 30, 8, 2));
    EXPECT_EQ(MulDivRounded(3, 4, 0), MulDiv(3, 4, 0));
}

TEST_F(PanelAtDisplayScale, WindowIsLaidOutForItsDpi)
{
    const PanelLayout& layout = CurrentPanelLayout();
    ASSERT_EQ(layout.dpi, RigDpi()) << "the window's DPI is not the prefix's";
    RECT outer = {0, 0, 0, 0};
    GetWindowRect(ControlWindow, &outer);
    RECT client = {0, 0, 0, 0};
    GetClientRect(ControlWindow, &client);
    // The frame measured for the layout is the one the system drew.
    EXPECT_TRUE(outer.right - outer.left == layout.outerWidth &&
                outer.bottom - outer.top == layout.outerHeight && client.right == layout.clientWidth &&
                client.bottom == layout.clientHeight)
        << "outer " << outer.right - outer.left << " x " << outer.bottom - outer.top << ", client "
        << client.right << " x " << client.bottom;
    for (int i = 0; i < kControlCount; ++i) {
        const RECT r = ClientRectOf(Control(kFirstControlId + i));
        const PanelRect& expected = layout.controls[i];
        EXPECT_TRUE(r.left == expected.left && r.top == expected.top && r.right == expected.right &&
                    r.bottom == expected.bottom)
            << kFirstControlId + i << ": " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
    }
}

TEST_F(PanelAtDisplayScale, EveryControlsTextFitsItsControl)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(ControlWindow, &client);
    // A push button's text stands inside its raised edge and focus mark; a
    // check box's beside the box glyph and a gap; the edit box's inside its
    // border.
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    for (int id = ID_SOURCE_REGION; id <= ID_WAIT_EDIT; ++id) {
        HWND control = Control(id);
        char text[64] = "";
        GetWindowTextA(control, text, sizeof text);
        const SIZE extent = TextExtentIn(control, text);
        SIZE needed = {extent.cx + 2 * (edgeX + 1), extent.cy + 2 * (edgeY + 1)};
        if (id == ID_WAIT_EDIT)
            needed = SIZE{extent.cx + 2 * edgeX, extent.cy + 2 * edgeY};
        else if ((GetWindowLongA(control, GWL_STYLE) & 0xF) == BS_AUTOCHECKBOX)
            needed = SIZE{GetSystemMetrics(SM_CXMENUCHECK) + 2 * edgeX + extent.cx,
                          std::max<LONG>(extent.cy, GetSystemMetrics(SM_CYMENUCHECK))};
        const RECT r = ClientRectOf(control);
        EXPECT_TRUE(needed.cx <= r.right - r.left && needed.cy <= r.bottom - r.top &&
                    r.right <= client.right && r.bottom <= client.bottom)
            << id << ": text " << extent.cx << " x " << extent.cy << " needs " << needed.cx << " x "
            << needed.cy << ", has " << r.right - r.left << " x " << r.bottom - r.top;
    }
}

// Every line fits the client area at 96 DPI with four-digit numbers, as
// every point on a screen of fewer than 10000 pixels gives: so it must at
// every scale. Each result line stays within the height of the pick button
// it reports on, and the wait label ends before the wait box.
TEST_F(PanelAtDisplayScale, StatusLinesFitTheClientArea)
{
    const PanelLayout& layout = CurrentPanelLayout();
    struct Line {
        const char* text;
        PanelPoint at;
        int besideControl;
    };
    const Line lines[] = {
        {"(   0,   0)-(   0,   0)    1x   1", layout.sourceLine, ID_SOURCE_REGION},
        {"(-999,8888)-(8888,-999) 8888x8888", layout.sourceLine, ID_SOURCE_REGION},
        {"(8888,-999)", layout.destLine, ID_DEST_POSITION},
        {kTextPaletteFound, layout.paletteMark, ID_RGB_REGION},
        {kTextPaletteNotFound, layout.paletteMark, ID_RGB_REGION},
        {kTextWaitLabel, layout.waitLabel, ID_WAIT_EDIT},
    };
    for (const Line& line : lines) {
        const SIZE extent = TextExtentIn(ControlWindow, line.text);
        const RECT beside = ClientRectOf(Control(line.besideControl));
        const int right = line.at.x + extent.cx;
        const int bottom = line.at.y + extent.cy;
        const bool fits = right <= layout.clientWidth && bottom <= layout.clientHeight &&
                          (line.besideControl == ID_WAIT_EDIT
                               ? right <= beside.left
                               : line.at.x >= beside.right && line.at.y >= beside.top &&
                                     bottom <= beside.bottom);
        EXPECT_TRUE(fits) << "line " << &line - lines << ": " << extent.cx << " x " << extent.cy
                          << " at " << line.at.x << "," << line.at.y << " of "
                          << layout.clientWidth << " x " << layout.clientHeight;
    }
}

TEST_F(PanelAtDisplayScale, ScaleChangeLaysThePanelOutAgainInTheSuggestedRectangle)
{
    const int dpi = CurrentPanelLayout().dpi;
    for (int next : {dpi == 192 ? 96 : 192, dpi}) {
        const PanelLayout expected = PanelLayoutAt(next);
        RECT suggested = {kPanelLeft + 10, kPanelTop + 5, kPanelLeft + 10 + expected.outerWidth,
                          kPanelTop + 5 + expected.outerHeight};
        SendMessageA(ControlWindow, WM_DPICHANGED, MAKEWPARAM(next, next),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpFor(30);
        EXPECT_EQ(CurrentPanelLayout().dpi, next);
        RECT outer = {0, 0, 0, 0};
        GetWindowRect(ControlWindow, &outer);
        EXPECT_TRUE(EqualRect(&outer, &suggested)) << next << " dpi: " << outer.left << ","
                                                   << outer.top << "-" << outer.right << ","
                                                   << outer.bottom;
        for (int i = 0; i < kControlCount; ++i) {
            const RECT r = ClientRectOf(Control(kFirstControlId + i));
            EXPECT_EQ(r.left, expected.controls[i].left) << next << " dpi, " << kFirstControlId + i;
            EXPECT_EQ(r.bottom, expected.controls[i].bottom) << next << " dpi, " << kFirstControlId + i;
        }
    }
}

}  // namespace
