// The counts kept for pixels met again: found as kept, from any thread, and
// never for a pixel outside the area or a table too full to take it.

#include "engine/ahead/count_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

TEST(CountCache, KeepsCountsFromEveryThreadAndNothingElse) {
    // The smallest table: 1024 entries for an area of 100000 pixels.
    const PixelRect area{-50, 10, 449, 209};
    CountCache cache(area, 1);
    std::int32_t count = 0;
    EXPECT_FALSE(cache.Find(0, 10, count));
    // Outside the area nothing is kept, next to its corners too.
    for (const auto& [x, y] : {std::pair{-51, 10}, {450, 10}, {-50, 9}, {449, 210}}) {
        cache.Add(x, y, 7);
        EXPECT_FALSE(cache.Find(x, y, count));
    }
    cache.Add(-50, 10, 0);
    cache.Add(449, 209, 2147483646);
    EXPECT_TRUE(cache.Find(-50, 10, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(cache.Find(449, 209, count));
    EXPECT_EQ(count, 2147483646);
    // A pixel met again by another thread keeps its first count (the same
    // one, since counts are pure functions of the pixel).
    cache.Add(-50, 10, 0);
    EXPECT_TRUE(cache.Find(-50, 10, count));
    EXPECT_EQ(count, 0);

    // Four threads add 400 pixels each, every pixel's count its place, while
    // they look up each other's: a count found is always the right one.
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cache, &wrong, &area, t] {
            for (int i = 0; i < 400; ++i) {
                const int x = area.left + (i * 7 + t) % 500, y = area.top + 1 + t * 40 + i / 10;
                cache.Add(x, y, x + 1000 * y);
                for (int u = 0; u < 4; ++u) {
                    std::int32_t found = 0;
                    const int ox = area.left + (i * 7 + u) % 500,
                              oy = area.top + 1 + u * 40 + i / 10;
                    if (cache.Find(ox, oy, found) && found != ox + 1000 * oy)
                        ++wrong[std::size_t(t)];
                }
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    int kept = 0;
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(wrong[std::size_t(t)], 0);
        for (int i = 0; i < 400; ++i) {
            const int x = area.left + (i * 7 + t) % 500, y = area.top + 1 + t * 40 + i / 10;
            if (cache.Find(x, y, count)) {
                EXPECT_EQ(count, x + 1000 * y);
                ++kept;
            }
        }
    }
    // 1602 counts for 1024 entries: most are kept, the rest are not, and
    // nothing else happens.
    EXPECT_GT(kept, 700);
    EXPECT_LE(kept, 1024);
}

TEST(CountCache, OnlyForHighLimitsAndAreasItCanKey) {
    const std::int32_t before = CountCache::FromLimit();
    CountCache::SetFromLimit(1000);
    EXPECT_EQ(CountCache::For(999, PixelRect{0, 0, 99, 99}), nullptr);
    EXPECT_NE(CountCache::For(1000, PixelRect{0, 0, 99, 99}), nullptr);
    // No pixels, or so many that a bit each would be too much.
    EXPECT_EQ(CountCache::For(1000, PixelRect{0, 0, -1, 99}), nullptr);
    EXPECT_EQ(CountCache::For(1000, PixelRect{0, 0, 65535, 65535}), nullptr);
    EXPECT_EQ(CountCache::For(1000, PixelRect{0, 0, 16383, 8192}), nullptr);
    EXPECT_NE(CountCache::For(1000, PixelRect{0, 0, 16383, 8191}), nullptr);
    // Random steps come back to every pixel: a table from the lowest limit
    // whose counts can be costly, with room for all of the area's pixels.
    EXPECT_EQ(CountCache::For(255, PixelRect{0, 0, 99, 99}, true), nullptr);
    const auto every = CountCache::For(256, PixelRect{0, 0, 99, 99}, true);
    ASSERT_NE(every, nullptr);
    int kept = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x)
            every->Add(x, y, 300 + x);
    }
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            std::int32_t count = 0;
            if (every->Find(x, y, count)) {
                EXPECT_EQ(count, 300 + x);
                ++kept;
            }
        }
    }
    EXPECT_GT(kept, 9000);
    CountCache::SetFromLimit(before);
}
