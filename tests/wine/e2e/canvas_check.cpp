/*
 * Compares the canvas the stand-in painter wrote at its close with the
 * picture a copy should have left on it:
 *
 *   canvas-check CANVAS SAMPLE DX DY exact|mapped [ON_SCREEN_W ON_SCREEN_H]
 *
 * The copy's top-left pixel lies at canvas pixel (DX, DY). When the canvas
 * crosses the screen's right or bottom edge, only its first ON_SCREEN_W
 * columns and ON_SCREEN_H rows lie on the screen: only the copy's pixels
 * there are expected, and every canvas pixel beyond must still be white. "exact" expects
 * every sample pixel as it is (a copy with the painter adjustment on);
 * "mapped" expects each channel byte c as the stand-in painter's 255-column
 * bars give it to a copy without the adjustment: 0 for 0, c - 1 for 1 to
 * 127, c for 128 to 255. Every canvas pixel outside the copy must still be
 * white. Prints key=value lines:
 *   matching_pixels=  total_pixels=  matching_share= (percent, two decimals;
 *                     of the copy's pixels on the screen)
 *   stray_pixels=     (on the screen, outside the copy and not white)
 *   offscreen_painted= (beyond the screen's edges and not white)
 * and the first few differing pixels. Exit code 0 when every pixel is as
 * expected, 1 when not, 2 when a file cannot be read or the copy does not
 * fit on the canvas.
 */
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image_file.h"

namespace {

const Colour kWhite = 0x00FFFFFFu;
const int kMismatchesShown = 5;

int MappedChannel(int c)
{
    if (c == 0)
        return 0;
    return c <= 127 ? c - 1 : c;
}

Colour Expected(Colour sample, bool mapped)
{
    if (!mapped)
        return sample;
    return MakeColour(MappedChannel(RedOf(sample)), MappedChannel(GreenOf(sample)),
                      MappedChannel(BlueOf(sample)));
}

void ShowMismatch(int& shown, const char* where, int x, int y, Colour found, Colour wanted)
{
    if (shown++ >= kMismatchesShown)
        return;
    std::printf("differs %s (%d,%d): %d,%d,%d instead of %d,%d,%d\n", where, x, y, RedOf(found),
                GreenOf(found), BlueOf(found), RedOf(wanted), GreenOf(wanted), BlueOf(wanted));
}

}  // namespace

int main(int argc, char** argv)
{
    if ((argc != 6 && argc != 8) ||
        (std::strcmp(argv[5], "exact") != 0 && std::strcmp(argv[5], "mapped") != 0)) {
        std::fprintf(stderr,
                     "usage: canvas-check CANVAS SAMPLE DX DY exact|mapped [ON_SCREEN_W ON_SCREEN_H]\n");
        return 2;
    }
    Image canvas, sample;
    std::string error;
    if (!ReadImageFile(argv[1], canvas, error) || !ReadImageFile(argv[2], sample, error)) {
        std::fprintf(stderr, "canvas-check: %s\n", error.c_str());
        return 2;
    }
    const int dx = std::atoi(argv[3]);
    const int dy = std::atoi(argv[4]);
    const bool mapped = std::strcmp(argv[5], "mapped") == 0;
    const int onScreenWidth = argc == 8 ? std::atoi(argv[6]) : canvas.width;
    const int onScreenHeight = argc == 8 ? std::atoi(argv[7]) : canvas.height;
    if (dx < 0 || dy < 0 || dx + sample.width > canvas.width || dy + sample.height > canvas.height) {
        std::fprintf(stderr, "canvas-check: a %dx%d copy at (%d,%d) does not fit a %dx%d canvas\n",
                     sample.width, sample.height, dx, dy, canvas.width, canvas.height);
        return 2;
    }

    long matching = 0, total = 0, stray = 0, offScreen = 0;
    int shown = 0;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const Colour found = canvas.At(x, y);
            if (x >= onScreenWidth || y >= onScreenHeight) {
                if (found != kWhite) {
                    ++offScreen;
                    ShowMismatch(shown, "beyond the screen's edge at", x, y, found, kWhite);
                }
                continue;
            }
            const bool inCopy = x >= dx && y >= dy && x < dx + sample.width && y < dy + sample.height;
            if (!inCopy) {
                if (found != kWhite) {
                    ++stray;
                    ShowMismatch(shown, "outside the copy at", x, y, found, kWhite);
                }
                continue;
            }
            const Colour wanted = Expected(sample.At(x - dx, y - dy), mapped);
            ++total;
            if (found == wanted)
                ++matching;
            else
                ShowMismatch(shown, "at sample pixel", x - dx, y - dy, found, wanted);
        }
    }
    std::printf("matching_pixels=%ld\ntotal_pixels=%ld\nmatching_share=%.2f\nstray_pixels=%ld\n"
                "offscreen_painted=%ld\n",
                matching, total,
                total > 0 ? 100.0 * static_cast<double>(matching) / static_cast<double>(total) : 0.0,
                stray, offScreen);
    return matching == total && total > 0 && stray == 0 && offScreen == 0 ? 0 : 1;
}
