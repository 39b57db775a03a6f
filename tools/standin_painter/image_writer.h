/*
 * The stand-in painter's own small image writer: binary PPM (P6, maxval
 * 255) or 24-bit uncompressed BMP (bottom-up, rows padded to four bytes),
 * for the canvas and the sample picture it writes for tests.
 */
#pragma once

#include <string>
#include <vector>

#include "app/desktop.h"

namespace standin {

// The bytes of a width x height picture (row after row, top row first).
std::string EncodePpm(int width, int height, const std::vector<Colour>& pixels);
std::string EncodeBmp(int width, int height, const std::vector<Colour>& pixels);

// True when the file name ends in ".bmp", in any case.
bool NamesBmp(const std::string& path);

// Writes BMP when the name ends in .bmp, else PPM. Returns false when the
// file could not be written whole.
bool WriteImageFile(const std::string& path, int width, int height,
                    const std::vector<Colour>& pixels);

}  // namespace standin
