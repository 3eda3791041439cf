// FormatG: a double as text with n significant digits.
//
// The value is first written with 17 significant digits; that string decides
// the decimal exponent and is then rounded half-up to the digits shown, so
// 1234567890.5 with 10 digits shows 1234567891.

#include "doc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kDigits17 = 17;
constexpr int kMaxDigits = 99;

// Decimal digits and the position of the decimal point within them: the value
// is 0.d1d2d3... x 10^point.
struct Decimal {
    std::string digits;
    int point = 0;
};

// The 17 significant digits of a finite magnitude a >= 0. Zero is all zeros
// with point 0, that is exponent -1.
Decimal SeventeenDigits(double a) {
    Decimal d;
    if (a == 0.0) {
        d.digits.assign(kDigits17, '0');
        return d;
    }
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, kDigits17 - 1);
    std::string_view s(buf, std::size_t(r.ptr - buf)); // d.dddddddddddddddde[+-]xx
    std::size_t ePos = s.find('e');
    d.digits.push_back(s[0]);
    d.digits.append(s.substr(2, ePos - 2));
    int exponent = 0;
    std::string_view ex = s.substr(ePos + 1);
    if (ex.front() == '+')
        ex.remove_prefix(1);
    std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
    d.point = exponent + 1;
    return d;
}

// Keeps the first count digits, rounding half-up on the digit string. A carry
// out of the first digit gives "100..." with the point one place further.
Decimal RoundTo(const Decimal& in, int count) {
    Decimal out = in;
    out.digits.resize(std::size_t(count), '0');
    const bool roundUp =
        std::size_t(count) < in.digits.size() && in.digits[std::size_t(count)] >= '5';
    if (!roundUp)
        return out;
    int i = count - 1;
    while (i >= 0 && out.digits[std::size_t(i)] == '9')
        out.digits[std::size_t(i--)] = '0';
    if (i >= 0) {
        ++out.digits[std::size_t(i)];
    } else {
        out.digits.assign(std::size_t(count), '0');
        out.digits[0] = '1';
        ++out.point;
    }
    return out;
}

void TrimTrailingZeros(std::string& fraction) {
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
}

std::string ExponentForm(const Decimal& d, int n) {
    const Decimal r = RoundTo(d, n);
    const int e = r.point - 1;
    std::string fraction = r.digits.substr(1);
    TrimTrailingZeros(fraction);
    std::string out(1, r.digits[0]);
    out += '.';
    out += fraction;
    out += 'e';
    out += e < 0 ? '-' : '+';
    std::string ex = std::to_string(std::abs(e));
    out.append(ex.size() < 3 ? 3 - ex.size() : 0, '0');
    out += ex;
    return out;
}

// Fixed notation with the given count of decimals; the point is written only
// when there are decimals, even if they all turn out to be zeros.
std::string FixedForm(const Decimal& d, int n, int decimals) {
    const Decimal r = RoundTo(d, n);
    auto digitAt = [&r](int i) {
        return i >= 0 && i < int(r.digits.size()) ? r.digits[std::size_t(i)] : '0';
    };
    std::string out;
    if (r.point <= 0)
        out = "0";
    for (int i = 0; i < r.point; ++i)
        out += digitAt(i);
    if (decimals > 0) {
        std::string fraction;
        for (int i = r.point; i < r.point + decimals; ++i)
            fraction += digitAt(i);
        TrimTrailingZeros(fraction);
        out += '.';
        out += fraction;
    }
    return out;
}

} // namespace

std::string FormatG(double v, int n) {
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v < 0 ? "-inf" : "inf";
    n = std::clamp(n, 1, kMaxDigits);

    const Decimal d = SeventeenDigits(std::fabs(v));
    const int e = d.point - 1;
    std::string out = std::signbit(v) ? "-" : "";
    if (e < -1 || e > n - 1)
        out += ExponentForm(d, n);
    else
        out += FixedForm(d, n, n - 1 - e);
    return out;
}
