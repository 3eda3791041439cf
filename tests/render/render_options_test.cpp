#include "render/render_options.h"

#include <gtest/gtest.h>

namespace {

RenderParseResult Parse(std::vector<std::string> args) {
    return ParseRenderOptions(args);
}

std::string ErrorOf(std::vector<std::string> args) {
    const RenderParseResult r = ParseRenderOptions(args);
    EXPECT_FALSE(r.options.has_value());
    return r.error;
}

} // namespace

TEST(RenderOptions, DefaultsWithoutArguments) {
    const RenderParseResult r = Parse({});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->width, 252);
    EXPECT_EQ(r.options->height, 232);
    EXPECT_EQ(r.options->method, Recursion);
    EXPECT_EQ(r.options->scheme, Standard);
    EXPECT_FALSE(r.options->steps);
    EXPECT_TRUE(r.options->inputFile.empty());
    EXPECT_FALSE(r.options->info);
}

TEST(RenderOptions, EveryOptionInBothSpellings) {
    const RenderParseResult r =
        Parse({"in.qrl", "-o", "x.png", "--size", "300x200", "--method=linescan", "--scheme", "bw",
               "--steps", "12", "--indices", "i.pgm", "--info", "--save", "s.qrl"});
    ASSERT_TRUE(r.options) << r.error;
    const RenderOptions& o = *r.options;
    EXPECT_EQ(o.inputFile, "in.qrl");
    EXPECT_EQ(o.outputPng, "x.png");
    EXPECT_EQ(o.width, 300);
    EXPECT_EQ(o.height, 200);
    EXPECT_EQ(o.method, LineScan);
    EXPECT_EQ(o.scheme, BlackWhite);
    EXPECT_EQ(o.steps, 12);
    EXPECT_EQ(o.indicesPgm, "i.pgm");
    EXPECT_TRUE(o.info);
    EXPECT_EQ(o.saveFile, "s.qrl");
    EXPECT_EQ(Parse({"--output=y.png"}).options->outputPng, "y.png");
    EXPECT_TRUE(Parse({"-h"}).options->help);
    EXPECT_TRUE(Parse({"--help"}).options->help);
    EXPECT_TRUE(Parse({"--version"}).options->version);
    EXPECT_EQ(ErrorOf({"--version=2"}), "--version takes no value");
}

TEST(RenderOptions, DoCommandsKeepTheirOrderAndValues) {
    const RenderParseResult r = Parse({"--do", "unzoom",        "--do", "zoom=100,50,200,101",
                                       "--do", "iterations=75", "--do", "specify=-2,1,-1,1,20",
                                       "--do", "method=random", "--do", "scheme=grayscale",
                                       "--do", "resize=40x30",  "--do", "undo",
                                       "--do", "stop",          "--do", "compute"});
    ASSERT_TRUE(r.options) << r.error;
    const auto& c = r.options->commands;
    ASSERT_EQ(c.size(), 10u);
    EXPECT_EQ(c[0].kind, RenderCommand::Unzoom);
    EXPECT_EQ(c[1].kind, RenderCommand::Zoom);
    EXPECT_EQ(c[1].rect, (std::array<int, 4>{100, 50, 200, 101}));
    EXPECT_EQ(c[2].kind, RenderCommand::Iterations);
    EXPECT_EQ(c[2].iterations, "75");
    EXPECT_EQ(c[3].kind, RenderCommand::Specify);
    EXPECT_EQ(c[3].fields, (std::array<std::string, 5>{"-2", "1", "-1", "1", "20"}));
    EXPECT_EQ(c[4].method, Random);
    EXPECT_EQ(c[5].scheme, Grayscale);
    EXPECT_EQ(c[6].width, 40);
    EXPECT_EQ(c[6].height, 30);
    EXPECT_EQ(c[7].kind, RenderCommand::Undo);
    EXPECT_EQ(c[8].kind, RenderCommand::Stop);
    EXPECT_EQ(c[9].kind, RenderCommand::Compute);
    EXPECT_EQ(c[7].text, "undo");
}

TEST(RenderOptions, BadUsageGivesAOneLineReason) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--bogus"},
             {"-o"},
             {"--size", "300"},
             {"--size", "0x10"},
             {"--size", "10x-1"},
             {"--size", "10x10x10"},
             {"--size", "99999x10"},
             {"--size", "a0x10"},
             {"--method", "fast"},
             {"--scheme", "sepia"},
             {"--steps", "-1"},
             {"--steps", "1e3"},
             {"--do"},
             {"--do", "dance"},
             {"--do", "unzoom=2"},
             {"--do", "zoom=1,2,3"},
             {"--do", "zoom=1,2,3,x"},
             {"--do", "specify=1,2,3,4"},
             {"--do", "method=quick"},
             {"--do", "scheme="},
             {"--do", "resize=0x0"},
             {"--do", "iterations"},
             {"--info=yes"},
             {"a.qrl", "b.qrl"},
         }) {
        const std::string error = ErrorOf(args);
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(RenderOptions, UsageNamesEveryOption) {
    const std::string usage = RenderUsage();
    for (const char* option : {"--output", "--size", "--method", "--scheme", "--do", "--steps",
                               "--indices", "--info", "--save", "--help", "--version"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.rfind("quirl32-render [FILE.qrl] [options]\n", 0), 0u);
}

TEST(RenderOptions, SizesUpToWhatThePictureMayTake) {
    const RenderParseResult big = Parse({"--size", "20000x15000", "--do", "resize=65535x16384"});
    ASSERT_TRUE(big.options) << big.error;
    EXPECT_EQ(big.options->width, 20000);
    EXPECT_EQ(big.options->commands[0].width, 65535);
    EXPECT_EQ(ErrorOf({"--size", "40000x30000"}),
              "--size 40000x30000: the picture would take 4.5 GiB, more than the 4 GiB allowed");
    EXPECT_NE(ErrorOf({"--do", "resize=65535x16385"}).find("4 GiB allowed"), std::string::npos);
    EXPECT_NE(ErrorOf({"--size", "65536x1"}).find("sides 1 to 65535"), std::string::npos);
}
