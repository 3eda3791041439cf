#include "engine/ahead/border_test.h"

#include <algorithm>

namespace {

// Chunks of the border lines evaluated at once: growing, so that an early
// mismatch wastes little and a long uniform border few calls.
constexpr int kFirstChunk = 16;
constexpr int kMaxChunk = 1024;

} // namespace

int BorderTest::LineLength() const {
    return m_phase == Rows ? m_r.right - m_r.left - 1 : m_r.bottom - m_r.top - 1;
}

void BorderTest::Advance(Phase next) {
    // Everything so far matched. A phase without inner pixels has nothing
    // to compare.
    m_phase = next;
    m_start = 0;
    m_chunk = kFirstChunk;
    if (m_phase == Rows && LineLength() <= 0)
        m_phase = Columns;
    if (m_phase == Columns && LineLength() <= 0)
        m_phase = Finished;
    if (m_phase == Finished)
        m_uniform = true;
}

bool BorderTest::NextRun(PixelLines& run) const {
    const int width = m_r.right - m_r.left;
    const int height = m_r.bottom - m_r.top;
    switch (m_phase) {
    case Corners:
        // TL, TR, then BL, BR.
        run = PixelLines{m_r.left, m_r.top, width, 0, 2, 0, height, 2};
        return true;
    case Rows:
        run = PixelLines{m_r.left + 1 + m_start,
                         m_r.top,
                         1,
                         0,
                         std::min(m_chunk, LineLength() - m_start),
                         0,
                         height,
                         2};
        return true;
    case Columns:
        run = PixelLines{m_r.left,
                         m_r.top + 1 + m_start,
                         0,
                         1,
                         std::min(m_chunk, LineLength() - m_start),
                         width,
                         0,
                         2};
        return true;
    case Finished:
        break;
    }
    return false;
}

void BorderTest::Take(const std::int32_t* indices) {
    if (m_phase == Corners) {
        if (indices[0] != indices[1] || indices[1] != indices[2] || indices[2] != indices[3]) {
            m_phase = Finished;
            return;
        }
        m_index = indices[0];
        Advance(Rows);
        return;
    }
    // Pixel i of the first line, then pixel i of the second.
    const int count = std::min(m_chunk, LineLength() - m_start);
    for (int i = 0; i < count; ++i) {
        if (indices[i] != m_index || indices[count + i] != m_index) {
            m_phase = Finished;
            return;
        }
    }
    m_start += count;
    m_chunk = std::min(2 * m_chunk, kMaxChunk);
    if (m_start >= LineLength())
        Advance(m_phase == Rows ? Columns : Finished);
}

void BorderTests::Run(const KernelParams& params, BorderTest* tests, int count,
                      std::int64_t& iterations) {
    for (;;) {
        m_runs.clear();
        m_of.clear();
        std::size_t pixels = 0;
        for (int t = 0; t < count; ++t) {
            PixelLines run;
            if (!tests[t].NextRun(run))
                continue;
            m_runs.push_back(run);
            m_of.push_back(t);
            pixels += std::size_t(run.n) * std::size_t(run.lines);
        }
        if (m_runs.empty())
            return;
        m_indices.resize(pixels);
        iterations += ComputeRuns(params, m_runs.data(), int(m_runs.size()), m_indices.data());
        const std::int32_t* at = m_indices.data();
        for (std::size_t i = 0; i < m_runs.size(); ++i) {
            tests[m_of[i]].Take(at);
            at += std::size_t(m_runs[i].n) * std::size_t(m_runs[i].lines);
        }
    }
}
