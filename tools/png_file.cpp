/*
 * Reading PNG files through libpng (see png_file.h). libpng reports a
 * damaged file by jumping out of its own code (longjmp) to the point that
 * ReadPngPixels set; that function therefore holds no object that would
 * need destroying, and everything it fills lives in its caller.
 */
#include "png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// Where libpng is in the file, and the first error it reported.
struct PngReading {
    const unsigned char* data;
    std::size_t size;
    std::size_t at;
    bool truncated;
    std::string message;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t length)
{
    PngReading& reading = *static_cast<PngReading*>(png_get_io_ptr(png));
    if (length > reading.size - reading.at) {
        reading.truncated = true;
        png_error(png, "truncated PNG file");
    }
    std::memcpy(out, reading.data + reading.at, length);
    reading.at += length;
}

void OnPngError(png_structp png, png_const_charp message)
{
    PngReading& reading = *static_cast<PngReading*>(png_get_error_ptr(png));
    if (reading.message.empty())
        reading.message = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Deflate packs at most 1032 bytes into one, so a file cannot hold an
// image whose rows need more than that many times its own size.
const long long kMostDeflateRatio = 1032;

bool FileCanHoldImage(png_structp png, png_infop info, std::size_t size)
{
    const long long width = png_get_image_width(png, info);
    const long long height = png_get_image_height(png, info);
    const long long bitsPerPixel = png_get_channels(png, info) * png_get_bit_depth(png, info);
    // Each row begins with its filter byte.
    const long long rawBytes = height * (1 + (width * bitsPerPixel + 7) / 8);
    return rawBytes / kMostDeflateRatio <= static_cast<long long>(size);
}

// Every colour type and depth to 8-bit RGB, as the screen showed it.
void AskForEightBitRgb(png_structp png, png_infop info)
{
    const png_byte colourType = png_get_color_type(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    png_set_strip_16(png);  // keeps the high byte
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
}

bool ReadPngPixels(png_structp png, png_infop info, PngReading& reading, std::vector<unsigned char>& rgb,
                   std::vector<png_bytep>& rows, png_uint_32& width, png_uint_32& height, std::string& error)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, &reading, ReadPngBytes);
    // Damage in any chunk refuses the file, and the size is held to this
    // program's own limits below, with their message.
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (!ImageSizeAllowed(width, height, error))
        return false;
    if (!FileCanHoldImage(png, info, reading.size)) {
        error = "truncated PNG file (" + std::to_string(reading.size) + " bytes cannot hold " +
                std::to_string(width) + " x " + std::to_string(height) + " pixels)";
        return false;
    }
    AskForEightBitRgb(png, info);
    png_read_update_info(png, info);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (png_get_rowbytes(png, info) != rowBytes)
        png_error(png, "pixels not readable as 8-bit RGB");
    rgb.resize(rowBytes * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = rgb.data() + rowBytes * y;
    png_read_image(png, rows.data());
    // The chunks after the pixels are read too, so that damage there counts.
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool IsPngData(const unsigned char* data, std::size_t size)
{
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool DecodePng(const unsigned char* data, std::size_t size, Image& image, std::string& error)
{
    image = Image();
    error.clear();
    PngReading reading{data, size, 0, false, std::string()};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reading, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> rgb;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;
    const bool read = info && ReadPngPixels(png, info, reading, rgb, rows, width, height, error);
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!read) {
        if (error.empty())
            error = reading.truncated ? "truncated PNG file"
                    : reading.message.empty() ? "PNG reader could not start"
                                              : "bad PNG file (" + reading.message + ")";
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    const unsigned char* pixel = rgb.data();
    for (Colour& out : image.pixels) {
        out = MakeColour(pixel[0], pixel[1], pixel[2]);
        pixel += 3;
    }
    return true;
}
