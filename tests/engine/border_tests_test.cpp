// Border tests sharing the kernel's streams answer as each does alone and
// evaluate the very same pixels (the plain loop's iteration counts agree).

#include "engine/ahead/border_test.h"
#include "engine/pixel_work.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(BorderTests, SharedStreamsAnswerAsEachTestAlone) {
    // The default view of a 300 x 200 window at limit 200: borders in the
    // set, outside it, across its edge, mismatching at a corner, early and
    // late, and long uniform ones that take several chunks.
    const KernelParams p{-2.1, -1.2, 0.012, 0.012, 200, 192};
    const std::vector<PixelRect> rects = {
        {0, 0, 300, 200},   {150, 90, 160, 110}, {140, 80, 170, 120}, {0, 0, 40, 199},
        {5, 5, 10, 10},     {60, 20, 299, 30},   {100, 60, 199, 140}, {120, 95, 126, 105},
        {0, 150, 300, 200}, {200, 0, 300, 100},  {148, 92, 154, 108}, {20, 20, 1600, 1300},
    };
    std::vector<BorderTest> together;
    std::int64_t aloneIterations = 0;
    std::vector<int> aloneIndex;
    std::vector<bool> aloneUniform;
    for (const PixelRect& r : rects) {
        int index = -1;
        aloneUniform.push_back(BorderUniform(p, r, index, aloneIterations));
        aloneIndex.push_back(index);
        together.emplace_back(r);
    }
    std::int64_t togetherIterations = 0;
    BorderTests().Run(p, together.data(), int(together.size()), togetherIterations);
    int uniform = 0;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        ASSERT_TRUE(together[i].Done());
        EXPECT_EQ(together[i].Uniform(), aloneUniform[i]) << i;
        if (aloneUniform[i]) {
            EXPECT_EQ(together[i].Index(), aloneIndex[i]) << i;
            ++uniform;
        }
    }
    EXPECT_EQ(togetherIterations, aloneIterations);
    // Both answers occur.
    EXPECT_GT(uniform, 0);
    EXPECT_LT(uniform, int(rects.size()));
}
