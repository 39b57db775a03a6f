/*
 * The overlay's plain rules: what a left press or release does to the
 * picked areas, how a drag becomes a rectangle, and where the coordinate
 * label stands. The Win32 overlay reads the cursor, calls these, and draws.
 *
 * Every point given here MUST be the cursor position read when the message
 * is handled, in screen coordinates (negative left of or above the primary
 * monitor).
 */
#pragma once

#include "app/desktop.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"

// Where the left button went down in PickSource or PickPalette, and whether
// it holds the press of the current pick (0 or 1). Cleared on every entry to
// a pick mode and set by its first press; nothing else clears it, so it
// stays 1 after a finished drag until the next entry.
extern ScreenPoint DragAnchor;
extern int DragAnchorSet;

// The screen position of the panel's outer rectangle at the latest entry to
// a pick mode; the return to the panel puts it back there.
extern ScreenPoint SavedPanelPosition;

// How far the crosshair's arms reach from the cursor, and the gap between
// the cursor and the label's near side.
const int kCrosshairArm = 12;
const int kLabelGap = 12;

bool IsPickMode(Mode mode);

// The rectangle of a drag from anchor to cursor: minima as left and top,
// maxima as right and bottom; both end points lie inside it.
ScreenRect NormaliseDrag(ScreenPoint anchor, ScreenPoint cursor);

// A left press in PickSource or PickPalette: anchors the drag at cursor,
// unless the pick already holds a press.
void RecordDragPress(ScreenPoint cursor);

// A left release in a pick mode. With a press recorded, the drag's
// rectangle becomes SourceRect in PickSource, or is searched for the
// painter's sliders in PickPalette (painterAdjustChecked: the state of the
// "しぃペインター" box now); in PickDestination nothing is set. Without a
// press nothing is set. The caller then updates the start button and
// returns to the panel.
void ApplyDragRelease(ScreenPoint cursor, bool painterAdjustChecked);

// A left press in PickDestination: the destination is the cursor.
void ApplyDestinationPress(ScreenPoint cursor);

// Formats the label for cursor (x, y) into TextBuffer and returns its
// length: " (%d,%d) " while no press is recorded (crosshair), otherwise
// " (%d,%d)-(%d,%d) %dx%d ", the rubber band's corners and its inclusive
// width and height.
int FormatPickLabel(int x, int y);

// The label's left edge for a label labelWidth pixels wide and the cursor
// at (x, y): right of the cursor, x + 12, while x + labelWidth + 12 does
// not pass the right edge of the monitor under the cursor (MonitorAt);
// otherwise flipped to the left of the cursor, x - 12 - labelWidth. So the
// label stays on its monitor and never reaches into the next one.
int PickLabelLeft(int x, int y, int labelWidth);

// The label's top: just above the cursor row, y - labelHeight. There is no
// vertical flip, so near the top of the screen the label is cut off.
int PickLabelTop(int y, int labelHeight);
