// The rest of a recursion or line scan at once, on several threads, for the
// command-line renderer. The picture is the one the idle steps make: every
// rectangle of the recursion is filled, computed or split by its own border
// alone, and every pixel of the line scan by its own point alone, so the
// order in which threads take them changes nothing.

#include "engine/pixel_work.h"
#include "platform/msgbox.h"
#include "view/quirl32_view.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// What one thread did; each on a cache line of its own.
struct alignas(64) WorkerStats {
    std::int64_t steps = 0;
    std::int64_t iterations = 0;
    double longestStepMs = 0.0;

    void Step(Clock::time_point start) { Steps(1, start); }
    // n steps done together.
    void Steps(int n, Clock::time_point start) {
        steps += n;
        Work(start);
    }
    // Work that is no step of its own.
    void Work(Clock::time_point start) {
        longestStepMs = std::max(longestStepMs, Milliseconds(Clock::now() - start));
    }
};

// Runs body(stats) on threads threads, the last one on the calling thread,
// or on fewer when no more can be started. When body fails on one, abort()
// lets the others end soon, and the first failure is thrown here once all
// have ended.
template <typename Body, typename Abort>
std::vector<WorkerStats> OnThreads(int threads, Body body, Abort abort) {
    std::vector<WorkerStats> stats(static_cast<std::size_t>(threads));
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto run = [&](WorkerStats& s) {
        try {
            body(s);
        } catch (...) {
            {
                std::lock_guard<std::mutex> lock(failureMutex);
                if (!failure)
                    failure = std::current_exception();
            }
            abort();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t + 1 < threads; ++t) {
        try {
            pool.emplace_back([&, t] { run(stats[std::size_t(t)]); });
        } catch (...) {
            break; // the threads there are share the work
        }
    }
    run(stats.back());
    for (std::thread& th : pool)
        th.join();
    if (failure)
        std::rethrow_exception(failure);
    return stats;
}

// Rectangles at most this many pixels large are worked through to their last
// quadrant by the thread that split them; larger ones' quadrants go back to
// be shared. Few enough trips to the shared list, small enough pieces that
// the threads finish together.
constexpr std::int64_t kLocalArea = 128 * 128;
// Rectangles a thread handles at once, so that their border tests and narrow
// rectangles share the kernel's streams.
constexpr int kGroup = 16;

std::int64_t Area(const PixelRect& r) {
    return std::int64_t(r.right - r.left + 1) * std::int64_t(r.bottom - r.top + 1);
}

// The pending rectangles, shared: a thread takes one, may give back
// quadrants of it, and finishes it. Done when none is pending and none is in
// work.
class SharedRects {
public:
    explicit SharedRects(std::vector<PixelRect> rects) : m_rects(std::move(rects)) {}

    bool Take(PixelRect& r) {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_waiting;
        m_changed.wait(lock, [&] { return !m_rects.empty() || m_inWork == 0 || m_aborted; });
        --m_waiting;
        if (m_rects.empty() || m_aborted)
            return false;
        r = m_rects.back();
        m_rects.pop_back();
        ++m_inWork;
        return true;
    }

    void Give(const PixelRect* quadrants, int n) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_rects.insert(m_rects.end(), quadrants, quadrants + n);
        }
        m_changed.notify_all();
    }

    void Finish() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            --m_inWork;
        }
        m_changed.notify_all();
    }

    // Whether a thread waits for work.
    bool Hungry() const { return m_waiting.load(std::memory_order_relaxed) > 0; }

    // A thread failed: nothing more is handed out.
    void Abort() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_aborted = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<PixelRect> m_rects;
    int m_inWork = 0;
    bool m_aborted = false;
    std::atomic<int> m_waiting{0};
};

