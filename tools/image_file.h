/*
 * Image files for the native tools: an image stands for the screen (its
 * pixel (x, y) is screen pixel (x, y)), and a painter stood in for in a test
 * writes its canvas as one. Reads binary PPM (P6, maxval 255) and 24- or
 * 32-bit uncompressed BMP, and in the native build PNG (png_file.h); writes
 * PPM and BMP. Anything else, and any damaged file, is refused with a
 * one-line reason, never read past its end.
 */
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/desktop.h"

struct Image {
    int width = 0;
    int height = 0;
    // Row after row from the top, each left to right, as COLORREF values.
    std::vector<Colour> pixels;

    Colour At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The largest image accepted, per side and in all: room for any screen.
const int kMaxImageSide = 32768;
const long long kMaxImagePixels = 1LL << 26;

// Whether an image of this size may be read; if not, error says why.
bool ImageSizeAllowed(long long width, long long height, std::string& error);

// The block of image with its top-left corner at (left, top), width x
// height pixels, row after row into out (width * height colours); pixels
// that lie outside the image are given the colour outside.
void CopyImageBlock(const Image& image, int left, int top, int width, int height, Colour outside,
                    Colour* out);

enum class ImageFormat { Ppm, Bmp24, Bmp32 };

// Decodes a whole file held in memory. On failure returns false, leaves
// image empty and sets error to one line (no newline) saying why.
bool DecodeImage(const unsigned char* data, std::size_t size, Image& image, std::string& error);

// Reads and decodes a file; the error names the file.
bool ReadImageFile(const std::string& path, Image& image, std::string& error);

// The file bytes of an image in the given format (a BMP is stored bottom-up).
std::vector<unsigned char> EncodeImage(const Image& image, ImageFormat format);

// The format a file name asks for: 24-bit BMP when it ends in ".bmp", in
// any case, otherwise PPM.
ImageFormat ImageFormatForName(const std::string& path);

// Writes an image file; on failure sets error to one line naming the file.
bool WriteImageFile(const std::string& path, const Image& image, ImageFormat format,
                    std::string& error);
