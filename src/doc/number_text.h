#pragma once
// Numbers as the user reads and types them in dialogs.
//
// FormatG writes a double with n significant digits in the classic "%g"-like
// style of the C runtime's _gcvt: fixed notation when the decimal exponent e
// satisfies -1 <= e <= n - 1, otherwise d.ddd e+XXX with a three-digit
// exponent; trailing zeros of the fraction are dropped but the decimal point
// stays ("2.", "5.e-002"). NaN is "nan", infinities "inf" and "-inf".
//
// The crt:: conversions read text the way C's atof, atol and atoi do: leading
// white space is skipped and the longest prefix that forms a number is read;
// text without a number gives 0. atof reads decimal numbers only (no
// hexadecimal, "inf" or "nan" text); atol and atoi give 32-bit results, and a
// value beyond that range gives 2147483647 or -2147483648.
//
// None of these depend on the process locale: the decimal point is always ".".

#include <cstdint>
#include <string>
#include <string_view>

// v with n significant digits (n below 1 counts as 1).
std::string FormatG(double v, int n);

namespace crt {

double atof(std::string_view text);
std::int32_t atol(std::string_view text);
int atoi(std::string_view text);

} // namespace crt
