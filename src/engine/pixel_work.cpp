#include "engine/pixel_work.h"

#include "engine/ahead/border_test.h"
#include "platform/drawing/gdi_objects.h"
#include "view/quirl32_view.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Pixels evaluated at once: enough to keep the kernel's lanes busy, few
// enough that a buffer stays small.
constexpr int kMaxChunk = 1 << 16;

void Write(const PixelSink& sink, int x, int y, int index) {
    const COLORREF color = PaletteIndexColor(index);
    if (sink.window != nullptr)
        sink.window->SetPixel(x, y, color);
    if (sink.memory != nullptr)
        sink.memory->SetPixel(x, y, color);
}

} // namespace

void FillUniform(const PixelSink& sink, const PixelRect& r, int index) {
    CBrush brush;
    brush.CreateSolidBrush(PaletteIndexColor(index));
    const RECT fill{r.left, r.top, r.right + 1, r.bottom + 1};
    if (sink.window != nullptr)
        sink.window->FillRect(&fill, &brush);
    if (sink.memory != nullptr)
        sink.memory->FillRect(&fill, &brush);
}

KernelParams ViewKernelParams(const CQuirl32View& view) {
    KernelParams p;
    p.xMin = view.m_pDoc->m_extents.xMin;
    p.yMin = view.m_pDoc->m_extents.yMin;
    p.scaleX = view.m_dScaleX;
    p.scaleY = view.m_dScaleY;
    p.limit = view.m_pDoc->m_nIterations;
    p.nColors = view.m_nColors;
    return p;
}

void FillPixels(const KernelParams& params, const PixelSink& sink, const PixelRect& r,
                std::int64_t& iterations) {
    const int width = r.right - r.left + 1;
    if (width <= 0 || r.bottom < r.top)
        return;
    const int rowsAtOnce = std::max(1, kMaxChunk / width);
    std::vector<std::int32_t> indices;
    for (int top = r.top; top <= r.bottom; top += rowsAtOnce) {
        const int rows = std::min(rowsAtOnce, r.bottom - top + 1);
        indices.resize(std::size_t(width) * rows);
        iterations += ComputeRect(params, r.left, top, width, rows, indices.data());
        std::size_t i = 0;
        for (int y = top; y < top + rows; ++y)
            for (int x = r.left; x <= r.right; ++x)
                Write(sink, x, y, indices[i++]);
    }
}

bool BorderUniform(const KernelParams& params, const PixelRect& r, int& index,
                   std::int64_t& iterations) {
    BorderTest test(r);
    BorderTests().Run(params, &test, 1, iterations);
    if (test.Uniform())
        index = test.Index();
    return test.Uniform();
}

RectOutcome::Kind RecursionStep(const KernelParams& params, const PixelSink& sink,
                                const PixelRect& r, PixelRect quadrants[4], int& index,
                                std::int64_t& iterations) {
    if (IsNarrowRect(r)) {
        FillPixels(params, sink, r, iterations);
        return RectOutcome::Pixels;
    }
    if (BorderUniform(params, r, index, iterations))
        return RectOutcome::Uniform;
    SplitRect(r, quadrants);
    return RectOutcome::Split;
}
