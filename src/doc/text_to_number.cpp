// The C text-to-number rules: white space, an optional sign, then the longest
// prefix that forms a number; text without a number gives 0.

#include "doc/number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view t, std::size_t i) {
    while (i < t.size() && IsSpace(t[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view t, std::size_t i) {
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    return i;
}

// The decimal order of magnitude of a number text whose value does not fit a
// double: positive means it overflowed, otherwise it underflowed. Mantissa
// and exponent are the parts of the text, the exponent without its "e".
long long OrderOfMagnitude(std::string_view mantissa, std::string_view exponent) {
    long long order = 0;
    bool seenPoint = false;
    bool seenNonZero = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (!seenNonZero && c == '0') {
            if (seenPoint)
                --order;
        } else if (!seenNonZero) {
            seenNonZero = true;
            if (seenPoint)
                --order;
        } else if (!seenPoint) {
            ++order;
        }
    }
    bool negative = false;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        negative = exponent[0] == '-';
        exponent.remove_prefix(1);
    }
    constexpr long long kCap = 1'000'000;
    long long e = 0;
    for (char c : exponent)
        e = std::min(e * 10 + (c - '0'), kCap);
    return order + (negative ? -e : e);
}

} // namespace

namespace crt {

double atof(std::string_view t) {
    std::size_t i = SkipSpace(t, 0);
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    i = SkipDigits(t, i);
    bool anyDigit = i > start;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fractionEnd = SkipDigits(t, i + 1);
        anyDigit = anyDigit || fractionEnd > i + 1;
        if (anyDigit)
            i = fractionEnd;
    }
    if (!anyDigit)
        return 0.0;
    const std::string_view mantissa = t.substr(start, i - start);
    std::string_view exponent;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        const std::size_t end = SkipDigits(t, j);
        if (end > j) {
            exponent = t.substr(i + 1, end - i - 1);
            i = end;
        }
    }

    const std::string_view number = t.substr(start, i - start);
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value,
                                   std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        value = OrderOfMagnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity()
                                                         : 0.0;
    } else if (r.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::int32_t atol(std::string_view t) {
    std::size_t i = SkipSpace(t, 0);
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    // Accumulate the magnitude, stopping just beyond the 32-bit range.
    constexpr long long kBeyond = 2'147'483'648LL;
    long long magnitude = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i)
        magnitude = std::min(magnitude * 10 + (t[i] - '0'), kBeyond);
    if (negative)
        return std::int32_t(-magnitude); // -2147483648 at most
    return std::int32_t(std::min(magnitude, kBeyond - 1));
}

int atoi(std::string_view text) {
    return int(crt::atol(text));
}

} // namespace crt
