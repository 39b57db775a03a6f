/*
 * The sample picture that the stand-in painter shows beside its canvas for
 * Vellipa to copy. It is computed, not loaded, and the same for every run
 * of a given size. At the default 64 x 48 it has:
 *   - a dark teal background broken, in every row, by confetti dots of six
 *     colours, so that the background colour has many more runs than the
 *     picture has rows (a copy paints it first as whole rows);
 *   - a disc of a smooth two-way gradient, several hundred colours;
 *   - a band of hues, light to dark;
 *   - a row of swatches with channels at 0, 1, 127, 128, 254 and 255, the
 *     values where slider mappings differ.
 * No pixel is near white (no channel set with all three at 250 or more), so
 * that every stroke changes the white canvas it lands on.
 */
#pragma once

#include <vector>

#include "app/desktop.h"

namespace standin {

// width x height pixels, row after row.
std::vector<Colour> MakeSamplePicture(int width, int height);

}  // namespace standin
