/*
 * The panel's result lines, formatted into the shared text buffer.
 */
#include "ui/status_lines.h"

#include <cstdio>

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

int LengthWritten(int snprintfResult)
{
    if (snprintfResult < 0)
        return 0;
    return snprintfResult < kTextBufferSize ? snprintfResult : kTextBufferSize - 1;
}

}  // namespace

int FormatSourceLine()
{
    const ScreenRect& r = SourceRect;
    return LengthWritten(std::snprintf(TextBuffer, kTextBufferSize, kTextSourceLineFormat, r.left,
                                       r.top, r.right, r.bottom, InclusiveSpan(r.left, r.right),
                                       InclusiveSpan(r.top, r.bottom)));
}

int FormatDestLine()
{
    return LengthWritten(
        std::snprintf(TextBuffer, kTextBufferSize, kTextDestLineFormat, DestPoint.x, DestPoint.y));
}

const char* PaletteMark()
{
    return PaletteFound() ? kTextPaletteFound : kTextPaletteNotFound;
}
