/*
 * The panel's result lines, formatted into the shared text buffer.
 */
#include "ui/status_lines.h"

#include "app/text_buffer.h"
#include "app/texts.h"
#include "palette/palette.h"
#include "ui/selection.h"

namespace {

// right - left + 1 of two screen coordinates; done in a wider type so that
// no pair of stored values can overflow.
int InclusiveSpan(int low, int high)
{
    return static_cast<int>(static_cast<long long>(high) - low + 1);
}

}  // namespace

int FormatSourceLine()
{
    const ScreenRect& r = SourceRect;
    return FormatText(kTextSourceLineFormat, r.left, r.top, r.right, r.bottom,
                      InclusiveSpan(r.left, r.right), InclusiveSpan(r.top, r.bottom));
}

int FormatDestLine()
{
    return FormatText(kTextDestLineFormat, DestPoint.x, DestPoint.y);
}

const char* PaletteMark()
{
    return PaletteFound() ? kTextPaletteFound : kTextPaletteNotFound;
}
