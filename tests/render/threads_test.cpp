// quirl32-render --threads and --stats: every thread count gives the picture
// of the idle steps, byte for byte.

#include "render/renderer.h"
#include "rendered_files.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using RenderThreads = RenderedFilesTest;

// The set of the zoom benchmark, in an odd size, at 1000 iterations.
const std::vector<std::string> kZoom = {
    "--size", "257x181",         "--do", "specify=-0.7451,-0.7421,0.1309,0.1327,10",
    "--do",   "iterations=1000", "--do", "compute"};

TEST_F(RenderThreads, EveryThreadCountDrawsTheStepsPicture) {
    for (const char* method : {"recursion", "linescan"}) {
        for (const std::vector<std::string>& view :
             {std::vector<std::string>{"--size", "300x200"}, kZoom}) {
            std::vector<std::string> args = view;
            args.insert(args.end(), {"--method", method});
            // A step limit no computation reaches: the idle steps, one by one.
            std::vector<std::string> stepwise = args;
            stepwise.insert(stepwise.end(), {"--steps", "100000000"});
            const std::string expected = Render(stepwise);
            ASSERT_FALSE(expected.empty());
            for (const char* threads : {"1", "2", "3", "8"}) {
                std::vector<std::string> threaded = args;
                threaded.insert(threaded.end(), {"--threads", threads});
                EXPECT_TRUE(Render(threaded) == expected)
                    << method << " on " << threads << " threads, " << view[1];
            }
        }
    }
}

TEST_F(RenderThreads, StatsLineCountsThePlainLoopsIterations) {
    const std::regex line(
        R"(steps (\d+), iterations (\d+), longest idle call \d+\.\d{3} ms, total \d+\.\d{3} ms\n)");
    std::string printed;
    std::smatch m;
    std::vector<std::string> args = kZoom;
    args.push_back("--stats");
    std::vector<std::string> stepwise = args;
    stepwise.insert(stepwise.end(), {"--steps", "100000000"});
    Render(stepwise, &printed);
    ASSERT_TRUE(std::regex_match(printed, m, line)) << printed;
    const std::string iterations = m[2];
    EXPECT_GT(std::stoll(iterations), 0);
    for (const char* threads : {"1", "4"}) {
        std::vector<std::string> threaded = args;
        threaded.insert(threaded.end(), {"--threads", threads});
        Render(threaded, &printed);
        ASSERT_TRUE(std::regex_match(printed, m, line)) << printed;
        EXPECT_EQ(m[2], iterations) << threads << " threads";
    }
}

TEST(RenderThreadOptions, ThreadsAndStats) {
    const RenderParseResult parsed = ParseRenderOptions({"--threads", "3", "--stats"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->threads, 3);
    EXPECT_TRUE(parsed.options->stats);
    EXPECT_EQ(ParseRenderOptions({}).options->threads, 0); // the machine's processors
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--threads"},
                                               {"--threads", "0"},
                                               {"--threads", "-2"},
                                               {"--threads", "two"},
                                               {"--threads", "100000"},
                                               {"--stats=yes"}}) {
        const RenderParseResult r = ParseRenderOptions(bad);
        EXPECT_FALSE(r.options) << bad.back();
        EXPECT_EQ(r.error.find('\n'), std::string::npos);
    }
    const std::string usage = RenderUsage();
    EXPECT_NE(usage.find("--threads"), std::string::npos);
    EXPECT_NE(usage.find("--stats"), std::string::npos);
}

} // namespace
