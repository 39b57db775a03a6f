/*
 * The plan's storage and its build: the frozen source is read in one block,
 * every pixel is reduced to the three slider offsets that select its colour,
 * and the pixels are gathered row by row into horizontal runs, one group per
 * colour. A pixel that continues the run to its left costs one comparison;
 * a pixel that starts a run finds its group through a hash table, so the
 * work grows with the number of pixels, not with pixels times colours.
 */
#include "plan/colour_groups.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <new>

#include "app/desktop.h"
#include "palette/palette.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

std::vector<ColourGroup> ColourGroupList;
int SourceWidth = 0;
int SourceHeight = 0;
bool RowFillFirst = false;

namespace {

// One channel's quantisation: the slider offset of every byte, and for
// every byte the smallest byte with the same offset. The offset (c * scale)
// / 255 is monotonic in c, so bytes sharing an offset form one range and
// the smallest of it names the offset uniquely.
struct ChannelQuantiser {
    int offset[256];
    std::uint32_t shareClass[256];
};

void MakeChannelQuantiser(ChannelScale scale, ChannelQuantiser& channel)
{
    for (int c = 0; c < 256; ++c) {
        channel.offset[c] = static_cast<int>((static_cast<long long>(c) * scale) / 255);
        const bool sameAsBelow = c > 0 && channel.offset[c] == channel.offset[c - 1];
        channel.shareClass[c] = sameAsBelow ? channel.shareClass[c - 1] : static_cast<std::uint32_t>(c);
    }
}

struct Quantiser {
    ChannelQuantiser red;
    ChannelQuantiser green;
    ChannelQuantiser blue;

    // Equal keys exactly when the offsets are equal; keys fit in 24 bits.
    std::uint32_t KeyOf(Colour c) const
    {
        return red.shareClass[c & 0xFFu] | (green.shareClass[(c >> 8) & 0xFFu] << 8) |
               (blue.shareClass[(c >> 16) & 0xFFu] << 16);
    }
};

// From a colour key to the index of its group: open addressing with linear
// probing, never more than half full.
class GroupIndex {
public:
    GroupIndex() : slots_(std::size_t(1) << kStartBits, Slot{kEmpty, 0}), bits_(kStartBits) {}

    // The group of key; when key is new, it becomes group newGroup and
    // added is set.
    int FindOrAdd(std::uint32_t key, int newGroup, bool& added)
    {
        std::size_t at = SlotOf(key);
        while (slots_[at].key != kEmpty) {
            if (slots_[at].key == key) {
                added = false;
                return slots_[at].group;
            }
            at = (at + 1) & Mask();
        }
        slots_[at] = Slot{key, newGroup};
        added = true;
        if (++used_ * 2 > slots_.size())
            Grow();
        return newGroup;
    }

private:
    static const std::uint32_t kEmpty = 0xFFFFFFFFu;  // no key has its top byte set
    static const int kStartBits = 10;
    struct Slot {
        std::uint32_t key;
        int group;
    };

    std::size_t Mask() const { return slots_.size() - 1; }
    std::size_t SlotOf(std::uint32_t key) const { return (key * 2654435769u) >> (32 - bits_); }

    void Grow()
    {
        std::vector<Slot> old(std::size_t(1) << (bits_ + 1), Slot{kEmpty, 0});
        old.swap(slots_);
        ++bits_;
        for (const Slot& slot : old) {
            if (slot.key == kEmpty)
                continue;
            std::size_t at = SlotOf(slot.key);
            while (slots_[at].key != kEmpty)
                at = (at + 1) & Mask();
            slots_[at] = slot;
        }
    }

    std::vector<Slot> slots_;
    int bits_;
    std::size_t used_ = 0;
};

struct Run {
    int start;
    int length;  // without the PainterAdjust lengthening
    int group;
};

// What the scan finds: every run in scan order, and per group (in order of
// first occurrence) a source colour of it and its number of runs.
struct ScanResult {
    std::vector<Run> runs;
    std::vector<Colour> groupColours;
    std::vector<int> groupRunCounts;
};

class SourceScanner {
public:
    SourceScanner(const Quantiser& quantiser, ScanResult& result)
        : quantiser_(quantiser), result_(result) {}

    void ScanRow(const Colour* line, int width, int rowStart)
    {
        Colour runColour = line[0];
        std::uint32_t runKey = quantiser_.KeyOf(runColour);
        int runFrom = 0;
        int group = GroupOf(runKey, runColour);
        for (int column = 1; column < width; ++column) {
            const Colour c = line[column];
            if (c == runColour)
                continue;
            // A different source colour may still quantise to the run's.
            runColour = c;
            const std::uint32_t key = quantiser_.KeyOf(c);
            if (key == runKey)
                continue;
            EndRun(rowStart + runFrom, column - 1 - runFrom, group);
            runKey = key;
            runFrom = column;
            group = GroupOf(key, c);
        }
        EndRun(rowStart + runFrom, width - 1 - runFrom, group);
    }

private:
    int GroupOf(std::uint32_t key, Colour c)
    {
        bool added = false;
        const int group = index_.FindOrAdd(key, static_cast<int>(result_.groupColours.size()), added);
        if (added) {
            result_.groupColours.push_back(c);
            result_.groupRunCounts.push_back(0);
        }
        return group;
    }

    void EndRun(int start, int length, int group)
    {
        result_.runs.push_back(Run{start, length, group});
        ++result_.groupRunCounts[static_cast<std::size_t>(group)];
    }

