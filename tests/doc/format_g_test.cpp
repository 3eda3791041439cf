// FormatG: fixed and exponent forms, rounding, and values without digits.

#include "doc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

struct GCase {
    double v;
    int n;
    const char* text;
};

void ExpectAll(std::initializer_list<GCase> cases) {
    for (const GCase& c : cases)
        EXPECT_EQ(FormatG(c.v, c.n), c.text) << "v=" << c.v << " n=" << c.n;
}

TEST(FormatG, DocumentedTable) {
    ExpectAll({
        {-2.1, 15, "-2.1"},
        {1.5, 15, "1.5"},
        {2, 15, "2."},
        {0, 15, "0."},
        {0.05, 15, "5.e-002"},
        {0.05, 10, "5.e-002"},
        {1e-20, 15, "1.e-020"},
        {1.0857142857142857, 15, "1.08571428571429"},
        {12345678901, 10, "1.23456789e+010"},
        {1234567890.5, 10, "1234567891"},
        {12.346, 5, "12.346"},
        {0.5, 5, "0.5"},
        {0.047, 5, "4.7e-002"},
        {12345.6, 5, "12346"},
        {123456, 5, "1.2346e+005"},
    });
}

TEST(FormatG, BoundariesBetweenFixedAndExponentForms) {
    ExpectAll({
        {0.1, 10, "0.1"},              // e = -1: still fixed
        {0.099, 10, "9.9e-002"},       // e = -2: exponent form
        {999999999, 10, "999999999."}, // e = 9 = n - 1
        {1e10, 10, "1.e+010"},         // e = 10 > n - 1
        {100, 3, "100"},               // no decimals left, no point
        {1000, 3, "1.e+003"},
    });
}

TEST(FormatG, RoundingCarriesIntoANewDigit) {
    ExpectAll({
        {9.99996, 5, "10."},    // fixed: decimals were chosen before the carry
        {0.999999, 3, "1."},    // from below 1 to 1
        {999996, 5, "1.e+006"}, // exponent form: the exponent grows
        {9.9999e-5, 3, "1.e-004"},
        {0.125, 2, "0.13"}, // half-up on the digits, not half-even
        {2.5, 1, "3"},
    });
}

TEST(FormatG, SignsAndZeros) {
    ExpectAll({
        {-0.0, 10, "-0."},
        {-0.5, 5, "-0.5"},
        {-123456, 5, "-1.2346e+005"},
        {-1e-300, 10, "-1.e-300"},
    });
}

TEST(FormatG, ExtremesOfTheDoubleRange) {
    const double maxD = std::numeric_limits<double>::max();
    const double minSub = std::numeric_limits<double>::denorm_min();
    ExpectAll({
        {maxD, 15, "1.79769313486232e+308"},
        {-maxD, 10, "-1.797693135e+308"},
        {minSub, 10, "4.940656458e-324"},
        {minSub, 17, "4.9406564584124654e-324"},
    });
}

TEST(FormatG, NaNAndInfinitiesHaveWords) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatG(std::nan(""), 10), "nan");
    EXPECT_EQ(FormatG(-std::nan(""), 10), "nan");
    EXPECT_EQ(FormatG(inf, 15), "inf");
    EXPECT_EQ(FormatG(-inf, 5), "-inf");
}

TEST(FormatG, DigitCountsOutsideTheUsualRange) {
    EXPECT_EQ(FormatG(1.5, 0), FormatG(1.5, 1));
    EXPECT_EQ(FormatG(1.5, -7), "2");
    // More digits than a double holds: the 17th and beyond are zeros.
    EXPECT_EQ(FormatG(0.1, 20), "0.10000000000000001");
    EXPECT_EQ(FormatG(1e20, 25), "100000000000000000000.");
}

// Random doubles over the whole range: 17 digits read back exactly, fewer
// digits stay within half a unit of the last digit shown.
TEST(FormatG, RandomValuesReadBack) {
    std::mt19937_64 rng(20240229);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = rng();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            continue;
        ASSERT_EQ(crt::atof(FormatG(v, 17)), v) << FormatG(v, 17);
        if (v == 0.0 || std::fabs(v) < 1e-290)
            continue;
        for (int n : {5, 10, 15}) {
            const double back = crt::atof(FormatG(v, n));
            ASSERT_LE(std::fabs(back - v), std::fabs(v) * 0.5000001 * std::pow(10.0, 1 - n))
                << FormatG(v, n);
        }
    }
}

} // namespace
