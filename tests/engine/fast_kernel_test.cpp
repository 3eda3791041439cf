// The run evaluator at every level the machine can run must give exactly the
// plain loop's indices.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_naive.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kMaxLimit = std::numeric_limits<std::int32_t>::max();

// A view of width pixels: its left edge at xMin, its top row at yMin.
KernelParams View(double xMin, double yMin, double scale, std::int32_t limit,
                  std::int32_t nColors = 192) {
    return KernelParams{xMin, yMin, scale, scale, limit, nColors};
}

KernelParams DefaultView(int height, std::int32_t limit) {
    return View(-2.1, -1.2, 2.4 / height, limit);
}

KernelParams ZoomView(int width, int height, std::int32_t limit) {
    const double scale = 0.003 / width;
    return View(-0.7436 - 0.5 * width * scale, 0.1318 - 0.5 * height * scale, scale, limit);
}

// A run whose every pixel maps to re + im i: pixel (0, 0) with scales 0.
KernelParams AtPoint(double re, double im, std::int32_t limit, std::int32_t nColors = 192) {
    return View(re, im, 0.0, limit, nColors);
}

int NaiveAt(const KernelParams& p, long long x, long long y) {
    return ComputePointNaive(double(x) * p.scaleX + p.xMin, double(y) * p.scaleY + p.yMin, p.limit,
                             p.nColors);
}

// The plain loop's count of iterations for one pixel.
std::int64_t PlainIterations(const KernelParams& p, long long px, long long py) {
    const double re = double(px) * p.scaleX + p.xMin, im = double(py) * p.scaleY + p.yMin;
    std::int64_t count = 0;
    double x = re, y = im;
    if (!(re * re + im * im >= 4.0)) {
        while (count < p.limit) {
            const double nx = (x * x - y * y) + re;
            y = y * (x + x) + im;
            x = nx;
            ++count;
            if (x * x + y * y >= 4.0) {
                break;
            }
        }
    }
    return count;
}

// Runs every available level through the test body, restoring the default.
class KernelLevels : public ::testing::Test {
protected:
    void TearDown() override { SetKernelLevel(m_default); }

    template <typename Body> void ForEachLevel(Body body) {
        for (KernelLevel level : AvailableKernelLevels()) {
            ASSERT_TRUE(SetKernelLevel(level));
            SCOPED_TRACE(KernelLevelName(level));
            body();
        }
    }

    // The index of the point a scale-0 view maps every pixel to, through a
    // run long enough to fill lanes of every vector width.
    int RunOne(const KernelParams& p) {
        std::vector<std::int32_t> got(11, -1);
        ComputeRun(p, 0, 0, 1, 0, int(got.size()), got.data());
        for (std::int32_t index : got) {
            EXPECT_EQ(index, got[0]);
        }
        return got[0];
    }

    // Compares the rows of a picture (columns 0 ... width, rows 0 ... height,
    // as the recursion evaluates them) with the plain loop.
    void ExpectPicture(const KernelParams& p, int width, int height) {
        std::vector<std::int32_t> expected(std::size_t(width + 1) * (height + 1));
        std::int64_t iterations = 0;
        for (int y = 0; y <= height; ++y) {
            for (int x = 0; x <= width; ++x) {
                expected[std::size_t(y) * (width + 1) + x] = NaiveAt(p, x, y);
                iterations += PlainIterations(p, x, y);
            }
        }
        ForEachLevel([&] {
            std::vector<std::int32_t> got(expected.size(), -1);
            std::int64_t counted = 0;
            for (int y = 0; y <= height; ++y) {
                counted +=
                    ComputeRun(p, 0, y, 1, 0, width + 1, got.data() + std::size_t(y) * (width + 1));
            }
            // The count for statistics is the plain loop's, cycles or not.
            EXPECT_EQ(counted, iterations);
            long long wrong = 0;
            for (std::size_t i = 0; i < got.size(); ++i) {
                if (got[i] != expected[i] && wrong++ < 5) {
                    ADD_FAILURE() << "pixel (" << i % (width + 1) << ", " << i / (width + 1)
                                  << "): " << got[i] << ", plain loop " << expected[i];
                }
            }
            EXPECT_EQ(wrong, 0);
        });
    }

private:
    KernelLevel m_default = CurrentKernelLevel();
};

TEST_F(KernelLevels, PlainIsAlwaysAvailable) {
    const std::vector<KernelLevel> levels = AvailableKernelLevels();
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front(), KernelLevel::Plain);
    EXPECT_EQ(CurrentKernelLevel(), levels.back());
}

