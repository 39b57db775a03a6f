/*
 * Reading and writing PPM and BMP image files (see image_file.h); PNG
 * files, where the build reads them, go to png_file.cpp. Every
 * size a header declares is checked against the bytes the file really has
 * before anything is allocated, so a damaged header can neither make the
 * reader run past the data nor ask for more memory than the file could
 * fill.
 */
#include "image_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#ifdef VELLIPA_READS_PNG
#include "png_file.h"
#endif

namespace {

bool Fail(std::string& error, const std::string& reason)
{
    error = reason;
    return false;
}

std::string Count(long long n) { return std::to_string(n); }

// ---- PPM ----

bool IsPpmSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Skips the white space and comments before a header number; at least one
// of them must be there.
bool SkipPpmSeparator(const unsigned char* data, std::size_t size, std::size_t& at)
{
    const std::size_t from = at;
    while (at < size) {
        if (IsPpmSpace(data[at])) {
            ++at;
        } else if (data[at] == '#') {
            while (at < size && data[at] != '\n' && data[at] != '\r')
                ++at;
        } else {
            break;
        }
    }
    return at > from;
}

bool ReadPpmNumber(const unsigned char* data, std::size_t size, std::size_t& at, const char* what,
                   long long limit, long long& value, std::string& error)
{
    if (!SkipPpmSeparator(data, size, at) || at >= size || data[at] < '0' || data[at] > '9')
        return Fail(error, std::string(at >= size ? "truncated PPM header" : "bad PPM header") +
                               " (no " + what + ")");
    value = 0;
    while (at < size && data[at] >= '0' && data[at] <= '9') {
        value = value * 10 + (data[at] - '0');
        if (value > limit)
            return Fail(error, std::string("PPM ") + what + " too large");
        ++at;
    }
    return true;
}

bool DecodePpm(const unsigned char* data, std::size_t size, Image& image, std::string& error)
{
    std::size_t at = 2;
    long long width = 0, height = 0, maxval = 0;
    if (!ReadPpmNumber(data, size, at, "width", kMaxImageSide, width, error) ||
        !ReadPpmNumber(data, size, at, "height", kMaxImageSide, height, error) ||
        !ReadPpmNumber(data, size, at, "maxval", 65535, maxval, error))
        return false;
    if (width == 0 || height == 0)
        return Fail(error, "empty PPM image (" + Count(width) + " x " + Count(height) + ")");
    if (!ImageSizeAllowed(width, height, error))
        return false;
    if (maxval != 255)
        return Fail(error, "unsupported PPM maxval " + Count(maxval) + " (only 255 is read)");
    // Exactly one white-space byte ends the header.
    if (at >= size)
        return Fail(error, "truncated PPM header");
    if (!IsPpmSpace(data[at]))
        return Fail(error, "bad PPM header (no white space after maxval)");
    ++at;
    const long long needed = width * height * 3;
    const long long present = static_cast<long long>(size - at);
    if (present < needed)
        return Fail(error, "truncated PPM pixel data (" + Count(present) + " of " + Count(needed) + " bytes)");

    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height));
    const unsigned char* rgb = data + at;
    for (Colour& pixel : image.pixels) {
        pixel = MakeColour(rgb[0], rgb[1], rgb[2]);
        rgb += 3;
    }
    return true;
}

// ---- BMP ----

std::uint32_t U16(const unsigned char* p) { return p[0] | (static_cast<std::uint32_t>(p[1]) << 8); }
std::uint32_t U32(const unsigned char* p)
{
    return p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
           (static_cast<std::uint32_t>(p[3]) << 24);
}
long long S32(const unsigned char* p)
{
    const std::uint32_t u = U32(p);
    return u >= 0x80000000u ? static_cast<long long>(u) - 0x100000000LL : static_cast<long long>(u);
}

const std::uint32_t kBiRgb = 0;
const std::uint32_t kBiBitfields = 3;
const std::size_t kFileHeaderBytes = 14;

bool KnownInfoHeader(std::uint32_t bytes)
{
    return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 || bytes == 124;
}

