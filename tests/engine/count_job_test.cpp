// Counts computed in slices of any length are the plain loop's counts, with
// the plain loop's iterations, however often the orbits stop in flight.

#include "engine/ahead/count_cache.h"
#include "engine/ahead/count_job.h"
#include "engine/kernel/kernel_naive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

void ExpectPlainCounts(const KernelParams& p, const std::vector<std::pair<int, int>>& pixels,
                       const std::vector<std::int32_t>& counts, std::int64_t iterations) {
    ASSERT_EQ(counts.size(), pixels.size());
    std::int64_t made = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto [x, y] = pixels[i];
        ASSERT_EQ(counts[i],
                  ComputePointNaive(x * p.scaleX + p.xMin, y * p.scaleY + p.yMin, p.limit,
                                    std::numeric_limits<std::int32_t>::max(), &made))
            << i;
    }
    EXPECT_EQ(iterations, made);
}

} // namespace

TEST(CountJob, SlicesOfAnyLengthGiveThePlainCounts) {
    // Pixel (x, y) is -2 + x / 1000 + (y - 1500) / 1000 i: escaping, cycling,
    // chaotic and border pixels, and some outside the disk.
    const KernelParams p{-2.0, -1.5, 1e-3, 1e-3, 4000, 192};
    std::vector<PixelLines> runs = {{3400, 1500, 1, 0, 40, 0, 0, 1},
                                    {10, 1500, 1, 0, 30, 0, 0, 1},
                                    {1000, 1500, 1, 0, 40, 0, 0, 1},
                                    {1250, 1380, 1, 0, 64, 0, 1, 3},
                                    {0, 0, 1, 0, 20, 0, 1, 2}};
    std::vector<std::pair<int, int>> pixels;
    for (const PixelLines& r : runs)
        for (int j = 0; j < r.lines; ++j)
            for (int i = 0; i < r.n; ++i)
                pixels.emplace_back(r.x + i * r.dx + j * r.lineDx, r.y + i * r.dy + j * r.lineDy);
    std::mt19937 gen(11);
    for (int round = 0; round < 12; ++round) {
        // Budgets from one iteration to all of them at once.
        const int most = round < 4 ? 1 : round < 8 ? 14 : 31;
        CountJob job(p, runs);
        int slices = 0;
        while (!job.Run(std::int64_t(1) << (gen() % (most + 1)))) {
            ASSERT_LT(++slices, 10000000);
            EXPECT_GT(job.Spent(), 0);
        }
        ExpectPlainCounts(p, pixels, job.Counts(), job.Iterations());
        CountJob single(p, pixels);
        while (!single.Run(std::int64_t(1) << (gen() % (most + 1)))) {
        }
        EXPECT_EQ(single.Counts(), job.Counts());
        EXPECT_EQ(single.Iterations(), job.Iterations());
    }
}

TEST(CountJob, LongOrbitsGoOnAcrossSlices) {
    // A limit far past one slice: two chaotic points run all of it, while
    // the others escape or fall into a cycle on the way.
    const KernelParams p{-2.0, -1.5, 1e-3, 1e-3, (1 << 25) + 3, 192};
    const std::vector<std::pair<int, int>> pixels = {{3400, 1500}, {10, 1500}, {1000, 1500},
                                                     {1750, 1530}, {20, 1500}, {3450, 1501}};
    CountJob job(p, pixels);
    int slices = 0;
    while (!job.Run(CountJob::kSliceBudget))
        ++slices;
    EXPECT_GT(slices, 2);
    ExpectPlainCounts(p, pixels, job.Counts(), job.Iterations());
}

