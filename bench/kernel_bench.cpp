// The plain loop against the run evaluator at every level this machine runs,
// on the same pixels in the same run. Reports the plain loop's iterations
// per second (for the fast kernel: the iterations the plain loop would have
// made, per second of the fast kernel) and the speed-up over the plain loop
// measured in this run (x_naive). Times are processor time of this process,
// so that other work on the machine disturbs them little.
//
// The fast kernel is measured two ways: "rows" evaluates each row with its
// own ComputeRun, as the border test and the line scan do; "picture" hands
// all the rows measured to ComputeLines as one stream, as a block fill does,
// so that a long orbit near the end of one row runs alongside the next rows.
//
// "long" is a line of points on the real axis whose orbits neither escape nor
// repeat within the limit: every lane runs the whole limit, so its iter/s is
// the step loop's own rate, the peak the other cases are compared with.
//
// Any index that differs from the plain loop's fails the benchmark and the
// program's exit status.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_naive.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string name;
    KernelParams params;
    int width = 0;
    int height = 0;
    int rowStep = 1; // every rowStep-th row, so that the plain loop ends in time
    // Instead of rows: single pixels, as runs of one.
    std::vector<PixelLines> pixels;

    std::size_t Size() const {
        return pixels.empty() ? std::size_t(width) * ((height + rowStep - 1) / rowStep)
                              : pixels.size();
    }
};

struct Reference {
    std::vector<std::int32_t> indices;
    double iterations = 0.0;   // iterations the plain loop makes for the case's rows
    double naiveSeconds = 0.0; // per picture, once the plain loop has been timed
};

bool g_failed = false;
std::map<std::string, Reference> g_references;

// Whether the orbit of re + im i repeats exactly within limit iterations,
// checked at every step against points saved at every power of two: an
// orbit that never does here never does in the kernel either.
bool Repeats(double re, double im, std::int32_t limit) {
    double x = re, y = im, sx = re, sy = im;
    for (std::int32_t count = 1; count <= limit; ++count) {
        const double nx = (x * x - y * y) + re;
        y = y * (x + x) + im;
        x = nx;
        if (x * x + y * y >= 4.0 || (x == sx && y == sy)) {
            return true;
        }
        if ((count & (count - 1)) == 0) {
            sx = x;
            sy = y;
        }
    }
    return false;
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    constexpr int kWidth = 1024, kHeight = 683;
    const double zoomScale = 0.003 / kWidth;
    const KernelParams defaultView{-2.1, -1.2, 2.4 / kHeight, 2.4 / kHeight, 0, 192};
    const KernelParams zoomView{-0.7436 - 0.5 * kWidth * zoomScale,
                                0.1318 - 0.5 * kHeight * zoomScale,
                                zoomScale,
                                zoomScale,
                                0,
                                192};
    // -0.7451 ... -0.7421, 0.13080 ... 0.13280 at 2048 x 1366.
    const double boundaryScale = 0.002 / 1366;
    const KernelParams boundaryView{-0.7451, 0.13080, boundaryScale, boundaryScale, 0, 192};
    for (std::int32_t limit : {50, 1000, 100000}) {
        const int rowStep = limit >= 100000 ? 32 : 1;
        const std::string suffix = "/" + std::to_string(limit);
        KernelParams p = defaultView;
        p.limit = limit;
        cases.push_back({"default" + suffix, p, kWidth, kHeight, rowStep, {}});
        p = zoomView;
        p.limit = limit;
        cases.push_back({"zoom" + suffix, p, kWidth, kHeight, rowStep, {}});
        p = boundaryView;
        p.limit = limit;
        cases.push_back({"boundary" + suffix, p, 2048, 1366, rowStep, {}});
    }
    // Chaotic orbits on the real axis between -1.99 and -1.6.
    Case line{"long/20000", KernelParams{-1.99, 0.0, 0.39 / 2048, 0.0, 20000, 192}, 0, 0, 1, {}};
    for (int x = 0; x < 2048; ++x) {
        if (!Repeats(double(x) * line.params.scaleX + line.params.xMin, 0.0, line.params.limit)) {
            line.pixels.push_back({x, 0, 1, 0, 1, 0, 1, 1});
        }
    }
    cases.push_back(line);
    return cases;
}

std::vector<int> Rows(const Case& c) {
    std::vector<int> rows;
    for (int y = 0; y < c.height; y += c.rowStep) {
        rows.push_back(y);
    }
    return rows;
}

// The pixels of a case in the order of the indices.
template <typename F> void ForEachPixel(const Case& c, F f) {
    if (!c.pixels.empty()) {
        for (const PixelLines& p : c.pixels) {
            f(p.x, p.y);
        }
        return;
    }
    for (int y : Rows(c)) {
        for (int x = 0; x < c.width; ++x) {
            f(x, y);
        }
    }
}

