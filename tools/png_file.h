/*
 * PNG reading for the native tools, through libpng: the screenshots people
 * have are PNG files. Every PNG colour type and depth is read as the screen
 * showed it: grey becomes three equal channels, a palette its colours,
 * alpha is dropped (a screen shows the pixel, not what lies behind it) and
 * 16-bit channels keep their high byte. Only the native build has it; the
 * Windows programs read no PNG.
 */
#pragma once

#include <cstddef>
#include <string>

#include "image_file.h"

// Whether the data begins with the PNG signature.
bool IsPngData(const unsigned char* data, std::size_t size);

// Decodes a PNG file held in memory, with the contract of DecodeImage: on
// failure false, image empty and error one line. The image limits are
// checked before any pixel memory is taken, and any damage (a truncated
// file, a CRC or zlib error in any chunk) refuses the whole file.
bool DecodePng(const unsigned char* data, std::size_t size, Image& image, std::string& error);
