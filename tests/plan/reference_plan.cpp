/*
 * The literal plan build (see reference_plan.h).
 */
#include "plan/reference_plan.h"

#include <cstddef>

#include "app/desktop.h"
#include "palette/palette.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

namespace {

int Quantise(int channel, ChannelScale scale)
{
    return static_cast<int>((static_cast<long long>(channel) * scale) / 255);
}

// Index of the group with this colour, or -1.
int FindGroup(const std::vector<ColourGroup>& list, int red, int green, int blue)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].red == red && list[i].green == green && list[i].blue == blue)
            return static_cast<int>(i);
    return -1;
}

void ScanIntoGroups(int width, int height, std::vector<ColourGroup>& list)
{
    for (int row = 0; row < height; ++row) {
        bool hasPrevious = false;
        int previousRed = 0, previousGreen = 0, previousBlue = 0;
        for (int column = 0; column < width; ++column) {
            const Colour c = ReadSourcePixel(SourceRect.left + column, SourceRect.top + row);
            const int red = Quantise(RedOf(c), Palette.redScale);
            const int green = Quantise(GreenOf(c), Palette.greenScale);
            const int blue = Quantise(BlueOf(c), Palette.blueScale);
            const int index = column + width * row;
            if (hasPrevious && red == previousRed && green == previousGreen && blue == previousBlue) {
                list[FindGroup(list, red, green, blue)].runLengths.back() += 1;
                continue;
            }
            hasPrevious = true;
            previousRed = red;
            previousGreen = green;
            previousBlue = blue;
            const int found = FindGroup(list, red, green, blue);
            if (found >= 0) {
                list[found].runStarts.push_back(index);
                list[found].runLengths.push_back(0);
            } else {
                list.push_back(ColourGroup{red, green, blue, {index}, {0}, 0});
            }
        }
    }
}

}  // namespace

std::vector<ColourGroup> BuildReferenceColourGroups(bool* rowFill)
{
    const int width = SourceRect.right - SourceRect.left + 1;
    const int height = SourceRect.bottom - SourceRect.top + 1;
    const int lengthening = TraceOptions.painterAdjust ? 1 : 0;
    std::vector<ColourGroup> list;
    if (rowFill)
        *rowFill = false;
    ScanIntoGroups(width, height, list);

    if (TraceOptions.transparentTopLeft && !list.empty())
        list.erase(list.begin());

    for (ColourGroup& group : list) {
        group.runCount = static_cast<int>(group.runStarts.size());
        for (int& length : group.runLengths)
            length += lengthening;
    }

    if (list.size() < 2 || TraceOptions.transparentTopLeft)
        return list;
    std::size_t best = 0;
    int bestCount = list[0].runCount;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i].runCount > bestCount) {
            best = i;
            bestCount = list[i].runCount;
        }
    }
    if (bestCount <= height)
        return list;
    ColourGroup fill{list[best].red, list[best].green, list[best].blue, {}, {}, height};
    for (int r = 0; r < height; ++r) {
        fill.runStarts.push_back(r * width);
        fill.runLengths.push_back(width - 1 + lengthening);
    }
    list.erase(list.begin() + static_cast<long>(best));
    list.insert(list.begin(), fill);
    if (rowFill)
        *rowFill = true;
    return list;
}
