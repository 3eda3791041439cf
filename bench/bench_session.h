#pragma once
// What the whole-picture benchmarks share: the clocks they read, and a set
// window made from the renderer's --do commands.

#include "render/render_options.h"
#include "render/render_session.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

inline double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + 1e-9 * double(ts.tv_nsec);
}

inline double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Opens a set window of width x height and runs the commands in it as
// quirl32-render --do would. False, with the benchmark skipped, when any
// of it fails.
inline bool PrepareSet(benchmark::State& state, RenderSession& session, int width, int height,
                       const std::vector<std::string>& commands) {
    std::vector<std::string> args;
    for (const std::string& command : commands)
        args.insert(args.end(), {"--do", command});
    const RenderParseResult parsed = ParseRenderOptions(args);
    bool ok = parsed.options && session.OpenSet("", width, height);
    if (ok)
        for (const RenderCommand& command : parsed.options->commands)
            ok = ok && session.Run(command);
    if (!ok)
        state.SkipWithError("the set could not be made");
    return ok;
}
