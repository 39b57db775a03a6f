/*
 * The plan's storage and its build. The frozen source is read in one block
 * and planned from memory in three sequential passes:
 *   1. every pixel becomes the key of its quantised colour (three slider
 *      offsets), in place; a pixel equal to its left neighbour costs one
 *      comparison;
 *   2. the rows are cut into runs where the key changes, and each run's
 *      group is found through a hash table (no search of the list), giving
 *      the groups in order of first occurrence and each group's run count;
 *   3. with every group's arrays made at their final size, the runs are
 *      cut again and written straight to their places.
 * The work grows with the number of pixels, not with pixels times colours,
 * and besides the plan itself the build holds only the block and one
 * integer per run.
 */
#include "plan/colour_groups.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
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

// A colour key: the three share classes in the bytes of a COLORREF. Keys
// are equal exactly when the offsets are, and fit in 24 bits.
typedef std::uint32_t ColourKey;

struct Quantiser {
    ChannelQuantiser red;
    ChannelQuantiser green;
    ChannelQuantiser blue;

    ColourKey KeyOf(Colour c) const
    {
        return red.shareClass[c & 0xFFu] | (green.shareClass[(c >> 8) & 0xFFu] << 8) |
               (blue.shareClass[(c >> 16) & 0xFFu] << 16);
    }

    // A key is itself a colour of its class, so its bytes give the offsets.
    ColourGroup EmptyGroup(ColourKey key) const
    {
        ColourGroup group;
        group.red = red.offset[RedOf(key)];
        group.green = green.offset[GreenOf(key)];
        group.blue = blue.offset[BlueOf(key)];
        group.runCount = 0;
        return group;
    }
};

// From a colour key to the index of its group: open addressing with linear
// probing, never more than half full, behind a small direct-mapped table of
// the keys met lately. Runs that start near each other mostly share a few
// colours, and that small table stays in the processor's nearest cache
// where the big one, for a photo's many colours, does not.
class GroupIndex {
public:
    GroupIndex()
        : recent_(std::size_t(1) << kRecentBits, Slot{kEmpty, 0}),
          slots_(std::size_t(1) << kStartBits, Slot{kEmpty, 0}),
          bits_(kStartBits)
    {
    }

    // The group of key; when key is new, it becomes group newGroup and
    // added is set.
    int FindOrAdd(std::uint32_t key, int newGroup, bool& added)
    {
        Slot& recent = recent_[(key * 2654435769u) >> (32 - kRecentBits)];
        added = false;
        if (recent.key == key)
            return recent.group;
        std::size_t at = SlotOf(key);
        while (slots_[at].key != kEmpty && slots_[at].key != key)
            at = (at + 1) & Mask();
        if (slots_[at].key == kEmpty) {
            slots_[at] = Slot{key, newGroup};
            added = true;
        }
        recent = slots_[at];
        if (added && ++used_ * 2 > slots_.size())
            Grow();
        return recent.group;
    }

private:
    static const std::uint32_t kEmpty = 0xFFFFFFFFu;  // no key has its top byte set
    static const int kRecentBits = 11;
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

    std::vector<Slot> recent_;
    std::vector<Slot> slots_;
    int bits_;
    std::size_t used_ = 0;
};

// Pass 1: the source block, read whole, with every pixel replaced by its
// key. An unreadable surface reads as pixel after pixel that cannot be read.
// (Left uninitialised before the read: the read fills every pixel.)
std::unique_ptr<ColourKey[]> ReadSourceKeys(const Quantiser& quantiser, std::size_t count, int width,
                                            int height)
{
    std::unique_ptr<ColourKey[]> keys(new ColourKey[count]);
    if (!ReadSourceBlock(SourceRect.left, SourceRect.top, width, height, keys.get()))
        std::fill(keys.get(), keys.get() + count, kNoPixel);
    Colour last = keys[0];
    ColourKey lastKey = quantiser.KeyOf(last);
    for (std::size_t i = 0; i < count; ++i) {
        if (keys[i] != last) {
            last = keys[i];
            lastKey = quantiser.KeyOf(last);
        }
        keys[i] = lastKey;
    }
    return keys;
}

// Calls take(column, lastColumn) for every run of one row of keys, left to
// right: a run starts at the row's first pixel and wherever the key changes.
template <typename Take>
void ForEachRun(const ColourKey* line, int width, Take take)
{
    int from = 0;
    for (int column = 1; column < width; ++column) {
        if (line[column] != line[from]) {
            take(from, column - 1);
            from = column;
        }
    }
    take(from, width - 1);
}

// What pass 2 finds: the group of every run in scan order, and per group
// (in order of first occurrence) its key and its number of runs.
struct ScanResult {
    std::unique_ptr<int[]> runGroups;
    std::vector<ColourKey> groupKeys;
    std::vector<int> groupRunCounts;
};

