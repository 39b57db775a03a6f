/*
 * PPM and BMP encoding. Both store red, green and blue bytes; BMP in the
 * order blue, green, red, as the format has it.
 */
#include "image_writer.h"

#include <cstdio>

namespace standin {

namespace {

void PutLittle(std::string& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

std::string EncodePpm(int width, int height, const std::vector<Colour>& pixels)
{
    std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    out.reserve(out.size() + pixels.size() * 3);
    for (Colour c : pixels) {
        out += static_cast<char>(RedOf(c));
        out += static_cast<char>(GreenOf(c));
        out += static_cast<char>(BlueOf(c));
    }
    return out;
}

std::string EncodeBmp(int width, int height, const std::vector<Colour>& pixels)
{
    const unsigned rowBytes = (static_cast<unsigned>(width) * 3 + 3) / 4 * 4;
    const unsigned imageBytes = rowBytes * static_cast<unsigned>(height);
    const unsigned headerBytes = 14 + 40;
    std::string out;
    out.reserve(headerBytes + imageBytes);
    out += "BM";
    PutLittle(out, headerBytes + imageBytes, 4);
    PutLittle(out, 0, 4);             // reserved
    PutLittle(out, headerBytes, 4);   // offset of the pixels
    PutLittle(out, 40, 4);            // BITMAPINFOHEADER
    PutLittle(out, static_cast<unsigned>(width), 4);
    PutLittle(out, static_cast<unsigned>(height), 4);  // positive: bottom-up
    PutLittle(out, 1, 2);             // planes
    PutLittle(out, 24, 2);            // bits per pixel
    PutLittle(out, 0, 4);             // no compression
    PutLittle(out, imageBytes, 4);
    PutLittle(out, 2835, 4);          // 72 dpi, both ways
    PutLittle(out, 2835, 4);
    PutLittle(out, 0, 4);             // no colour table
    PutLittle(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = pixels[static_cast<size_t>(y) * width + x];
            out += static_cast<char>(BlueOf(c));
            out += static_cast<char>(GreenOf(c));
            out += static_cast<char>(RedOf(c));
        }
        out.append(rowBytes - static_cast<unsigned>(width) * 3, '\0');
    }
    return out;
}

bool NamesBmp(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return tail == ".bmp";
}

bool WriteImageFile(const std::string& path, int width, int height,
                    const std::vector<Colour>& pixels)
{
    const std::string bytes =
        NamesBmp(path) ? EncodeBmp(width, height, pixels) : EncodePpm(width, height, pixels);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace standin
