#include "engine/pixel_work.h"

#include "platform/gdi_objects.h"
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

bool IsNarrow(const PixelRect& r) {
    return std::abs(r.right - r.left) < 5 || std::abs(r.bottom - r.top) < 5;
}

void FillUniform(const PixelSink& sink, const PixelRect& r, int index) {
    CBrush brush;
    brush.CreateSolidBrush(PaletteIndexColor(index));
    const RECT fill{r.left, r.top, r.right + 1, r.bottom + 1};
    if (sink.window != nullptr)
        sink.window->FillRect(&fill, &brush);
    if (sink.memory != nullptr)
        sink.memory->FillRect(&fill, &brush);
}

void Split(const PixelRect& r, PixelRect quadrants[4]) {
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    // Pushed so that top-left comes off first, then bottom-right,
    // bottom-left and top-right.
    quadrants[0] = {mx, r.top, r.right, my - 1};    // top-right
    quadrants[1] = {r.left, my, mx - 1, r.bottom};  // bottom-left
    quadrants[2] = {mx, my, r.right, r.bottom};     // bottom-right
    quadrants[3] = {r.left, r.top, mx - 1, my - 1}; // top-left
}

} // namespace

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

PixelBatch::PixelBatch(const KernelParams& params, const PixelSink& sink)
    : m_params(params), m_sink(sink) {}

void PixelBatch::Add(const PixelRect& r, std::int64_t& iterations) {
    const int width = r.right - r.left + 1;
    const int height = r.bottom - r.top + 1;
    if (width <= 0 || height <= 0)
        return;
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    if (pixels > kMaxChunk / 4) {
        // Long enough to keep the lanes busy alone.
        FillPixels(m_params, m_sink, r, iterations);
        return;
    }
    if (m_pixels + pixels > kMaxChunk)
        Flush(iterations);
    m_rects.push_back(r);
    m_runs.push_back(PixelLines{r.left, r.top, 1, 0, width, 0, 1, height});
    m_pixels += pixels;
}

void PixelBatch::Flush(std::int64_t& iterations) {
    if (m_rects.empty())
        return;
    m_indices.resize(m_pixels);
    iterations += ComputeRuns(m_params, m_runs.data(), int(m_runs.size()), m_indices.data());
    std::size_t i = 0;
    for (const PixelRect& r : m_rects)
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                Write(m_sink, x, y, m_indices[i++]);
    m_rects.clear();
    m_runs.clear();
    m_pixels = 0;
}

int RecursionStep(const KernelParams& params, const PixelSink& sink, const PixelRect& r,
                  PixelRect quadrants[4], std::int64_t& iterations) {
    if (IsNarrow(r)) {
        FillPixels(params, sink, r, iterations);
        return 0;
    }
    int k = 0;
    if (BorderUniform(params, r, k, iterations)) {
        FillUniform(sink, r, k);
        return 0;
    }
    Split(r, quadrants);
    return 4;
}

RecursionGroup::RecursionGroup(const KernelParams& params, const PixelSink& sink)
    : m_params(params), m_sink(sink), m_batch(params, sink) {}

void RecursionGroup::Steps(const PixelRect* rects, int count, PixelRect* quadrants, int* splits,
                           std::int64_t& iterations) {
    m_tests.clear();
    m_tested.clear();
    for (int i = 0; i < count; ++i) {
        splits[i] = 0;
        if (IsNarrow(rects[i])) {
            m_batch.Add(rects[i], iterations);
        } else {
            m_tests.emplace_back(rects[i]);
            m_tested.push_back(i);
        }
    }
    m_runner.Run(m_params, m_tests.data(), int(m_tests.size()), iterations);
    for (std::size_t t = 0; t < m_tests.size(); ++t) {
        const int i = m_tested[t];
        if (m_tests[t].Uniform()) {
            FillUniform(m_sink, rects[i], m_tests[t].Index());
        } else {
            Split(rects[i], quadrants + 4 * i);
            splits[i] = 4;
        }
    }
}

void RecursionGroup::Flush(std::int64_t& iterations) {
    m_batch.Flush(iterations);
}
