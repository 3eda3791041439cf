// The rest of a recursion or line scan at once, on several threads, for the
// command-line renderer. The picture is the one the idle steps make: every
// rectangle of the recursion is filled, computed or split by its own border
// alone, and every pixel of the line scan by its own point alone, so the
// order in which threads take them changes nothing.

#include "engine/pixel_work.h"
#include "platform/msgbox.h"
#include "view/quirl32_view.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// What one thread did.
struct WorkerStats {
    std::int64_t steps = 0;
    std::int64_t iterations = 0;
    double longestStepMs = 0.0;

    void Step(Clock::time_point start) {
        ++steps;
        longestStepMs = std::max(longestStepMs, Milliseconds(Clock::now() - start));
    }
};

// Runs body(stats) on threads threads, the last one on the calling thread.
template <typename Body> std::vector<WorkerStats> OnThreads(int threads, Body body) {
    std::vector<WorkerStats> stats(static_cast<std::size_t>(threads));
    std::vector<std::thread> pool;
    for (int t = 0; t + 1 < threads; ++t)
        pool.emplace_back([&, t] { body(stats[std::size_t(t)]); });
    body(stats.back());
    for (std::thread& th : pool)
        th.join();
    return stats;
}

// The pending rectangles, shared: a thread takes one, and gives back the
// quadrants it splits into. Done when none is pending and none is in work.
class SharedRects {
public:
    explicit SharedRects(std::vector<PixelRect> rects) : m_rects(std::move(rects)) {}

    bool Take(PixelRect& r) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return !m_rects.empty() || m_inWork == 0; });
        if (m_rects.empty())
            return false;
        r = m_rects.back();
        m_rects.pop_back();
        ++m_inWork;
        return true;
    }

    void Finish(const PixelRect* quadrants, int n) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_rects.insert(m_rects.end(), quadrants, quadrants + n);
            --m_inWork;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<PixelRect> m_rects;
    int m_inWork = 0;
};

std::vector<WorkerStats> RunRecursion(const KernelParams& params, const PixelSink& sink,
                                      std::vector<PixelRect> pending, int threads) {
    SharedRects rects(std::move(pending));
    return OnThreads(threads, [&](WorkerStats& stats) {
        PixelRect r;
        while (rects.Take(r)) {
            const Clock::time_point start = Clock::now();
            PixelRect quadrants[4];
            const int n = RecursionStep(params, sink, r, quadrants, stats.iterations);
            stats.Step(start);
            rects.Finish(quadrants, n);
        }
    });
}

// Rows first ... last from column first on the first row and left on the
// others, each row a step.
std::vector<WorkerStats> RunLineScan(const KernelParams& params, const PixelSink& sink, int left,
                                     int right, int firstRow, int firstColumn, int lastRow,
                                     int threads) {
    std::mutex mutex;
    int nextRow = firstRow;
    return OnThreads(threads, [&](WorkerStats& stats) {
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
    });
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
