/*
 * The sample picture's drawing, in painting order: background and confetti,
 * then the gradient disc, the hue band and the test swatches on top. Every
 * shape is placed in proportion to the picture's size.
 */
#include "sample_picture.h"

#include <algorithm>

namespace standin {

namespace {

const Colour kBackground = 0x006E5A1Eu;  // (30, 90, 110)

const Colour kConfetti[6] = {
    0x003030E0u,  // red
    0x0020D0F0u,  // yellow
    0x0040C040u,  // green
    0x00F0A040u,  // light blue
    0x00C040C0u,  // purple
    0x00B4C8F0u,  // pale orange (240, 200, 180)
};

int Clamp(int v) { return std::min(std::max(v, 0), 255); }

// A hue at full saturation, h in 0..1535, with the given brightness 0..255.
Colour Hue(int h, int brightness)
{
    const int sector = h / 256;
    const int rise = h % 256;
    int r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = 255; g = rise; break;
    case 1: r = 255 - rise; g = 255; break;
    case 2: g = 255; b = rise; break;
    case 3: g = 255 - rise; b = 255; break;
    case 4: r = rise; b = 255; break;
    default: r = 255; b = 255 - rise; break;
    }
    return MakeColour(r * brightness / 255, g * brightness / 255, b * brightness / 255);
}

void DrawConfetti(std::vector<Colour>& p, int width, int height)
{
    // A dot every seventh column, shifted by three columns each row, so that
    // every row is broken into several runs of the background.
    for (int y = 0; y < height; ++y)
        for (int x = (y * 3) % 7; x < width; x += 7)
            p[y * width + x] = kConfetti[(x / 7 + y) % 6];
}

void DrawDisc(std::vector<Colour>& p, int width, int height)
{
    const int cx = width * 11 / 32;
    const int cy = height / 2;
    const int radius = std::max(1, std::min(width, height) * 3 / 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int dx = x - cx;
            const int dy = y - cy;
            if (dx * dx + dy * dy > radius * radius)
                continue;
            const int u = (dx + radius) * 255 / (2 * radius);
            const int v = (dy + radius) * 255 / (2 * radius);
            p[y * width + x] = MakeColour(Clamp(40 + u * 3 / 4), Clamp(20 + v * 7 / 8),
                                          Clamp(230 - (u + v) / 3));
        }
    }
}

void DrawHueBand(std::vector<Colour>& p, int width, int height)
{
    const int left = width * 23 / 32;
    const int right = width * 30 / 32;
    const int top = height / 8;
    const int bottom = height * 6 / 8;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            p[y * width + x] = Hue((x - left) * 1535 / std::max(1, right - left - 1),
                                   255 - (y - top) * 200 / std::max(1, bottom - top));
}

void DrawSwatches(std::vector<Colour>& p, int width, int height)
{
    static const Colour swatches[] = {
        MakeColour(0, 0, 0),     MakeColour(255, 0, 0),     MakeColour(0, 255, 0),
        MakeColour(0, 0, 255),   MakeColour(255, 255, 0),   MakeColour(1, 127, 128),
        MakeColour(254, 1, 127), MakeColour(128, 254, 1),   MakeColour(127, 128, 254),
        MakeColour(255, 128, 1),
    };
    // Two rows of five, below the hue band.
    const int count = sizeof swatches / sizeof swatches[0];
    const int left = width * 23 / 32;
    const int top = height * 25 / 32;
    const int side = std::max(1, (width - left) / 5);
    const int rowHeight = std::max(1, (height - top) / 2);
    for (int i = 0; i < count; ++i) {
        const int x0 = left + (i % 5) * side;
        const int y0 = top + (i / 5) * rowHeight;
        for (int y = y0; y < std::min(height, y0 + rowHeight); ++y)
            for (int x = x0; x < std::min(width, x0 + side); ++x)
                p[y * width + x] = swatches[i];
    }
}

}  // namespace

std::vector<Colour> MakeSamplePicture(int width, int height)
{
    std::vector<Colour> picture(static_cast<size_t>(width) * height, kBackground);
    DrawConfetti(picture, width, height);
    DrawDisc(picture, width, height);
    DrawHueBand(picture, width, height);
    DrawSwatches(picture, width, height);
    return picture;
}

}  // namespace standin
