/*
 * Writing the tests' PNG files with libpng (see png_writer.h).
 */
#include "png_writer.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
    std::vector<unsigned char>& file = *static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    file.insert(file.end(), data, data + length);
}

void NoFlush(png_structp) {}

std::vector<Colour> DistinctColours(const Image& image)
{
    std::vector<Colour> colours = image.pixels;
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

// One channel sample of a row: 8 bits, or 16 with a random low byte.
void PutSample(std::vector<png_byte>& row, int value, int bitDepth, std::mt19937& random)
{
    row.push_back(static_cast<png_byte>(value));
    if (bitDepth == 16)
        row.push_back(static_cast<png_byte>(random()));
}

std::vector<png_byte> Row(const Image& image, int y, const PngLayout& layout, const std::vector<Colour>& palette,
                          std::mt19937& random)
{
    std::vector<png_byte> row;
    for (int x = 0; x < image.width; ++x) {
        const Colour c = image.At(x, y);
        if (layout.colourType == PNG_COLOR_TYPE_PALETTE) {
            row.push_back(static_cast<png_byte>(std::lower_bound(palette.begin(), palette.end(), c) - palette.begin()));
            continue;
        }
        PutSample(row, RedOf(c), layout.bitDepth, random);
        if (layout.colourType & PNG_COLOR_MASK_COLOR) {
            PutSample(row, GreenOf(c), layout.bitDepth, random);
            PutSample(row, BlueOf(c), layout.bitDepth, random);
        }
        if (layout.colourType & PNG_COLOR_MASK_ALPHA)
            PutSample(row, static_cast<int>(random() & 0xFF), layout.bitDepth, random);
    }
    return row;
}

void SetPalette(png_structp png, png_infop info, const std::vector<Colour>& palette, std::mt19937& random)
{
    std::vector<png_color> entries;
    std::vector<png_byte> alphas;
    for (Colour c : palette) {
        entries.push_back(png_color{static_cast<png_byte>(RedOf(c)), static_cast<png_byte>(GreenOf(c)),
                                    static_cast<png_byte>(BlueOf(c))});
        alphas.push_back(static_cast<png_byte>(random()));
    }
    png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
    png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
}

}  // namespace

const std::vector<PngLayout> kPngLayouts = {
    {PNG_COLOR_TYPE_GRAY, 8, false},        {PNG_COLOR_TYPE_GRAY, 16, true},
    {PNG_COLOR_TYPE_GRAY_ALPHA, 8, true},   {PNG_COLOR_TYPE_GRAY_ALPHA, 16, false},
    {PNG_COLOR_TYPE_RGB, 8, false},         {PNG_COLOR_TYPE_RGB, 8, true},
    {PNG_COLOR_TYPE_RGB, 16, false},        {PNG_COLOR_TYPE_RGB_ALPHA, 8, false},
    {PNG_COLOR_TYPE_RGB_ALPHA, 16, true},   {PNG_COLOR_TYPE_PALETTE, 8, false},
    {PNG_COLOR_TYPE_PALETTE, 4, true},
};

std::vector<unsigned char> WritePng(const Image& image, const PngLayout& layout, std::mt19937& random)
{
    std::vector<unsigned char> file;
    // No error handler: a failure to write aborts the test program loudly.
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &file, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
                 layout.bitDepth, layout.colourType, layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const std::vector<Colour> palette = DistinctColours(image);
    if (layout.colourType == PNG_COLOR_TYPE_PALETTE)
        SetPalette(png, info, palette, random);
    png_write_info(png, info);
    if (layout.bitDepth < 8)
        png_set_packing(png);
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < image.height; ++y)
        rows.push_back(Row(image, y, layout, palette, random));
    for (std::vector<png_byte>& row : rows)
        rowPointers.push_back(row.data());
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

Image RandomImageFor(const PngLayout& layout, std::mt19937& random, int width, int height)
{
    Image image;
    image.width = width;
    image.height = height;
    std::vector<Colour> palette;
    for (int i = 0; i < (1 << std::min(layout.bitDepth, 8)); ++i)
        palette.push_back(static_cast<Colour>(random() & 0xFFFFFFu));
    for (int i = 0; i < width * height; ++i) {
        const Colour c = static_cast<Colour>(random() & 0xFFFFFFu);
        if (layout.colourType == PNG_COLOR_TYPE_PALETTE)
            image.pixels.push_back(palette[random() % palette.size()]);
        else if (layout.colourType & PNG_COLOR_MASK_COLOR)
            image.pixels.push_back(c);
        else
            image.pixels.push_back(MakeColour(RedOf(c), RedOf(c), RedOf(c)));
    }
    return image;
}

void SetPngSize(std::vector<unsigned char>& file, unsigned width, unsigned height)
{
    // Signature (8), then IHDR's length and type (8), width, height, ...,
    // and the CRC over type and data (17 bytes) at 29.
    for (int i = 0; i < 4; ++i) {
        file[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
        file[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    const unsigned long crc = crc32(0, file.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        file[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
}
