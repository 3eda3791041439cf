#include "engine/ahead/count_job.h"

#include <algorithm>
#include <climits>

namespace {

// The first pass stops at this many iterations a pixel; most pixels of any
// picture get their counts there, many of them in one stream.
constexpr std::int32_t kFirstLevel = 4096;
// Each further pass allows this many times the iterations of the one before,
// so a pixel is iterated at most 1/15 more often than once.
constexpr std::int64_t kLevelGrowth = 16;
// Beyond this many iterations a pixel is iterated by hand, in slices, since
// one kernel call on it could take longer than a slice may.
constexpr std::int32_t kLastKernelLevel = 1 << 24;

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

CountJob::CountJob(const KernelParams& params, std::vector<PixelLines> runs, std::int64_t slice)
    : m_params(params) {
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
    StartPhase(slice);
}

CountJob::CountJob(const KernelParams& params, const std::vector<std::pair<int, int>>& pixels,
                   std::int64_t slice)
    : m_params(params) {
    m_params.nColors = INT32_MAX;
    m_runs.reserve(pixels.size());
    m_runStart.reserve(pixels.size());
    for (const auto& [x, y] : pixels) {
        m_runStart.push_back(std::int32_t(m_runs.size()));
        m_runs.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
    }
    m_counts.assign(pixels.size(), 0);
    StartPhase(slice);
}

void CountJob::StartPhase(std::int64_t slice) {
    m_slice = slice;
    m_level = std::min(m_params.limit, kLastKernelLevel);
    // Nothing to iterate: every count is 0.
    if (m_params.limit <= 0 || m_counts.empty())
        m_phase = Finished;
}

std::pair<int, int> CountJob::PixelAt(std::int32_t pixel) const {
    const auto it = std::upper_bound(m_runStart.begin(), m_runStart.end(), pixel) - 1;
    const PixelLines& r = m_runs[std::size_t(it - m_runStart.begin())];
    const int i = pixel - *it;
    return {r.x + i * r.dx, r.y + i * r.dy};
}

void CountJob::Settle(const std::int32_t* results, const std::int32_t* pixels, std::size_t n,
                      std::int64_t callIterations) {
    const bool last = m_level == m_params.limit;
    if (last)
        m_iterations += callIterations;
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t p = pixels[i];
        // Below the full limit a count of 0 may be the pass's own limit
        // (or a point that never iterates): it waits for the next pass.
        if (last || results[i] != 0) {
            m_counts[std::size_t(p)] = results[i];
            if (!last)
                m_iterations += results[i];
        } else {
            m_open.push_back(p);
        }
    }
}

std::int64_t CountJob::FirstPassPiece(std::int64_t budget) {
    m_callRuns.clear();
    m_callPixels.clear();
    for (std::int32_t p : m_singles) {
        const auto [x, y] = PixelAt(p);
        m_callRuns.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
    }
    const std::size_t singles = m_singles.size();
    const auto total = std::int32_t(m_counts.size());
    if (m_from < total) {
        const std::size_t run =
            std::size_t(std::upper_bound(m_runStart.begin(), m_runStart.end(), m_from) -
                        m_runStart.begin() - 1);
        const int at = m_from - m_runStart[run];
        const PixelLines& r = m_runs[run];
        m_callRuns.push_back(
            PixelLines{r.x + at * r.dx, r.y + at * r.dy, r.dx, r.dy, r.n - at, 0, 0, 1});
        m_callRuns.insert(m_callRuns.end(), m_runs.begin() + std::ptrdiff_t(run + 1), m_runs.end());
    }
    const std::size_t n = singles + std::size_t(total - m_from);
    m_callResults.resize(n);
    KernelParams p = m_params;
    p.limit = m_level;
    std::int64_t spent = 0;
    const std::int64_t made = ComputeRunsFor(p, m_callRuns.data(), int(m_callRuns.size()),
                                             m_callResults.data(), budget, spent);
    const auto pixelOf = [&](std::size_t i) {
        return i < singles ? m_singles[i] : m_from + std::int32_t(i - singles);
    };
    // What the call did not begin: single pixels, then all from where an
    // unbroken run of them ends the call.
    std::size_t tail = n;
    while (tail > singles && m_callResults[tail - 1] == kPixelNotBegun)
        --tail;
    std::vector<std::int32_t> singlesLeft;
    std::size_t finished = 0;
    for (std::size_t i = 0; i < tail; ++i) {
        const std::int32_t result = m_callResults[i];
        const std::int32_t pixel = pixelOf(i);
        if (result == kPixelNotBegun) {
            singlesLeft.push_back(pixel);
        } else if (result == kPixelInFlight) {
            m_stopped.push_back(pixel);
        } else {
            m_callResults[finished] = result;
            m_callPixels.push_back(pixel);
            ++finished;
        }
    }
    Settle(m_callResults.data(), m_callPixels.data(), finished, made);
    m_from += std::int32_t(tail - singles);
    m_singles.swap(singlesLeft);
    return std::max<std::int64_t>(spent, 1);
}

