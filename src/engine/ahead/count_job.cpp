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
            if (params.limit > 0 && InsideDisk(params, run.x + i * run.dx + j * run.lineDx,
                                               run.y + i * run.dy + j * run.lineDy))
                made += params.limit;
        }
    }
    return made;
}

CountJob::CountJob(const KernelParams& params, std::vector<PixelLines> runs) : m_params(params) {
    m_params.nColors = INT32_MAX; // the count itself, the limit turned into 0
    Append(runs);
}

CountJob::CountJob(const KernelParams& params, const std::vector<std::pair<int, int>>& pixels)
    : m_params(params) {
    m_params.nColors = INT32_MAX;
    m_runs.reserve(pixels.size());
    m_runStart.reserve(pixels.size());
    for (const auto& [x, y] : pixels) {
        m_runStart.push_back(std::int64_t(m_runs.size()));
        m_runs.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
    }
    m_counts.assign(pixels.size(), 0);
    // Nothing to iterate: every count is 0.
    if (m_params.limit <= 0)
        m_from = End();
    m_done = m_from == End();
}

std::int64_t CountJob::Append(const std::vector<PixelLines>& runs) {
    const std::int64_t at = End();
    std::int64_t pixels = at;
    for (const PixelLines& r : runs) {
        if (r.n <= 0 || r.lines <= 0)
            continue;
        for (int j = 0; j < r.lines; ++j) {
            m_runs.push_back(
                PixelLines{r.x + j * r.lineDx, r.y + j * r.lineDy, r.dx, r.dy, r.n, 0, 0, 1});
            m_runStart.push_back(pixels);
            pixels += r.n;
        }
    }
    m_counts.resize(std::size_t(pixels - m_base), 0);
    // Nothing to iterate: every count is 0.
    if (m_params.limit <= 0 && m_flying.empty() && m_singles.empty())
        m_from = pixels;
    m_done = m_flying.empty() && m_singles.empty() && m_from == pixels;
    return at;
}

bool CountJob::Counted(std::int64_t from, std::int64_t to) const {
    if (from >= to)
        return true;
    if (to > m_from)
        return false;
    for (const OrbitState& o : m_flying)
        if (o.pixel >= from && o.pixel < to)
            return false;
    for (std::int64_t p : m_singles)
        if (p >= from && p < to)
            return false;
    return true;
}

void CountJob::Forget(std::int64_t before) {
    if (before <= m_base)
        return;
    m_counts.erase(m_counts.begin(), m_counts.begin() + std::ptrdiff_t(before - m_base));
    m_base = before;
    // The runs that end before it go; the one it falls in stays whole.
    const auto keep = std::upper_bound(m_runStart.begin(), m_runStart.end(), before) - 1;
    if (keep > m_runStart.begin()) {
        const auto n = keep - m_runStart.begin();
        m_runStart.erase(m_runStart.begin(), keep);
        m_runs.erase(m_runs.begin(), m_runs.begin() + n);
    }
}

std::pair<int, int> CountJob::PixelAt(std::int64_t place) const {
    const auto it = std::upper_bound(m_runStart.begin(), m_runStart.end(), place) - 1;
    const PixelLines& r = m_runs[std::size_t(it - m_runStart.begin())];
    const auto i = int(place - *it);
    return {r.x + i * r.dx, r.y + i * r.dy};
}

std::int64_t CountJob::LayOut(std::int64_t room) {
    const std::int64_t total = End();
    std::int64_t from = m_from;
    std::size_t run =
        from < total ? std::size_t(std::upper_bound(m_runStart.begin(), m_runStart.end(), from) -
                                   m_runStart.begin() - 1)
                     : m_runs.size();
    for (; from < total && room > 0; ++run) {
        const auto at = int(from - m_runStart[run]);
        const PixelLines& r = m_runs[run];
        const int n = int(std::min<std::int64_t>(r.n - at, room));
        if (m_cache == nullptr) {
            m_callRuns.push_back(
                PixelLines{r.x + at * r.dx, r.y + at * r.dy, r.dx, r.dy, n, 0, 0, 1});
        } else {
            // Runs of the pixels the cache does not know; each pixel laid
            // out has its place in m_callPixels.
            int begin = -1;
            for (int i = 0; i <= n; ++i) {
                const int x = r.x + (at + i) * r.dx, y = r.y + (at + i) * r.dy;
                std::int32_t count = 0;
                const bool known = i == n || m_cache->Find(x, y, count);
                if (known && begin >= 0) {
                    m_callRuns.push_back(PixelLines{r.x + (at + begin) * r.dx,
                                                    r.y + (at + begin) * r.dy, r.dx, r.dy,
                                                    i - begin, 0, 0, 1});
                    begin = -1;
                }
                if (i == n)
                    break;
                if (known) {
                    m_counts[std::size_t(from + i - m_base)] = count;
                    m_callKnown.push_back(from + i);
                    continue;
                }
                if (begin < 0)
                    begin = i;
                m_callPixels.push_back(from + i);
            }
        }
        from += n;
        room -= n;
    }
    return from;
}

