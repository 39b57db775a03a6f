/*
 * The overlay's drag state and its plain rules.
 */
#include "ui/pick_rules.h"

#include "app/screen.h"
#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"

ScreenPoint DragAnchor = {0, 0};
int DragAnchorSet = 0;
ScreenPoint SavedPanelPosition = {0, 0};

namespace {

int Smaller(int a, int b) { return a < b ? a : b; }
int Larger(int a, int b) { return a < b ? b : a; }

}  // namespace

bool IsPickMode(Mode mode)
{
    return mode == Mode::PickSource || mode == Mode::PickDestination || mode == Mode::PickPalette;
}

ScreenRect NormaliseDrag(ScreenPoint anchor, ScreenPoint cursor)
{
    return ScreenRect{Smaller(anchor.x, cursor.x), Smaller(anchor.y, cursor.y),
                      Larger(anchor.x, cursor.x), Larger(anchor.y, cursor.y)};
}

void RecordDragPress(ScreenPoint cursor)
{
    if (DragAnchorSet)
        return;
    DragAnchor = cursor;
    DragAnchorSet = 1;
}

void ApplyDragRelease(ScreenPoint cursor, bool painterAdjustChecked)
{
    if (!DragAnchorSet)
        return;
    const ScreenRect dragged = NormaliseDrag(DragAnchor, cursor);
    if (TraceMode == Mode::PickSource)
        SourceRect = dragged;
    else if (TraceMode == Mode::PickPalette)
        DetectPalette(dragged.left, dragged.top, dragged.right, dragged.bottom, painterAdjustChecked);
}

void ApplyDestinationPress(ScreenPoint cursor)
{
    DestPoint = cursor;
}

int FormatPickLabel(int x, int y)
{
    if (!DragAnchorSet)
        return FormatText(kTextPointLabelFormat, x, y);
    const ScreenRect band = NormaliseDrag(DragAnchor, ScreenPoint{x, y});
    return FormatText(kTextRectLabelFormat, band.left, band.top, band.right, band.bottom,
                      band.right - band.left + 1, band.bottom - band.top + 1);
}

int PickLabelLeft(int x, int y, int labelWidth)
{
    if (x + labelWidth + kLabelGap <= MonitorAt(x, y).right)
        return x + kLabelGap;
    return x - kLabelGap - labelWidth;
}

int PickLabelTop(int y, int labelHeight)
{
    return y - labelHeight;
}
