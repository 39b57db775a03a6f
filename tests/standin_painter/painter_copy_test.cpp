/*
 * A whole copy of the stand-in painter's sample picture into its own canvas,
 * by Vellipa's detection, planning and trace on the simulated desktop, the
 * painter model taking the injected presses and releases. This is the claim
 * the painter is built on: with the adjustment on, the copy is pixel-exact;
 * without it, into the end-including mode, every pixel gets the colour the
 * painter's slider mapping gives for its bytes.
 */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "painter_model.h"
#include "palette/palette.h"
#include "plan/colour_groups.h"
#include "sample_picture.h"
#include "sim/sim_desktop.h"
#include "trace/trace_driver.h"
#include "ui/selection.h"
#include "ui/trace_mode.h"
#include "ui/trace_options.h"

namespace {

using standin::PainterState;
using standin::Rect;

const int kClientX = 60;
const int kClientY = 30;
const int kDestColumn = 7;  // where the copy starts on the canvas
const int kDestRow = 5;

// The painter on the simulated desktop: it sees the presses and releases
// where the cursor stands and shows each stroke on the screen at once.
class PainterOnSim : public SimListener {
public:
    explicit PainterOnSim(const standin::PainterOptions& options)
    {
        standin::ResetPainter(painter, options);
        sample = standin::MakeSamplePicture(options.sampleWidth, options.sampleHeight);
        std::vector<std::uint32_t> pixels;
        standin::RenderClient(painter, sample, pixels);
        const standin::PainterLayout& l = painter.layout;
        Sim().Reset(kClientX + l.clientWidth + 10, kClientY + l.clientHeight + 10, 0);
        for (int y = 0; y < l.clientHeight; ++y)
            for (int x = 0; x < l.clientWidth; ++x) {
                const std::uint32_t p = pixels[y * l.clientWidth + x];
                Sim().SetPixel(kClientX + x, kClientY + y,
                               MakeColour((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
            }
        Sim().SetListener(this);
    }
    ~PainterOnSim() override { Sim().SetListener(nullptr); }

    void OnLeftDown(ScreenPoint at) override
    {
        standin::PressAt(painter, at.x - kClientX, at.y - kClientY);
    }

    void OnLeftUp(ScreenPoint at) override
    {
        standin::Stroke stroke;
        if (!standin::ReleaseAt(painter, at.x - kClientX, at.y - kClientY, stroke))
            return;
        ++strokes;
        const int width = painter.options.canvasWidth;
        const int height = painter.options.canvasHeight;
        standin::PaintStroke(painter.canvas, width, height, stroke);
        const Rect& canvas = painter.layout.canvas;
        for (int y = std::max(0, std::min(stroke.from.y, stroke.to.y));
             y <= std::min(height - 1, std::max(stroke.from.y, stroke.to.y)); ++y)
            for (int x = 0; x < width; ++x)
                Sim().SetPixel(kClientX + canvas.left + x, kClientY + canvas.top + y,
                               painter.canvas[y * width + x]);
    }

    Rect OnScreen(const Rect& r) const
    {
        return Rect{kClientX + r.left, kClientY + r.top, kClientX + r.right, kClientY + r.bottom};
    }

    Colour CanvasAt(int x, int y) const
    {
        return painter.canvas[y * painter.options.canvasWidth + x];
    }

    PainterState painter;
    std::vector<Colour> sample;
    int strokes = 0;
};

// Picks, starts and runs a trace to its end as the panel would.
void CopySample(PainterOnSim& sim, bool painterAdjust)
{
    Sim().Freeze(true);
    const Rect drag = sim.OnScreen(sim.painter.layout.paletteDrag);
    DetectPalette(drag.left, drag.top, drag.right, drag.bottom, painterAdjust);
    ASSERT_TRUE(PaletteFound());
    const Rect sample = sim.OnScreen(sim.painter.layout.sample);
    SourceRect = ScreenRect{sample.left, sample.top, sample.right, sample.bottom};
    const Rect canvas = sim.OnScreen(sim.painter.layout.canvas);
    DestPoint = ScreenPoint{canvas.left + kDestColumn, canvas.top + kDestRow};
    TraceOptions = TraceOptionsRecord{1, 0, painterAdjust ? 1 : 0, 0, 0, 0};
    BuildColourGroups();
    ASSERT_TRUE(RowFillFirst);  // the sample is made to call for one
    StartTrace();
    for (int step = 0; step < 100000 && TraceMode == Mode::Tracing; ++step)
        RunTraceStep();
    EXPECT_EQ(TraceMode, Mode::Idle);
    EXPECT_EQ(Sim().Boxes().size(), 1u);
}

// The colour the painter's mapping gives for a byte without the adjustment
// (255-column bars): see painter_model.h.
int Unadjusted(int c)
{
    return c >= 1 && c <= 127 ? c - 1 : c;
}

TEST(StandinCopy, CopyWithAdjustmentIsPixelExact)
{
    PainterOnSim sim{standin::PainterOptions()};
    CopySample(sim, true);
    const int width = sim.painter.options.sampleWidth;
    int wrong = 0;
    for (int y = 0; y < sim.painter.options.sampleHeight; ++y)
        for (int x = 0; x < width; ++x)
            wrong += sim.CanvasAt(kDestColumn + x, kDestRow + y) != sim.sample[y * width + x];
    EXPECT_EQ(wrong, 0);
    // Nothing outside the copy's rectangle was touched.
    EXPECT_EQ(sim.CanvasAt(kDestColumn + width, kDestRow), standin::kCanvasWhite);
    EXPECT_EQ(sim.CanvasAt(kDestColumn - 1, kDestRow), standin::kCanvasWhite);
    EXPECT_GT(sim.strokes, 48);
}

TEST(StandinCopy, CopyWithoutAdjustmentGivesTheMappedColours)
{
    standin::PainterOptions options;
    options.paintReleasePixel = true;
    PainterOnSim sim{options};
    CopySample(sim, false);
    const int width = sim.painter.options.sampleWidth;
    int wrong = 0;
    int changed = 0;
    for (int y = 0; y < sim.painter.options.sampleHeight; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour c = sim.sample[y * width + x];
            const Colour mapped =
                MakeColour(Unadjusted(RedOf(c)), Unadjusted(GreenOf(c)), Unadjusted(BlueOf(c)));
            wrong += sim.CanvasAt(kDestColumn + x, kDestRow + y) != mapped;
            changed += mapped != c;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(changed, 0);  // the mapping is not the identity on this picture
}

}  // namespace