void CountJob::CountKnown() {
    // Those after m_from are laid out again, and found again, next time.
    for (const std::int64_t place : m_callKnown) {
        if (place >= m_from)
            break;
        const auto [x, y] = PixelAt(place);
        m_iterations += PlainIterations(m_params, PixelLines{x, y, 1, 0, 1, 0, 0, 1},
                                        &m_counts[std::size_t(place - m_base)]);
    }
}

void CountJob::Share(std::size_t pixels) {
    std::size_t i = 0;
    for (const PixelLines& r : m_callRuns) {
        for (int k = 0; k < r.n && i < pixels; ++k, ++i) {
            const std::int32_t count = m_callResults[i];
            const int x = r.x + k * r.dx, y = r.y + k * r.dy;
            if (count >= 0 && CountCache::Costly(count, InsideDisk(m_params, x, y)))
                m_cache->Add(x, y, count);
        }
    }
}

std::int64_t CountJob::Piece(std::int64_t budget, bool yieldTail, bool& inTail) {
    m_callRuns.clear();
    m_callPixels.clear();
    m_callKnown.clear();
    const auto one = [&](std::int64_t p) {
        const auto [x, y] = PixelAt(p);
        m_callRuns.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
        m_callPixels.push_back(p);
    };
    for (const OrbitState& o : m_flying)
        one(o.pixel);
    for (std::int64_t p : m_singles)
        one(p);
    const std::size_t singles = m_callPixels.size();
    // Then the pixels from m_from on, as many as the budget may take.
    const std::int64_t total = End();
    std::int64_t room =
        std::min(kCallPixels, 2 * std::min(budget / m_perPixel, kCallPixels) + kMorePixels);
    const std::int64_t from = LayOut(room);
    const std::size_t n =
        m_cache != nullptr ? m_callPixels.size() : singles + std::size_t(from - m_from);
    if (n == 0) {
        // The cache knew every pixel laid out.
        inTail = false;
        m_from = from;
        CountKnown();
        m_done = m_from == total;
        return 1;
    }
    m_callResults.resize(n);
    KernelStop stop;
    stop.cap = budget;
    stop.resume = m_flying.data();
    stop.resumed = int(m_flying.size());
    // Where pixels are left to give, the next call gives them to the lanes
    // the orbits in flight leave idle.
    stop.stopInTail = yieldTail || from < total;
    m_iterations += ComputeRunsFor(m_params, m_callRuns.data(), int(m_callRuns.size()),
                                   m_callResults.data(), stop);
    inTail = stop.stoppedInTail;
    const auto placeOf = [&](std::size_t i) {
        return i < singles || m_cache != nullptr ? m_callPixels[i]
                                                 : m_from + std::int64_t(i - singles);
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
            m_singles.push_back(placeOf(i));
        else if (result != kPixelInFlight)
            m_counts[std::size_t(placeOf(i) - m_base)] = result;
    }
    // The work a pixel begun took, for the size of the next call.
    const std::int64_t begun = std::int64_t(tail) - std::int64_t(m_singles.size());
    if (begun > 0)
        m_perPixel = std::max<std::int64_t>(stop.spent / begun, 1);
    m_flying.assign(stop.stopped, stop.stopped + stop.nStopped);
    for (OrbitState& o : m_flying)
        o.pixel = placeOf(std::size_t(o.pixel));
    if (m_cache != nullptr)
        Share(tail);
    // The pixels laid out and not begun go on from the first of them; those
    // the cache knew before it are counted.
    m_from = tail < n ? placeOf(tail) : from;
    CountKnown();
    m_done = m_flying.empty() && m_singles.empty() && m_from == total;
    return std::max<std::int64_t>(stop.spent, 1);
}

bool CountJob::Run(std::int64_t budget, bool yieldTail) {
    std::int64_t left = budget;
    // A slice always gets somewhere, however short it is.
    while (!m_done && (left > 0 || left == budget)) {
        bool inTail = false;
        left -= Piece(std::max<std::int64_t>(left, 1), yieldTail, inTail);
        if (inTail && yieldTail && m_from == End())
            break;
    }
    m_spent = budget - left;
    return m_done;
}
