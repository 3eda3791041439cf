// Several runs as one stream give, at every level the machine runs, each
// run's indices and counts as ComputeLines gives them alone, one run after
// the other in the output.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_naive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
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

// A stream whose orbit lengths change from run to run, so that the blocks
// change length and lanes are refilled at every point of the cycle checks'
// span: pixels that escape at once, chaotic orbits that run to the limit,
// orbits that fall into a cycle, and the set's border.
TEST(KernelRuns, OrbitLengthsChangingAlongTheStream) {
    // Pixel (x, y) is the point -2 + x / 1000 + (y - 1500) / 1000 i.
    KernelParams p{-2.0, -1.5, 1e-3, 1e-3, 5000, 192};
    const PixelLines escaping{3400, 1500, 1, 0, 100, 0, 0, 1}; // 1.4 ... 1.5
    const PixelLines chaotic{10, 1500, 1, 0, 90, 0, 0, 1};     // -1.99 ... -1.9
    const PixelLines cycling{1000, 1500, 1, 0, 100, 0, 0, 1};  // -1 ... -0.9
    const PixelLines interior{1750, 1500, 0, 1, 100, 0, 0, 1}; // -0.25 + 0 ... 0.1 i
    const PixelLines border{1250, 1380, 1, 0, 64, 0, 1, 3};    // near -0.75 + 0.12 i
    std::vector<PixelLines> runs;
    for (int round = 0; round < 3; ++round) {
        for (const PixelLines& r : {escaping, chaotic, escaping, cycling, border, interior}) {
            runs.push_back(r);
        }
    }
    std::vector<std::int32_t> expected;
    std::int64_t expectedIterations = 0;
    for (const PixelLines& r : runs) {
        for (int j = 0; j < r.lines; ++j) {
            for (int i = 0; i < r.n; ++i) {
                const double re = double(r.x + i * r.dx + j * r.lineDx) * p.scaleX + p.xMin;
                const double im = double(r.y + i * r.dy + j * r.lineDy) * p.scaleY + p.yMin;
                expected.push_back(
                    ComputePointNaive(re, im, p.limit, p.nColors, &expectedIterations));
            }
        }
    }
    const KernelLevel best = CurrentKernelLevel();
    for (KernelLevel level : AvailableKernelLevels()) {
        ASSERT_TRUE(SetKernelLevel(level));
        SCOPED_TRACE(KernelLevelName(level));
        std::vector<std::int32_t> stream(expected.size(), -1);
        EXPECT_EQ(ComputeRuns(p, runs.data(), int(runs.size()), stream.data()), expectedIterations);
        EXPECT_EQ(stream, expected);
        // At the largest limit the chaotic orbits would run for minutes;
        // without them every pixel escapes early or falls into a cycle that
        // must end it at once, with the index it has at the smaller limit.
        KernelParams huge = p;
        huge.limit = std::numeric_limits<std::int32_t>::max();
        std::vector<PixelLines> finite;
        for (const PixelLines& r : runs) {
            if (r.x != chaotic.x && r.x != border.x) {
                finite.push_back(r);
            }
        }
        std::vector<std::int32_t> got(expected.size(), -1);
        ComputeRuns(huge, finite.data(), int(finite.size()), got.data());
        std::size_t at = 0;
        for (const PixelLines& r : finite) {
            for (int i = 0; i < r.n; ++i, ++at) {
                const double re = double(r.x + i * r.dx) * p.scaleX + p.xMin;
                const double im = double(r.y + i * r.dy) * p.scaleY + p.yMin;
                ASSERT_EQ(got[at], ComputePointNaive(re, im, p.limit, p.nColors)) << at;
            }
        }
    }
    SetKernelLevel(best);
}