std::int64_t CountJob::RetryPiece(std::int64_t budget) {
    const std::size_t room = std::size_t(std::max<std::int64_t>(1, budget / m_level));
    const std::size_t n = std::min(room, m_retry.size() - m_retryAt);
    m_callRuns.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const auto [x, y] = PixelAt(m_retry[m_retryAt + i]);
        m_callRuns.push_back(PixelLines{x, y, 1, 0, 1, 0, 0, 1});
    }
    m_callResults.resize(n);
    KernelParams p = m_params;
    p.limit = m_level;
    const std::int64_t made = ComputeRuns(p, m_callRuns.data(), int(n), m_callResults.data());
    Settle(m_callResults.data(), m_retry.data() + m_retryAt, n, made);
    m_retryAt += n;
    return std::clamp<std::int64_t>(made, 0, std::int64_t(n) * m_level);
}

std::int64_t CountJob::OrbitSlice(std::int64_t budget) {
    // The plain loop with the kernel's exact cycle detection: an exact
    // repeat of the saved point (renewed at counts 1, 2, 4, ...) or a NaN
    // orbit never escapes, so its count is the limit.
    const std::int32_t limit = m_params.limit;
    std::int64_t spent = 0;
    while (!m_orbits.empty() && spent < budget) {
        Orbit& o = m_orbits.back();
        bool done = false;
        if (o.count == 0 && o.re * o.re + o.im * o.im >= 4.0)
            done = true;
        double x = o.x, y = o.y;
        std::int32_t count = o.count;
        while (!done && count < limit && spent < budget) {
            const double nx = (x * x - y * y) + o.re;
            const double ny = y * (x + x) + o.im;
            ++count;
            ++spent;
            x = nx;
            y = ny;
            if (x * x + y * y >= 4.0) {
                done = true;
            } else if (x == o.savedX && y == o.savedY) {
                count = limit;
                done = true;
            } else if ((count & (count - 1)) == 0) {
                if (x != x || y != y) {
                    count = limit;
                    done = true;
                }
                o.savedX = x;
                o.savedY = y;
            }
        }
        o.x = x;
        o.y = y;
        o.count = count;
        if (done || count >= limit) {
            m_iterations += count;
            m_counts[std::size_t(o.pixel)] = count == limit ? 0 : count;
            m_orbits.pop_back();
        }
        spent = std::max<std::int64_t>(spent, 1);
    }
    return spent;
}

void CountJob::EndPass() {
    if (m_phase == FirstPass) {
        // Those it had to stop go on alone, at first as far as a slice
        // allows them all; those that reached its level go on by hand.
        m_byHand.swap(m_open);
        m_open.clear();
        m_retry.swap(m_stopped);
        m_stopped.clear();
        m_retryAt = 0;
        const std::int64_t fit = m_slice / std::int64_t(std::max<std::size_t>(m_retry.size(), 1));
        m_level = std::int32_t(std::min<std::int64_t>(
            m_params.limit, std::clamp<std::int64_t>(fit, kFirstLevel, kLastKernelLevel)));
        m_phase = Retries;
        if (!m_retry.empty())
            return;
    }
    // A retry pass is over: on to a higher limit with what it left open.
    const std::int64_t next =
        std::min<std::int64_t>(m_params.limit, std::int64_t(m_level) * kLevelGrowth);
    m_retry.swap(m_open);
    m_open.clear();
    m_retryAt = 0;
    if (!m_retry.empty() && m_level < m_params.limit && next <= kLastKernelLevel) {
        m_level = std::int32_t(next);
        return;
    }
    if (m_level < m_params.limit)
        m_byHand.insert(m_byHand.end(), m_retry.begin(), m_retry.end());
    m_retry.clear();
    std::sort(m_byHand.begin(), m_byHand.end());
    m_orbits.clear();
    for (std::int32_t p : m_byHand) {
        const auto [x, y] = PixelAt(p);
        Orbit o;
        o.pixel = p;
        o.re = x * m_params.scaleX + m_params.xMin;
        o.im = y * m_params.scaleY + m_params.yMin;
        o.x = o.savedX = o.re;
        o.y = o.savedY = o.im;
        m_orbits.push_back(o);
    }
    m_byHand.clear();
    // Taken from the back: the first pixel first.
    std::reverse(m_orbits.begin(), m_orbits.end());
    m_phase = m_orbits.empty() ? Finished : Orbits;
}

bool CountJob::Run(std::int64_t budget) {
    std::int64_t left = budget;
    struct Account {
        std::int64_t& spent;
        const std::int64_t& left;
        std::int64_t budget;
        ~Account() { spent = budget - left; }
    } account{m_spent, left, budget};
    while (m_phase != Finished) {
        if (m_phase == FirstPass) {
            if (!m_singles.empty() || m_from < std::int32_t(m_counts.size())) {
                // A slice always gets somewhere, however short it is.
                if (left <= 0 && left < budget)
                    return false;
                left -= FirstPassPiece(std::max<std::int64_t>(left, 1));
                continue;
            }
            EndPass();
            continue;
        }
        if (m_phase == Retries) {
            if (m_retryAt < m_retry.size()) {
                if (left < m_level && left < budget)
                    return false;
                left -= RetryPiece(left);
                continue;
            }
            EndPass();
            continue;
        }
        // Orbits.
        if (m_orbits.empty()) {
            m_phase = Finished;
            break;
        }
        if (left <= 0)
            return false;
        left -= OrbitSlice(left);
    }
    return true;
}
