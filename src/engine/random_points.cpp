// The random method: a batch of pixels at places drawn from the C runtime's
// generator, which all views share. It never finishes.

#include "platform/runtime/crt_rand.h"
#include "view/quirl32_view.h"

void CQuirl32View::StepRandom(int left, int top, int right, int bottom) {
    if (m_pDoc->m_nRandomPoints <= 0)
        return;
    if (m_stepInput.kind == StepInput::Random) {
        // The points this step took from the generator, counted ahead.
        // A step of many points comes in pieces, one an idle call.
        const RandomBatch& batch = m_stepInput.random;
        m_nKernelIterations += batch.iterations;
        for (std::size_t i = 0; i < batch.points.size(); ++i)
            WriteIndex(batch.points[i].first, batch.points[i].second,
                       IndexOfCount(batch.counts[i], m_nColors));
        m_nRandomDrawn += std::int32_t(batch.points.size());
        m_bStepGoesOn = m_nRandomDrawn < m_pDoc->m_nRandomPoints;
        if (!m_bStepGoesOn)
            m_nRandomDrawn = 0;
        return;
    }
    for (int i = 0; i < m_pDoc->m_nRandomPoints; ++i) {
        const auto [x, y] = NextRandomPixel(left, top, right, bottom);
        WritePixel(x, y);
    }
}

std::pair<int, int> CQuirl32View::NextRandomPixel(int left, int top, int right, int bottom) const {
    // The value 32767 reaches right and bottom exactly.
    constexpr double k = 1.0 / 32767.0;
    const double w = right - left;
    const double h = bottom - top;
    const double r1 = crt::rand();
    const int x = left + int(r1 * k * w);
    const double r2 = crt::rand();
    const int y = top + int(r2 * k * h);
    return {x, y};
}