// A call stopped at a cap gives every pixel it finished exactly and marks the
// others; given the pixels it did not finish, the orbits it stopped in flight
// first with where they stand, further calls go on where it stopped and end
// with the counts and iterations of one whole call: at every level, in the
// plain loop, and changing from one to another between calls.
TEST(KernelRuns, StoppedCallsGoOnWhereTheyStopped) {
    const KernelParams p{-2.0, -1.5, 1e-3, 1e-3, 5000, 192};
    const std::vector<PixelLines> runs = {
        {3400, 1500, 1, 0, 100, 0, 0, 1}, // escaping at once
        {10, 1500, 1, 0, 90, 0, 0, 1},    // chaotic, to the limit
        {1000, 1500, 1, 0, 100, 0, 0, 1}, // cycling
        {1250, 1380, 1, 0, 64, 0, 1, 3},  // the border
        {0, 0, 1, 0, 30, 0, 1, 2},        // outside the disk
        {20, 1500, 1, 0, 12, 0, 0, 1},    // chaotic again, alone at the end
    };
    std::vector<std::pair<int, int>> pixels;
    for (const PixelLines& r : runs)
        for (int j = 0; j < r.lines; ++j)
            for (int i = 0; i < r.n; ++i)
                pixels.emplace_back(r.x + i * r.dx + j * r.lineDx, r.y + i * r.dy + j * r.lineDy);
    std::vector<std::int32_t> expected;
    std::int64_t whole = 0;
    for (const auto& [x, y] : pixels)
        expected.push_back(ComputePointNaive(x * p.scaleX + p.xMin, y * p.scaleY + p.yMin, p.limit,
                                             p.nColors, &whole));

    const KernelLevel best = CurrentKernelLevel();
    const std::vector<KernelLevel> levels = AvailableKernelLevels();
    for (int naive = 0; naive < 3; ++naive) {
        SetNaiveKernel(naive == 1);
        for (KernelLevel level : levels) {
            ASSERT_TRUE(SetKernelLevel(level));
            SCOPED_TRACE(naive == 1 ? "naive" : naive == 2 ? "changing" : KernelLevelName(level));
            for (const std::int64_t cap :
                 {std::int64_t(50), std::int64_t(700), std::int64_t(60000),
                  std::numeric_limits<std::int64_t>::max(), -std::int64_t(1)}) {
                // The last: no cap, stopping in the tails instead.
                const bool inTail = cap < 0;
                SCOPED_TRACE(cap);
                int tailStops = 0;
                // What is left: orbits in flight, then pixels not begun.
                std::vector<OrbitState> flying;
                std::vector<std::size_t> notBegun;
                std::vector<std::int32_t> got(pixels.size(), 7777);
                std::int64_t iterations = 0;
                int calls = 0;
                do {
                    ASSERT_LT(++calls, 100000);
                    if (naive == 2) {
                        // Each call at the next level, or in the plain loop.
                        const std::size_t pick = std::size_t(calls) % (levels.size() + 1);
                        SetNaiveKernel(pick == levels.size());
                        if (pick < levels.size()) {
                            ASSERT_TRUE(SetKernelLevel(levels[pick]));
                        }
                    }
                    std::vector<PixelLines> call;
                    std::vector<std::size_t> of;
                    for (const OrbitState& o : flying)
                        of.push_back(std::size_t(o.pixel));
                    of.insert(of.end(), notBegun.begin(), notBegun.end());
                    if (calls == 1) {
                        call = runs;
                        for (std::size_t i = 0; i < pixels.size(); ++i)
                            of.push_back(i);
                    } else {
                        for (std::size_t i : of)
                            call.push_back({pixels[i].first, pixels[i].second, 1, 0, 1, 0, 0, 1});
                    }
                    std::vector<std::int32_t> out(of.size() + 1, 7777);
                    KernelStop stop;
                    stop.cap = inTail ? std::numeric_limits<std::int64_t>::max() : cap;
                    stop.stopInTail = inTail;
                    stop.resume = flying.data();
                    stop.resumed = int(flying.size());
                    iterations +=
                        ComputeRunsFor(p, call.data(), int(call.size()), out.data(), stop);
                    EXPECT_EQ(out.back(), 7777);
                    EXPECT_TRUE(calls > 1 || stop.spent > 0);
                    // Only a call that reached its cap or stopped in its tail
                    // leaves pixels, and a tail leaves none not begun.
                    EXPECT_TRUE(stop.nStopped == 0 || stop.spent >= stop.cap || stop.stoppedInTail);
                    tailStops += stop.stoppedInTail;
                    notBegun.clear();
                    int inFlight = 0;
                    for (std::size_t k = 0; k < of.size(); ++k) {
                        if (out[k] == kPixelNotBegun) {
                            notBegun.push_back(of[k]);
                        } else if (out[k] == kPixelInFlight) {
                            ++inFlight;
                        } else {
                            ASSERT_EQ(out[k], expected[of[k]]) << of[k];
                            got[of[k]] = out[k];
                        }
                    }
                    ASSERT_EQ(inFlight, stop.nStopped);
                    flying.assign(stop.stopped, stop.stopped + stop.nStopped);
                    for (OrbitState& o : flying) {
                        ASSERT_EQ(out[std::size_t(o.pixel)], kPixelInFlight);
                        o.pixel = std::int64_t(of[std::size_t(o.pixel)]);
                    }
                    EXPECT_TRUE(!stop.stoppedInTail || notBegun.empty());
                } while (!flying.empty() || !notBegun.empty());
                EXPECT_EQ(got, expected);
                EXPECT_EQ(iterations, whole);
                if (cap == std::numeric_limits<std::int64_t>::max()) {
                    EXPECT_EQ(calls, 1);
                }
                // The last chaotic orbits run on alone at the end, well past
                // the point where a tail may stop (with vectors of lanes).
                if (inTail && naive == 0 && level != KernelLevel::Plain) {
                    EXPECT_GT(tailStops, 0);
                }
                SetNaiveKernel(naive == 1);
                ASSERT_TRUE(SetKernelLevel(level));
            }
        }
    }
    SetNaiveKernel(false);
    SetKernelLevel(best);
}

