#include "render/renderer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class Renderer : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder.Path(name); }

    // Runs the renderer on the command line's words; the exit status.
    int Render(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        const RenderParseResult parsed = ParseRenderOptions(args);
        EXPECT_TRUE(parsed.options) << parsed.error;
        if (!parsed.options)
            return 2;
        return RunRender(*parsed.options, out, err);
    }

    static std::string Read(const std::string& path) { return TempFolder::ReadText(path); }

    TempFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

const char kDefault24x16[] = "P2\n24 16\n255\n"
                             "0 0 0 0 1 1 1 2 2 2 2 2 2 2 2 1 1 1 1 1 1 1 1 1\n"
                             "0 0 0 1 1 2 2 2 2 2 3 3 4 11 4 3 2 1 1 1 1 1 1 1\n"
                             "0 0 0 1 2 2 2 2 2 3 3 4 5 35 7 4 3 2 2 1 1 1 1 1\n"
                             "0 0 1 2 2 2 2 2 3 3 4 5 8 0 33 5 4 3 2 1 1 1 1 1\n"
                             "0 0 2 2 2 2 2 3 4 5 11 15 0 0 0 19 14 4 2 2 1 1 1 1\n"
                             "0 0 2 2 2 3 5 4 5 6 24 0 0 0 0 0 33 5 3 2 2 1 1 1\n"
                             "0 2 3 3 4 5 15 12 10 10 0 0 0 0 0 0 0 7 3 2 2 1 1 1\n"
                             "0 3 3 4 5 8 0 0 0 21 0 0 0 0 0 0 0 5 3 2 2 1 1 1\n"
                             "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 11 5 3 2 2 1 1 1\n"
                             "0 3 3 4 5 8 0 0 0 21 0 0 0 0 0 0 0 5 3 2 2 1 1 1\n"
                             "0 2 3 3 4 5 15 12 10 10 0 0 0 0 0 0 0 7 3 2 2 1 1 1\n"
                             "0 0 2 2 2 3 5 4 5 6 24 0 0 0 0 0 33 5 3 2 2 1 1 1\n"
                             "0 0 2 2 2 2 2 3 4 5 11 15 0 0 0 19 14 4 2 2 1 1 1 1\n"
                             "0 0 1 2 2 2 2 2 3 3 4 5 8 0 33 5 4 3 2 1 1 1 1 1\n"
                             "0 0 0 1 2 2 2 2 2 3 3 4 5 35 7 4 3 2 2 1 1 1 1 1\n"
                             "0 0 0 1 1 2 2 2 2 2 3 3 4 11 4 3 2 1 1 1 1 1 1 1\n";

} // namespace

TEST_F(Renderer, TheDefaultSetIndicesAreStable) {
    ASSERT_EQ(Render({"--size", "24x16", "--indices", Path("r.pgm")}), 0) << err.str();
    EXPECT_EQ(Read(Path("r.pgm")), kDefault24x16);
    // The line scan gives the same picture, pixel by pixel.
    ASSERT_EQ(Render({"--size", "24x16", "--method", "linescan", "--indices", Path("l.pgm")}), 0);
    EXPECT_EQ(Read(Path("l.pgm")), kDefault24x16);
    EXPECT_TRUE(err.str().empty());
}

TEST_F(Renderer, WritesTheDefaultPicture) {
    ASSERT_EQ(Render({"-o", Path("x.png")}), 0) << err.str();
    const std::string png = Read(Path("x.png"));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    // IHDR: 252 x 232, the default client area.
    EXPECT_EQ(std::memcmp(png.data() + 16, "\0\0\0\xfc\0\0\0\xe8", 8), 0);
}

