// Set windows computing at once on the headless backend, as the program runs
// them: idle calls and view steps per second, the longest idle call (how long
// a command that arrives meanwhile waits), and the resident memory before,
// while and after they compute.

#include "app/quirl32_app.h"
#include "app/set_doc_template.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/framework/frame.h"
#include "platform/headless/headless_host.h"
#include "platform/runtime/crt_rand.h"
#include "view/quirl32_view.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

// A line of /proc/self/status in megabytes: VmRSS now, VmHWM the peak.
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return 0.0;
}

void BM_ComputingWindows(benchmark::State& state) {
    const int windows = int(state.range(0));
    AfxSetResources(&Quirl32Resources());
    crt::srand(1);
    HeadlessHost host;
    CQuirl32App app;
    app.AddDocTemplate(NewSetDocTemplate());
    CMDIFrameWnd* frame = new CMDIFrameWnd;
    frame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr);
    app.m_pMainWnd = frame;

    const double rssBefore = StatusMegabytes("VmRSS");
    std::vector<CQuirl32View*> views;
    for (int i = 0; i < windows; ++i) {
        app.OnFileNew();
        views.push_back(dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView()));
    }
    host.PumpMessages();

    long long viewSteps = 0;
    // The durations of the last idle calls, in a ring that does not grow.
    std::vector<double> calls(1 << 16, 0.0);
    std::size_t callCount = 0;
    double rssRunning = 0.0;
    for (auto _ : state) {
        const auto working = std::count_if(
            views.begin(), views.end(), [](const CQuirl32View* v) { return v->m_bWorking != 0; });
        if (working == 0) {
            // All finished: every window computes again from the beginning.
            state.PauseTiming();
            for (CQuirl32View* v : views) {
                v->RestartComputation();
                v->m_bWorking = 1;
            }
            rssRunning = std::max(rssRunning, StatusMegabytes("VmRSS"));
            state.ResumeTiming();
        }
        host.PostMessage(frame, 0, 0, 0);
        const auto start = std::chrono::steady_clock::now();
        host.RunIdle(app, 1);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        calls[callCount++ % calls.size()] = took.count();
        viewSteps += working;
    }
    rssRunning = std::max(rssRunning, StatusMegabytes("VmRSS"));

    app.CloseAllDocuments();
    app.m_pMainWnd = nullptr;
    delete frame;
    malloc_trim(0);
    state.counters["view_steps_per_s"] =
        benchmark::Counter(double(viewSteps), benchmark::Counter::kIsRate);
    // The longest idle calls; on a busy machine the very longest are the
    // scheduler's rather than the program's.
    calls.resize(std::min(callCount, calls.size()));
    std::sort(calls.begin(), calls.end());
    if (!calls.empty()) {
        state.counters["p99_idle_call_us"] = calls[calls.size() * 99 / 100] * 1e6;
        state.counters["max_idle_call_us"] = calls.back() * 1e6;
    }
    state.counters["rss_before_MB"] = rssBefore;
    state.counters["rss_running_MB"] = rssRunning;
    state.counters["rss_closed_MB"] = StatusMegabytes("VmRSS");
}

} // namespace

BENCHMARK(BM_ComputingWindows)->Arg(1)->Arg(30)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
