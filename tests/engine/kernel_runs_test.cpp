// Several runs as one stream give, at every level the machine runs, each
// run's indices and counts as ComputeLines gives them alone, one run after
// the other in the output.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_naive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(KernelRuns, AStreamOfRunsIsEachRunInTurn) {
    // A detailed part of the set, where orbits of very different lengths sit
    // side by side, at a limit where some never escape.
    const KernelParams p{-0.7451, 0.1309, 0.003 / 256, 0.003 / 256, 3000, 192};
    const std::vector<PixelLines> runs = {
        {10, 20, 1, 0, 37, 0, 1, 5},    // a block of rows
        {0, 0, 1, 0, 0, 0, 1, 3},       // no pixels
        {200, 7, 0, 1, 90, 0, 0, 1},    // a column segment
        {55, 55, 1, 0, 1, 0, 1, 1},     // one pixel
        {120, 100, 0, 1, 3, 1, 0, 0},   // no lines
        {250, 3, -1, 0, 64, 0, 140, 2}, // two rows far apart, leftwards
        {31, 17, 2, 1, 41, -1, 3, 9},   // slanted, strided
    };
    std::vector<std::int32_t> expected;
    std::int64_t expectedIterations = 0;
    for (const PixelLines& r : runs) {
        const std::size_t pixels = r.n > 0 && r.lines > 0 ? std::size_t(r.n) * r.lines : 0;
        std::vector<std::int32_t> alone(pixels + 1, -1);
        expectedIterations +=
            ComputeLines(p, r.x, r.y, r.dx, r.dy, r.n, r.lineDx, r.lineDy, r.lines, alone.data());
        for (int j = 0; j < r.lines && r.n > 0; ++j)
            for (int i = 0; i < r.n; ++i) {
                const double re = double(r.x + i * r.dx + j * r.lineDx) * p.scaleX + p.xMin;
                const double im = double(r.y + i * r.dy + j * r.lineDy) * p.scaleY + p.yMin;
                ASSERT_EQ(alone[std::size_t(j) * r.n + i], ComputePointNaive(re, im, 3000, 192));
            }
        EXPECT_EQ(alone[pixels], -1);
        expected.insert(expected.end(), alone.begin(), alone.end() - 1);
    }

    const KernelLevel best = CurrentKernelLevel();
    for (KernelLevel level : AvailableKernelLevels()) {
        ASSERT_TRUE(SetKernelLevel(level));
        SCOPED_TRACE(KernelLevelName(level));
        std::vector<std::int32_t> stream(expected.size() + 1, -1);
        EXPECT_EQ(ComputeRuns(p, runs.data(), int(runs.size()), stream.data()), expectedIterations);
        EXPECT_EQ(stream.back(), -1);
        stream.pop_back();
        EXPECT_EQ(stream, expected);
    }
    SetKernelLevel(best);
    std::int32_t untouched = -1;
    EXPECT_EQ(ComputeRuns(p, runs.data() + 1, 1, &untouched), 0);
    EXPECT_EQ(untouched, -1);
}