    const Quantiser& quantiser_;
    ScanResult& result_;
    GroupIndex index_;
};

void ScanSource(const Quantiser& quantiser, int width, int height, ScanResult& result)
{
    std::vector<Colour> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    // An unreadable surface reads as pixel after pixel that cannot be read.
    if (!ReadSourceBlock(SourceRect.left, SourceRect.top, width, height, pixels.data()))
        std::fill(pixels.begin(), pixels.end(), kNoPixel);
    result.runs.reserve(pixels.size() / 8 + 16);
    SourceScanner scanner(quantiser, result);
    for (int row = 0; row < height; ++row)
        scanner.ScanRow(pixels.data() + static_cast<std::size_t>(row) * width, width, row * width);
}

ColourGroup EmptyGroup(const Quantiser& quantiser, Colour c, int runs)
{
    ColourGroup group;
    group.red = quantiser.red.offset[RedOf(c)];
    group.green = quantiser.green.offset[GreenOf(c)];
    group.blue = quantiser.blue.offset[BlueOf(c)];
    group.runStarts.reserve(static_cast<std::size_t>(runs));
    group.runLengths.reserve(static_cast<std::size_t>(runs));
    group.runCount = 0;
    return group;
}

// The group with the most runs, ties going to the earlier one, when it has
// more runs than the source has rows; otherwise -1.
int RowFilledGroup(const ScanResult& scan, int height)
{
    const std::vector<int>& counts = scan.groupRunCounts;
    int best = 0;
    for (std::size_t group = 1; group < counts.size(); ++group)
        if (counts[group] > counts[static_cast<std::size_t>(best)])
            best = static_cast<int>(group);
    return counts[static_cast<std::size_t>(best)] > height ? best : -1;
}

// The dominant colour in one full-width run per row. Lengthened like every
// other run: a painter that leaves the release pixel unpainted would
// otherwise leave the last column of every dominant pixel bare.
ColourGroup RowFill(const Quantiser& quantiser, Colour c, int width, int height, int lengthening)
{
    ColourGroup group = EmptyGroup(quantiser, c, height);
    for (int row = 0; row < height; ++row) {
        group.runStarts.push_back(row * width);
        group.runLengths.push_back(width - 1 + lengthening);
    }
    group.runCount = height;
    return group;
}

// Orders the scanned groups into the finished list: the top-left colour
// left out under TransparentTopLeft, otherwise the dominant colour's row
// fill in front and that colour's own runs dropped.
void AssemblePlan(const ScanResult& scan, const Quantiser& quantiser, int width, int height,
                  std::vector<ColourGroup>& list, bool& rowFill)
{
    const bool transparentTopLeft = TraceOptions.transparentTopLeft != 0;
    const int lengthening = TraceOptions.painterAdjust != 0 ? 1 : 0;
    const std::size_t groups = scan.groupColours.size();
    const std::size_t firstKept = transparentTopLeft ? 1 : 0;
    const int dominant = !transparentTopLeft && groups >= 2 ? RowFilledGroup(scan, height) : -1;

    rowFill = dominant >= 0;
    list.reserve(groups);
    if (rowFill)
        list.push_back(RowFill(quantiser, scan.groupColours[static_cast<std::size_t>(dominant)],
                               width, height, lengthening));
    std::vector<int> position(groups, -1);
    for (std::size_t group = firstKept; group < groups; ++group) {
        if (static_cast<int>(group) == dominant)
            continue;
        position[group] = static_cast<int>(list.size());
        list.push_back(EmptyGroup(quantiser, scan.groupColours[group], scan.groupRunCounts[group]));
    }
    for (const Run& run : scan.runs) {
        const int at = position[static_cast<std::size_t>(run.group)];
        if (at < 0)
            continue;
        ColourGroup& group = list[static_cast<std::size_t>(at)];
        group.runStarts.push_back(run.start);
        group.runLengths.push_back(run.length + lengthening);
    }
    for (ColourGroup& group : list)
        group.runCount = static_cast<int>(group.runStarts.size());
}

void PlanSource(int width, int height, std::vector<ColourGroup>& list, bool& rowFill)
{
    Quantiser quantiser;
    MakeChannelQuantiser(Palette.redScale, quantiser.red);
    MakeChannelQuantiser(Palette.greenScale, quantiser.green);
    MakeChannelQuantiser(Palette.blueScale, quantiser.blue);
    ScanResult scan;
    ScanSource(quantiser, width, height, scan);
    AssemblePlan(scan, quantiser, width, height, list, rowFill);
}

}  // namespace

void BuildColourGroups()
{
    SourceWidth = SourceRect.right - SourceRect.left + 1;
    SourceHeight = SourceRect.bottom - SourceRect.top + 1;
    // The old plan goes first, so that its memory serves the new one.
    std::vector<ColourGroup>().swap(ColourGroupList);
    RowFillFirst = false;
    if (SourceWidth <= 0 || SourceHeight <= 0)
        return;
    // Run starts are pixel indexes held in an int.
    if (static_cast<long long>(SourceWidth) * SourceHeight > INT_MAX)
        return;
    try {
        std::vector<ColourGroup> list;
        bool rowFill = false;
        PlanSource(SourceWidth, SourceHeight, list, rowFill);
        ColourGroupList.swap(list);
        RowFillFirst = rowFill;
    } catch (const std::bad_alloc&) {
        // Out of memory: the list stays empty, so the Start command starts
        // no trace, and the program goes on.
    }
}
