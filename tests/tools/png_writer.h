/*
 * PNG files for the reader's tests, written by libpng itself in every
 * colour type and depth the reader takes, so that no binary file is kept
 * in the tree.
 */
#pragma once

#include <random>
#include <vector>

#include "image_file.h"

struct PngLayout {
    int colourType;  // PNG_COLOR_TYPE_...
    int bitDepth;
    bool interlaced;
};

// Grey, grey with alpha, RGB and RGB with alpha in 8 and 16 bits, palettes
// of 4 and 8 bits, some of each interlaced.
extern const std::vector<PngLayout> kPngLayouts;

// The image as a PNG of the layout. Grey layouts store the red channel and
// a palette holds the image's distinct colours (at most 2^depth), so the
// image MUST suit the layout for the file to show it. What the screen would
// not show is filled at random: the alpha channel, the palette's
// transparency and the low byte of every 16-bit channel.
std::vector<unsigned char> WritePng(const Image& image, const PngLayout& layout, std::mt19937& random);

// A random image that suits the layout.
Image RandomImageFor(const PngLayout& layout, std::mt19937& random, int width, int height);

// Sets the declared size in the file's header and mends the header's CRC.
void SetPngSize(std::vector<unsigned char>& file, unsigned width, unsigned height);
