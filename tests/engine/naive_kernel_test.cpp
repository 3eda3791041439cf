// The plain loop swapped in for the fast kernel, as the benchmark's baseline:
// the same indices, in the same places, and the same iteration counts.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(NaiveKernel, GivesTheFastKernelsIndicesAndCounts) {
    const KernelParams zoom{-0.7451, 0.1309, 0.003 / 64, 0.003 / 64, 1000, 192};
    const KernelParams wide{-2.1, -1.2, 2.4 / 40, 2.4 / 40, 200, 200};
    for (const KernelParams& p : {zoom, wide}) {
        // Columns that step right and lines that step down and left: every
        // part of the pixel position counts.
        std::vector<std::int32_t> fast(7 * 5), naive(7 * 5);
        const std::int64_t fastCount = ComputeLines(p, 30, 3, 0, 2, 7, -3, 1, 5, fast.data());
        std::int64_t fastPoint = 0, naivePoint = 0;
        const int fastIndex = ComputeIndex(p, -0.74, 0.13, &fastPoint);

        SetNaiveKernel(true);
        EXPECT_TRUE(IsNaiveKernel());
        const std::int64_t naiveCount = ComputeLines(p, 30, 3, 0, 2, 7, -3, 1, 5, naive.data());
        const int naiveIndex = ComputeIndex(p, -0.74, 0.13, &naivePoint);
        SetNaiveKernel(false);

        EXPECT_EQ(naive, fast);
        EXPECT_EQ(naiveCount, fastCount);
        EXPECT_EQ(naiveIndex, fastIndex);
        EXPECT_EQ(naivePoint, fastPoint);
    }
}
