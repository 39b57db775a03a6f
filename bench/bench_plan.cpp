/*
 * bench-plan: how long the plan of a photo-like picture takes to build,
 * next to the plain pixel-by-pixel build on the same input. Prints
 *   colours N        distinct quantised colours of the 640x480 source
 *   reference_ms X   the plain build at 640x480 (median)
 *   fast_ms X        BuildColourGroups at 640x480 (median)
 *   fullhd_ms X      BuildColourGroups at 1920x1080 (median)
 *   ratio N          reference over fast at 640x480
 * and exits 1 if the two builds disagree. Scales are 200 on every channel.
 */
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "image_desktop.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "plan/reference_plan.h"
#include "ui/selection.h"
#include "ui/trace_options.h"

namespace {

const int kScale = 200;

int Clamp(double v) { return static_cast<int>(std::min(255.0, std::max(0.0, v + 0.5))); }
double Mix(double a, double b, double t) { return a + (b - a) * t; }

// A landscape photograph, made up: a sky darkening upward with soft clouds
// above a wavy horizon, fields of shifting green and brown under uneven
// light below, and a camera sensor's noise on every pixel (a little in the
// brightness, a few levels in red and blue). The scene is the same at every
// size; only the noise is per pixel.
Image PhotoLike(int width, int height, unsigned seed)
{
    const double kPi = 3.14159265358979;
    const double kGrain = 0.005;  // relative brightness noise
    const double kChroma = 2.0;   // colour noise, in levels of red and blue
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width;
            const double horizon = 0.42 + 0.06 * std::sin(2 * kPi * (1.3 * u + 0.2)) +
                                   0.03 * std::sin(2 * kPi * 4.1 * u);
            double r, g, b;
            if (v < horizon) {
                const double t = v / horizon;
                const double cloud = std::max(0.0, std::sin(2 * kPi * (2.1 * u + 0.7 * v)) *
                                                       std::sin(2 * kPi * (3.3 * v - 0.4 * u + 0.1)) - 0.3);
                r = Mix(Mix(60, 190, t), 245, cloud);
                g = Mix(Mix(110, 205, t), 245, cloud);
                b = Mix(Mix(200, 235, t), 250, cloud);
            } else {
                const double t = (v - horizon) / (1 - horizon);
                const double field = 0.5 + 0.5 * std::sin(2 * kPi * (1.7 * u - 0.9 * t + 0.3));
                const double light = 0.75 + 0.35 * t + 0.12 * std::sin(2 * kPi * (23 * u + 11 * t)) *
                                                           std::sin(2 * kPi * (17 * t - 7 * u));
                r = Mix(50, 130, field) * light;
                g = Mix(105, 95, field) * light;
                b = Mix(35, 55, field) * light;
            }
            const double grain = 1 + kGrain * noise(random);
            const double redNoise = kChroma * noise(random);
            const double blueNoise = kChroma * noise(random);
            image.pixels[static_cast<size_t>(y) * width + x] =
                MakeColour(Clamp(r * grain + redNoise), Clamp(g * grain), Clamp(b * grain + blueNoise));
        }
    }
    return image;
}

void UseSource(const Image& image)
{
    UseImageAsScreen(image);
    SourceRect = ScreenRect{0, 0, image.width - 1, image.height - 1};
    Palette.redScale = Palette.greenScale = Palette.blueScale = kScale;
    TraceOptions.painterAdjust = 0;
    TraceOptions.transparentTopLeft = 0;
}

template <typename Work>
double MedianMs(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool SameGroups(const std::vector<ColourGroup>& a, const std::vector<ColourGroup>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue ||
            a[i].runCount != b[i].runCount || a[i].runStarts != b[i].runStarts ||
            a[i].runLengths != b[i].runLengths)
            return false;
    return true;
}

}  // namespace

int main()
{
    // Both fast builds are timed first, on a heap that the plain build,
    // which the program never runs, has not yet strewn with its lists.
    const Image vga = PhotoLike(640, 480, 1);
    UseSource(vga);
    const double fastMs = MedianMs(15, [] { BuildColourGroups(); });
    const Image fullHd = PhotoLike(1920, 1080, 2);
    UseSource(fullHd);
    const double fullHdMs = MedianMs(9, [] { BuildColourGroups(); });

    UseSource(vga);
    BuildColourGroups();
    std::vector<ColourGroup> reference;
    const double referenceMs = MedianMs(3, [&reference] { reference = BuildReferenceColourGroups(); });
    if (!SameGroups(reference, ColourGroupList)) {
        std::fprintf(stderr, "bench-plan: the fast build differs from the plain one\n");
        return 1;
    }
    std::printf("colours %zu\n", ColourGroupList.size());
    std::printf("reference_ms %.2f\n", referenceMs);
    std::printf("fast_ms %.3f\n", fastMs);
    std::printf("fullhd_ms %.2f\n", fullHdMs);
    std::printf("ratio %.0f\n", referenceMs / fastMs);
    return 0;
}
