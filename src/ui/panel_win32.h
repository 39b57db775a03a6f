/*
 * The control window's panel face: its ten child controls, its paint, the
 * Start command and the start button's rule. Shown while TraceMode is Idle
 * or Tracing.
 */
#pragma once

#include <windows.h>

// The handle of the panel control with this id (ID_SOURCE_REGION to
// ID_WAIT_EDIT); null before the controls are made.
HWND PanelControl(int id);

// Makes the ten controls as children of window, in id order, with the
// module instance; called once, on the window's create message.
void CreatePanelControls(HWND window);

// Paints the panel: the button-face background over 430 x 220, then the
// three result lines and the wait box's label.
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
