// Whole renders as quirl32-render makes them: the recursion's idle steps on
// the set view of the headless backend, with workers computing ahead of
// them, and the plain loop ("naive") and the plain run evaluator ("plain")
// swapped in as baselines in the same run; one worker against two; and the
// longest single idle step of the plain steps, without workers.
//
// Counters: x_naive and x_plain, the speed-up over those baselines measured
// in this run, in processor time; x_1thread, the speed-up in wall time over
// the same render on one thread, with cpu_ms the processor time of all
// threads; longest_step_ms, the longest idle step of the whole computation.
// Every render's picture must equal the first one's of its case, or the
// benchmark fails with the program's exit status.

#include "bench_session.h"
#include "engine/kernel/kernel_level.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::string> commands; // --do commands before the measured computation
};

// A view of the given size centred on -0.7436 + 0.1318i, 0.003 wide.
std::string ZoomSpecify(int width, int height) {
    const double scale = 0.003 / width;
    char text[160];
    std::snprintf(text, sizeof text, "specify=%.17g,%.17g,%.17g,%.17g,10", -0.7436 - 0.0015,
                  -0.7436 + 0.0015, 0.1318 - 0.5 * height * scale, 0.1318 + 0.5 * height * scale);
    return text;
}

Case DefaultCase(int width, int height, int limit) {
    return {"default/" + std::to_string(width) + "x" + std::to_string(height) + "/" +
                std::to_string(limit),
            width,
            height,
            {"iterations=" + std::to_string(limit)}};
}

Case ZoomCase(int width, int height, int limit) {
    return {"zoom/" + std::to_string(width) + "x" + std::to_string(height) + "/" +
                std::to_string(limit),
            width,
            height,
            {ZoomSpecify(width, height), "iterations=" + std::to_string(limit)}};
}

// What the kernel is for one measurement.
struct Kernel {
    std::string name;
    bool naive = false;
    KernelLevel level = KernelLevel::Plain;

    void Use() const {
        SetNaiveKernel(naive);
        SetKernelLevel(level);
    }
};

std::vector<Kernel> Kernels() {
    const KernelLevel best = AvailableKernelLevels().back();
    std::vector<Kernel> kernels = {{"naive", true, best}, {"plain", false, KernelLevel::Plain}};
    if (best != KernelLevel::Plain)
        kernels.push_back({KernelLevelName(best), false, best});
    return kernels;
}

struct Reference {
    std::vector<COLORREF> picture;
    std::map<std::string, double> seconds; // per render, by baseline name
};

bool g_failed = false;
std::map<std::string, Reference> g_references;

// A set window with the case's set, ready to compute; nullptr, with the
// benchmark marked, when a command fails.
bool Prepare(benchmark::State& state, RenderSession& session, const Case& c) {
    const bool ok = PrepareSet(state, session, c.width, c.height, c.commands);
    g_failed = g_failed || !ok;
    return ok;
}

// Compares the picture with the case's first one.
void Check(benchmark::State& state, const std::string& key, const Surface& picture) {
    Reference& ref = g_references[key];
    if (ref.picture.empty()) {
        ref.picture = picture.Pixels();
        return;
    }
    if (picture.Pixels() != ref.picture) {
        g_failed = true;
        state.SkipWithError("the picture differs from the first render of this case");
    }
}

// One whole render per benchmark iteration, timed without making the
// session. Against other kernels (threads 0: one thread, processor time) or
// against one thread (threads 1 or more: wall time, and the processor time
// of all threads as cpu_ms).
void WholeRender(benchmark::State& state, const Case& c, const Kernel& kernel, int threads,
                 const std::string& key) {
    kernel.Use();
    const bool wall = threads > 0;
    std::ostringstream messages;
    double seconds = 0.0, cpuSeconds = 0.0;
    ComputeStats stats;
    for (auto _ : state) {
        state.PauseTiming();
        RenderSession session(messages, false);
        if (!Prepare(state, session, c)) {
            state.ResumeTiming();
            break;
        }
        state.ResumeTiming();
        const double start = WallSeconds(), cpuStart = CpuSeconds();
        session.Compute(std::nullopt, std::max(threads, 1), stats);
        const double cpu = CpuSeconds() - cpuStart;
        const double used = wall ? WallSeconds() - start : cpu;
        state.SetIterationTime(used);
        seconds += used;
        cpuSeconds += cpu;
        state.PauseTiming();
        if (session.Picture() != nullptr)
            Check(state, key, *session.Picture());
        state.ResumeTiming();
    }
    SetNaiveKernel(false);
    SetKernelLevel(AvailableKernelLevels().back());
    if (state.iterations() == 0)
        return;
    const double renders = double(state.iterations());
    const double perRender = seconds / renders;
    Reference& ref = g_references[key];
    const std::string baseline = wall ? "threads" + std::to_string(threads) : kernel.name;
    ref.seconds[baseline] = perRender;
    for (const auto& [name, counter] : {std::pair<std::string, std::string>{"naive", "x_naive"},
                                        {"plain", "x_plain"},
                                        {"threads1", "x_1thread"}})
        if (ref.seconds.count(name) != 0)
            state.counters[counter] = ref.seconds[name] / perRender;
    if (wall)
        state.counters["cpu_ms"] = 1000.0 * cpuSeconds / renders;
    state.counters["iterations"] = double(stats.iterations) / renders;
}

// The computation in idle steps, one at a time as the desktop program takes
// them; reports the longest.
void IdleSteps(benchmark::State& state, const Case& c, KernelLevel level) {
    SetKernelLevel(level);
    std::ostringstream messages;
    ComputeStats stats;
    double longest = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        RenderSession session(messages, false);
        if (!Prepare(state, session, c)) {
            state.ResumeTiming();
            break;
        }
        state.ResumeTiming();
        ComputeStats one;
        session.Compute(LONG_MAX, 0, one);
        longest = std::max(longest, one.longestStepMs);
        stats.steps += one.steps;
        state.PauseTiming();
        if (session.Picture() != nullptr)
            Check(state, "idle/" + c.name, *session.Picture());
        state.ResumeTiming();
    }
    SetKernelLevel(AvailableKernelLevels().back());
    if (state.iterations() == 0)
        return;
    state.counters["longest_step_ms"] = longest;
    state.counters["steps"] = double(stats.steps) / double(state.iterations());
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Case> renders = {DefaultCase(252, 232, 50), DefaultCase(252, 232, 1000),
                                       DefaultCase(1920, 1080, 50), DefaultCase(1920, 1080, 1000),
                                       ZoomCase(1920, 1080, 1000)};
    for (const Case& c : renders)
        for (const Kernel& k : Kernels())
            benchmark::RegisterBenchmark(("render/" + k.name + "/" + c.name).c_str(), WholeRender,
                                         c, k, 0, c.name)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);

    const Case zoom = ZoomCase(1920, 1080, 1000);
    const Kernel best = Kernels().back();
    for (int threads : {1, 2})
        benchmark::RegisterBenchmark(
            ("threads/" + std::to_string(threads) + "/" + zoom.name).c_str(), WholeRender, zoom,
            best, threads, "threads/" + zoom.name)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);

    const Case responsive = DefaultCase(252, 232, 1000000);
    for (KernelLevel level : AvailableKernelLevels())
        benchmark::RegisterBenchmark(
            (std::string("idle/") + KernelLevelName(level) + "/" + responsive.name).c_str(),
            IdleSteps, responsive, level)
            ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return g_failed ? 1 : 0;
}
