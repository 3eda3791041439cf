// Picks the run evaluator for the machine and forwards ComputeRun to it.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_naive.h"
#include "engine/kernel/kernel_variants.h"

#include <algorithm>
#include <atomic>

namespace {

bool CanRun(KernelLevel level) {
    return kernel_variants::RunFunctionFor(level) != nullptr;
}

KernelLevel BestLevel() {
    const std::vector<KernelLevel> levels = AvailableKernelLevels();
    return levels.back();
}

std::atomic<int>& CurrentLevelStore() {
    static std::atomic<int> level{static_cast<int>(BestLevel())};
    return level;
}

std::atomic<bool> g_naive{false};

// The plain loop, pixel by pixel, in the order of the runs; given stop, it
// counts a step of work an iteration and may stop in the middle of a pixel.
std::int64_t NaiveRuns(const KernelParams& params, const kernel_variants::PixelRun* runs, int count,
                       std::int32_t* indices, KernelStop* stop) {
    std::int64_t iterations = 0;
    std::int64_t at = 0;
    std::int64_t spent = 0; // this call's work
    for (int r = 0; r < count; ++r) {
        const kernel_variants::PixelRun& run = runs[r];
        for (int j = 0; j < run.lines && run.n > 0; ++j) {
            for (int i = 0; i < run.n; ++i, ++at) {
                const int px = run.x + i * run.dx + j * run.lineDx;
                const int py = run.y + i * run.dy + j * run.lineDy;
                const double re = double(px) * params.scaleX + params.xMin;
                const double im = double(py) * params.scaleY + params.yMin;
                if (stop == nullptr) {
                    *indices++ =
                        ComputePointNaive(re, im, params.limit, params.nColors, &iterations);
                    continue;
                }
                if (spent >= stop->cap) {
                    // A resumed orbit the call does not reach stays where it
                    // stood.
                    if (at < stop->resumed) {
                        OrbitState o = stop->resume[at];
                        o.pixel = at;
                        stop->stopped[stop->nStopped++] = o;
                        *indices++ = kPixelInFlight;
                    } else {
                        *indices++ = kPixelNotBegun;
                    }
                    continue;
                }
                // The loop of ComputePointNaive, from where the pixel stands:
                // test the point, count, iterate.
                double x = re, y = im;
                std::int64_t made = 0;
                OrbitState saved{};
                if (at < stop->resumed) {
                    saved = stop->resume[at];
                    x = saved.x;
                    y = saved.y;
                    made = saved.count;
                }
                const std::int64_t limit = params.limit;
                bool inFlight = false;
                while (made < limit) {
                    if (x * x + y * y >= 4.0)
                        break;
                    if (spent >= stop->cap) {
                        inFlight = true;
                        break;
                    }
                    const double nx = (x * x - y * y) + re;
                    const double ny = y * (x + x) + im;
                    ++made;
                    ++spent;
                    x = nx;
                    y = ny;
                }
                if (inFlight) {
                    // The point reached serves the cycle test as well as any
                    // earlier one of the orbit.
                    const bool moved = at >= stop->resumed || made != saved.count;
                    stop->stopped[stop->nStopped++] =
                        moved ? OrbitState{x, y, x, y, made, at}
                              : OrbitState{x, y, saved.savedX, saved.savedY, made, at};
                    *indices++ = kPixelInFlight;
                    continue;
                }
                iterations += made;
                *indices++ =
                    made == limit || params.nColors <= 0 ? 0 : std::int32_t(made % params.nColors);
            }
        }
    }
    if (stop != nullptr)
        stop->spent += spent;
    return iterations;
}

} // namespace

void SetNaiveKernel(bool on) {
    g_naive.store(on, std::memory_order_relaxed);
}

bool IsNaiveKernel() {
    return g_naive.load(std::memory_order_relaxed);
}

std::vector<KernelLevel> AvailableKernelLevels() {
    std::vector<KernelLevel> levels;
    for (KernelLevel level :
         {KernelLevel::Plain, KernelLevel::Sse4, KernelLevel::Avx2, KernelLevel::Avx512}) {
        if (CanRun(level)) {
            levels.push_back(level);
        }
    }
    return levels;
}

KernelLevel CurrentKernelLevel() {
    return static_cast<KernelLevel>(CurrentLevelStore().load(std::memory_order_relaxed));
}

bool SetKernelLevel(KernelLevel level) {
    if (!CanRun(level)) {
        return false;
    }
    CurrentLevelStore().store(static_cast<int>(level), std::memory_order_relaxed);
    return true;
}

const char* KernelLevelName(KernelLevel level) {
    switch (level) {
    case KernelLevel::Plain:
        return "plain";
    case KernelLevel::Sse4:
        return "sse4";
    case KernelLevel::Avx2:
        return "avx2";
    case KernelLevel::Avx512:
        return "avx512";
    }
    return "unknown";
}

std::int64_t ComputeLines(const KernelParams& params, int x, int y, int dx, int dy, int n,
                          int lineDx, int lineDy, int lines, std::int32_t* indices) {
    if (n == 1 && lines == 1) {
        // One pixel: no lanes to keep busy.
        std::int64_t iterations = 0;
        indices[0] = ComputeIndex(params, double(x) * params.scaleX + params.xMin,
                                  double(y) * params.scaleY + params.yMin, &iterations);
        return iterations;
    }
    const kernel_variants::PixelRun run{x, y, dx, dy, n, lineDx, lineDy, lines};
    return ComputeRuns(params, &run, 1, indices);
}

std::int64_t ComputeRuns(const KernelParams& params, const PixelLines* runs, int count,
                         std::int32_t* indices) {
    if (IsNaiveKernel()) {
        return NaiveRuns(params, runs, count, indices, nullptr);
    }
    return kernel_variants::RunFunctionFor(CurrentKernelLevel())(params, runs, count, indices,
                                                                 nullptr);
}

std::int64_t ComputeRunsFor(const KernelParams& params, const PixelLines* runs, int count,
                            std::int32_t* indices, KernelStop& stop) {
    stop.nStopped = 0;
    stop.stoppedInTail = false;
    stop.cap = std::max<std::int64_t>(stop.cap, 1);
    if (IsNaiveKernel()) {
        return NaiveRuns(params, runs, count, indices, &stop);
    }
    return kernel_variants::RunFunctionFor(CurrentKernelLevel())(params, runs, count, indices,
                                                                 &stop);
}

std::int64_t ComputeRun(const KernelParams& params, int x, int y, int dx, int dy, int n,
                        std::int32_t* indices) {
    return ComputeLines(params, x, y, dx, dy, n, 0, 0, 1, indices);
}

std::int64_t ComputeRect(const KernelParams& params, int left, int top, int width, int height,
                         std::int32_t* indices) {
    return ComputeLines(params, left, top, 1, 0, width, 0, 1, height, indices);
}
