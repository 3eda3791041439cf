// The archive's byte layout and its end-of-file exception.

#include "platform/files/archive.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Archive, StoresLittleEndianWithNothingBetweenValues) {
    std::vector<std::uint8_t> bytes;
    CArchive ar(bytes, CArchive::store);
    ar << -2.1 << std::int32_t(50) << std::int32_t(-2);
    const std::vector<std::uint8_t> expected = {0xcd, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0x00, 0xc0,
                                                0x32, 0x00, 0x00, 0x00, 0xfe, 0xff, 0xff, 0xff};
    EXPECT_EQ(bytes, expected);
}

TEST(Archive, LoadsBackEveryBitPattern) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::uint8_t> bytes;
    {
        CArchive ar(bytes, CArchive::store);
        ar << nan << -std::numeric_limits<double>::infinity() << -0.0
           << std::numeric_limits<std::int32_t>::min();
    }
    CArchive ar(bytes, CArchive::load);
    double a = 0, b = 0, c = 1;
    std::int32_t d = 0;
    ar >> a >> b >> c >> d;
    EXPECT_EQ(std::memcmp(&a, &nan, sizeof a), 0);
    EXPECT_TRUE(std::isinf(b) && b < 0);
    EXPECT_TRUE(std::signbit(c));
    EXPECT_EQ(d, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ar.Position(), bytes.size());
}

TEST(Archive, ReadingPastTheEndThrowsEndOfFileAndKeepsTheTarget) {
    std::vector<std::uint8_t> bytes(7, 0xAB);
    CArchive ar(bytes, CArchive::load);
    double v = 3.5;
    try {
        ar >> v;
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    EXPECT_EQ(v, 3.5);
    std::int32_t n = 0;
    ar >> n; // the four bytes that are there are still readable
    EXPECT_EQ(n, std::int32_t(0xABABABABu));
    EXPECT_THROW(ar >> n, CArchiveException);
}

} // namespace
