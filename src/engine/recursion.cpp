// Recursive subdivision: a rectangle with a uniform border is filled in one
// stroke, a narrow one is computed pixel by pixel, any other is split into
// four quadrants. One rectangle per step, depth first, top-left first.

#include "engine/pixel_work.h"
#include "view/quirl32_view.h"

#include <algorithm>

namespace {

// Pixels of a uniform rectangle filled in one idle call at most: a few
// milliseconds of memory writes on both surfaces.
constexpr std::int64_t kFillBand = std::int64_t(1) << 18;

} // namespace

void CQuirl32View::StepRecursion() {
    if (m_fill.active) {
        ContinueFill();
        return;
    }
    PixelRect r;
    PopRect(r.left, r.top, r.right, r.bottom);
    PixelRect quadrants[4];
    RectOutcome::Kind kind = RectOutcome::Pixels;
    int index = 0;
    if (m_stepInput.kind == StepInput::Rect) {
        // Worked out ahead: the same outcome, drawn now.
        RectOutcome& out = m_stepInput.rect;
        m_nKernelIterations += out.iterations;
        kind = out.kind;
        index = out.index;
        if (kind == RectOutcome::Pixels) {
            std::size_t i = 0;
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x)
                    WriteIndex(x, y, IndexOfCount(out.counts[i++], m_nColors));
        } else if (kind == RectOutcome::Split) {
            SplitRect(r, quadrants);
        }
    } else {
        kind = RecursionStep(ViewKernelParams(*this), PixelSink{m_pWindowDC, m_pMemDC}, r,
                             quadrants, index, m_nKernelIterations);
    }
    if (kind == RectOutcome::Uniform)
        StartFill(r, index);
    if (kind == RectOutcome::Split)
        for (const PixelRect& q : quadrants)
            PushRect(q.left, q.top, q.right, q.bottom);
}

void CQuirl32View::StartFill(const PixelRect& r, int index) {
    m_fill = PendingFill{true, r, index, r.top};
    ContinueFill();
}

void CQuirl32View::ContinueFill() {
    PendingFill& f = m_fill;
    const std::int64_t width = std::int64_t(f.r.right) - f.r.left + 1;
    const std::int64_t rows =
        std::max<std::int64_t>(1, kFillBand / std::max<std::int64_t>(width, 1));
    const int last = int(std::min<std::int64_t>(f.r.bottom, f.nextRow + rows - 1));
    FillUniform(PixelSink{m_pWindowDC, m_pMemDC}, PixelRect{f.r.left, f.nextRow, f.r.right, last},
                f.index);
    f.nextRow = last + 1;
    f.active = f.nextRow <= f.r.bottom;
    m_bStepGoesOn = f.active;
}
