/*
 * The image reader takes files written by others and by chance damaged:
 * every format it reads must round-trip, and truncated or corrupted files
 * must give a clean one-line error or a correct image, never a crash or a
 * read outside the data (the sanitizer build watches the reads). PNG files
 * are written by libpng in every layout, with random alpha and low bytes
 * of 16-bit channels that the reader must not show.
 */
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "image_file.h"
#include "png_writer.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Image RandomImage(std::mt19937& random, int width, int height)
{
    Image image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(static_cast<Colour>(random() & 0xFFFFFFu));
    return image;
}

void PutU16(Bytes& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void PutU32(Bytes& out, std::uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// A BMP as other programs write them: any of the common header versions,
// top-down or bottom-up, 24 or 32 bits, plain or with bit fields.
struct BmpLayout {
    std::uint32_t infoBytes;
    int bits;
    bool topDown;
    bool bitfields;
};

Bytes WriteBmp(const Image& image, const BmpLayout& layout)
{
    const std::uint32_t stride = static_cast<std::uint32_t>((image.width * layout.bits + 31) / 32 * 4);
    const std::uint32_t masks = layout.bitfields && layout.infoBytes == 40 ? 12 : 0;
    const std::uint32_t offset = 14 + layout.infoBytes + masks;
    Bytes out = {'B', 'M'};
    PutU32(out, offset + stride * static_cast<std::uint32_t>(image.height));
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, layout.infoBytes);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(layout.topDown ? -image.height : image.height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(layout.bits));
    PutU32(out, layout.bitfields ? 3 : 0);
    for (int i = 0; i < 5; ++i)
        PutU32(out, 0);
    if (layout.bitfields) {
        PutU32(out, 0x00FF0000u);
        PutU32(out, 0x0000FF00u);
        PutU32(out, 0x000000FFu);
    }
    out.resize(offset, 0);
    for (int i = 0; i < image.height; ++i) {
        const int row = layout.topDown ? i : image.height - 1 - i;
        const size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.At(x, row);
            out.push_back(static_cast<unsigned char>(BlueOf(c)));
            out.push_back(static_cast<unsigned char>(GreenOf(c)));
            out.push_back(static_cast<unsigned char>(RedOf(c)));
            if (layout.bits == 32)
                out.push_back(0xAB);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes WritePpmWithComments(const Image& image)
{
    const std::string header = "P6 # made by hand\n" + std::to_string(image.width) + "\t" +
                               std::to_string(image.height) + "\r\n# maxval next\n255 ";
    Bytes out(header.begin(), header.end());
    const Bytes plain = EncodeImage(image, ImageFormat::Ppm);
    const std::string plainHeader = "P6\n" + std::to_string(image.width) + " " +
                                    std::to_string(image.height) + "\n255\n";
    out.insert(out.end(), plain.begin() + static_cast<long>(plainHeader.size()), plain.end());
    return out;
}

struct Sample {
    Image image;
    Bytes file;
    size_t headerBytes;  // where the pixel data begins
};

std::vector<Sample> Samples(std::mt19937& random, int count)
{
    const BmpLayout layouts[] = {{40, 24, false, false}, {40, 32, false, false}, {40, 24, true, false},
                                 {124, 32, true, true},  {40, 32, false, true},  {108, 24, false, false}};
    std::vector<Sample> samples;
    for (int i = 0; i < count; ++i) {
        const Image image = RandomImage(random, 1 + static_cast<int>(random() % 9), 1 + static_cast<int>(random() % 7));
        const Bytes ppm = EncodeImage(image, ImageFormat::Ppm);
        samples.push_back({image, ppm, ppm.size() - image.pixels.size() * 3});
        const Bytes commented = WritePpmWithComments(image);
        samples.push_back({image, commented, commented.size() - image.pixels.size() * 3});
        const BmpLayout& layout = layouts[i % 6];
        const Bytes bmp = WriteBmp(image, layout);
        std::uint32_t offset = bmp[10] | (bmp[11] << 8);
        samples.push_back({image, bmp, offset});
        // Every byte of a PNG file lies under a CRC, so all of it is header.
        const PngLayout& pngLayout = kPngLayouts[i % kPngLayouts.size()];
        const Image pngImage = RandomImageFor(pngLayout, random, image.width, image.height);
        const Bytes png = WritePng(pngImage, pngLayout, random);
        samples.push_back({pngImage, png, png.size()});
    }
    return samples;
}

bool Decode(const Bytes& file, Image& image, std::string& error)
{
    return DecodeImage(file.data(), file.size(), image, error);
}

void ExpectCleanFailure(const Image& image, const std::string& error)
{
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
}

void ExpectSameImage(const Image& expected, const Image& actual)
{
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.pixels, expected.pixels);
}

TEST(ImageFile, EveryWrittenLayoutReadsBack)
{
    std::mt19937 random(7);
    for (const Sample& sample : Samples(random, 30)) {
        Image image;
        std::string error;
        ASSERT_TRUE(Decode(sample.file, image, error)) << error;
        ExpectSameImage(sample.image, image);
    }
    const Image image = RandomImage(random, 5, 3);
    for (ImageFormat format : {ImageFormat::Ppm, ImageFormat::Bmp24, ImageFormat::Bmp32}) {
        Image back;
        std::string error;
        ASSERT_TRUE(Decode(EncodeImage(image, format), back, error)) << error;
        ExpectSameImage(image, back);
    }
}

TEST(ImageFile, FileNameChoosesTheFormat)
{
    EXPECT_EQ(ImageFormatForName("out/Canvas.BMP"), ImageFormat::Bmp24);
    EXPECT_EQ(ImageFormatForName("canvas.bmp"), ImageFormat::Bmp24);
    EXPECT_EQ(ImageFormatForName("canvas.bmp.ppm"), ImageFormat::Ppm);
    EXPECT_EQ(ImageFormatForName("bmp"), ImageFormat::Ppm);
    EXPECT_EQ(ImageFormatForName("canvas"), ImageFormat::Ppm);
}

TEST(ImageFile, FilesOnDiskReadBackAndMissingOnesFailNamingThePath)
{
    std::mt19937 random(8);
    const Image image = RandomImage(random, 4, 4);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vellipa-image-test-" + std::to_string(random()) + ".bmp")).string();
    std::string error;
    ASSERT_TRUE(WriteImageFile(path, image, ImageFormat::Bmp24, error)) << error;
    Image back;
    ASSERT_TRUE(ReadImageFile(path, back, error)) << error;
    ExpectSameImage(image, back);
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadImageFile(path, back, error));
    EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
    EXPECT_FALSE(ReadImageFile(std::filesystem::temp_directory_path().string(), back, error));
    ExpectCleanFailure(back, error);
}

TEST(ImageFile, RefusesWhatItDoesNotRead)
{
    const char* refused[] = {
        "",
        "P3\n1 1\n255\n0 0 0\n",              // plain-text PPM
        "P6\n1 1\n65535\n\0\0\0\0\0\0",       // 16-bit PPM
        "P6\n1 1\n15\n\0\0\0",                // other maxval
        "P6\n0 1\n255\n",                     // empty
        "P6\n99999999 99999999 255\n\0",      // huge
        "P6\n40000 2 255\n\0",                // wider than any screen
        "P6\n8000 8000 255\n\0",              // pixels beyond the limit
        "P6\n2 2 255\n\0\0\0",                // truncated data
        "P6\n2 2 255",                        // no data at all
        "P6\n2x2 255\n\0\0\0\0\0\0\0\0\0\0\0\0",  // junk in the header
        "GIF89a",
    };
    for (const char* text : refused) {
        Bytes file(text, text + std::char_traits<char>::length(text));
        Image image;
        std::string error;
        EXPECT_FALSE(Decode(file, image, error)) << text;
        ExpectCleanFailure(image, error);
    }

    // BMPs: compressed, paletted, bad planes, huge or empty sizes, a pixel
    // offset inside the header, and masks in another order.
    std::mt19937 random(9);
    const Bytes good = WriteBmp(RandomImage(random, 3, 2), {40, 24, false, false});
    struct Patch {
        size_t at;
        std::uint32_t value;
        int bytes;
    };
    const Patch patches[] = {{30, 1, 4},          {28, 8, 2},          {26, 2, 2},
                             {18, 0x7FFFFFFF, 4}, {22, 0x80000000u, 4}, {22, 0, 4},
                             {18, 0, 4},          {18, 0xFFFFFFFFu, 4}, {10, 20, 4},
                             {14, 12, 4},         {14, 64, 4},         {10, 0xFFFFFFF0u, 4}};
    for (const Patch& patch : patches) {
        Bytes file = good;
        for (int i = 0; i < patch.bytes; ++i)
            file[patch.at + i] = static_cast<unsigned char>((patch.value >> (8 * i)) & 0xFF);
        Image image;
        std::string error;
        EXPECT_FALSE(Decode(file, image, error)) << "byte " << patch.at << " = " << patch.value;
        ExpectCleanFailure(image, error);
    }
    Bytes swappedMasks = WriteBmp(RandomImage(random, 2, 2), {124, 32, false, true});
    std::swap(swappedMasks[54], swappedMasks[62]);
    Image image;
    std::string error;
    EXPECT_FALSE(Decode(swappedMasks, image, error));
    ExpectCleanFailure(image, error);

    // PNGs whose header, CRC mended, declares what no file this size
    // holds, what no screen has, or nothing at all; a PNG signature before
    // junk; a header whose CRC is wrong.
    const PngLayout rgb = {PNG_COLOR_TYPE_RGB, 8, false};
    const Bytes png = WritePng(RandomImageFor(rgb, random, 3, 2), rgb, random);
    const unsigned sizes[][2] = {{8000, 8000}, {40000, 1}, {30000, 30000}, {0, 2}, {0x80000000u, 1}};
    std::vector<Bytes> badPngs;
    for (const auto& size : sizes) {
        badPngs.push_back(png);
        SetPngSize(badPngs.back(), size[0], size[1]);
    }
    badPngs.push_back(Bytes(png.begin(), png.begin() + 8));
    badPngs.back().insert(badPngs.back().end(), 40, 'x');
    badPngs.push_back(png);
    badPngs.back()[30] ^= 0x01;
    for (const Bytes& file : badPngs) {
        EXPECT_FALSE(Decode(file, image, error)) << file[16] + 0 << " " << file[20] + 0;
        ExpectCleanFailure(image, error);
    }
    Decode(badPngs[0], image, error);
    EXPECT_EQ(error, "truncated PNG file (" + std::to_string(png.size()) + " bytes cannot hold 8000 x 8000 pixels)");
    Decode(badPngs[2], image, error);
    EXPECT_EQ(error.rfind("image too large (30000 x 30000", 0), 0u) << error;
}

TEST(ImageFile, EveryTruncationFailsCleanlyOrLosesOnlyPadding)
{
    std::mt19937 random(10);
    int decodes = 0;
    for (const Sample& sample : Samples(random, 40)) {
        for (size_t length = 0; length < sample.file.size(); ++length) {
            // A copy of just the prefix, so that reading past it is caught.
            const Bytes prefix(sample.file.begin(), sample.file.begin() + static_cast<long>(length));
            Image image;
            std::string error;
            ++decodes;
            if (Decode(prefix, image, error))
                ExpectSameImage(sample.image, image);
            else
                ExpectCleanFailure(image, error);
        }
    }
    EXPECT_GT(decodes, 10000);
}

TEST(ImageFile, RandomCorruptionFailsCleanlyOrGivesAConsistentImage)
{
    std::mt19937 random(11);
    const std::vector<Sample> samples = Samples(random, 40);
    const unsigned char extremes[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, '#', ' ', '9', '\n'};
    int refused = 0;
    int accepted = 0;
    for (int trial = 0; trial < 100000; ++trial) {
        const Sample& sample = samples[static_cast<size_t>(random()) % samples.size()];
        Bytes file = sample.file;
        const int changes = 1 + static_cast<int>(random() % 4);
        bool headerTouched = false;
        for (int i = 0; i < changes; ++i) {
            // Mostly the header, where a wrong byte matters.
            const size_t at = random() % 4 != 0 ? random() % sample.headerBytes : random() % file.size();
            file[at] = random() % 2 ? extremes[random() % sizeof extremes]
                                    : static_cast<unsigned char>(random());
            headerTouched = headerTouched || at < sample.headerBytes;
        }
        if (random() % 5 == 0)
            file.resize(random() % (file.size() + 1));
        Image image;
        std::string error;
        if (Decode(file, image, error)) {
            ++accepted;
            ASSERT_GT(image.width, 0);
            ASSERT_GT(image.height, 0);
            ASSERT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height);
            if (!headerTouched && file.size() == sample.file.size()) {
                EXPECT_EQ(image.width, sample.image.width);
                EXPECT_EQ(image.height, sample.image.height);
            }
        } else {
            ++refused;
            ExpectCleanFailure(image, error);
            EXPECT_TRUE(headerTouched || file.size() < sample.file.size()) << error;
        }
    }
    EXPECT_GT(refused, 1000);
    EXPECT_GT(accepted, 1000);
}

TEST(ImageFile, CopyImageBlockFillsWhatLiesOutside)
{
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {1, 2, 3, 4, 5, 6};
    const Colour o = kNoPixel;
    std::vector<Colour> block(12, 0);
    CopyImageBlock(image, -1, -1, 4, 3, o, block.data());
    EXPECT_EQ(block, (std::vector<Colour>{o, o, o, o, o, 1, 2, 3, o, 4, 5, 6}));
    CopyImageBlock(image, 2, 1, 3, 2, o, block.data());
    EXPECT_EQ(std::vector<Colour>(block.begin(), block.begin() + 6), (std::vector<Colour>{6, o, o, o, o, o}));
    CopyImageBlock(image, 5, 0, 2, 1, o, block.data());
    EXPECT_EQ(block[0], o);
    EXPECT_EQ(block[1], o);
    CopyImageBlock(image, -4, 0, 2, 1, o, block.data());
    EXPECT_EQ(block[0], o);
    EXPECT_EQ(block[1], o);
}

}  // namespace
