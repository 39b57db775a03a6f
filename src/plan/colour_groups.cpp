/*
 * The plan's storage and its build. The frozen source is read in one block
 * and planned from memory in two passes:
 *   1. each row is cut into runs where the quantised colour (three slider
 *      offsets, held as one key) changes, and each run's group is found
 *      through a hash table, never by a search of the list; a pixel equal
 *      to its left neighbour costs one comparison. This gives the groups in
 *      order of first occurrence and each group's run count;
 *   2. with every group's arrays made at their final size, each run is
 *      written straight to its place.
 * The work grows with the number of pixels, not with pixels times colours.
 * Besides the plan itself the build holds the block and one integer per
 * pixel.
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
// probing, never more than half full, behind a direct-mapped table of the
// keys met lately. Runs that start near each other mostly share a few
// colours, and a hit in that table costs one probe with no search loop;
// it is sized to stay in the processor's second-level cache.
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
    static const int kRecentBits = 14;
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

// What the scan finds: every run in scan order as its group and its
// length (its start follows, as runs tile the source: each starts one past
// the end of the one before), and per group, in order of first occurrence,
// its key and its number of runs.
struct ScanResult {
    std::size_t runs = 0;
    std::unique_ptr<int[]> runGroups;
    // The source block, whose first entries the scan overwrites with the
    // run lengths: run r starts at pixel r or later, so its entry has been
    // read by the time the run ends.
    std::unique_ptr<std::uint32_t[]> runLengths;
    std::vector<ColourKey> groupKeys;
    std::vector<int> groupRunCounts;
};

// Cuts the rows of the source into runs and finds each run's group.
class SourceScanner {
public:
    SourceScanner(const Quantiser& quantiser, ScanResult& scan)
        : quantiser_(quantiser), scan_(scan), nextGroup_(scan.runGroups.get()),
          nextLength_(scan.runLengths.get())
    {
    }

    ~SourceScanner() { scan_.runs = static_cast<std::size_t>(nextGroup_ - scan_.runGroups.get()); }

    // line points into the block at the row's first pixel.
    void ScanRow(const Colour* line, int width)
    {
        Colour runColour = line[0];
        ColourKey runKey = quantiser_.KeyOf(runColour);
        int runFrom = 0;
        int group = GroupOf(runKey);
        for (int column = 1; column < width; ++column) {
            const Colour c = line[column];
            if (c == runColour)
                continue;
            // A different source colour may still quantise to the run's.
            runColour = c;
            const ColourKey key = quantiser_.KeyOf(c);
            if (key == runKey)
                continue;
            EndRun(group, column - 1 - runFrom);
            runKey = key;
            runFrom = column;
            group = GroupOf(key);
        }
        EndRun(group, width - 1 - runFrom);
    }

private:
    int GroupOf(ColourKey key)
    {
        bool added = false;
        const int group = index_.FindOrAdd(key, static_cast<int>(scan_.groupKeys.size()), added);
        if (added) {
            scan_.groupKeys.push_back(key);
            scan_.groupRunCounts.push_back(0);
        }
        return group;
    }

    void EndRun(int group, int length)
    {
        ++scan_.groupRunCounts[static_cast<std::size_t>(group)];
        *nextGroup_++ = group;
        *nextLength_++ = static_cast<std::uint32_t>(length);
    }

    const Quantiser& quantiser_;
    ScanResult& scan_;
    GroupIndex index_;
    int* nextGroup_;
    std::uint32_t* nextLength_;
};

// Pass 1: reads the source in one block and scans it. Returns false when
// the surface cannot be read: a plan of colours that were never seen would
// paint wrong pixels and still end as a success.
bool ScanSource(const Quantiser& quantiser, int width, int height, ScanResult& scan)
{
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Both left uninitialised: the read fills every pixel, and the scan
    // writes only the runs it finds, at most one per pixel.
    scan.runLengths.reset(new std::uint32_t[pixels]);
    scan.runGroups.reset(new int[pixels]);
    Colour* block = scan.runLengths.get();
    if (!ReadSourceBlock(SourceRect.left, SourceRect.top, width, height, block))
        return false;
    SourceScanner scanner(quantiser, scan);
    for (int row = 0; row < height; ++row)
        scanner.ScanRow(block + static_cast<std::size_t>(row) * width, width);
    return true;
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

// Pass 2: orders the groups into the finished list, the top-left colour
// left out under TransparentTopLeft, otherwise the dominant colour's row
// fill in front and that colour's own runs dropped; then writes every run
// to its place in its group's arrays.
void AssemblePlan(const ScanResult& scan, const Quantiser& quantiser, int width, int height,
                  std::vector<ColourGroup>& list, bool& rowFill)
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

    // Starts first, lengths after, each in a pass of its own: with a
    // photo's thousands of groups, half as many array ends are written to
    // at once, and they stay in the processor's cache.
    const int* runGroups = scan.runGroups.get();
    const std::uint32_t* runLengths = scan.runLengths.get();
    int start = 0;
    for (std::size_t run = 0; run < scan.runs; ++run) {
        NextRun& to = next[static_cast<std::size_t>(runGroups[run])];
        if (to.start)
            *to.start++ = start;
        start += static_cast<int>(runLengths[run]) + 1;
    }
    for (std::size_t run = 0; run < scan.runs; ++run) {
        NextRun& to = next[static_cast<std::size_t>(runGroups[run])];
        if (to.length)
            *to.length++ = static_cast<int>(runLengths[run]) + lengthening;
    }
}

void PlanSource(int width, int height, std::vector<ColourGroup>& list, bool& rowFill)
{
    Quantiser quantiser;
    MakeChannelQuantiser(Palette.redScale, quantiser.red);
    MakeChannelQuantiser(Palette.greenScale, quantiser.green);
    MakeChannelQuantiser(Palette.blueScale, quantiser.blue);
    ScanResult scan;
    if (!ScanSource(quantiser, width, height, scan))
        return;
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
