/*
 * The plan built the plainest way: one source pixel read per pixel and a
 * search from the front of the list for every pixel's group, step by step
 * as the plan is defined. Slow on purpose (pixels times colours); the tests
 * and the planning benchmark hold the real build to it.
 */
#pragma once

#include <vector>

#include "plan/colour_groups.h"

// The list BuildColourGroups must produce from the same SourceRect, frozen
// source, Palette scales and TraceOptions. Writes no program state; sets
// rowFill when the list starts with the dominant colour's row fill.
std::vector<ColourGroup> BuildReferenceColourGroups(bool* rowFill = nullptr);
