// The idle steps with workers computing ahead of them, as the window and
// quirl32-render run them, against the plain steps on the interface thread
// in the same run.
//
// views/...: three views computed whole. Counters: x_serial, the speed-up in
// wall time over the plain steps; x_1worker, over one worker; cpu_ms, the
// processor time of all threads; longest_idle_ms, the longest single idle
// call on the interface thread. Every picture must equal the plain steps'
// one, byte for byte, or the benchmark fails.
//
// deep/...: the default view at limit 1000000000: the longest idle call.
//
// many/...: thirty heavy windows stepped for two seconds: the longest idle
// call when a round of steps goes on over several idle calls, and when each
// idle call takes a whole round; steps, the steps all of them took.
//
// long-steps/...: steps too large for one idle call, drawn over several: three
// random steps of 4000000 points, and the fill of a whole 8000 x 6000 window
// far outside the set. longest_idle_ms is what counts.
//
// beside/...: a light window computed next to a heavy one that never
// finishes in time; x_alone is the light window's time alone divided by its
// time beside the heavy one (1 when the heavy one takes nothing from it).

#include "app/quirl32_app.h"
#include "app/set_doc_template.h"
#include "bench_session.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/framework/frame.h"
#include "platform/runtime/crt_rand.h"
#include "platform/runtime/work_beside.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct View {
    std::string name;
    int width = 0, height = 0;
    std::vector<std::string> commands;
    std::optional<long> steps; // none: until the view has no work
};

std::string Specify(double x0, double x1, double y0, double y1, int points = 10) {
    char text[200];
    std::snprintf(text, sizeof text, "specify=%.17g,%.17g,%.17g,%.17g,%d", x0, x1, y0, y1, points);
    return text;
}

std::vector<View> Views() {
    // Seahorse valley: 0.003 wide around -0.7436 + 0.1318i, pixels square.
    const double half = 0.5 * 1000 * 0.003 / 1920;
    return {
        {"default/1024x683/100000", 1024, 683, {"iterations=100000"}, std::nullopt},
        {"boundary/2048x1366/1000",
         2048,
         1366,
         {Specify(-0.7451, -0.7421, 0.13080, 0.13280), "iterations=1000"},
         std::nullopt},
        {"seahorse/1920x1000/1000000",
         1920,
         1000,
         {Specify(-0.7451, -0.7421, 0.1318 - half, 0.1318 + half), "iterations=1000000"},
         std::nullopt},
    };
}

bool g_failed = false;
std::map<std::string, std::vector<COLORREF>> g_pictures;
std::map<std::string, double> g_seconds; // per render, by view and workers

bool Prepare(benchmark::State& state, RenderSession& session, const View& v) {
    const bool ok = PrepareSet(state, session, v.width, v.height, v.commands);
    g_failed = g_failed || !ok;
    return ok;
}

// One whole computation of the view per iteration, wall time.
void WholeView(benchmark::State& state, const View& v, int workers) {
    std::ostringstream messages;
    double seconds = 0.0, cpu = 0.0, longest = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        RenderSession session(messages, false);
        if (!Prepare(state, session, v))
            break; // skipped with the reason
        state.ResumeTiming();
        ComputeStats stats;
        const double start = WallSeconds(), cpuStart = CpuSeconds();
        session.Compute(v.steps, workers, stats);
        const double used = WallSeconds() - start;
        cpu += CpuSeconds() - cpuStart;
        state.SetIterationTime(used);
        seconds += used;
        longest = std::max(longest, stats.longestStepMs);
        state.PauseTiming();
        std::vector<COLORREF>& ref = g_pictures[v.name];
        if (session.Picture() == nullptr) {
            g_failed = true;
        } else if (ref.empty()) {
            ref = session.Picture()->Pixels();
        } else if (session.Picture()->Pixels() != ref) {
            g_failed = true;
            state.SkipWithError("the picture differs from the plain steps' one");
        }
        state.ResumeTiming();
    }
    if (state.iterations() == 0)
        return;
    const double renders = double(state.iterations());
    const double perRender = seconds / renders;
    g_seconds[v.name + "/" + std::to_string(workers)] = perRender;
    for (const auto& [baseline, counter] :
         {std::pair<int, const char*>{0, "x_serial"}, {1, "x_1worker"}}) {
        const auto it = g_seconds.find(v.name + "/" + std::to_string(baseline));
        if (it != g_seconds.end())
            state.counters[counter] = it->second / perRender;
    }
    state.counters["cpu_ms"] = 1000.0 * cpu / renders;
    state.counters["longest_idle_ms"] = longest;
}

