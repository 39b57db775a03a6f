/*
 * The harness of the Wine tests of the control window. It starts the real
 * window the way the program does (the class with the real procedure, the
 * panel, the screen surfaces), puts a small fake painter beside it (a
 * window showing the three slider bars, a picture of colour stripes and a
 * blank canvas), and drives both as a user would: real cursor moves and
 * button presses, pumped through the real message queue.
 *
 * The desktop is 1024 x 768. The panel stands at kPanelLeft, kPanelTop; the
 * fake painter at kPainterLeft, kPainterTop, clear of the panel. A pick
 * covers both with the overlay.
 */
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

const int kPanelLeft = 20;
const int kPanelTop = 20;

// The fake painter, in screen pixels: its bars (red, green, blue from top),
// a picture of four vertical colour stripes, and a blank white canvas.
const int kPainterLeft = 520;
const int kPainterTop = 300;
const int kPainterWidth = 440;
const int kPainterHeight = 420;
const int kBarLeft = kPainterLeft + 20;
const int kBarRight = kPainterLeft + 219;
const int kRedBarTop = kPainterTop + 20;
const int kGreenBarTop = kPainterTop + 35;
const int kBlueBarTop = kPainterTop + 50;
const int kBarHeight = 10;
const int kStripesLeft = kPainterLeft + 250;
const int kStripesTop = kPainterTop + 20;
const int kStripeWidth = 20;
const int kStripeCount = 4;
const int kStripesHeight = 40;
const int kCanvasLeft = kPainterLeft + 20;
const int kCanvasTop = kPainterTop + 100;
const int kCanvasRight = kPainterLeft + 379;
const int kCanvasBottom = kPainterTop + 289;

// Starts the control window and the fake painter; false when the window or
// the surfaces could not be made.
bool StartHarness();
void StopHarness();

// Dispatches every queued message, without calling the trace step.
void PumpMessages();
// Pumps until done() holds or timeoutMs pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
void PumpFor(DWORD ms);
// Pumps as the program's loop does: whenever the queue is empty, one trace
// step, steps times in all.
void PumpWithTraceSteps(int steps);

// Moves the cursor and waits until the system reports it there, then
// reports a mouse move where it stands; false if it never got there.
bool MoveCursorTo(int x, int y);
bool CursorIsAt(int x, int y);
void PressLeft();
void ReleaseLeft();
void PressRight();
void ReleaseRight();

// A real click on the centre of a panel control, pumped until done() holds
// (or, without a condition, until the release has been handled).
bool ClickControl(int id, const std::function<bool()>& done);

// The screen point of a panel control's centre.
POINT ControlCentre(int id);

// Pixels of a window's client area (or of the screen, for a null window),
// read from its device context, row after row.
std::vector<COLORREF> CaptureClient(HWND window, const RECT& area);
COLORREF ClientPixel(HWND window, int x, int y);

// How the panel draws text: the same system font on the button face,
// rendered into a memory surface, for comparison with what the panel shows.
std::vector<COLORREF> RenderPanelText(const char* text, int length, const RECT& area, int x, int y);

// The number of completion boxes that appeared (and were closed by the
// harness's watchdog, so that a wrong box does not hang the tests).
int CompletionBoxesSeen();

// Puts the program back into its start state between tests: Idle, nothing
// picked, every box cleared, the wait box "0", the start button disabled.
void ResetProgramState();
