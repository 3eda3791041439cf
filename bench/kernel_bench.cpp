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

constexpr int kWidth = 1024;
constexpr int kHeight = 683;

struct Case {
    std::string name;
    KernelParams params;
    int rowStep; // every rowStep-th row, so that the plain loop ends in time
};

struct Reference {
    std::vector<std::int32_t> indices;
    double iterations = 0.0;   // iterations the plain loop makes for the case's rows
    double naiveSeconds = 0.0; // per picture, once the plain loop has been timed
};

bool g_failed = false;
std::map<std::string, Reference> g_references;

std::vector<Case> Cases() {
    std::vector<Case> cases;
    const double zoomScale = 0.003 / kWidth;
    const KernelParams defaultView{-2.1, -1.2, 2.4 / kHeight, 2.4 / kHeight, 0, 192};
    const KernelParams zoomView{-0.7436 - 0.5 * kWidth * zoomScale,
                                0.1318 - 0.5 * kHeight * zoomScale,
                                zoomScale,
                                zoomScale,
                                0,
                                192};
    for (std::int32_t limit : {50, 1000, 100000}) {
        const int rowStep = limit >= 100000 ? 32 : 1;
        KernelParams p = defaultView;
        p.limit = limit;
        cases.push_back({"default/" + std::to_string(limit), p, rowStep});
        p = zoomView;
        p.limit = limit;
        cases.push_back({"zoom/" + std::to_string(limit), p, rowStep});
    }
    return cases;
}

std::vector<int> Rows(const Case& c) {
    std::vector<int> rows;
    for (int y = 0; y < kHeight; y += c.rowStep) {
        rows.push_back(y);
    }
    return rows;
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
        for (int y : Rows(c)) {
            for (int x = 0; x < kWidth; ++x) {
                const double re = Re(c.params, x);
                const double im = Im(c.params, y);
                ref.indices.push_back(ComputePointNaive(re, im, c.params.limit, c.params.nColors));
                ref.iterations += double(PlainIterations(re, im, c.params.limit));
            }
        }
    }
    return ref;
}

void Check(benchmark::State& state, const Reference& ref, const std::vector<std::int32_t>& got) {
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] != ref.indices[i]) {
            g_failed = true;
            const std::string where = "pixel " + std::to_string(i % kWidth) + " of row " +
                                      std::to_string(i / kWidth) +
                                      " of the rows measured: " + std::to_string(got[i]) +
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
    const std::vector<int> rows = Rows(c);
    std::vector<std::int32_t> got(ref.indices.size());
    const double start = CpuSeconds();
    for (auto _ : state) {
        std::size_t i = 0;
        for (int y : rows) {
            for (int x = 0; x < kWidth; ++x) {
                got[i++] = ComputePointNaive(Re(c.params, x), Im(c.params, y), c.params.limit,
                                             c.params.nColors);
            }
        }
        benchmark::DoNotOptimize(got.data());
    }
    const double seconds = CpuSeconds() - start;
    ref.naiveSeconds = seconds / double(state.iterations());
    Check(state, ref, got);
    Report(state, ref, seconds);
}

enum class Mode { Rows, Picture };

void Fast(benchmark::State& state, const Case& c, KernelLevel level, Mode mode) {
    const Reference& ref = ReferenceFor(c);
    const std::vector<int> rows = Rows(c);
    std::vector<std::int32_t> got(ref.indices.size());
    SetKernelLevel(level);
    const double start = CpuSeconds();
    for (auto _ : state) {
        if (mode == Mode::Picture) {
            ComputeLines(c.params, 0, 0, 1, 0, kWidth, 0, c.rowStep, int(rows.size()), got.data());
        } else {
            std::size_t i = 0;
            for (int y : rows) {
                ComputeRun(c.params, 0, y, 1, 0, kWidth, got.data() + i);
                i += kWidth;
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
            for (KernelLevel level : AvailableKernelLevels()) {
                const std::string name = std::string(KernelLevelName(level)) +
                                         (mode == Mode::Rows ? "/rows/" : "/picture/") + c.name;
                benchmark::RegisterBenchmark(name.c_str(), Fast, c, level, mode)
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