// A running application with set windows, for the views side by side.
class Desktop {
public:
    explicit Desktop(int workers) {
        AfxSetResources(&Quirl32Resources());
        crt::srand(1);
        app.AddDocTemplate(NewSetDocTemplate());
        frame = new CMDIFrameWnd;
        frame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr);
        app.m_pMainWnd = frame;
        AfxSetWorkerThreads(workers);
    }
    ~Desktop() {
        app.CloseAllDocuments();
        app.m_pMainWnd = nullptr;
        delete frame;
        AfxSetWorkerThreads(0);
    }
    CQuirl32View* NewView(int width, int height, int limit) {
        app.OnFileNew();
        auto* view = dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView());
        host.SetViewClientSize(view, width, height);
        host.PumpMessages();
        view->m_pDoc->m_nIterations = limit;
        return view;
    }

    HeadlessHost host;
    CQuirl32App app;
    CMDIFrameWnd* frame = nullptr;
};

void Beside(benchmark::State& state, bool heavy, int workers) {
    double seconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        Desktop desktop(workers);
        if (heavy)
            desktop.NewView(252, 232, 1000000000);
        CQuirl32View* light = desktop.NewView(252, 232, 1000);
        state.ResumeTiming();
        const double start = WallSeconds();
        while (light->m_bWorking != 0)
            desktop.host.RunIdle(desktop.app, 1);
        const double used = WallSeconds() - start;
        state.SetIterationTime(used);
        seconds += used;
    }
    const double perRender = seconds / double(state.iterations());
    const std::string key = "beside/" + std::to_string(workers);
    if (!heavy)
        g_seconds[key] = perRender;
    else if (g_seconds.count(key) != 0)
        state.counters["x_alone"] = g_seconds[key] / perRender;
}

// Thirty windows at a limit that keeps them busy, stepped for a while: the
// longest idle call, with rounds cut at the budget or whole.
void ManyWindows(benchmark::State& state, int workers, bool wholeRounds) {
    if (wholeRounds)
        CQuirl32App::SetIdleRoundBudget(std::chrono::hours(1));
    double longest = 0.0;
    std::int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Desktop desktop(workers);
        std::vector<CQuirl32View*> views;
        for (int i = 0; i < 30; ++i)
            views.push_back(desktop.NewView(252, 232, 1000000000));
        state.ResumeTiming();
        const double start = WallSeconds();
        while (WallSeconds() - start < 2.0)
            desktop.host.RunIdle(desktop.app, 1);
        state.SetIterationTime(WallSeconds() - start);
        longest = std::max(longest, desktop.host.LongestIdleCallMs());
        for (const CQuirl32View* view : views)
            steps += view->m_nStepsTaken;
    }
    CQuirl32App::SetIdleRoundBudget(std::chrono::microseconds(4000));
    state.counters["longest_idle_ms"] = longest;
    // How far the windows got: steps taken in all of them.
    state.counters["steps"] = double(steps) / double(state.iterations());
}

// A benchmark timed by hand in milliseconds, run the given number of times.
template <class... Args> void Register(const std::string& name, int iterations, Args&&... args) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(iterations);
}

} // namespace

int main(int argc, char** argv) {
    const int processors = AfxProcessorCount();
    // The plain steps, one worker, two, and the processors when more.
    std::vector<int> counts = {0, 1, 2};
    if (processors > 2)
        counts.push_back(processors);
    for (const View& v : Views())
        for (int workers : counts) {
            Register("views/" + v.name + "/workers:" + std::to_string(workers), 3, WholeView, v,
                     workers);
        }

    const View deep{
        "default/252x232/1000000000", 252, 232, {"iterations=1000000000"}, std::nullopt};
    Register("deep/" + deep.name + "/workers:" + std::to_string(processors), 1, WholeView, deep,
             processors);

    const View longSteps[] = {
        {"random/2000x1500/4000000",
         2000,
         1500,
         {Specify(-2.1, 1.5, -1.2, 1.2, 4000000), "iterations=1000", "method=random"},
         3},
        {"fill/8000x6000", 8000, 6000, {Specify(10, 11, 10, 11)}, std::nullopt},
    };
    for (const View& v : longSteps)
        Register("long-steps/" + v.name + "/workers:" + std::to_string(processors), 1, WholeView, v,
                 processors);

    for (bool whole : {true, false})
        Register(std::string("many/30x252x232/1000000000/") +
                     (whole ? "whole-rounds" : "rounds-cut") +
                     "/workers:" + std::to_string(processors),
                 1, ManyWindows, processors, whole);

    for (bool heavy : {false, true})
        Register(std::string("beside/") + (heavy ? "heavy" : "alone") +
                     "/workers:" + std::to_string(processors),
                 5, Beside, heavy, processors);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return g_failed ? 1 : 0;
}
