// The number rules of the dialogs: the text-to-number conversions on any
// text, and FormatG on any double with any digit count.
//
// Input: the whole input is read as text; its first 8 bytes are also a
// double's bit pattern and the 9th byte picks the digit count.

#include "doc/number_text.h"
#include "fuzz_check.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Show(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Where the C library reads a decimal number the same way, atof must agree
// with it bit for bit. It differs by design on hexadecimal, "inf" and "nan".
void CheckAtof(const std::string& text) {
    const double value = crt::atof(text);
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
        return;
    if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        return;
    const double expected = std::strtod(text.c_str(), nullptr);
    FUZZ_REQUIRE(SameBits(value, expected),
                 "atof('" + text + "') = " + Show(value) + ", C reads " + Show(expected));
}

// atol and atoi read what strtoll reads, saturated to 32 bits.
void CheckAtol(const std::string& text) {
    errno = 0;
    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    const long long expected = wide < INT32_MIN ? INT32_MIN : wide > INT32_MAX ? INT32_MAX : wide;
    FUZZ_REQUIRE(crt::atol(text) == expected, "atol('" + text + "')");
    FUZZ_REQUIRE(crt::atoi(text) == expected, "atoi('" + text + "')");
}

void CheckFormat(double v, int n) {
    const std::string text = FormatG(v, n);
    if (std::isnan(v)) {
        FUZZ_REQUIRE(text == "nan", "FormatG(nan) = " + text);
        return;
    }
    if (std::isinf(v)) {
        FUZZ_REQUIRE(text == (v < 0 ? "-inf" : "inf"), "FormatG(inf) = " + text);
        return;
    }
    const int digits = n < 1 ? 1 : n > 99 ? 99 : n;
    const std::string what = "FormatG(" + Show(v) + ", " + std::to_string(n) + ") = " + text;
    // Sign, digits, point and a three-digit exponent "e+308" at most.
    FUZZ_REQUIRE(int(text.size()) <= digits + 7, what + ": too long");
    FUZZ_REQUIRE((text[0] == '-') == std::signbit(v), what + ": sign");

    // The text reads back as the value, rounded to the digits shown.
    const double back = crt::atof(text);
    if (digits >= 17) {
        FUZZ_REQUIRE(SameBits(back, v), what + " reads back as " + Show(back));
        return;
    }
    if (std::isinf(back)) {
        // Rounding the largest doubles up to fewer digits passes the range.
        FUZZ_REQUIRE(std::fabs(v) > 1e308, what + " reads back as " + Show(back));
        return;
    }
    // Half a unit in the last digit shown, rounded twice (to 17 digits, then
    // to n), and the conversion back to binary.
    const double bound = std::fabs(v) * (0.5 * std::pow(10.0, 1 - digits) + 1e-15) +
                         std::numeric_limits<double>::denorm_min();
    FUZZ_REQUIRE(std::fabs(back - v) <= bound, what + " reads back as " + Show(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckAtof(text);
    CheckAtol(text);
    CheckFormat(crt::atof(text), 17);
    CheckFormat(crt::atof(text), 10);
    if (size >= 9) {
        double v = 0;
        std::memcpy(&v, data, sizeof v);
        CheckFormat(v, int(data[8] % 40) - 3);
        CheckFormat(v, 17);
    }
    return 0;
}
