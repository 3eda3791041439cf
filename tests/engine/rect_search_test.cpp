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
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Step {
    PixelRect r;
    RectOutcome::Kind kind;
    int index = 0;
    std::vector<std::int32_t> counts;
    std::int64_t iterations = 0;
};

// The plain loop's count of a pixel, the limit turned into 0.
std::int32_t PlainCount(const KernelParams& p, int x, int y, std::int64_t& iterations) {
    return ComputePointNaive(x * p.scaleX + p.xMin, y * p.scaleY + p.yMin, p.limit,
                             std::numeric_limits<std::int32_t>::max(), &iterations);
}

// The plain steps: a stack of rectangles, each tested on the spot.
std::vector<Step> PlainSteps(const KernelParams& p, const PixelRect& whole) {
    std::vector<Step> steps;
    std::vector<PixelRect> stack{whole};
    while (!stack.empty()) {
        const PixelRect r = stack.back();
        stack.pop_back();
        Step s{r, RectOutcome::Pixels, 0, {}, 0};
        if (IsNarrowRect(r)) {
            for (int y = r.top; y <= r.bottom; ++y)
                for (int x = r.left; x <= r.right; ++x)
                    s.counts.push_back(PlainCount(p, x, y, s.iterations));
        } else if (BorderUniform(p, r, s.index, s.iterations)) {
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
    EXPECT_EQ(got.outcome.iterations, want.iterations);
    if (want.kind == RectOutcome::Uniform) {
        EXPECT_EQ(got.outcome.index, want.index);
    }
    if (want.kind == RectOutcome::Pixels) {
        EXPECT_EQ(got.outcome.counts, want.counts);
    }
}

// Searches of the whole window, cut into slices and hand-overs at random,
// must find the plain steps.
void SearchCutAtRandom(const KernelParams& p, const PixelRect& whole, int rounds) {
    const std::vector<Step> plain = PlainSteps(p, whole);
    ASSERT_GT(plain.size(), 200u);

    std::mt19937 gen(5);
    const std::int64_t budgets[] = {1, 500, 20000, std::int64_t(1) << 30};
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        // A plan as the workers' is: rectangles waiting, in the steps' order,
        // and searches that hold those they have begun. Each turn either goes
        // on with a search or starts one with the first few waiting, and
        // ends with a hand-over: what was found goes to the outcomes, what
        // was not begun back to the rectangles waiting.
        std::map<RectKey, RectSearch::Item> waiting{{RectKey{}, {RectKey{}, whole, true, nullptr}}};
        std::vector<std::unique_ptr<RectSearch>> searches;
        std::map<RectKey, RectResult> found;
        while (!searches.empty() || !waiting.empty()) {
            const std::int64_t budget = budgets[gen() % 4];
            const std::size_t cap = 1 + gen() % 40;
            std::size_t at = gen() % (searches.size() + 1);
            if (at == searches.size()) {
                if (waiting.empty()) {
                    at = 0;
                } else {
                    searches.push_back(std::make_unique<RectSearch>(p));
                    const std::size_t take = 1 + gen() % 3;
                    for (std::size_t i = 0; i < take && !waiting.empty(); ++i) {
                        searches.back()->Add(waiting.begin()->first, waiting.begin()->second.r);
                        waiting.erase(waiting.begin());
                    }
                }
            }
            RectSearch& search = *searches[at];
            search.SetShare(1 + gen() % 20);
            // Slices until it hands over or finishes.
            while (!search.Run(budget, cap) && search.Results().size() < cap) {
            }
            // Now and then it keeps what it has not begun too, as the
            // interface thread's try does.
            std::vector<RectSearch::Item> released;
            const bool release = gen() % 4 != 0;
            search.HandOver(released, release);
            // Outcomes in order, each batch starting a run of the plan's.
            const std::vector<RectResult>& results = search.Results();
            EXPECT_TRUE(results.empty() || results.front().planned);
            for (std::size_t i = 0; i < results.size(); ++i) {
                EXPECT_TRUE(i == 0 || results[i - 1].key < results[i].key);
                EXPECT_TRUE(found.emplace(results[i].key, results[i]).second);
            }
            search.Results().clear();
            for (const RectSearch::Item& item : released) {
                EXPECT_TRUE(item.planned && item.work == nullptr);
                EXPECT_TRUE(waiting.emplace(item.key, item).second);
            }
            EXPECT_TRUE(release || released.empty());
            for (const RectSearch::Item& item : search.Left())
                EXPECT_TRUE(item.planned && (item.work != nullptr || !release));
            if (search.Left().empty())
                searches.erase(searches.begin() + std::ptrdiff_t(at));
        }
        ASSERT_EQ(found.size(), plain.size());
        std::size_t i = 0;
        for (const auto& [key, result] : found) {
            ExpectStep(plain[i], result, i);
            ++i;
        }
        if (::testing::Test::HasFailure())
            break;
    }
}

} // namespace

TEST(RectSearch, FindsThePlainStepsInOrderHoweverItIsCut) {
    // The default view of a 200 x 140 window at limit 300: uniform outside,
    // split along the edge, narrow strips at the bottom.
    SearchCutAtRandom({-2.1, -1.2, 0.018, 0.018, 300, 192}, {0, 0, 199, 139}, 16);
    // The same at limit 6000: orbits long enough to be left in flight at
    // the ends of kernel calls, to run on beside the next rectangles' pixels.
    SearchCutAtRandom({-2.1, -1.2, 0.018, 0.018, 6000, 192}, {0, 0, 199, 139}, 6);
}
