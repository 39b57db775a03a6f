/*
 * The plan of one trace: the ColourGroupList, one ColourGroup per colour as
 * the painter's sliders select it, each with its horizontal runs, in the
 * order in which the trace paints them. Rebuilt whole by BuildColourGroups
 * at every Start and only read during the trace.
 */
#pragma once

#include <vector>

struct ColourGroup {
    // Slider offsets from each SliderLine's x0 that select this colour,
    // kept whole (a scale above 255 gives offsets above 255).
    int red;
    int green;
    int blue;
    // Per run: the index of its first pixel, column + SourceWidth * row,
    // counted from SourceRect's top-left corner ...
    std::vector<int> runStarts;
    // ... and the distance from its press column to its release column
    // (0 for one pixel; one more under PainterAdjust, the row fill's too).
    std::vector<int> runLengths;
    int runCount;
};

extern std::vector<ColourGroup> ColourGroupList;

// The source's size, computed from SourceRect at the start of every build
// and kept for the trace, which decodes run starts with SourceWidth.
extern int SourceWidth;
extern int SourceHeight;

// True when the list's first group is the dominant colour's row fill: one
// full-width run per source row, painted under every other colour. Set by
// every build.
extern bool RowFillFirst;

// Replaces ColourGroupList with the plan of the pixels of the frozen source
// surface inside SourceRect, using the Palette's scales and TraceOptions'
// transparentTopLeft and painterAdjust. The source is read in one block.
// Groups stand in the order their colour first occurs (rows top to bottom,
// each left to right), runs in increasing start. Leaves the list empty
// when the source is empty or has more pixels than an int counts, when its
// surface cannot be read, when TransparentTopLeft removes its only colour,
// or when memory runs out during the build; it never throws.
void BuildColourGroups();