std::vector<WorkerStats> RunRecursion(const KernelParams& params, const PixelSink& sink,
                                      std::vector<PixelRect> pending, int threads) {
    SharedRects rects(std::move(pending));
    return OnThreads(
        threads,
        [&](WorkerStats& stats) {
            PixelRect taken;
            std::vector<PixelRect> local;
            RecursionGroup group(params, sink);
            PixelRect rectsOfGroup[kGroup];
            PixelRect quadrants[4 * kGroup];
            int splits[kGroup];
            while (rects.Take(taken)) {
                local.push_back(taken);
                while (!local.empty()) {
                    const int n = int(std::min<std::size_t>(local.size(), kGroup));
                    std::copy(local.end() - n, local.end(), rectsOfGroup);
                    local.resize(local.size() - std::size_t(n));
                    const Clock::time_point start = Clock::now();
                    group.Steps(rectsOfGroup, n, quadrants, splits, stats.iterations);
                    stats.Steps(n, start);
                    for (int i = 0; i < n; ++i) {
                        const PixelRect& r = rectsOfGroup[i];
                        const PixelRect* q = quadrants + 4 * i;
                        if (Area(r) > kLocalArea)
                            rects.Give(q, splits[i]);
                        else
                            local.insert(local.end(), q, q + splits[i]);
                    }
                    // Another thread ran out of work: share the oldest half
                    // of this one's, the largest pieces.
                    if (local.size() > 1 && rects.Hungry()) {
                        const std::size_t half = local.size() / 2;
                        rects.Give(local.data(), int(half));
                        local.erase(local.begin(), local.begin() + std::ptrdiff_t(half));
                    }
                }
                rects.Finish();
            }
            const Clock::time_point start = Clock::now();
            group.Flush(stats.iterations);
            stats.Work(start);
        },
        [&] { rects.Abort(); });
}

// Rows first ... last from column first on the first row and left on the
// others, each row a step.
std::vector<WorkerStats> RunLineScan(const KernelParams& params, const PixelSink& sink, int left,
                                     int right, int firstRow, int firstColumn, int lastRow,
                                     int threads) {
    std::mutex mutex;
    int nextRow = firstRow;
    return OnThreads(
        threads,
        [&](WorkerStats& stats) {
            std::vector<std::int32_t> row;
            for (;;) {
                int y;
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    if (nextRow > lastRow)
                        return;
                    y = nextRow++;
                }
                const Clock::time_point start = Clock::now();
                const int from = y == firstRow ? firstColumn : left;
                if (from <= right) {
                    FillPixels(params, sink, PixelRect{from, y, right, y}, stats.iterations);
                }
                stats.Step(start);
            }
        },
        [] {});
}

} // namespace

bool CQuirl32View::ComputeToEnd(int threads, ComputeStats& stats) {
    if (m_bWorking == 0 || m_pDoc == nullptr || (m_nMethod != Recursion && m_nMethod != LineScan))
        return false;
    const Clock::time_point start = Clock::now();
    threads = std::max(threads, 1);
    m_pWindowDC = GetDC();
    if (m_pWindowDC != nullptr && m_pPalette != nullptr) {
        m_pWindowDC->SelectPalette(m_pPalette, FALSE);
        m_pWindowDC->RealizePalette();
    }
    const KernelParams params = ViewKernelParams(*this);
    const PixelSink sink{m_pWindowDC, m_pMemDC};
    const RECT& c = m_rcClient;
    std::vector<WorkerStats> done;
    try {
        if (m_nMethod == Recursion) {
            // The pending rectangles, the one to come off first last.
            std::vector<PixelRect> pending;
            if (m_pRectStack == nullptr)
                pending.push_back(PixelRect{c.left, c.top, c.right, c.bottom});
            while (m_pRectStack != nullptr) {
                PixelRect r;
                PopRect(r.left, r.top, r.right, r.bottom);
                pending.insert(pending.begin(), r);
            }
            done = RunRecursion(params, sink, std::move(pending), threads);
        } else {
            // Where the scan stands; (0, 0) is its start, as in the step.
            int x = m_nScanX, y = m_nScanY;
            if (x == 0 && y == 0) {
                x = c.left;
                y = c.top;
            }
            done = RunLineScan(params, sink, c.left, c.right, y, x, c.bottom, threads);
            m_nScanX = 0;
            m_nScanY = 0;
        }
    } catch (const std::bad_alloc&) {
        // As a step that runs out of memory: stopped, what is drawn stays.
        ReleaseDC(m_pWindowDC);
        m_pWindowDC = nullptr;
        m_bWorking = 0;
        ClearRects();
        AfxMessageBox("Out of memory.");
        return true;
    }
    m_pDoc->m_bPictureValid = 1;
    ReleaseDC(m_pWindowDC);
    m_pWindowDC = nullptr;
    for (const WorkerStats& w : done) {
        stats.steps += w.steps;
        stats.iterations += w.iterations;
        stats.longestStepMs = std::max(stats.longestStepMs, w.longestStepMs);
    }
    m_nKernelIterations += stats.iterations;
    FinishComputation();
    stats.totalMs += Milliseconds(Clock::now() - start);
    return true;
}
