// Recursive subdivision: a rectangle with a uniform border is filled in one
// stroke, a narrow one is computed pixel by pixel, any other is split into
// four quadrants. One rectangle per step, depth first, top-left first.

#include "engine/pixel_work.h"
#include "view/quirl32_view.h"

void CQuirl32View::StepRecursion() {
    PixelRect r;
    PopRect(r.left, r.top, r.right, r.bottom);
    PixelRect quadrants[4];
    int n = 0;
    if (m_stepInput.kind == StepInput::Rect) {
        // Worked out ahead: the same outcome, drawn now.
        RectOutcome& out = m_stepInput.rect;
        m_nKernelIterations += out.iterations;
        switch (out.kind) {
        case RectOutcome::Pixels: {
            std::size_t i = 0;
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x)
                    WriteIndex(x, y, IndexOfCount(out.counts[i++], m_nColors));
            break;
        }
        case RectOutcome::Uniform:
            FillUniform(PixelSink{m_pWindowDC, m_pMemDC}, r, out.index);
            break;
        case RectOutcome::Split:
            SplitRect(r, quadrants);
            n = 4;
            break;
        }
    } else {
        n = RecursionStep(ViewKernelParams(*this), PixelSink{m_pWindowDC, m_pMemDC}, r, quadrants,
                          m_nKernelIterations);
    }
    for (int i = 0; i < n; ++i)
        PushRect(quadrants[i].left, quadrants[i].top, quadrants[i].right, quadrants[i].bottom);
}
