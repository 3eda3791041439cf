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
    // As many iterations a pixel as the slice has for all of them, at least
    // the first level's: few pixels mostly need one pass.
    const std::int64_t fit = slice / std::int64_t(std::max<std::size_t>(m_counts.size(), 1));
    m_level = std::int32_t(std::min<std::int64_t>(
        m_params.limit, std::clamp<std::int64_t>(fit, kFirstLevel, kLastKernelLevel)));
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
    const std::int32_t first = pixels == nullptr ? std::int32_t(m_runStart[m_run]) + m_at : 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t p = pixels != nullptr ? pixels[i] : first + std::int32_t(i);
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
    std::int64_t room = std::max<std::int64_t>(1, budget / std::max(m_level, 1));
    m_callRuns.clear();
    std::size_t pixels = 0;
    std::size_t run = m_run;
    int at = m_at;
    while (run < m_runs.size() && room > 0) {
        const PixelLines& r = m_runs[run];
        const int n = int(std::min<std::int64_t>(r.n - at, room));
        m_callRuns.push_back(PixelLines{r.x + at * r.dx, r.y + at * r.dy, r.dx, r.dy, n, 0, 0, 1});
        pixels += std::size_t(n);
        room -= n;
        at += n;
        if (at == r.n) {
            ++run;
            at = 0;
        }
    }
    m_callResults.resize(pixels);
    KernelParams p = m_params;
    p.limit = m_level;
    const std::int64_t made =
        ComputeRuns(p, m_callRuns.data(), int(m_callRuns.size()), m_callResults.data());
    Settle(m_callResults.data(), nullptr, pixels, made);
    m_run = run;
    m_at = at;
    // The call was let in on its worst case; it used what the plain loop
    // would, or less.
    return std::clamp<std::int64_t>(made, 0, std::int64_t(pixels) * std::max(m_level, 1));
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

bool CountJob::Run(std::int64_t budget) {
    std::int64_t left = budget;
    struct Account {
        std::int64_t& spent;
        const std::int64_t& left;
        std::int64_t budget;
        ~Account() { spent = budget - left; }
    } account{m_spent, left, budget};
    while (m_phase != Finished) {
        if (m_phase == FirstPass || m_phase == Retries) {
            const bool more =
                m_phase == FirstPass ? m_run < m_runs.size() : m_retryAt < m_retry.size();
            if (more) {
                // A slice always gets somewhere, however short it is.
                if (left < m_level && left < budget)
                    return false;
                left -= m_phase == FirstPass ? FirstPassPiece(left) : RetryPiece(left);
                continue;
            }
            // The pass is over: on to a higher limit with what it left open.
            if (m_open.empty() || m_level == m_params.limit) {
                m_phase = Finished;
                break;
            }
            const std::int64_t next =
                std::min<std::int64_t>(m_params.limit, std::int64_t(m_level) * kLevelGrowth);
            m_retry.swap(m_open);
            m_open.clear();
            m_retryAt = 0;
            if (next <= kLastKernelLevel) {
                m_level = std::int32_t(next);
                m_phase = Retries;
            } else {
                m_orbits.clear();
                for (std::int32_t p : m_retry) {
                    const auto [x, y] = PixelAt(p);
                    Orbit o;
                    o.pixel = p;
                    o.re = x * m_params.scaleX + m_params.xMin;
                    o.im = y * m_params.scaleY + m_params.yMin;
                    o.x = o.savedX = o.re;
                    o.y = o.savedY = o.im;
                    m_orbits.push_back(o);
                }
                // Taken from the back: the first pixel first.
                std::reverse(m_orbits.begin(), m_orbits.end());
                m_retry.clear();
                m_phase = Orbits;
            }
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
