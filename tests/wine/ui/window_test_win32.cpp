/*
 * The control window under Wine, driven as a user drives it: the panel's
 * controls and paint, the three picks with real cursor moves and presses,
 * the right-button cancel, "しぃペインター", and Start with and without a
 * trace. Each test starts from the program's start state.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/cursor_placement.h"
#include "app/desktop_win32.h"
#include "app/screen.h"
#include "app/shell_win32.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "trace/trace_driver.h"
#include "ui/control_ids.h"
#include "ui/panel_win32.h"
#include "ui/pick_rules.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"
#include "ui_harness_win32.h"

namespace {

const LONG kPanelStyle = WS_CAPTION | WS_SYSMENU;

HWND Control(int id) { return GetDlgItem(ControlWindow, id); }
bool StartEnabled() { return IsWindowEnabled(Control(ID_START)) != FALSE; }
bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A window's style without the bits the system keeps itself: the shown
// state, and the sibling clipping every top-level window is given.
LONG StyleAsSet(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS);
}

class ControlWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // Presses a pick button on the panel and waits for the overlay.
    void EnterPick(int buttonId, Mode expected)
    {
        ASSERT_TRUE(ClickControl(buttonId, [expected] { return TraceMode == expected; }))
            << "pick button " << buttonId << " did not enter its mode";
        RECT outer = {0, 0, 0, 0};
        GetWindowRect(ControlWindow, &outer);
        ASSERT_EQ(outer.left, 0);
        ASSERT_EQ(outer.top, 0);
        ASSERT_EQ(outer.right, ScreenWidth);
        ASSERT_EQ(outer.bottom, ScreenHeight);
    }

    // A left-button drag on the overlay, ending the pick.
    void DragOnOverlay(POINT from, POINT to)
    {
        ASSERT_TRUE(MoveCursorTo(from.x, from.y));
        PressLeft();
        ASSERT_TRUE(PumpUntil([] { return DragAnchorSet == 1; })) << "press not recorded";
        ASSERT_TRUE(MoveCursorTo(to.x, to.y));
        ReleaseLeft();
        ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; })) << "release did not end the pick";
        PumpFor(30);
    }

    void PickSource(POINT from, POINT to)
    {
        EnterPick(ID_SOURCE_REGION, Mode::PickSource);
        DragOnOverlay(from, to);
    }

    void PickDestination(POINT at)
    {
        EnterPick(ID_DEST_POSITION, Mode::PickDestination);
        ASSERT_TRUE(MoveCursorTo(at.x, at.y));
        PressLeft();
        // The press alone ends this pick.
        ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
        ReleaseLeft();
        PumpFor(30);
    }

    void PickPaletteRound(POINT from, POINT to)
    {
        EnterPick(ID_RGB_REGION, Mode::PickPalette);
        DragOnOverlay(from, to);
    }

    void PickPaletteOverBars()
    {
        PickPaletteRound(POINT{kBarLeft - 10, kRedBarTop - 10},
                         POINT{kBarRight + 10, kBlueBarTop + kBarHeight + 9});
    }

    void PickAllThree()
    {
        PickPaletteOverBars();
        PickDestination(POINT{kCanvasLeft + 20, kCanvasTop + 20});
        PickSource(POINT{kStripesLeft, kStripesTop},
                   POINT{kStripesLeft + kStripeCount * kStripeWidth - 1,
                         kStripesTop + kStripesHeight - 1});
    }

    static bool PanelIsBack()
    {
        RECT outer = {0, 0, 0, 0};
        GetWindowRect(ControlWindow, &outer);
        return outer.left == kPanelLeft && outer.top == kPanelTop &&
               outer.right - outer.left == CurrentPanelLayout().outerWidth &&
               outer.bottom - outer.top == CurrentPanelLayout().outerHeight &&
               StyleAsSet(ControlWindow) == kPanelStyle;
    }
};

// ---- The panel as made and painted -------------------------------------

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    LONG style;
    RECT bounds;
};

TEST_F(ControlWindowTest, PanelHasItsTenControlsAsSpecifiedInIdOrder)
{
    const LONG push = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    const LONG box = WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX;
    const ExpectedControl expected[] = {
        {ID_SOURCE_REGION, "Button", kTextSourceRegionButton, push, {16, 4, 144, 28}},
        {ID_DEST_POSITION, "Button", kTextDestPositionButton, push, {16, 32, 144, 56}},
        {ID_RGB_REGION, "Button", kTextRgbRegionButton, push, {16, 60, 144, 84}},
        {ID_START, "Button", kTextStartButton, push | WS_DISABLED, {16, 152, 144, 176}},
        {ID_TRANSPARENT_TOP_LEFT, "Button", kTextTransparentTopLeft, box, {240, 74, 368, 94}},
        {ID_PAINTER_ADJUST, "Button", kTextPainterAdjust, box, {240, 94, 420, 114}},
        {ID_SYNC_COLOUR_SWITCH, "Button", kTextSyncColourSwitch, box, {240, 114, 420, 134}},
        {ID_SYNC_MOUSE_MOVE, "Button", kTextSyncMouseMove, box, {240, 134, 424, 154}},
        {ID_SYNC_EVERY_PIXEL, "Button", kTextSyncEveryPixel, box, {240, 154, 424, 174}},
        {ID_WAIT_EDIT, "Edit", kTextWaitInitial, WS_CHILD | WS_VISIBLE | WS_BORDER, {176, 104, 208, 128}},
    };
    // The children in creation order are the ids in order.
    HWND child = GetWindow(ControlWindow, GW_CHILD);
    for (const ExpectedControl& e : expected) {
        ASSERT_NE(child, nullptr) << "fewer than ten children";
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        char className[64] = "";
        GetClassNameA(child, className, sizeof className);
        EXPECT_STRCASEEQ(className, e.className) << e.id;
        char text[64] = "";
        GetWindowTextA(child, text, sizeof text);
        EXPECT_STREQ(text, e.text) << e.id;
        // Only the bits the panel chose: the control's class may add its own.
        // An edit box takes WS_BORDER out of its style and draws the border
        // itself, so for it the border is looked for on the screen: its edge
        // pixels differ from its background.
        LONG style = GetWindowLongA(child, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(child, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY;
        if (e.id == ID_WAIT_EDIT) {
            const COLORREF background = ClientPixel(child, 26, 12);
            EXPECT_NE(ClientPixel(child, 0, 12), background) << "the wait box has no left border";
            EXPECT_NE(ClientPixel(child, 16, 0), background) << "the wait box has no top border";
            style |= WS_BORDER;
        }
        EXPECT_EQ(style & 0xFFFF0000, e.style & 0xFFFF0000) << e.id;
        EXPECT_EQ(style & 0xF, e.style & 0xF) << e.id;
        EXPECT_EQ(exStyle, 0) << e.id;
        RECT r = {0, 0, 0, 0};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, ControlWindow, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &e.bounds)) << e.id << ": " << r.left << "," << r.top << "-"
                                              << r.right << "," << r.bottom;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more than ten children";
    for (int id = ID_TRANSPARENT_TOP_LEFT; id <= ID_SYNC_EVERY_PIXEL; ++id)
        EXPECT_FALSE(Checked(id)) << id;
}

// Compares one status line of the panel, as it is on screen, with the text
// drawn the panel's way.
void ExpectPanelLine(const char* text, int length, int x, int y, int right)
{
    UpdateWindow(ControlWindow);
    PumpFor(20);
    HDC dc = GetDC(ControlWindow);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &extent);
    ReleaseDC(ControlWindow, dc);
    const RECT area = {x - 4, y - 2, right, y + extent.cy + 2};
    const std::vector<COLORREF> shown = CaptureClient(ControlWindow, area);
    const std::vector<COLORREF> expected = RenderPanelText(text, length, area, x, y);
    int differing = 0;
    int ink = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        differing += shown[i] != expected[i];
        ink += expected[i] != GetSysColor(COLOR_BTNFACE);
    }
    EXPECT_EQ(differing, 0) << "the panel does not show \"" << std::string(text, length) << "\" at "
                            << x << "," << y;
    EXPECT_GT(ink, 10) << "no text drawn for \"" << std::string(text, length) << "\"";
}

TEST_F(ControlWindowTest, PanelPaintShowsStartUpValues)
{
    InvalidateRect(ControlWindow, nullptr, TRUE);
    ExpectPanelLine("(   0,   0)-(   0,   0)    1x   1", 33, 160, 6, 424);
    ExpectPanelLine("(   0,   0)", 11, 160, 34, 424);
    ExpectPanelLine(kTextPaletteNotFound, 2, 160, 62, 230);
    ExpectPanelLine(kTextWaitLabel, static_cast<int>(std::strlen(kTextWaitLabel)), 16, 105, 175);
    EXPECT_FALSE(StartEnabled());
}

TEST_F(ControlWindowTest, PanelPaintWidensNumbersOfMoreThanFourDigits)
{
    SourceRect = ScreenRect{12345, 6, 123456, -7};
    DestPoint = ScreenPoint{-12345, 100000};
    Palette.red = SliderLine{1, 1, 2, 1};
    Palette.green = SliderLine{1, 2, 2, 2};
    Palette.blue = SliderLine{1, 3, 2, 3};
    InvalidateRect(ControlWindow, nullptr, TRUE);
    const char source[] = "(12345,   6)-(123456,  -7) 111112x -12";
    ExpectPanelLine(source, static_cast<int>(std::strlen(source)), 160, 6, 424);
    ExpectPanelLine("(-12345,100000)", 15, 160, 34, 424);
    ExpectPanelLine(kTextPaletteFound, 2, 160, 62, 230);
}

// ---- The picks ----------------------------------------------------------

TEST_F(ControlWindowTest, OverlayHidesTheNineButtonsAndBoxesButNotTheWaitBox)
{
    // The panel's result lines as the screen shows them before the pick.
    const RECT lines = {160, 6, 424, 54};
    POINT origin = {0, 0};
    ClientToScreen(ControlWindow, &origin);
    const std::vector<COLORREF> before = CaptureClient(ControlWindow, lines);

    EnterPick(ID_SOURCE_REGION, Mode::PickSource);
    EXPECT_EQ(static_cast<DWORD>(StyleAsSet(ControlWindow)), WS_POPUP);
    EXPECT_TRUE(IsWindowVisible(ControlWindow));
    for (int id = ID_SOURCE_REGION; id <= ID_SYNC_EVERY_PIXEL; ++id)
        EXPECT_FALSE(IsWindowVisible(Control(id))) << id;
    EXPECT_TRUE(IsWindowVisible(Control(ID_WAIT_EDIT)));
    // The frozen image shows the panel where it was.
    int differing = 0;
    const int width = lines.right - lines.left;
    for (int y = lines.top; y < lines.bottom; ++y)
        for (int x = lines.left; x < lines.right; ++x)
            differing += GetPixel(SnapshotDC, origin.x + x, origin.y + y) !=
                         before[static_cast<size_t>(y - lines.top) * width + (x - lines.left)];
    EXPECT_EQ(differing, 0) << "the frozen image does not show the panel's lines";
    PressRight();
    ReleaseRight();
    ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
    EXPECT_TRUE(PanelIsBack());
    for (int id = ID_SOURCE_REGION; id <= ID_WAIT_EDIT; ++id)
        EXPECT_TRUE(IsWindowVisible(Control(id))) << id;
}

TEST_F(ControlWindowTest, SourceDraggedInEachDirectionGivesOneRectangle)
{
    const RECT expected = {600, 320, 700, 380};
    const POINT drags[][2] = {{{600, 320}, {700, 380}},
                              {{700, 380}, {600, 320}},
                              {{700, 320}, {600, 380}},
                              {{600, 380}, {700, 320}}};
    for (const auto& d : drags) {
        PickSource(d[0], d[1]);
        EXPECT_EQ(SourceRect.left, expected.left);
        EXPECT_EQ(SourceRect.top, expected.top);
        EXPECT_EQ(SourceRect.right, expected.right);
        EXPECT_EQ(SourceRect.bottom, expected.bottom);
        EXPECT_TRUE(PanelIsBack());
    }
}

TEST_F(ControlWindowTest, StartButtonFollowsThePicks)
{
    PickAllThree();
    EXPECT_TRUE(PaletteFound());
    EXPECT_TRUE(StartEnabled());

    // A click without a drag picks one pixel: not a source.
    PickSource(POINT{650, 350}, POINT{650, 350});
    EXPECT_EQ(SourceRect.left, 650);
    EXPECT_EQ(SourceRect.right, 650);
    EXPECT_EQ(SourceRect.top, 350);
    EXPECT_EQ(SourceRect.bottom, 350);
    EXPECT_FALSE(StartEnabled());
    PickSource(POINT{650, 350}, POINT{651, 351});
    EXPECT_TRUE(StartEnabled());

    // A destination in column 0 or row 0 is not a destination.
    PickDestination(POINT{0, 400});
    EXPECT_EQ(DestPoint.x, 0);
    EXPECT_EQ(DestPoint.y, 400);
    EXPECT_FALSE(StartEnabled());
    PickDestination(POINT{400, 0});
    EXPECT_FALSE(StartEnabled());
    PickDestination(POINT{400, 500});
    EXPECT_TRUE(StartEnabled());
}

TEST_F(ControlWindowTest, PickJustAfterATraceTakesTheCursorWhereTheUserHasIt)
{
    // A trace has just put the cursor at two points. A pick at the earlier
    // one is the user's own, not a late echo of the trace's move.
    RecordPlacedCursor(ScreenPoint{420, 480}, GetTickCount());
    RecordPlacedCursor(ScreenPoint{600, 300}, GetTickCount());
    PickDestination(POINT{420, 480});
    EXPECT_EQ(DestPoint.x, 420);
    EXPECT_EQ(DestPoint.y, 480);
    ForgetPlacedCursor();
}

TEST_F(ControlWindowTest, PalettePickShowsItsMark)
{
    PickPaletteOverBars();
    ASSERT_TRUE(PaletteFound());
    EXPECT_EQ(Palette.green.left, kBarLeft - 1);
    EXPECT_EQ(Palette.green.right, kBarRight + 1);
    ExpectPanelLine(kTextPaletteFound, 2, 160, 62, 230);

    // Round the blank canvas there are no bars.
    PickPaletteRound(POINT{kCanvasLeft + 10, kCanvasTop + 10}, POINT{kCanvasLeft + 200, kCanvasTop + 60});
    EXPECT_FALSE(PaletteFound());
    ExpectPanelLine(kTextPaletteNotFound, 2, 160, 62, 230);
}

TEST_F(ControlWindowTest, RightButtonCancelsEveryPickAndChangesNothing)
{
    PickAllThree();
    const ScreenRect source = SourceRect;
    const ScreenPoint dest = DestPoint;
    const PaletteRecord palette = Palette;

    struct Pick {
        int button;
        Mode mode;
    };
    const Pick picks[] = {{ID_SOURCE_REGION, Mode::PickSource},
                          {ID_DEST_POSITION, Mode::PickDestination},
                          {ID_RGB_REGION, Mode::PickPalette}};
    for (const Pick& p : picks) {
        EnterPick(p.button, p.mode);
        ASSERT_TRUE(MoveCursorTo(kCanvasLeft + 5, kCanvasTop + 5));
        if (p.mode != Mode::PickDestination) {
            // A drag in progress, cancelled before its release.
            PressLeft();
            ASSERT_TRUE(PumpUntil([] { return DragAnchorSet == 1; }));
            ASSERT_TRUE(MoveCursorTo(kCanvasLeft + 50, kCanvasTop + 50));
        }
        PressRight();
        ReleaseRight();
        ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
        if (p.mode != Mode::PickDestination)
            ReleaseLeft();
        PumpFor(30);
        EXPECT_EQ(std::memcmp(&SourceRect, &source, sizeof source), 0);
        EXPECT_EQ(std::memcmp(&DestPoint, &dest, sizeof dest), 0);
        EXPECT_EQ(std::memcmp(&Palette, &palette, sizeof palette), 0);
        EXPECT_TRUE(StartEnabled());
        EXPECT_TRUE(PanelIsBack());
    }
}

TEST_F(ControlWindowTest, PainterAdjustBoxClearsTheSliderLinesEitherWay)
{
    PickAllThree();
    ASSERT_TRUE(StartEnabled());
    ASSERT_TRUE(ClickControl(ID_PAINTER_ADJUST, [] { return Checked(ID_PAINTER_ADJUST); }));
    PumpFor(30);
    EXPECT_FALSE(PaletteFound());
    EXPECT_EQ(Palette.green.left, 0);
    EXPECT_EQ(Palette.green.right, 0);
    EXPECT_FALSE(StartEnabled());
    ExpectPanelLine(kTextPaletteNotFound, 2, 160, 62, 230);

    // Picked again with the box ticked, the line ends are the green columns.
    PickPaletteOverBars();
    EXPECT_EQ(Palette.green.left, kBarLeft);
    EXPECT_EQ(Palette.green.right, kBarRight);
    EXPECT_TRUE(StartEnabled());
    ASSERT_TRUE(ClickControl(ID_PAINTER_ADJUST, [] { return !Checked(ID_PAINTER_ADJUST); }));
    PumpFor(30);
    EXPECT_FALSE(PaletteFound());
    EXPECT_FALSE(StartEnabled());
    ExpectPanelLine(kTextPaletteNotFound, 2, 160, 62, 230);
}

TEST_F(ControlWindowTest, OtherBoxesAndTheWaitBoxDoNothingUntilStart)
{
    PickAllThree();
    ASSERT_TRUE(ClickControl(ID_SYNC_COLOUR_SWITCH, [] { return Checked(ID_SYNC_COLOUR_SWITCH); }));
    ASSERT_TRUE(ClickControl(ID_TRANSPARENT_TOP_LEFT, [] { return Checked(ID_TRANSPARENT_TOP_LEFT); }));
    SetWindowTextA(Control(ID_WAIT_EDIT), "  -12ms");
    PumpFor(30);
    EXPECT_TRUE(PaletteFound());
    EXPECT_TRUE(StartEnabled());
    EXPECT_EQ(TraceOptions.syncOnColourSwitch, 0);
    EXPECT_EQ(TraceOptions.syncWaitMs, 0);
}

// ---- Start --------------------------------------------------------------

TEST_F(ControlWindowTest, StartReadsEachBoxIntoItsOwnOption)
{
    PickAllThree();
    const int boxes[] = {ID_TRANSPARENT_TOP_LEFT, ID_PAINTER_ADJUST, ID_SYNC_COLOUR_SWITCH,
                         ID_SYNC_MOUSE_MOVE, ID_SYNC_EVERY_PIXEL};
    for (int ticked : boxes) {
        // Set without a command, which for "しぃペインター" would forget the sliders.
        for (int id : boxes)
            SendMessageA(Control(id), BM_SETCHECK, id == ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(Control(ID_START), BM_CLICK, 0, 0);
        const int read[] = {TraceOptions.transparentTopLeft, TraceOptions.painterAdjust,
                            TraceOptions.syncOnColourSwitch, TraceOptions.syncOnMouseMove,
                            TraceOptions.syncEveryPixel};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(read[i], boxes[i] == ticked ? 1 : 0) << "box " << ticked << ", option " << i;
        SendMessageA(ControlWindow, WM_RBUTTONDOWN, 0, 0);
        ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
    }
}

TEST_F(ControlWindowTest, StartWithAnEmptyPlanStartsNoTraceAndShowsNoMessage)
{
    PickPaletteOverBars();
    PickDestination(POINT{kCanvasLeft + 20, kCanvasTop + 150});
    // A source of one colour, its only colour made transparent.
    PickSource(POINT{kCanvasLeft + 10, kCanvasTop + 10}, POINT{kCanvasLeft + 60, kCanvasTop + 40});
    ASSERT_TRUE(ClickControl(ID_TRANSPARENT_TOP_LEFT, [] { return Checked(ID_TRANSPARENT_TOP_LEFT); }));
    ASSERT_TRUE(StartEnabled());
    SetWindowTextA(Control(ID_WAIT_EDIT), "+7");
    const int boxesBefore = CompletionBoxesSeen();
    ASSERT_TRUE(ClickControl(ID_START, [] { return TraceOptions.transparentTopLeft == 1; }));
    PumpWithTraceSteps(20);
    PumpFor(300);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_TRUE(ColourGroupList.empty());
    EXPECT_EQ(TraceOptions.syncWaitMs, 7);
    EXPECT_EQ(CompletionBoxesSeen(), boxesBefore);
}

TEST_F(ControlWindowTest, StartDuringATraceRereadsTheOptionsAndStartsOver)
{
    PickAllThree();
    SetWindowTextA(Control(ID_WAIT_EDIT), "0");
    ASSERT_TRUE(ClickControl(ID_START, [] { return TraceMode == Mode::Tracing; }));
    ASSERT_FALSE(ColourGroupList.empty());
    EXPECT_EQ(TraceOptions.syncEveryPixel, 0);
    PumpWithTraceSteps(5);
    ASSERT_EQ(TraceMode, Mode::Tracing);
    ASSERT_GT(TraceProgress.groupIndex * 1000 + TraceProgress.runIndex, 0);

    // During the trace the panel's controls are clicked without the mouse,
    // which the trace is using.
    SendMessageA(Control(ID_SYNC_EVERY_PIXEL), BM_CLICK, 0, 0);
    SendMessageA(Control(ID_START), BM_CLICK, 0, 0);
    EXPECT_EQ(TraceOptions.syncEveryPixel, 1);
    EXPECT_EQ(TraceMode, Mode::Tracing);
    EXPECT_EQ(TraceProgress.groupIndex, 0);
    EXPECT_EQ(TraceProgress.runIndex, 0);
    EXPECT_TRUE(StartEnabled());

    // The right button on the panel ends the trace.
    const POINT onPanel = {kPanelLeft + 200, kPanelTop + 190};
    ASSERT_TRUE(MoveCursorTo(onPanel.x, onPanel.y));
    PressRight();
    ReleaseRight();
    ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
    EXPECT_TRUE(PanelIsBack());
    EXPECT_EQ(CompletionBoxesSeen(), 0);
}

TEST_F(ControlWindowTest, PickDuringATraceEndsItForGood)
{
    PickAllThree();
    ASSERT_TRUE(ClickControl(ID_START, [] { return TraceMode == Mode::Tracing; }));
    PumpWithTraceSteps(3);
    ASSERT_EQ(TraceMode, Mode::Tracing);

    SendMessageA(Control(ID_DEST_POSITION), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::PickDestination; }));
    ASSERT_TRUE(MoveCursorTo(kCanvasLeft + 30, kCanvasTop + 30));
    PressLeft();
    ASSERT_TRUE(PumpUntil([] { return TraceMode == Mode::Idle; }));
    ReleaseLeft();
    PumpFor(30);
    EXPECT_EQ(DestPoint.x, kCanvasLeft + 30);

    const TraceProgressRecord before = TraceProgress;
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    PumpWithTraceSteps(10);
    POINT after = {0, 0};
    GetCursorPos(&after);
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(TraceProgress.groupIndex, before.groupIndex);
    EXPECT_EQ(TraceProgress.runIndex, before.runIndex);
    EXPECT_EQ(after.x, cursor.x);
    EXPECT_EQ(after.y, cursor.y);
}

}  // namespace