TEST_F(KernelLevels, WorkedExamples) {
    struct Case {
        double re, im;
        int index;
    };
    const Case cases[] = {{0, 0, 0}, {-1, 0, 0},  {0, 1, 0},   {2, 0, 0},        {-2, 0, 0},
                          {1, 0, 1}, {1.9, 0, 1}, {0.5, 0, 4}, {-0.75, 0.1, 32}, {0.26, 0, 29}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.re) + " + " + std::to_string(c.im) + "i");
        EXPECT_EQ(ComputePointNaive(c.re, c.im, 50, 192), c.index);
        EXPECT_EQ(ComputeIndex(AtPoint(c.re, c.im, 50), c.re, c.im), c.index);
        ForEachLevel([&] { EXPECT_EQ(RunOne(AtPoint(c.re, c.im, 50)), c.index); });
    }
}

TEST_F(KernelLevels, DefaultViewPixels) {
    const KernelParams p = DefaultView(200, 50);
    const int pixels[][3] = {{0, 0, 0},     {150, 100, 0}, {200, 100, 11},
                             {240, 100, 2}, {100, 50, 4},  {300, 200, 1}};
    ForEachLevel([&] {
        for (const auto& px : pixels) {
            std::int32_t index = -1;
            ComputeRun(p, px[0], px[1], 1, 0, 1, &index);
            EXPECT_EQ(index, px[2]) << "pixel (" << px[0] << ", " << px[1] << ")";
        }
    });
}

// A count of 193 near the cusp at 0.25, found with the plain loop.
TEST_F(KernelLevels, CountsWrapAtThePaletteSize) {
    double re = 0.25;
    while (ComputePointNaive(re, 0.0, 255, kMaxLimit) != 193) {
        re += 1e-7;
        ASSERT_LT(re, 0.26);
    }
    EXPECT_EQ(ComputeIndex(AtPoint(re, 0, 255), re, 0), 1);
    EXPECT_EQ(ComputeIndex(AtPoint(re, 0, 255, 200), re, 0), 193);
    ForEachLevel([&] {
        EXPECT_EQ(RunOne(AtPoint(re, 0, 255, 192)), 1);
        EXPECT_EQ(RunOne(AtPoint(re, 0, 255, 200)), 193);
        // The same count reached exactly at the limit gives 0.
        EXPECT_EQ(RunOne(AtPoint(re, 0, 193, 200)), 0);
    });
}

TEST_F(KernelLevels, WholePicturesMatchThePlainLoop) {
    for (std::int32_t limit : {50, 1000}) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        ExpectPicture(DefaultView(200, limit), 300, 200);
        ExpectPicture(DefaultView(683, limit), 1024, 683);
        ExpectPicture(ZoomView(1024, 683, limit), 1024, 683);
    }
}

TEST_F(KernelLevels, RunsOfEveryLengthAndDirection) {
    // Around the set's border, where neighbouring counts differ most.
    const KernelParams p = ZoomView(256, 256, 500);
    ForEachLevel([&] {
        for (int n = 0; n <= 70; ++n) {
            for (const auto& d : {std::pair{1, 0}, std::pair{0, 1}}) {
                const int x = 17 + n, y = 101 - n;
                std::vector<std::int32_t> got(std::size_t(n) + 2, -7);
                ComputeRun(p, x, y, d.first, d.second, n, got.data() + 1);
                EXPECT_EQ(got.front(), -7);
                EXPECT_EQ(got.back(), -7) << "wrote past a run of " << n;
                for (int i = 0; i < n; ++i) {
                    ASSERT_EQ(got[std::size_t(i) + 1],
                              NaiveAt(p, x + i * d.first, y + i * d.second))
                        << "run of " << n << " (" << d.first << ", " << d.second << "), pixel "
                        << i;
                }
            }
        }
        // A negative length writes nothing.
        std::int32_t untouched = -7;
        ComputeRun(p, 0, 0, 1, 0, -3, &untouched);
        EXPECT_EQ(untouched, -7);
    });
}

