/*
 * The hand of the end-to-end scenarios: a Win32 console program that runs
 * beside a running vellipa.exe and the stand-in painter and drives the
 * control window only as a user can, by mouse and keyboard input injected
 * into the desktop. It reads back only what a user sees: the state of the
 * check boxes, the wait box's text, whether the window is the panel or the
 * overlay, and the completion box.
 *
 *   e2e-driver STEP [ARGS...] STEP [ARGS...] ...
 *
 * Steps, carried out in order (coordinates are screen pixels unless said):
 *   screen                    report the screen's size (needs no panel)
 *   panel                     wait for the control window
 *   option ID on|off          click check box ID until it shows that state
 *   wait-text TEXT            click into the wait box and type TEXT over it
 *   pick-source L T R B       "転送元領域...", then drag from (L,T) to (R,B)
 *   pick-dest X Y             "転送先位置...", then click at (X,Y)
 *   pick-palette L T R B      "RGB領域...", then drag from (L,T) to (R,B)
 *   start                     click "はじめ" (it must be enabled)
 *   box TIMEOUT_MS            wait for the completion box, check its text,
 *                             report it and the time since start
 *   ok                        click the completion box's OK button
 *   no-box MS                 for MS ms no completion box may appear
 *   hand AFTER_MS FOR_MS X Y  from AFTER_MS after start, for FOR_MS, move
 *                             the mouse about (X,Y) as a hand does
 *   right-click CX CY         a right click at client point (CX,CY) of the
 *                             control window
 *   close                     close the control window as its close box does
 *   sleep MS
 *
 * Reports go to standard output as key=value lines (ticks are GetTickCount
 * milliseconds, the clock the stand-in painter's event log uses):
 *   screen=W,H  start_tick=  box_text= (UTF-8)  box_minutes=  box_seconds=  elapsed_ms=
 *   hand_first_tick=  hand_last_tick=  right_click_tick=  close_tick=
 * Exit code 0 when every step succeeded; 1, after a line on stderr naming
 * the step, when one failed; 2 for a command line not understood.
 *
 * Input: every move and button event is one SendInput with an absolute
 * position over the whole virtual desktop (every monitor), and a press waits until this process sees the cursor at its
 * point and staying there: under Wine a button event without a position is
 * taken where the system last believed the cursor was, and a freshly moved
 * cursor can be reported at its old place for a few milliseconds.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/absolute_input_win32.h"
#include "app/texts.h"
#include "ui/control_ids.h"

namespace {

const DWORD kPollMs = 10;
const DWORD kSettleMs = 40;        // the cursor must stay put this long
const DWORD kUiTimeoutMs = 5000;   // for the window to answer a click
const DWORD kHandStepMs = 25;

HWND Panel = nullptr;
DWORD StartTick = 0;
bool Started = false;
std::string CurrentStep;

[[noreturn]] void Fail(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "e2e-driver: %s: %s\n", CurrentStep.c_str(), message.c_str());
    std::exit(1);
}

// ---- input ---------------------------------------------------------------

void SendMouse(int x, int y, DWORD flags)
{
    SendAbsoluteMouse(x, y, flags);
}

bool CursorAt(int x, int y)
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    return at.x == x && at.y == y;
}

// Moves the mouse and waits until the cursor is seen there for a while.
void MoveTo(int x, int y)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendMouse(x, y, 0);
        const DWORD start = GetTickCount();
        DWORD stillSince = 0;
        bool still = false;
        while (GetTickCount() - start < 1000) {
            if (CursorAt(x, y)) {
                if (!still) {
                    still = true;
                    stillSince = GetTickCount();
                } else if (GetTickCount() - stillSince >= kSettleMs) {
                    return;
                }
            } else {
                still = false;
            }
            Sleep(kPollMs / 2);
        }
    }
    Fail("the cursor does not stay at (" + std::to_string(x) + "," + std::to_string(y) + ")");
}

void ClickAt(int x, int y)
{
    MoveTo(x, y);
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    SendMouse(x, y, MOUSEEVENTF_LEFTUP);
}

void DragFromTo(int x0, int y0, int x1, int y1)
{
    MoveTo(x0, y0);
    SendMouse(x0, y0, MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    // A few moves on the way, as a hand makes them, then the end point.
    for (int i = 1; i <= 4; ++i) {
        SendMouse(x0 + (x1 - x0) * i / 5, y0 + (y1 - y0) * i / 5, 0);
        Sleep(20);
    }
    MoveTo(x1, y1);
    SendMouse(x1, y1, MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
    Sleep(15);
}

// ---- what the user sees --------------------------------------------------

template <typename Condition>
bool WaitFor(Condition done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

HWND Control(int id)
{
    HWND control = GetDlgItem(Panel, id);
    if (control == nullptr)
        Fail("the panel has no control " + std::to_string(id));
    return control;
}

POINT CentreOf(HWND window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ShowsOverlay()
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(Panel, &r);
    const LONG style = GetWindowLongA(Panel, GWL_STYLE);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return (style & WS_CAPTION) == 0 && r.left == left && r.top == top &&
           r.right == left + GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           r.bottom == top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

bool ShowsPanel()
{
    const LONG style = GetWindowLongA(Panel, GWL_STYLE);
    return (style & WS_CAPTION) == WS_CAPTION && IsWindowVisible(Control(ID_SOURCE_REGION));
}

bool IsChecked(int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

std::string WaitBoxText()
{
    char text[256] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(Control(ID_WAIT_EDIT), WM_GETTEXT, sizeof text,
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

HWND CompletionBox()
{
    HWND box = FindWindowA(nullptr, kTextCompletionTitle);
    return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

struct ChildSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM param)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0 || GetWindowTextLengthA(child) == 0)
        return TRUE;
    search->found = child;
    return FALSE;
}

HWND ChildOfClass(HWND parent, const char* className)
{
    ChildSearch search = {className, nullptr};
    EnumChildWindows(parent, FindChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ToUtf8(const std::string& cp932)
{
    const int wide = MultiByteToWideChar(932, 0, cp932.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> w(wide > 0 ? wide : 1, L'\0');
    MultiByteToWideChar(932, 0, cp932.c_str(), -1, w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> out(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), -1, out.data(), bytes, nullptr, nullptr);
    return out.data();
}

// ---- steps ---------------------------------------------------------------

void FindPanel()
{
    if (!WaitFor([] { return (Panel = FindWindowA(kTextWindowClass, kTextWindowTitle)) != nullptr &&
                             IsWindowVisible(Panel); },
                 30000))
        Fail("no control window");
}

void SetOption(int id, bool on)
{
    if (id < ID_TRANSPARENT_TOP_LEFT || id > ID_SYNC_EVERY_PIXEL)
        Fail("not a check box: " + std::to_string(id));
    for (int attempt = 0; attempt < 3 && IsChecked(id) != on; ++attempt) {
        const POINT at = CentreOf(Control(id));
        ClickAt(at.x, at.y);
        WaitFor([id, on] { return IsChecked(id) == on; }, 2000);
    }
    if (IsChecked(id) != on)
        Fail("check box " + std::to_string(id) + " does not turn " + (on ? "on" : "off"));
}

void TypeWaitText(const std::string& text)
{
    const POINT at = CentreOf(Control(ID_WAIT_EDIT));
    ClickAt(at.x, at.y);
    if (!WaitFor([] { return GetForegroundWindow() == Panel; }, 2000))
        Fail("the control window does not come to the front");
    PressKey(VK_END);
    for (size_t i = WaitBoxText().size() + 2; i > 0; --i)
        PressKey(VK_BACK);
    for (char c : text) {
        if (c >= '0' && c <= '9')
            PressKey(static_cast<WORD>(c));
        else if (c == '-')
            PressKey(VK_OEM_MINUS);
        else
            Fail(std::string("cannot type '") + c + "'");
    }
    if (!WaitFor([&text] { return WaitBoxText() == text; }, 2000))
        Fail("the wait box reads \"" + WaitBoxText() + "\", not \"" + text + "\"");
}

void EnterPick(int button)
{
    const POINT at = CentreOf(Control(button));
    ClickAt(at.x, at.y);
    if (!WaitFor(ShowsOverlay, kUiTimeoutMs))
        Fail("the overlay did not come up");
    Sleep(100);  // its first frame
}

void LeavePick()
{
    if (!WaitFor(ShowsPanel, kUiTimeoutMs))
        Fail("the panel did not come back after the pick");
    Sleep(100);
}

void PickRectangle(int button, int left, int top, int right, int bottom)
{
    EnterPick(button);
    DragFromTo(left, top, right, bottom);
    LeavePick();
}

void PickPoint(int x, int y)
{
    EnterPick(ID_DEST_POSITION);
    ClickAt(x, y);
    LeavePick();
}

void Start()
{
    HWND start = Control(ID_START);
    if (!IsWindowEnabled(start))
        Fail("\"はじめ\" is disabled");
    const POINT at = CentreOf(start);
    MoveTo(at.x, at.y);
    SendMouse(at.x, at.y, MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    StartTick = GetTickCount();
    Started = true;
    SendMouse(at.x, at.y, MOUSEEVENTF_LEFTUP);
    std::printf("start_tick=%lu\n", static_cast<unsigned long>(StartTick));
}

DWORD SinceStart()
{
    return Started ? GetTickCount() - StartTick : 0;
}

void ExpectBox(DWORD timeoutMs)
{
    HWND box = nullptr;
    if (!WaitFor([&box] { return (box = CompletionBox()) != nullptr; }, timeoutMs))
        Fail("no completion box within " + std::to_string(timeoutMs) + " ms");
    const DWORD elapsed = SinceStart();
    HWND textControl = nullptr;
    WaitFor([&] { return (textControl = ChildOfClass(box, "Static")) != nullptr; }, 2000);
    char text[256] = "";
    if (textControl != nullptr)
        GetWindowTextA(textControl, text, sizeof text);
    std::printf("box_text=%s\nelapsed_ms=%lu\n", ToUtf8(text).c_str(),
                static_cast<unsigned long>(elapsed));

    // The text must be the report format exactly, for the time measured
    // here give or take the second it may have been rounded across.
    int minutes = -1, seconds = -1;
    char again[256] = "";
    if (std::sscanf(text, kTextElapsedFormat, &minutes, &seconds) == 2)
        std::snprintf(again, sizeof again, kTextElapsedFormat, minutes, seconds);
    if (std::strcmp(again, text) != 0 || minutes < 0 || seconds < 0 || seconds > 59)
        Fail("the completion box reads \"" + ToUtf8(text) + "\"");
    std::printf("box_minutes=%d\nbox_seconds=%d\n", minutes, seconds);
    const long reported = minutes * 60L + seconds;
    if (reported > static_cast<long>(elapsed / 1000) + 1 ||
        reported < static_cast<long>(elapsed / 1000) - 2)
        Fail("the box reports " + std::to_string(reported) + " s for a trace of " +
             std::to_string(elapsed) + " ms");
}

// A painter that is still taking queued input holds the mouse while it
// works through a drag, so the click on OK waits until it is done.
void CloseBox()
{
    HWND box = CompletionBox();
    if (box == nullptr)
        Fail("there is no completion box");
    HWND ok = ChildOfClass(box, "Button");
    if (ok == nullptr)
        Fail("the completion box has no button");
    // The trace's clicks leave the painter in front. Under Wine a click on
    // the inactive box may only make it active, its press lost on the way:
    // as a user would, click OK again while the box is still there.
    const POINT at = CentreOf(ok);
    bool closed = false;
    for (int click = 0; click < 3 && !closed; ++click) {
        ClickAt(at.x, at.y);
        closed = WaitFor([] { return CompletionBox() == nullptr; }, kUiTimeoutMs / 3);
    }
    if (!closed) {
        RECT clip = {0, 0, 0, 0};
        GetClipCursor(&clip);
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        char where[200];
        std::snprintf(where, sizeof where,
                      " (OK at %ld,%ld; cursor at %ld,%ld; clip %ld,%ld-%ld,%ld; under OK %p, OK %p)",
                      at.x, at.y, cursor.x, cursor.y, clip.left, clip.top, clip.right, clip.bottom,
                      static_cast<void*>(WindowFromPoint(at)), static_cast<void*>(ok));
        Fail(std::string("the completion box did not close on OK") + where);
    }
    std::fflush(stdout);
}

void ExpectNoBox(DWORD ms)
{
    if (WaitFor([] { return CompletionBox() != nullptr; }, ms))
        Fail("a completion box appeared");
}

// Small moves round (x, y), within 13 columns and 10 rows of it, one every
// 25 ms: a hand that has taken the mouse and keeps moving it, well away
// from the trace's rows when (x, y) is chosen so.
void Hand(DWORD afterMs, DWORD forMs, int x, int y)
{
    static const int kJitter[][2] = {{0, 0}, {7, 3}, {13, -4}, {4, -9}, {-6, -5}, {-11, 4}, {-3, 10}};
    if (!Started)
        Fail("the hand waits for a start step");
    while (SinceStart() < afterMs)
        Sleep(2);
    const DWORD first = GetTickCount();
    DWORD last = first;
    for (int i = 0; GetTickCount() - first < forMs; ++i) {
        const int* d = kJitter[i % (sizeof kJitter / sizeof kJitter[0])];
        SendMouse(x + d[0], y + d[1], 0);
        last = GetTickCount();
        Sleep(kHandStepMs);
    }
    std::printf("hand_first_tick=%lu\nhand_last_tick=%lu\n", static_cast<unsigned long>(first),
                static_cast<unsigned long>(last));
}

void RightClick(int clientX, int clientY)
{
    POINT at = {clientX, clientY};
    ClientToScreen(Panel, &at);
    // No waiting for the cursor here: during a trace the program moves it
    // all the time. The press carries its own position.
    SendMouse(at.x, at.y, MOUSEEVENTF_RIGHTDOWN);
    std::printf("right_click_tick=%lu\n", static_cast<unsigned long>(GetTickCount()));
    Sleep(20);
    SendMouse(at.x, at.y, MOUSEEVENTF_RIGHTUP);
}

void ClosePanel()
{
    std::printf("close_tick=%lu\n", static_cast<unsigned long>(GetTickCount()));
    if (!PostMessageA(Panel, WM_SYSCOMMAND, SC_CLOSE, 0))
        Fail("the close request was not delivered");
}

// ---- the command line ------------------------------------------------------

struct Arguments {
    int count;
    char** values;
    int next;

    bool More() const { return next < count; }
    const char* Word()
    {
        if (next >= count)
            Fail("a step lacks an argument");
        return values[next++];
    }
    int Number()
    {
        const char* word = Word();
        char* end = nullptr;
        const long value = std::strtol(word, &end, 10);
        if (*word == '\0' || *end != '\0')
            Fail(std::string("not a number: ") + word);
        return static_cast<int>(value);
    }
};

void RunStep(const std::string& step, Arguments& a)
{
    if (step == "screen") {
        std::printf("screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    } else if (step == "panel") {
        FindPanel();
    } else if (Panel == nullptr) {
        Fail("the first step must be panel");
    } else if (step == "option") {
        const int id = a.Number();
        const std::string state = a.Word();
        if (state != "on" && state != "off")
            Fail("option wants on or off");
        SetOption(id, state == "on");
    } else if (step == "wait-text") {
        TypeWaitText(a.Word());
    } else if (step == "pick-source" || step == "pick-palette") {
        const int l = a.Number(), t = a.Number(), r = a.Number(), b = a.Number();
        PickRectangle(step == "pick-source" ? ID_SOURCE_REGION : ID_RGB_REGION, l, t, r, b);
    } else if (step == "pick-dest") {
        const int x = a.Number(), y = a.Number();
        PickPoint(x, y);
    } else if (step == "start") {
        Start();
    } else if (step == "box") {
        ExpectBox(static_cast<DWORD>(a.Number()));
    } else if (step == "ok") {
        CloseBox();
    } else if (step == "no-box") {
        ExpectNoBox(static_cast<DWORD>(a.Number()));
    } else if (step == "hand") {
        const int after = a.Number(), duration = a.Number(), x = a.Number(), y = a.Number();
        Hand(static_cast<DWORD>(after), static_cast<DWORD>(duration), x, y);
    } else if (step == "right-click") {
        const int x = a.Number(), y = a.Number();
        RightClick(x, y);
    } else if (step == "close") {
        ClosePanel();
    } else if (step == "sleep") {
        Sleep(static_cast<DWORD>(a.Number()));
    } else {
        std::fprintf(stderr, "e2e-driver: unknown step %s\n", step.c_str());
        std::exit(2);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Arguments arguments = {argc, argv, 1};
    if (!arguments.More()) {
        std::fprintf(stderr, "usage: e2e-driver STEP [ARGS...] ... (see the source's header)\n");
        return 2;
    }
    while (arguments.More()) {
        CurrentStep = arguments.Word();
        RunStep(CurrentStep, arguments);
        std::fflush(stdout);
    }
    return 0;
}
