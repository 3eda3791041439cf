// quirl32-render's command line: any list of arguments is either a set of
// options or a one-line reason, and the options that parse run as the
// renderer would run them, on a new set and without touching any file.
//
// Input: the arguments, separated by NUL bytes.

#include "doc/number_text.h"
#include "fuzz_check.h"
#include "render/render_options.h"
#include "render/render_session.h"
#include "render/renderer.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Beyond these the run would only take longer, not go anywhere new.
constexpr int kMaxSide = 48;
constexpr long kMaxSteps = 300;
constexpr std::size_t kMaxCommands = 24;
constexpr std::int32_t kMaxIterations = 2000;
constexpr std::int32_t kMaxRandomPoints = 500;

void CheckOptions(const RenderOptions& o) {
    FUZZ_REQUIRE(o.width >= 1 && o.width <= kMaxRenderSide, "width");
    FUZZ_REQUIRE(o.height >= 1 && o.height <= kMaxRenderSide, "height");
    FUZZ_REQUIRE(!o.steps || *o.steps >= 0, "steps");
    for (const RenderCommand& c : o.commands) {
        if (c.kind == RenderCommand::Resize)
            FUZZ_REQUIRE(c.width >= 1 && c.width <= kMaxRenderSide && c.height >= 1 &&
                             c.height <= kMaxRenderSide,
                         "resize " + c.text);
        if (c.kind == RenderCommand::Zoom)
            for (int v : c.rect)
                FUZZ_REQUIRE(v >= -4 * kMaxRenderSide && v <= 4 * kMaxRenderSide, "zoom " + c.text);
        FUZZ_REQUIRE(c.method >= Recursion && c.method <= Random, "method " + c.text);
        FUZZ_REQUIRE(c.scheme >= Standard && c.scheme <= BlackWhite, "scheme " + c.text);
    }
}

// Whether a run of these options stays small enough for a fuzzer.
bool Cheap(const RenderOptions& o) {
    if (o.width > kMaxSide || o.height > kMaxSide || o.commands.size() > kMaxCommands)
        return false;
    for (const RenderCommand& c : o.commands) {
        if (c.kind == RenderCommand::Resize && (c.width > kMaxSide || c.height > kMaxSide))
            return false;
        if (c.kind == RenderCommand::Iterations && crt::atoi(c.iterations) > kMaxIterations)
            return false;
        if (c.kind == RenderCommand::Specify && crt::atol(c.fields[4]) > kMaxRandomPoints)
            return false;
    }
    return true;
}

// Renders o as the renderer would, on a new set, with one thread and at
// most kMaxSteps steps at a time, and writes nothing.
void Run(RenderOptions o) {
    o.inputFile.clear();
    o.steps = std::min(o.steps.value_or(kMaxSteps), kMaxSteps);
    o.threads = 1;
    std::ostream quiet(nullptr);
    RenderSession session(quiet, true);
    ComputeStats stats;
    DriveRender(session, o, stats, quiet);

    CQuirl32View* view = session.View();
    FUZZ_REQUIRE(view != nullptr, "a new set opens");
    const Surface* window = session.Host().GetWindowSurface(view);
    FUZZ_REQUIRE(window != nullptr, "the set window has a surface");
    RECT client{};
    view->GetClientRect(&client);
    FUZZ_REQUIRE(window->Width() == client.right && window->Height() == client.bottom,
                 "the window surface has the client size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(char(data[i]));
        }
    }
    if (size > 0)
        args.push_back(current);

    const RenderParseResult parsed = ParseRenderOptions(args);
    if (!parsed.options) {
        FUZZ_REQUIRE(!parsed.error.empty(), "a refusal gives a reason");
        return 0;
    }
    FUZZ_REQUIRE(parsed.error.empty(), "no reason with options");
    CheckOptions(*parsed.options);
    if (Cheap(*parsed.options))
        Run(*parsed.options);
    return 0;
}