// Bit fields are accepted only when they describe the plain layout, blue in
// the lowest byte: then the pixels read as uncompressed ones.
bool CheckBitfields(const unsigned char* data, std::size_t size, std::uint32_t infoBytes,
                    std::size_t& dataStart, std::string& error)
{
    std::size_t masksAt = kFileHeaderBytes + 40;
    if (infoBytes == 40) {
        dataStart += 12;
        if (dataStart > size)
            return Fail(error, "truncated BMP header (colour masks)");
    }
    if (U32(data + masksAt) != 0x00FF0000u || U32(data + masksAt + 4) != 0x0000FF00u ||
        U32(data + masksAt + 8) != 0x000000FFu)
        return Fail(error, "unsupported BMP colour masks");
    return true;
}

bool DecodeBmp(const unsigned char* data, std::size_t size, Image& image, std::string& error)
{
    if (size < kFileHeaderBytes + 4)
        return Fail(error, "truncated BMP header");
    const std::uint32_t infoBytes = U32(data + kFileHeaderBytes);
    if (!KnownInfoHeader(infoBytes))
        return Fail(error, "unsupported BMP header (" + Count(infoBytes) + " bytes)");
    std::size_t dataStart = kFileHeaderBytes + infoBytes;
    if (dataStart > size)
        return Fail(error, "truncated BMP header");
    const std::uint32_t pixelOffset = U32(data + 10);
    const long long width = S32(data + 18);
    const long long declaredHeight = S32(data + 22);
    const std::uint32_t planes = U16(data + 26);
    const std::uint32_t bits = U16(data + 28);
    const std::uint32_t compression = U32(data + 30);

    if (planes != 1)
        return Fail(error, "bad BMP header (" + Count(planes) + " planes)");
    if (bits != 24 && bits != 32)
        return Fail(error, "unsupported BMP depth (" + Count(bits) + " bits per pixel; 24 or 32 are read)");
    if (compression == kBiBitfields && bits == 32) {
        if (!CheckBitfields(data, size, infoBytes, dataStart, error))
            return false;
    } else if (compression != kBiRgb) {
        return Fail(error, "unsupported BMP compression " + Count(compression));
    }
    const bool topDown = declaredHeight < 0;
    const long long height = topDown ? -declaredHeight : declaredHeight;
    if (width <= 0 || height == 0)
        return Fail(error, "bad BMP size (" + Count(width) + " x " + Count(declaredHeight) + ")");
    if (!ImageSizeAllowed(width, height, error))
        return false;
    if (pixelOffset < dataStart)
        return Fail(error, "bad BMP pixel data offset " + Count(pixelOffset));

    const long long bytesPerPixel = bits / 8;
    const long long stride = (width * bits + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    const long long needed = stride * (height - 1) + width * bytesPerPixel;
    const long long present = pixelOffset <= size ? static_cast<long long>(size - pixelOffset) : 0;
    if (present < needed)
        return Fail(error, "truncated BMP pixel data (" + Count(present) + " of " + Count(needed) + " bytes)");

    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width * height));
    for (long long row = 0; row < height; ++row) {
        const long long fileRow = topDown ? row : height - 1 - row;
        const unsigned char* bgr = data + pixelOffset + fileRow * stride;
        Colour* out = image.pixels.data() + row * width;
        for (long long x = 0; x < width; ++x, bgr += bytesPerPixel)
            out[x] = MakeColour(bgr[2], bgr[1], bgr[0]);
    }
    return true;
}

void PutU16(std::vector<unsigned char>& out, std::uint32_t v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void PutU32(std::vector<unsigned char>& out, std::uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

std::vector<unsigned char> EncodeBmp(const Image& image, int bits)
{
    const std::uint32_t stride = static_cast<std::uint32_t>((image.width * bits + 31) / 32 * 4);
    const std::uint32_t dataBytes = stride * static_cast<std::uint32_t>(image.height);
    std::vector<unsigned char> out;
    out.reserve(54 + dataBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, 54 + dataBytes);
    PutU32(out, 0);
    PutU32(out, 54);
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bits));
    PutU32(out, kBiRgb);
    PutU32(out, dataBytes);
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int row = image.height - 1; row >= 0; --row) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.At(x, row);
            out.push_back(static_cast<unsigned char>(BlueOf(c)));
            out.push_back(static_cast<unsigned char>(GreenOf(c)));
            out.push_back(static_cast<unsigned char>(RedOf(c)));
            if (bits == 32)
                out.push_back(0);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

