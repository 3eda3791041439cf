#include "engine/pixel_work.h"

#include "platform/gdi_objects.h"
#include "view/quirl32_view.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Pixels evaluated at once: enough to keep the kernel's lanes busy, few
// enough that a buffer stays small and an early mismatch wastes little.
constexpr int kMaxChunk = 1 << 16;
constexpr int kFirstBorderChunk = 16;
constexpr int kMaxBorderChunk = 1024;

void Write(const PixelSink& sink, int x, int y, int index) {
    const COLORREF color = PaletteIndexColor(index);
    if (sink.window != nullptr)
        sink.window->SetPixel(x, y, color);
    if (sink.memory != nullptr)
        sink.memory->SetPixel(x, y, color);
}

// Compares pairs of border lines, n pixels long, two lines lineDx, lineDy
// apart, with index, in the order the test prescribes: pixel i of the first
// line, then pixel i of the second. Evaluates in growing chunks.
bool LinesMatch(const KernelParams& params, int x, int y, int dx, int dy, int n, int lineDx,
                int lineDy, int index, std::vector<std::int32_t>& buffer,
                std::int64_t& iterations) {
    int chunk = kFirstBorderChunk;
    for (int start = 0; start < n; start += chunk, chunk = std::min(2 * chunk, kMaxBorderChunk)) {
        const int count = std::min(chunk, n - start);
        buffer.resize(std::size_t(2) * count);
        iterations += ComputeLines(params, x + start * dx, y + start * dy, dx, dy, count, lineDx,
                                   lineDy, 2, buffer.data());
        for (int i = 0; i < count; ++i) {
            if (buffer[i] != index || buffer[std::size_t(count) + i] != index)
                return false;
        }
    }
    return true;
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
    // The corners first, all four: TL, TR, BL, BR.
    std::int32_t corners[4];
    iterations += ComputeLines(params, r.left, r.top, r.right - r.left, 0, 2, 0, r.bottom - r.top,
                               2, corners);
    if (corners[0] != corners[1] || corners[1] != corners[2] || corners[2] != corners[3])
        return false;
    const int k = corners[0];
    std::vector<std::int32_t> buffer;
    // Top and bottom rows, then left and right columns, inner pixels only.
    if (!LinesMatch(params, r.left + 1, r.top, 1, 0, r.right - r.left - 1, 0, r.bottom - r.top, k,
                    buffer, iterations))
        return false;
    if (!LinesMatch(params, r.left, r.top + 1, 0, 1, r.bottom - r.top - 1, r.right - r.left, 0, k,
                    buffer, iterations))
        return false;
    index = k;
    return true;
}

int RecursionStep(const KernelParams& params, const PixelSink& sink, const PixelRect& r,
                  PixelRect quadrants[4], std::int64_t& iterations) {
    if (std::abs(r.right - r.left) < 5 || std::abs(r.bottom - r.top) < 5) {
        FillPixels(params, sink, r, iterations);
        return 0;
    }
    int k = 0;
    if (BorderUniform(params, r, k, iterations)) {
        CBrush brush;
        brush.CreateSolidBrush(PaletteIndexColor(k));
        const RECT fill{r.left, r.top, r.right + 1, r.bottom + 1};
        if (sink.window != nullptr)
            sink.window->FillRect(&fill, &brush);
        if (sink.memory != nullptr)
            sink.memory->FillRect(&fill, &brush);
        return 0;
    }
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    // Pushed so that top-left comes off first, then bottom-right,
    // bottom-left and top-right.
    quadrants[0] = {mx, r.top, r.right, my - 1};    // top-right
    quadrants[1] = {r.left, my, mx - 1, r.bottom};  // bottom-left
    quadrants[2] = {mx, my, r.right, r.bottom};     // bottom-right
    quadrants[3] = {r.left, r.top, mx - 1, my - 1}; // top-left
    return 4;
}