TEST_F(Renderer, InfoAndSaveAfterCommands) {
    ASSERT_EQ(Render({"--size", "300x200", "--do", "unzoom", "--do", "undo", "--do",
                      "iterations=100", "--info", "--save", Path("s.qrl")}),
              0)
        << err.str();
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "From: -2.1-1.2i");
    std::getline(lines, line);
    EXPECT_EQ(line, "To: 1.5+1.2i");
    std::getline(lines, line);
    EXPECT_EQ(line, "Iterations: 100");
    std::getline(lines, line);
    EXPECT_EQ(line, "Zoom: 83 dpu");
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("Time used: ", 0), 0u);

    const std::string saved = Read(Path("s.qrl"));
    ASSERT_EQ(saved.size(), 40u);
    double xMax = 0;
    std::memcpy(&xMax, saved.data() + 8, 8);
    EXPECT_EQ(xMax, 1.5);
    EXPECT_EQ(saved[32], 100);

    // The saved set opens again, here in another size.
    ASSERT_EQ(Render({Path("s.qrl"), "--size", "400x200", "--info"}), 0) << err.str();
    EXPECT_NE(out.str().find("To: 2.7+1.2i"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Iterations: 100"), std::string::npos);
}

TEST_F(Renderer, ZoomSpecifyAndMethodCommands) {
    ASSERT_EQ(Render({"--size", "300x200", "--do", "zoom=100,50,200,101", "--info"}), 0)
        << err.str();
    EXPECT_NE(out.str().find("From: -0.9-0.6i"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Zoom: 326 dpu"), std::string::npos) << out.str();

    ASSERT_EQ(Render({"--size", "30x20", "--do", "specify=-2,1,-1,1,20", "--do", "method=random",
                      "--steps", "5", "--info"}),
              0)
        << err.str();
    EXPECT_NE(out.str().find("From: -2.-1.i"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("timer reset or not finished"), std::string::npos);

    ASSERT_EQ(Render({"--size", "30x20", "--do", "iterations=abc", "--info"}), 0);
    EXPECT_NE(out.str().find("Iterations: 0"), std::string::npos) << out.str();
}

TEST_F(Renderer, AfterUnzoomOneStepFillsEverything) {
    ASSERT_EQ(Render({"--size", "30x20", "--do", "unzoom", "--indices", Path("u.pgm")}), 0);
    const std::string pgm = Read(Path("u.pgm"));
    const std::string body = pgm.substr(pgm.find("255\n") + 4);
    EXPECT_EQ(body.find_first_not_of("0 \n"), std::string::npos);
}

TEST_F(Renderer, StepsLeaveUnpaintedPixels) {
    ASSERT_EQ(Render({"--size", "10x10", "--method", "linescan", "--steps", "7", "--indices",
                      Path("p.pgm")}),
              0);
    const std::string pgm = Read(Path("p.pgm"));
    // The first idle calls paint the first pixels; the rest is still white.
    EXPECT_NE(pgm.find("255"), pgm.rfind("255"));
    ASSERT_EQ(Render({"--size", "10x10", "--steps", "0", "--do", "stop"}), 0) << err.str();
}

TEST_F(Renderer, DisabledCommandsAndBadFilesFail) {
    EXPECT_EQ(Render({"--do", "undo"}), 1);
    EXPECT_NE(err.str().find("undo"), std::string::npos);
    EXPECT_EQ(Render({"--size", "20x20", "--do", "stop"}), 1); // finished already
    EXPECT_NE(err.str().find("stop"), std::string::npos);
    EXPECT_EQ(Render({"--size", "20x20", "--steps", "2", "--do", "compute"}), 1);

    EXPECT_EQ(Render({Path("missing.qrl")}), 1);
    EXPECT_NE(err.str().find("missing.qrl"), std::string::npos);
    std::ofstream(Path("short.qrl"), std::ios::binary) << "0123456789";
    EXPECT_EQ(Render({Path("short.qrl"), "-o", Path("never.png")}), 1);
    EXPECT_EQ(err.str(), "quirl32-render: Unexpected file format.\n");
    EXPECT_FALSE(fs::exists(Path("never.png")));

    EXPECT_EQ(Render({"--size", "8x8", "-o", Path("no/such/dir/x.png")}), 1);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}