std::vector<unsigned char> EncodePpm(const Image& image)
{
    const std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<unsigned char> out(header.begin(), header.end());
    out.reserve(header.size() + image.pixels.size() * 3);
    for (Colour c : image.pixels) {
        out.push_back(static_cast<unsigned char>(RedOf(c)));
        out.push_back(static_cast<unsigned char>(GreenOf(c)));
        out.push_back(static_cast<unsigned char>(BlueOf(c)));
    }
    return out;
}

// A file larger than the largest image could need is refused unread, so a
// device that never ends cannot hold the reader up.
const std::size_t kMaxFileBytes = static_cast<std::size_t>(kMaxImagePixels) * 4 + (1u << 20);

}  // namespace

bool ImageSizeAllowed(long long width, long long height, std::string& error)
{
    if (width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels)
        return true;
    return Fail(error, "image too large (" + Count(width) + " x " + Count(height) + ", at most " +
                           Count(kMaxImageSide) + " per side and " + Count(kMaxImagePixels) + " pixels)");
}

void CopyImageBlock(const Image& image, int left, int top, int width, int height, Colour outside,
                    Colour* out)
{
    if (width <= 0)
        return;
    for (int row = 0; row < height; ++row) {
        Colour* line = out + static_cast<std::size_t>(row) * width;
        const int y = top + row;
        // Columns from..to-1 of the block lie inside the image.
        const long long from = left < 0 ? std::min<long long>(-static_cast<long long>(left), width) : 0;
        const long long to = std::max<long long>(
            from, std::min<long long>(width, static_cast<long long>(image.width) - left));
        if (y < 0 || y >= image.height || from >= to) {
            std::fill(line, line + width, outside);
            continue;
        }
        const Colour* source = image.pixels.data() + static_cast<std::size_t>(y) * image.width + (left + from);
        std::fill(line, line + from, outside);
        std::copy(source, source + (to - from), line + from);
        std::fill(line + to, line + width, outside);
    }
}

bool DecodeImage(const unsigned char* data, std::size_t size, Image& image, std::string& error)
{
    image = Image();
    error.clear();
    bool decoded = false;
    if (size >= 2 && data[0] == 'P' && data[1] == '6')
        decoded = DecodePpm(data, size, image, error);
    else if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        decoded = DecodeBmp(data, size, image, error);
#ifdef VELLIPA_READS_PNG
    else if (IsPngData(data, size))
        decoded = DecodePng(data, size, image, error);
    else
        error = "not a PNG, binary PPM (P6) or BMP file";
#else
    else
        error = "not a binary PPM (P6) or BMP file";
#endif
    if (!decoded)
        image = Image();
    return decoded;
}

bool ReadImageFile(const std::string& path, Image& image, std::string& error)
{
    image = Image();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return Fail(error, path + ": " + std::strerror(errno));
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    bool tooLarge = false;
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (bytes.size() + got > kMaxFileBytes) {
            tooLarge = true;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed)
        return Fail(error, path + ": " + std::strerror(readErrno));
    if (tooLarge)
        return Fail(error, path + ": file too large for an image");
    if (!DecodeImage(bytes.data(), bytes.size(), image, error))
        return Fail(error, path + ": " + error);
    return true;
}

std::vector<unsigned char> EncodeImage(const Image& image, ImageFormat format)
{
    switch (format) {
    case ImageFormat::Bmp24:
        return EncodeBmp(image, 24);
    case ImageFormat::Bmp32:
        return EncodeBmp(image, 32);
    case ImageFormat::Ppm:
        break;
    }
    return EncodePpm(image);
}

ImageFormat ImageFormatForName(const std::string& path)
{
    if (path.size() < 4)
        return ImageFormat::Ppm;
    std::string ending = path.substr(path.size() - 4);
    for (char& c : ending)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ending == ".bmp" ? ImageFormat::Bmp24 : ImageFormat::Ppm;
}

bool WriteImageFile(const std::string& path, const Image& image, ImageFormat format, std::string& error)
{
    const std::vector<unsigned char> bytes = EncodeImage(image, format);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return Fail(error, path + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return Fail(error, path + ": could not write the image");
    return true;
}
