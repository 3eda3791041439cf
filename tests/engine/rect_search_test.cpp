// A depth-first search of the recursion's rectangles finds the plain steps'
// rectangles and outcomes in the steps' order, however its work is cut into
// slices and hand-overs, and its keys sort in that order.

#include "engine/ahead/rect_search.h"
#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_naive.h"
#include "engine/pixel_work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Step {
    PixelRect r;
    RectOutcome::Kind kind;
    int index = 0;
    std::vector<std::int32_t> counts;
};

// The plain loop's count of a pixel, the limit turned into 0.
std::int32_t PlainCount(const KernelParams& p, int x, int y) {
    return ComputePointNaive(x * p.scaleX + p.xMin, y * p.scaleY + p.yMin, p.limit,
                             std::numeric_limits<std::int32_t>::max());
}

// The plain steps: a stack of rectangles, each tested on the spot.
std::vector<Step> PlainSteps(const KernelParams& p, const PixelRect& whole) {
    std::vector<Step> steps;
    std::vector<PixelRect> stack{whole};
    while (!stack.empty()) {
        const PixelRect r = stack.back();
        stack.pop_back();
        Step s{r, RectOutcome::Pixels, 0, {}};
        std::int64_t iterations = 0;
        if (IsNarrowRect(r)) {
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x)
                    s.counts.push_back(PlainCount(p, x, y));
        } else if (BorderUniform(p, r, s.index, iterations)) {
            s.kind = RectOutcome::Uniform;
        } else {
            s.kind = RectOutcome::Split;
            PixelRect quadrants[4];
            SplitRect(r, quadrants);
            stack.insert(stack.end(), quadrants, quadrants + 4);
        }
        steps.push_back(std::move(s));
    }
    return steps;
}

void ExpectStep(const Step& want, const RectResult& got, std::size_t at) {
    SCOPED_TRACE(at);
    EXPECT_EQ(got.r.left, want.r.left);
    EXPECT_EQ(got.r.top, want.r.top);
    EXPECT_EQ(got.r.right, want.r.right);
    EXPECT_EQ(got.r.bottom, want.r.bottom);
    ASSERT_EQ(got.outcome.kind, want.kind);
    if (want.kind == RectOutcome::Uniform) {
        EXPECT_EQ(got.outcome.index, want.index);
    }
    if (want.kind == RectOutcome::Pixels) {
        EXPECT_EQ(got.outcome.counts, want.counts);
    }
}

} // namespace

TEST(RectSearch, FindsThePlainStepsInOrderHoweverItIsCut) {
    // The default view of a 200 x 140 window at limit 300: uniform outside,
    // split along the edge, narrow strips at the bottom.
    const KernelParams p{-2.1, -1.2, 0.018, 0.018, 300, 192};
    const PixelRect whole{0, 0, 199, 139};
    const std::vector<Step> plain = PlainSteps(p, whole);
    ASSERT_GT(plain.size(), 200u);

    std::mt19937 gen(5);
    const std::int64_t budgets[] = {1, 500, 20000, std::int64_t(1) << 30};
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        // Each hand-over gives the rectangles left to new searches, as the
        // plan does, and the next search starts with the first of them.
        std::deque<RectSearch::Item> plan{{RectKey{}, whole, true}};
        std::vector<RectResult> found;
        std::vector<RectKey> keys;
        while (!plan.empty()) {
            const std::int64_t budget = budgets[gen() % 4];
            const std::size_t cap = 1 + gen() % 40;
            RectSearch search(p, budget);
            const std::size_t take = std::min<std::size_t>(plan.size(), 1 + gen() % 3);
            for (std::size_t i = 0; i < take; ++i)
                search.Add(plan[i].key, plan[i].r);
            plan.erase(plan.begin(), plan.begin() + std::ptrdiff_t(take));
            // Slices until it hands over or finishes.
            while (!search.Run(budget, cap) && search.InProgress()) {
            }
            for (RectResult& r : search.Results()) {
                keys.push_back(r.key);
                found.push_back(std::move(r));
            }
            // What is left comes after everything found, in order.
            const std::deque<RectSearch::Item>& left = search.Left();
            for (std::size_t i = 0; i < left.size(); ++i) {
                EXPECT_TRUE(keys.back() < left[i].key);
                EXPECT_TRUE(i == 0 || left[i - 1].key < left[i].key);
            }
            plan.insert(plan.begin(), left.begin(), left.end());
        }
        ASSERT_EQ(found.size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            ExpectStep(plain[i], found[i], i);
            EXPECT_TRUE(i == 0 || keys[i - 1] < keys[i]);
        }
        if (HasFailure())
            break;
    }
}
