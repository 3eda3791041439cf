#include "commands/info_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(InfoText, PointsOfTheRange) {
    EXPECT_EQ(InfoPointText(-2.1, -1.2), "-2.1-1.2i");
    EXPECT_EQ(InfoPointText(1.5, 1.2), "1.5+1.2i");
    EXPECT_EQ(InfoPointText(-2.1, 0.25), "-2.1+0.25i");
    EXPECT_EQ(InfoPointText(-0.75, 0.05), "-0.75+5.e-002i");
}

TEST(InfoText, ZeroImaginaryPartsKeepTheirSign) {
    EXPECT_EQ(InfoPointText(-2.1, 0.0), "-2.1+0.i");
    EXPECT_EQ(InfoPointText(-2.1, -0.0), "-2.1-0.i");
}

TEST(InfoText, ZoomInDotsPerUnit) {
    EXPECT_EQ(InfoZoomText(0.01), "100 dpu");
    EXPECT_EQ(InfoZoomText(0.3), "3 dpu");
    EXPECT_EQ(InfoZoomText(1.5), "0 dpu");
    EXPECT_EQ(InfoZoomText(0.0), "0 dpu");
    EXPECT_EQ(InfoZoomText(std::numeric_limits<double>::quiet_NaN()), "0 dpu");
}

TEST(InfoText, DeepZoomsAreWrittenInFull) {
    // 2^32 dpu and beyond no longer wrap to small numbers.
    EXPECT_EQ(InfoZoomText(1.0 / 4294967296.0), "4294967296 dpu");
    EXPECT_EQ(InfoZoomText(std::ldexp(1.0, -40)), "1099511627776 dpu");
    EXPECT_EQ(InfoZoomText(std::ldexp(1.0, -62)), "4611686018427387904 dpu");
    // Beyond 64 bits.
    EXPECT_EQ(InfoZoomText(1e-19), "0 dpu");
    EXPECT_EQ(InfoZoomText(std::ldexp(1.0, -63)), "0 dpu");
}

TEST(InfoText, TimeUsed) {
    auto stamp = [](std::int32_t s, std::uint16_t ms) {
        _timeb t;
        t.time = s;
        t.millitm = ms;
        return t;
    };
    EXPECT_EQ(InfoTimeText(stamp(1000, 0), stamp(1012, 346)), "12.346 sec");
    EXPECT_EQ(InfoTimeText(stamp(1000, 500), stamp(1000, 547)), "4.7e-002 sec");
    EXPECT_EQ(InfoTimeText(stamp(1000, 400), stamp(13345, 999)), "12346 sec");
    EXPECT_EQ(InfoTimeText(stamp(1000, 250), stamp(1000, 250)), "timer reset or not finished");
    // Seconds subtract as 32-bit integers across the wrap.
    EXPECT_EQ(InfoTimeText(stamp(2147483647, 0), stamp(-2147483647 - 1, 0)), "1. sec");
}

TEST(InfoText, Decimal) {
    EXPECT_EQ(DecimalText(50), "50");
    EXPECT_EQ(DecimalText(-5), "-5");
    EXPECT_EQ(DecimalText(-2147483647 - 1), "-2147483648");
}