double Re(const KernelParams& p, int x) {
    return double(x) * p.scaleX + p.xMin;
}
double Im(const KernelParams& p, int y) {
    return double(y) * p.scaleY + p.yMin;
}

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

// The plain loop's count of iterations for one point.
std::int64_t PlainIterations(double re, double im, std::int32_t limit) {
    std::int64_t count = 0;
    ComputePointNaive(re, im, limit, 1, &count);
    return count;
}

Reference& ReferenceFor(const Case& c) {
    Reference& ref = g_references[c.name];
    if (ref.indices.empty()) {
        ForEachPixel(c, [&](int x, int y) {
            const double re = Re(c.params, x);
            const double im = Im(c.params, y);
            ref.indices.push_back(ComputePointNaive(re, im, c.params.limit, c.params.nColors));
            ref.iterations += double(PlainIterations(re, im, c.params.limit));
        });
    }
    return ref;
}

void Check(benchmark::State& state, const Reference& ref, const std::vector<std::int32_t>& got) {
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] != ref.indices[i]) {
            g_failed = true;
            const std::string where = "pixel " + std::to_string(i) +
                                      " of those measured: " + std::to_string(got[i]) +
                                      ", plain loop " + std::to_string(ref.indices[i]);
            state.SkipWithError(where.c_str());
            return;
        }
    }
}

void Report(benchmark::State& state, const Reference& ref, double seconds) {
    const double pictures = double(state.iterations());
    state.counters["iter/s"] = benchmark::Counter(ref.iterations * pictures / seconds);
    state.counters["pixels"] = double(ref.indices.size());
    if (ref.naiveSeconds > 0.0) {
        state.counters["x_naive"] = ref.naiveSeconds / (seconds / pictures);
    }
}

void Naive(benchmark::State& state, const Case& c) {
    Reference& ref = ReferenceFor(c);
    std::vector<std::int32_t> got(ref.indices.size());
    const double start = CpuSeconds();
    for (auto _ : state) {
        std::size_t i = 0;
        ForEachPixel(c, [&](int x, int y) {
            got[i++] = ComputePointNaive(Re(c.params, x), Im(c.params, y), c.params.limit,
                                         c.params.nColors);
        });
        benchmark::DoNotOptimize(got.data());
    }
    const double seconds = CpuSeconds() - start;
    ref.naiveSeconds = seconds / double(state.iterations());
    Check(state, ref, got);
    Report(state, ref, seconds);
}

enum class Mode { Rows, Picture };

// The kernel measured: a level of the fast kernel.
struct Kernel {
    std::string name;
    KernelLevel level = KernelLevel::Plain;

    std::int64_t Runs(const KernelParams& p, const PixelLines* runs, int count,
                      std::int32_t* out) const {
        return ComputeRuns(p, runs, count, out);
    }
};

std::vector<Kernel> Kernels() {
    std::vector<Kernel> kernels;
    for (KernelLevel level : AvailableKernelLevels()) {
        kernels.push_back({KernelLevelName(level), level});
    }
    return kernels;
}

void Fast(benchmark::State& state, const Case& c, const Kernel& kernel, Mode mode) {
    const Reference& ref = ReferenceFor(c);
    const std::vector<int> rows = Rows(c);
    std::vector<PixelLines> runs = c.pixels;
    if (runs.empty()) {
        if (mode == Mode::Picture) {
            runs.push_back({0, 0, 1, 0, c.width, 0, c.rowStep, int(rows.size())});
        } else {
            for (int y : rows) {
                runs.push_back({0, y, 1, 0, c.width, 0, 0, 1});
            }
        }
    }
    std::vector<std::int32_t> got(ref.indices.size());
    SetKernelLevel(kernel.level);
    const double start = CpuSeconds();
    for (auto _ : state) {
        if (mode == Mode::Picture) {
            kernel.Runs(c.params, runs.data(), int(runs.size()), got.data());
        } else {
            std::int32_t* out = got.data();
            for (const PixelLines& run : runs) {
                kernel.Runs(c.params, &run, 1, out);
                out += std::size_t(run.n) * run.lines;
            }
        }
        benchmark::DoNotOptimize(got.data());
    }
    const double seconds = CpuSeconds() - start;
    Check(state, ref, got);
    Report(state, ref, seconds);
}

} // namespace

int main(int argc, char** argv) {
    for (const Case& c : Cases()) {
        benchmark::RegisterBenchmark(("naive/" + c.name).c_str(), Naive, c)
            ->Unit(benchmark::kMillisecond);
        for (Mode mode : {Mode::Rows, Mode::Picture}) {
            if (mode == Mode::Rows && !c.pixels.empty()) {
                continue;
            }
            for (const Kernel& kernel : Kernels()) {
                const std::string name =
                    kernel.name + (mode == Mode::Rows ? "/rows/" : "/picture/") + c.name;
                benchmark::RegisterBenchmark(name.c_str(), Fast, c, kernel, mode)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return g_failed ? 1 : 0;
}