TEST(KernelRuns, OldOrbitsRunOnInTheTail) {
    // Chaotic points on the real axis run long. Stopped in flight past 2^16
    // iterations and taken up again where a call may stop in its tail, they
    // are too old to leave it: the call runs them to the end. Started
    // afresh, they leave it young.
    const KernelParams p{-2.0, -1.5, 1e-3, 1e-3, 10000000, 192};
    const std::vector<PixelLines> chaotic = {{10, 1500, 1, 0, 4, 0, 0, 1}};
    std::vector<std::int32_t> expected(4);
    for (int i = 0; i < 4; ++i)
        expected[std::size_t(i)] =
            ComputePointNaive((10 + i) * p.scaleX + p.xMin, 1500 * p.scaleY + p.yMin, p.limit, 192);

    const KernelLevel best = CurrentKernelLevel();
    for (KernelLevel level : AvailableKernelLevels()) {
        ASSERT_TRUE(SetKernelLevel(level));
        SCOPED_TRACE(KernelLevelName(level));
        std::vector<std::int32_t> out(4, 7777);
        KernelStop young;
        young.cap = std::numeric_limits<std::int64_t>::max();
        young.stopInTail = true;
        ComputeRunsFor(p, chaotic.data(), 1, out.data(), young);
        // One lane a vector has no tail while its lanes are all busy.
        EXPECT_TRUE(level == KernelLevel::Plain || young.stoppedInTail);

        // Every lane kept counts, busy or not: at most 40 of them.
        KernelStop first;
        first.cap = std::int64_t(70000) * 40;
        ComputeRunsFor(p, chaotic.data(), 1, out.data(), first);
        ASSERT_GT(first.nStopped, 0);
        std::vector<PixelLines> again;
        for (int i = 0; i < first.nStopped; ++i) {
            ASSERT_GE(first.stopped[i].count, 1 << 16);
            again.push_back({10 + int(first.stopped[i].pixel), 1500, 1, 0, 1, 0, 0, 1});
        }
        KernelStop old;
        old.cap = std::numeric_limits<std::int64_t>::max();
        old.stopInTail = true;
        old.resume = first.stopped;
        old.resumed = first.nStopped;
        std::vector<std::int32_t> last(again.size(), 7777);
        ComputeRunsFor(p, again.data(), int(again.size()), last.data(), old);
        EXPECT_FALSE(old.stoppedInTail);
        EXPECT_EQ(old.nStopped, 0);
        for (int i = 0; i < first.nStopped; ++i)
            EXPECT_EQ(last[std::size_t(i)], expected[std::size_t(first.stopped[i].pixel)]);
    }
    SetKernelLevel(best);
}