TEST_F(KernelLevels, RectanglesAndLinesAreOneStream) {
    const KernelParams p = ZoomView(256, 256, 2000);
    ForEachLevel([&] {
        // A strip, a block and a single pixel, row by row.
        for (const auto& r : {std::array{10, 20, 200, 3}, std::array{90, 60, 37, 41},
                              std::array{5, 7, 1, 1}, std::array{5, 7, 0, 4}}) {
            const int left = r[0], top = r[1], width = r[2], height = r[3];
            std::vector<std::int32_t> got(std::size_t(width) * height + 1, -7);
            ComputeRect(p, left, top, width, height, got.data());
            EXPECT_EQ(got.back(), -7) << "wrote past a " << width << " x " << height << " block";
            for (int j = 0; j < height; ++j) {
                for (int i = 0; i < width; ++i) {
                    ASSERT_EQ(got[std::size_t(j) * width + i], NaiveAt(p, left + i, top + j))
                        << width << " x " << height << " block, pixel " << i << ", " << j;
                }
            }
        }
        // Columns stepping leftwards, lines running up: any steps will do.
        const int n = 9, lines = 13;
        std::vector<std::int32_t> got(n * lines, -7);
        ComputeLines(p, 200, 150, 0, 1, n, -3, -5, lines, got.data());
        for (int j = 0; j < lines; ++j) {
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(got[j * n + i], NaiveAt(p, 200 - 3 * j, 150 + i - 5 * j))
                    << i << ", " << j;
            }
        }
    });
}

TEST_F(KernelLevels, LimitsOfOneOrLessGiveZero) {
    const KernelParams base = DefaultView(200, 50);
    ForEachLevel([&] {
        for (std::int32_t limit : {1, 0, -5, std::numeric_limits<std::int32_t>::min()}) {
            KernelParams p = base;
            p.limit = limit;
            std::vector<std::int32_t> got(301, -1);
            ComputeRun(p, 0, 100, 1, 0, 301, got.data());
            std::int64_t iterations = 0;
            for (int x = 0; x <= 300; ++x) {
                ASSERT_EQ(got[x], 0) << "limit " << limit << ", column " << x;
                ASSERT_EQ(NaiveAt(p, x, 100), 0);
                iterations += PlainIterations(p, x, 100);
            }
            EXPECT_EQ(ComputeRun(p, 0, 100, 1, 0, 301, got.data()), iterations);
        }
        // Limit 2: only a count of 1 survives.
        EXPECT_EQ(RunOne(AtPoint(1.0, 0, 2)), 1);
        EXPECT_EQ(RunOne(AtPoint(0.5, 0, 2)), 0);
    });
}

// At the largest limit the plain loop would run for seconds on each of these
// points; the cycle test must end them at once, with the plain loop's index.
TEST_F(KernelLevels, CyclesEndFastAtTheLargestLimit) {
    const double points[][2] = {{0, 0},      {-1, 0},       {0, 1},    {-1.77, 0},
                                {-0.1, 0.1}, {-0.12, 0.75}, {0.26, 0}, {-0.75, 0.1}};
    const int expected[] = {0, 0, 0, 0, 0, 0, 29, 32};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 8; ++i) {
        const double re = points[i][0], im = points[i][1];
        EXPECT_EQ(ComputeIndex(AtPoint(re, im, kMaxLimit), re, im), expected[i]) << i;
    }
    ForEachLevel([&] {
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(RunOne(AtPoint(points[i][0], points[i][1], kMaxLimit)), expected[i]) << i;
        }
        // Cycling and escaping pixels side by side in the same vectors:
        // -1, -0.5, 0, 0.5, 1, 1.5 on the real axis, seven times over.
        const KernelParams line = View(-1.0, 0.0, 0.5, kMaxLimit);
        std::vector<std::int32_t> got(6 * 7, -1);
        ComputeLines(line, 0, 0, 1, 0, 6, 0, 0, 7, got.data());
        for (std::size_t k = 0; k < got.size(); ++k) {
            ASSERT_EQ(got[k], (std::array{0, 0, 0, 4, 1, 1}[k % 6])) << "pixel " << k;
        }
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(KernelLevels, NonFiniteInputsGiveThePlainLoopsIndex) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {nan, inf, -inf, 0.0, 0.3};
    ForEachLevel([&] {
        for (double a : values) {
            // Scales that make whole runs non-finite, or partly (0 * inf).
            const KernelParams scaled = View(0.1, -0.2, a, 50);
            std::vector<std::int32_t> got(5, -1);
            ComputeRun(scaled, 0, 0, 1, 1, 5, got.data());
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(got[i], NaiveAt(scaled, i, i)) << "scale " << a << ", pixel " << i;
            }
            for (double b : values) {
                if (std::isfinite(a) && std::isfinite(b)) {
                    continue;
                }
                // The plain loop never escapes from a NaN orbit and gives 0;
                // at the largest limit that must not take billions of steps.
                const int naive = ComputePointNaive(a, b, 50, 192);
                for (std::int32_t limit : {50, kMaxLimit}) {
                    const KernelParams p = AtPoint(a, b, limit);
                    EXPECT_EQ(RunOne(p), naive) << a << ", " << b << ", limit " << limit;
                    EXPECT_EQ(ComputeIndex(p, a, b), naive) << a << ", " << b;
                }
            }
        }
    });
}

} // namespace
