/*
 * The stand-in painter's behaviour: slider presses, drags and the picture
 * of its client area.
 */
#include "painter_model.h"

#include <algorithm>
#include <cstdlib>

#include "app/painter_contract.h"

namespace standin {

namespace {

const Colour kBackground = 0x00E0E0E0u;
const Colour kFrame = 0x00606060u;

std::uint32_t ToDib(Colour c)
{
    return static_cast<std::uint32_t>(RedOf(c)) << 16 | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
           static_cast<std::uint32_t>(BlueOf(c));
}

void Fill(std::vector<std::uint32_t>& pixels, int width, const Rect& r, Colour c)
{
    const std::uint32_t value = ToDib(c);
    for (int y = r.top; y <= r.bottom; ++y)
        std::fill(pixels.begin() + (y * width + r.left), pixels.begin() + (y * width + r.right + 1),
                  value);
}

void Blit(std::vector<std::uint32_t>& pixels, int width, const Rect& r,
          const std::vector<Colour>& picture)
{
    const int pictureWidth = WidthOf(r);
    for (int y = 0; y < HeightOf(r); ++y)
        for (int x = 0; x < pictureWidth; ++x)
            pixels[(r.top + y) * width + r.left + x] = ToDib(picture[y * pictureWidth + x]);
}

void PaintPixel(std::vector<Colour>& canvas, int width, int height, int x, int y, Colour c)
{
    if (x >= 0 && y >= 0 && x < width && y < height)
        canvas[y * width + x] = c;
}

}  // namespace

int SliderValueAt(int offset, int barWidth)
{
    const int v = std::min(std::max(offset, 0), barWidth);
    return (v * 255 + barWidth / 2) / barWidth;
}

void ResetPainter(PainterState& state, const PainterOptions& options)
{
    state.options = options;
    state.layout = MakeLayout(options);
    state.channels[kRed] = state.channels[kGreen] = state.channels[kBlue] = 0;
    state.dragging = false;
    state.pressPoint = CanvasPoint{0, 0};
    state.pressColour = 0;
    state.pathEnd = CanvasPoint{0, 0};
    state.pathPainted = false;
    state.canvas.assign(static_cast<size_t>(options.canvasWidth) * options.canvasHeight,
                        kCanvasWhite);
}

Colour CurrentColour(const PainterState& state)
{
    return MakeColour(state.channels[kRed], state.channels[kGreen], state.channels[kBlue]);
}

bool PressAt(PainterState& state, int x, int y)
{
    const PainterLayout& layout = state.layout;
    if (Contains(layout.canvas, x, y)) {
        state.dragging = true;
        state.pressPoint = CanvasPoint{x - layout.canvas.left, y - layout.canvas.top};
        state.pressColour = CurrentColour(state);
        state.pathEnd = state.pressPoint;
        state.pathPainted = false;
        return false;
    }
    for (int channel = kRed; channel <= kBlue; ++channel) {
        if (Contains(layout.barPress[channel], x, y)) {
            const int value = SliderValueAt(x - layout.bars[channel].left, state.options.barWidth);
            const bool changed = value != state.channels[channel];
            state.channels[channel] = value;
            return changed;
        }
    }
    return false;
}

bool MoveAt(PainterState& state, int x, int y, Stroke& piece)
{
    const CanvasPoint to = CanvasPoint{x - state.layout.canvas.left, y - state.layout.canvas.top};
    if (!state.options.paintPath || !state.dragging ||
        (to.x == state.pathEnd.x && to.y == state.pathEnd.y))
        return false;
    piece = Stroke{state.pathEnd, to, state.pressColour, false};
    state.pathEnd = to;
    state.pathPainted = true;
    return true;
}

bool ReleaseAt(PainterState& state, int x, int y, Stroke& stroke)
{
    if (!state.dragging)
        return false;
    state.dragging = false;
    stroke.from = state.options.paintPath ? state.pathEnd : state.pressPoint;
    stroke.to = CanvasPoint{x - state.layout.canvas.left, y - state.layout.canvas.top};
    stroke.colour = state.pressColour;
    stroke.paintsRelease = state.options.paintReleasePixel;
    stroke.paintsPress = !(state.options.paintPath && state.pathPainted &&
                           stroke.from.x == stroke.to.x && stroke.from.y == stroke.to.y);
    return true;
}

void PaintStroke(std::vector<Colour>& canvas, int width, int height, const Stroke& stroke)
{
    // Bresenham over all octants; the release point is the last one visited.
    int x = stroke.from.x;
    int y = stroke.from.y;
    const int dx = std::abs(stroke.to.x - x);
    const int dy = -std::abs(stroke.to.y - y);
    const int stepX = x < stroke.to.x ? 1 : -1;
    const int stepY = y < stroke.to.y ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        const bool atRelease = x == stroke.to.x && y == stroke.to.y;
        const bool atPress = x == stroke.from.x && y == stroke.from.y;
        const bool painted = atRelease ? stroke.paintsRelease || (atPress && stroke.paintsPress)
                                       : !atPress || stroke.paintsPress;
        if (painted)
            PaintPixel(canvas, width, height, x, y, stroke.colour);
        if (atRelease)
            return;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void RenderClient(const PainterState& state, const std::vector<Colour>& sample,
                  std::vector<std::uint32_t>& pixels)
{
    const PainterLayout& layout = state.layout;
    const int width = layout.clientWidth;
    pixels.assign(static_cast<size_t>(width) * layout.clientHeight, ToDib(kBackground));
    Fill(pixels, width, layout.bars[kRed], kRedBarColour);
    Fill(pixels, width, layout.bars[kGreen], kGreenBarColour);
    Fill(pixels, width, layout.bars[kBlue], kBlueBarColour);
    Fill(pixels, width, layout.swatch, CurrentColour(state));
    Blit(pixels, width, layout.sample, sample);
    const Rect& c = layout.canvas;
    Fill(pixels, width, Rect{c.left - 1, c.top - 1, c.right + 1, c.bottom + 1}, kFrame);
    Blit(pixels, width, c, state.canvas);
}

}  // namespace standin
