/*
 * The desktop seam's functions answered from an image (see
 * image_desktop.h).
 */
#include "image_desktop.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/screen.h"

namespace {

const Image* screenImage = nullptr;
ScreenPoint cursor = {0, 0};

Colour ImagePixel(int x, int y)
{
    if (!screenImage || x < 0 || y < 0 || x >= screenImage->width || y >= screenImage->height)
        return kNoPixel;
    return screenImage->At(x, y);
}

}  // namespace

void UseImageAsScreen(const Image& image)
{
    screenImage = &image;
    ScreenWidth = image.width;
    ScreenHeight = image.height;
}

Colour ReadScreenPixel(int x, int y) { return ImagePixel(x, y); }

void FreezeScreen(bool alsoSource) { (void)alsoSource; }

Colour ReadSnapshotPixel(int x, int y) { return ImagePixel(x, y); }

Colour ReadSourcePixel(int x, int y) { return ImagePixel(x, y); }

bool ReadSourceBlock(int left, int top, int width, int height, Colour* out)
{
    if (!screenImage)
        return false;
    CopyImageBlock(*screenImage, left, top, width, height, kNoPixel, out);
    return true;
}

void SetCursorPosition(int x, int y) { cursor = ScreenPoint{x, y}; }
ScreenPoint ReadSystemCursorPosition() { return cursor; }
ScreenPoint ReadCursorPosition() { return cursor; }

void PressLeftButton() {}
void ReleaseLeftButton() {}

std::uint32_t ReadTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ShowCompletionBox(const char* text, const char* title)
{
    std::fprintf(stderr, "%s: %s\n", title, text);
}
