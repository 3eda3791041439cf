#include "engine/ahead/count_job.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace {

// The pixels one kernel call is given at most: about twice as many as its
// budget lets it begin at the work a pixel took so far, so that a call that
// stops early has laid out few pixels in vain, and never more than
// kCallPixels.
constexpr std::int64_t kCallPixels = std::int64_t(1) << 16;
constexpr std::int64_t kMorePixels = 256;

} // namespace

std::int64_t PlainIterations(const KernelParams& params, const PixelLines& run,
                             const std::int32_t* counts) {
    std::int64_t made = 0;
    for (int j = 0; j < run.lines; ++j) {
        for (int i = 0; i < run.n; ++i) {
            const std::int32_t count = *counts++;
            if (count != 0) {
                made += count;
                continue;
            }
            if (params.limit <= 0)
                continue;
            const double re = (run.x + i * run.dx + j * run.lineDx) * params.scaleX + params.xMin;
            const double im = (run.y + i * run.dy + j * run.lineDy) * params.scaleY + params.yMin;
            // As the plain loop tests it: a NaN point iterates.
            if (!(re * re + im * im >= 4.0))
                made += params.limit;
        }
    }
    return made;
}

CountJob::CountJob(const KernelParams& params, std::vector<PixelLines> runs) : m_params(params) {
    m_params.nColors = INT32_MAX; // the count itself, the limit turned into 0
    std::size_t lines = 0;
    for (const PixelLines& r : runs)
        if (r.n > 0 && r.lines > 0)
            lines += std::size_t(r.lines);
    m_runs.reserve(lines);
    m_runStart.reserve(lines);
    std::size_t pixels = 0;
    for (const PixelLines& r : runs) {
        if (r.n <= 0 || r.lines <= 0)
            continue;
        for (int j = 0; j < r.lines; ++j) {
            m_runs.push_back(
                PixelLines{r.x + j * r.lineDx, r.y + j * r.lineDy, r.dx, r.dy, r.n, 0, 0, 1});
            m_runStart.push_back(std::int32_t(pixels));
            pixels += std::size_t(r.n);
        }
    }
    m_counts.assign(pixels, 0);
    // Nothing to iterate: every count is 0.
    m_done = m_params.limit <= 0 || m_counts.empty();
}

CountJob::CountJob(const KernelParams& params, const std::vector<std::pair<int, int>>& pixels)
    : m_params(params) {
    m_params.nColors = INT32_MAX;
    m_runs.reserve(pixels.size());
    m_runStart.reserve(pixels.size());
    for (const auto& [x, y] : pixels) {
        m_runStart.push_back(std::int32_t(m_runs.size()));
        m_runs.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
    }
    m_counts.assign(pixels.size(), 0);
    m_done = m_params.limit <= 0 || m_counts.empty();
}

std::pair<int, int> CountJob::PixelAt(std::int32_t pixel) const {
    const auto it = std::upper_bound(m_runStart.begin(), m_runStart.end(), pixel) - 1;
    const PixelLines& r = m_runs[std::size_t(it - m_runStart.begin())];
    const int i = pixel - *it;
    return {r.x + i * r.dx, r.y + i * r.dy};
}

std::int64_t CountJob::Piece(std::int64_t budget) {
    m_callRuns.clear();
    m_callPixels.clear();
    const auto one = [&](std::int32_t p) {
        const auto [x, y] = PixelAt(p);
        m_callRuns.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
        m_callPixels.push_back(p);
    };
    for (const OrbitState& o : m_flying)
        one(std::int32_t(o.pixel));
    for (std::int32_t p : m_singles)
        one(p);
    const std::size_t singles = m_callPixels.size();
    // Then the pixels from m_from on, as many as the budget may take.
    const auto total = std::int32_t(m_counts.size());
    std::int64_t room =
        std::min(kCallPixels, 2 * std::min(budget / m_perPixel, kCallPixels) + kMorePixels);
    std::int32_t from = m_from;
    std::size_t run =
        from < total ? std::size_t(std::upper_bound(m_runStart.begin(), m_runStart.end(), from) -
                                   m_runStart.begin() - 1)
                     : m_runs.size();
    for (; from < total && room > 0; ++run) {
        const int at = from - m_runStart[run];
        const PixelLines& r = m_runs[run];
        const int n = int(std::min<std::int64_t>(r.n - at, room));
        m_callRuns.push_back(PixelLines{r.x + at * r.dx, r.y + at * r.dy, r.dx, r.dy, n, 0, 0, 1});
        from += n;
        room -= n;
    }
    const std::size_t n = singles + std::size_t(from - m_from);
    m_callResults.resize(n);
    KernelStop stop;
    stop.cap = budget;
    stop.resume = m_flying.data();
    stop.resumed = int(m_flying.size());
    m_iterations += ComputeRunsFor(m_params, m_callRuns.data(), int(m_callRuns.size()),
                                   m_callResults.data(), stop);
    const auto pixelOf = [&](std::size_t i) {
        return i < singles ? m_callPixels[i] : m_from + std::int32_t(i - singles);
    };
    // What the call did not begin: single pixels, then all from where an
    // unbroken run of them ends the call.
    std::size_t tail = n;
    while (tail > singles && m_callResults[tail - 1] == kPixelNotBegun)
        --tail;
    m_singles.clear();
    for (std::size_t i = 0; i < tail; ++i) {
        const std::int32_t result = m_callResults[i];
        if (result == kPixelNotBegun)
            m_singles.push_back(pixelOf(i));
        else if (result != kPixelInFlight)
            m_counts[std::size_t(pixelOf(i))] = result;
    }
    // The work a pixel begun took, for the size of the next call.
    const std::int64_t begun = std::int64_t(tail) - std::int64_t(m_singles.size());
    if (begun > 0)
        m_perPixel = std::max<std::int64_t>(stop.spent / begun, 1);
    m_flying.assign(stop.stopped, stop.stopped + stop.nStopped);
    for (OrbitState& o : m_flying)
        o.pixel = pixelOf(std::size_t(o.pixel));
    m_from += std::int32_t(tail - singles);
    m_done = m_flying.empty() && m_singles.empty() && m_from == total;
    return std::max<std::int64_t>(stop.spent, 1);
}

bool CountJob::Run(std::int64_t budget) {
    std::int64_t left = budget;
    // A slice always gets somewhere, however short it is.
    while (!m_done && (left > 0 || left == budget))
        left -= Piece(std::max<std::int64_t>(left, 1));
    m_spent = budget - left;
    return m_done;
}