TEST(CountJob, PixelsAppendedWhileItRunsGetThePlainCounts) {
    const KernelParams p{-2.0, -1.5, 1e-3, 1e-3, 4000, 192};
    const std::vector<PixelLines> pieces = {
        {3400, 1500, 1, 0, 40, 0, 0, 1}, {10, 1500, 1, 0, 30, 0, 0, 1},
        {1000, 1500, 1, 0, 40, 0, 0, 1}, {1250, 1380, 1, 0, 64, 0, 1, 3},
        {0, 0, 1, 0, 20, 0, 1, 2},       {20, 1500, 1, 0, 5, 0, 0, 1}};
    // A cache of counts found before gives some pixels marked counts, which
    // must come out in those pixels' places, however the runs are cut
    // around them; the job keeps its own costly counts there.
    const PixelRect area{0, 0, 3500, 1600};
    const auto marked = [](int x, int y) { return (x + 3 * y) % 5 == 0; };
    const auto mark = [](int x, int y) { return std::int32_t(1000000 + x + 4000 * y); };
    std::mt19937 gen(5);
    for (int round = 0; round < 40; ++round) {
        CountJob job(p);
        std::shared_ptr<CountCache> cache;
        if (round % 2 == 1) {
            cache = std::make_shared<CountCache>(area, std::size_t(1) << 16);
            for (const PixelLines& r : pieces)
                for (int j = 0; j < r.lines; ++j)
                    for (int i = 0; i < r.n; ++i) {
                        const int x = r.x + i * r.dx + j * r.lineDx;
                        const int y = r.y + i * r.dy + j * r.lineDy;
                        if (marked(x, y))
                            cache->Add(x, y, mark(x, y));
                    }
            job.SetCache(cache);
        }
        EXPECT_TRUE(job.Done());
        struct Given {
            std::vector<std::pair<int, int>> pixels;
            std::int64_t at = 0;
            bool checked = false;
        };
        std::vector<Given> given;
        std::int64_t made = 0;
        std::size_t next = 0;
        int calls = 0;
        while (next < 3 * pieces.size() || !job.Done()) {
            ASSERT_LT(++calls, 1000000);
            // Sometimes more pixels, as a search gives them.
            if (next < 3 * pieces.size() && (job.Done() || gen() % 3 == 0)) {
                const PixelLines& r = pieces[(next++ * 7) % pieces.size()];
                Given g;
                for (int j = 0; j < r.lines; ++j)
                    for (int i = 0; i < r.n; ++i)
                        g.pixels.emplace_back(r.x + i * r.dx + j * r.lineDx,
                                              r.y + i * r.dy + j * r.lineDy);
                g.at = job.Append({r});
                ASSERT_EQ(g.at + std::int64_t(g.pixels.size()), job.End());
                given.push_back(std::move(g));
            }
            job.Run(std::int64_t(1) << (gen() % 24), gen() % 2 == 0);
            // What is counted is the plain loop's; what comes before the
            // first piece not checked is forgotten now and then.
            for (Given& g : given) {
                if (g.checked || !job.Counted(g.at, g.at + std::int64_t(g.pixels.size())))
                    continue;
                for (std::size_t i = 0; i < g.pixels.size(); ++i) {
                    const auto [x, y] = g.pixels[i];
                    if (cache != nullptr && marked(x, y)) {
                        ASSERT_EQ(job.CountsAt(g.at)[i], mark(x, y)) << i;
                        made += mark(x, y);
                        continue;
                    }
                    const std::int32_t count =
                        ComputePointNaive(x * p.scaleX + p.xMin, y * p.scaleY + p.yMin, p.limit,
                                          std::numeric_limits<std::int32_t>::max(), &made);
                    ASSERT_EQ(job.CountsAt(g.at)[i], count) << i;
                    std::int32_t kept = 0;
                    if (cache != nullptr && CountCache::Costly(count, InsideDisk(p, x, y))) {
                        EXPECT_TRUE(cache->Find(x, y, kept) && kept == count) << x << ", " << y;
                    }
                }
                g.checked = true;
            }
            std::int64_t checkedUpTo = job.First();
            for (const Given& g : given) {
                if (!g.checked)
                    break;
                checkedUpTo = g.at + std::int64_t(g.pixels.size());
            }
            if (gen() % 4 == 0 && checkedUpTo > job.First())
                job.Forget(checkedUpTo);
        }
        for (const Given& g : given)
            EXPECT_TRUE(g.checked);
        EXPECT_EQ(job.Iterations(), made);
    }
}
