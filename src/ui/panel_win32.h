/*
 * The control window's panel face: its ten child controls, its paint, the
 * Start command and the start button's rule. Shown while TraceMode is Idle
 * or Tracing.
 */
#pragma once

#include <windows.h>

#include "ui/panel_layout.h"

// The handle of the panel control with this id (ID_SOURCE_REGION to
// ID_WAIT_EDIT); null before the controls are made.
HWND PanelControl(int id);

// Makes the ten controls as children of window, in id order, with the
// module instance, laid out for the window's DPI; called once, on the
// window's create message.
void CreatePanelControls(HWND window);

// The layout the panel stands in now: that of its window's DPI.
const PanelLayout& CurrentPanelLayout();

// Gives the panel window the outer size of the current layout, keeping its
// place. The window is made at the 96-DPI size; its creator MUST call this
// before showing it.
void SizePanelWindow(HWND window);

// Lays the ten controls out again for dpi (moved, resized, repainted). The
// window's own size is its caller's.
void LayOutPanelAgain(int dpi);

// Paints the panel: the button-face background over the layout's fill
// area, then the three result lines and the wait box's label.
void PaintPanel(HWND window);

// True exactly when the check box answers BM_GETCHECK with BST_CHECKED.
bool IsBoxChecked(int id);

// "はじめ": reads the options from the controls, builds the plan and hands
// it to the trace. Repaints nothing and disables nothing.
void RunStartCommand();

// Enables or disables "はじめ" by the start rule, whatever its state was.
// Called only at the end of a pick with the left button and after the
// slider lines are cleared by "しぃペインター".
void UpdateStartButton();

// Every command of "しぃペインター", whatever its new state: the slider
// lines are cleared, the start button is updated (and so disabled) and the
// panel repaints its palette mark.
void OnPainterAdjustCommand(HWND window);
