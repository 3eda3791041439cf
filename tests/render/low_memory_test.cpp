// The renderer keeps no window picture of its own, only the view's off-screen
// one, and still writes exactly what a window of that size shows; pictures
// too large for the memory there is end with a message, not a crash.

#include "render/render_session.h"
#include "render/renderer.h"
#include "rendered_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

using LowMemory = RenderedFilesTest;

TEST_F(LowMemory, WritesWhatTheWindowShowsByteForByte) {
    // Finished and unfinished computations, previews, and size changes after
    // which the window keeps old content that the new picture lacks.
    const std::vector<std::vector<std::string>> cases = {
        {"--size", "41x29"},
        {"--size", "41x29", "--method", "linescan", "--steps", "300"},
        {"--size", "41x29", "--method", "random", "--scheme", "grayscale"},
        {"--size", "41x29", "--do", "zoom=5,4,30,20", "--steps", "40"},
        {"--size", "41x29", "--do", "unzoom", "--do", "zoom=10,10,30,25"},
        {"--size", "41x29", "--do", "method=random", "--do", "resize=50x20"},
        {"--size", "41x29", "--steps", "25", "--do", "resize=30x40", "--do", "resize=45x35"},
        {"--size", "41x29", "--do", "resize=20x20", "--do", "zoom=2,2,12,12"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& a : args)
            line += a + " ";
        const std::string kept = Render(args, nullptr, true);
        ASSERT_FALSE(kept.empty()) << line;
        EXPECT_EQ(Render(args, nullptr, false), kept) << line;
    }
}

TEST_F(LowMemory, OnlyTheOffscreenPictureIsKept) {
    std::ostringstream err;
    RenderSession session(err, false);
    ASSERT_TRUE(session.OpenSet("", 64, 48));
    ComputeStats stats;
    session.Compute(std::nullopt, 2, stats);
    EXPECT_EQ(session.Host().GetWindowSurface(session.View()), nullptr);
    ASSERT_NE(session.Picture(), nullptr);
    EXPECT_EQ(session.Picture(), session.View()->m_pMemDC->GetSurface());
    EXPECT_EQ(session.Picture()->Width(), 64);
    EXPECT_EQ(session.Picture()->Height(), 48);
}

TEST_F(LowMemory, APictureBeyondTheMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers cannot run within a limited address space";
#endif
    // In a child whose address space cannot hold a picture of 1 GiB.
    const std::string errFile = m_folder.Path("err.txt");
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        const rlim_t limit = rlim_t(512) << 20;
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_AS, &r);
        std::ostringstream out, err;
        const RenderParseResult parsed =
            ParseRenderOptions({"--size", "16384x16384", "-o", m_folder.Path("x.png")});
        const int status = parsed.options ? RunRender(*parsed.options, out, err) : 3;
        std::ofstream(errFile) << err.str();
        _exit(status);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(TempFolder::ReadText(errFile), "quirl32-render: Out of memory.\n");
    EXPECT_FALSE(fs::exists(m_folder.Path("x.png")));
}
