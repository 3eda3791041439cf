// The C text-to-number rules: atof, atol and atoi.

#include "doc/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

TEST(CrtAtof, ReadsDecimalAndExponentForms) {
    EXPECT_EQ(crt::atof("-2.1"), -2.1);
    EXPECT_EQ(crt::atof("1.5"), 1.5);
    EXPECT_EQ(crt::atof("+.5"), 0.5);
    EXPECT_EQ(crt::atof("5."), 5.0);
    EXPECT_EQ(crt::atof("5.e-002"), 0.05);
    EXPECT_EQ(crt::atof("1.23456789e+010"), 12345678900.0);
    EXPECT_EQ(crt::atof("1E3"), 1000.0);
    EXPECT_EQ(crt::atof("0.1000000000000000055511151231257827"), 0.1);
    EXPECT_EQ(crt::atof("000123.4500"), 123.45);
}

TEST(CrtAtof, SkipsLeadingWhiteSpaceAndStopsAtTheLongestNumber) {
    EXPECT_EQ(crt::atof(" \t\n\v\f\r-1.25"), -1.25);
    EXPECT_EQ(crt::atof("1.5abc"), 1.5);
    EXPECT_EQ(crt::atof("1.5 2"), 1.5);
    EXPECT_EQ(crt::atof("2e"), 2.0); // exponent without digits is not part of it
    EXPECT_EQ(crt::atof("2e+"), 2.0);
    EXPECT_EQ(crt::atof("2e-x"), 2.0);
    EXPECT_EQ(crt::atof("1,5"), 1.0); // the decimal point is always "."
    EXPECT_EQ(crt::atof("1.2.3"), 1.2);
}

TEST(CrtAtof, TextWithoutANumberGivesZero) {
    for (const char* text : {"", "abc", "   ", "-", "+", ".", "-.", ".e5", "e5", "- 1", "\x01"})
        EXPECT_EQ(crt::atof(text), 0.0) << '"' << text << '"';
}

TEST(CrtAtof, HexInfinityAndNaNTextAreNotNumbers) {
    EXPECT_EQ(crt::atof("0x1A"), 0.0);
    EXPECT_EQ(crt::atof("0x1p3"), 0.0);
    EXPECT_EQ(crt::atof("inf"), 0.0);
    EXPECT_EQ(crt::atof("-infinity"), 0.0);
    EXPECT_EQ(crt::atof("nan"), 0.0);
}

TEST(CrtAtof, SignOfZeroIsKept) {
    EXPECT_TRUE(std::signbit(crt::atof("-0")));
    EXPECT_TRUE(std::signbit(crt::atof("-0.0e5")));
    EXPECT_FALSE(std::signbit(crt::atof("0")));
}

TEST(CrtAtof, OutOfRangeGoesToInfinityOrZeroLikeStrtod) {
    EXPECT_EQ(crt::atof("1e400"), kInf);
    EXPECT_EQ(crt::atof("-1e400"), -kInf);
    EXPECT_EQ(crt::atof("0.0001e312"), 1e308);
    EXPECT_EQ(crt::atof("0.001e312"), kInf);
    EXPECT_EQ(crt::atof("1000000e303"), kInf);
    EXPECT_EQ(crt::atof("1e99999999999999999999"), kInf);
    EXPECT_EQ(crt::atof("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(crt::atof("-1e-400")));
    EXPECT_EQ(crt::atof("100000e-330"), 0.0);
    EXPECT_EQ(crt::atof("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(crt::atof("0e99999999999999999999"), 0.0);
    // Subnormals are read, not flushed.
    EXPECT_EQ(crt::atof("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(CrtAtof, ReadsBackEveryTextOfFormatG) {
    for (double v : {-2.1, 1.5, 0.05, 1e-20, 1234567890.5, 12345678901.0, -123456.0, 1e300}) {
        for (int n : {5, 10, 15, 17}) {
            const std::string text = FormatG(v, n);
            EXPECT_EQ(FormatG(crt::atof(text), n), text) << text;
        }
        EXPECT_EQ(crt::atof(FormatG(v, 17)), v);
    }
}

TEST(NumberText, IndependentOfTheProcessLocale) {
    // Best effort: a locale with a decimal comma, when the system has one.
    std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    }
    EXPECT_EQ(crt::atof("1.5"), 1.5);
    EXPECT_EQ(crt::atof("1,5"), 1.0);
    EXPECT_EQ(FormatG(-2.1, 10), "-2.1");
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(CrtAtol, ReadsSignAndDigits) {
    EXPECT_EQ(crt::atol("10"), 10);
    EXPECT_EQ(crt::atol("  -42xyz"), -42);
    EXPECT_EQ(crt::atol("+7"), 7);
    EXPECT_EQ(crt::atol("0007"), 7);
    EXPECT_EQ(crt::atol("12.9"), 12);
    EXPECT_EQ(crt::atol("1e3"), 1);
    for (const char* text : {"", "abc", "-", "+", " + 1", "--1", ".5"})
        EXPECT_EQ(crt::atol(text), 0) << '"' << text << '"';
}

TEST(CrtAtol, ClampsBeyondThirtyTwoBits) {
    EXPECT_EQ(crt::atol("2147483647"), 2147483647);
    EXPECT_EQ(crt::atol("2147483648"), 2147483647);
    EXPECT_EQ(crt::atol("99999999999999999999999999"), 2147483647);
    EXPECT_EQ(crt::atol("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(crt::atol("-2147483649"), -2147483647 - 1);
    EXPECT_EQ(crt::atol("-99999999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(crt::atol("000000000000000000000000002147483647"), 2147483647);
}

TEST(CrtAtoi, FollowsAtol) {
    for (const char* text : {"255", " -1", "abc", "4294967296", "-4294967297", "50 "})
        EXPECT_EQ(crt::atoi(text), crt::atol(text)) << text;
    EXPECT_EQ(crt::atoi("4294967296"), 2147483647);
}

} // namespace