void FindGroups(const ColourKey* keys, std::size_t count, int width, int height, ScanResult& scan)
{
    GroupIndex index;
    scan.runGroups.reset(new int[count]);  // room for the most runs there can be
    int* runGroup = scan.runGroups.get();
    for (int row = 0; row < height; ++row) {
        const ColourKey* line = keys + static_cast<std::size_t>(row) * width;
        ForEachRun(line, width, [&](int from, int) {
            bool added = false;
            const int group = index.FindOrAdd(line[from], static_cast<int>(scan.groupKeys.size()), added);
            if (added) {
                scan.groupKeys.push_back(line[from]);
                scan.groupRunCounts.push_back(0);
            }
            ++scan.groupRunCounts[static_cast<std::size_t>(group)];
            *runGroup++ = group;
        });
    }
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
ColourGroup RowFill(const Quantiser& quantiser, ColourKey key, int width, int height, int lengthening)
{
    ColourGroup group = quantiser.EmptyGroup(key);
    for (int row = 0; row < height; ++row) {
        group.runStarts.push_back(row * width);
        group.runLengths.push_back(width - 1 + lengthening);
    }
    group.runCount = height;
    return group;
}

// Pass 3: orders the groups into the finished list, the top-left colour
// left out under TransparentTopLeft, otherwise the dominant colour's row
// fill in front and that colour's own runs dropped; then writes every run
// to its place in its group's arrays.
void AssemblePlan(const ColourKey* keys, const ScanResult& scan, const Quantiser& quantiser,
                  int width, int height, std::vector<ColourGroup>& list, bool& rowFill)
{
    const bool transparentTopLeft = TraceOptions.transparentTopLeft != 0;
    const int lengthening = TraceOptions.painterAdjust != 0 ? 1 : 0;
    const std::size_t groups = scan.groupKeys.size();
    const std::size_t firstKept = transparentTopLeft ? 1 : 0;
    const int dominant = !transparentTopLeft && groups >= 2 ? RowFilledGroup(scan, height) : -1;

    rowFill = dominant >= 0;
    list.reserve(groups);
    if (rowFill)
        list.push_back(RowFill(quantiser, scan.groupKeys[static_cast<std::size_t>(dominant)], width,
                               height, lengthening));
    // Where the next run of each group goes; none for a group that is left
    // out or replaced by the row fill.
    struct NextRun {
        int* start;
        int* length;
    };
    std::vector<NextRun> next(groups, NextRun{nullptr, nullptr});
    for (std::size_t group = firstKept; group < groups; ++group) {
        if (static_cast<int>(group) == dominant)
            continue;
        const int count = scan.groupRunCounts[group];
        list.push_back(quantiser.EmptyGroup(scan.groupKeys[group]));
        ColourGroup& added = list.back();
        added.runStarts.resize(static_cast<std::size_t>(count));
        added.runLengths.resize(static_cast<std::size_t>(count));
        added.runCount = count;
        next[group] = NextRun{added.runStarts.data(), added.runLengths.data()};
    }

    // Starts first, lengths after, each in a pass of its own: a photo's
    // thousands of groups have half as many array ends to write to at once,
    // and those stay in the processor's cache.
    const int* runGroup = scan.runGroups.get();
    for (int row = 0; row < height; ++row) {
        const ColourKey* line = keys + static_cast<std::size_t>(row) * width;
        const int rowStart = row * width;
        ForEachRun(line, width, [&](int from, int) {
            NextRun& to = next[static_cast<std::size_t>(*runGroup++)];
            if (to.start)
                *to.start++ = rowStart + from;
        });
    }
    runGroup = scan.runGroups.get();
    for (int row = 0; row < height; ++row) {
        const ColourKey* line = keys + static_cast<std::size_t>(row) * width;
        ForEachRun(line, width, [&](int from, int last) {
            NextRun& to = next[static_cast<std::size_t>(*runGroup++)];
            if (to.length)
                *to.length++ = last - from + lengthening;
        });
    }
}

void PlanSource(int width, int height, std::vector<ColourGroup>& list, bool& rowFill)
{
    Quantiser quantiser;
    MakeChannelQuantiser(Palette.redScale, quantiser.red);
    MakeChannelQuantiser(Palette.greenScale, quantiser.green);
    MakeChannelQuantiser(Palette.blueScale, quantiser.blue);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::unique_ptr<ColourKey[]> keys = ReadSourceKeys(quantiser, count, width, height);
    ScanResult scan;
    FindGroups(keys.get(), count, width, height, scan);
    AssemblePlan(keys.get(), scan, quantiser, width, height, list, rowFill);
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
