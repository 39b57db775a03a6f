/*
 * The start button's rule over the picked areas and the Palette.
 */
#include "ui/start_rule.h"

#include "palette/palette.h"
#include "ui/selection.h"

bool StartConditionsHold()
{
    return SourceRect.left != SourceRect.right &&
           SourceRect.top != SourceRect.bottom &&
           DestPoint.x != 0 &&
           DestPoint.y != 0 &&
           PaletteFound();
}
