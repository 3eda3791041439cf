#pragma once
// The texts of the Info dialog.

#include "platform/framework/types.h"
#include "platform/runtime/timeb.h"

#include <cstdint>

// "re+imi" with 15 significant digits each; a "+" for a positive imaginary
// part and for +0.0, while a negative one (and -0.0) brings its own "-".
CString InfoPointText(double re, double im);
// Dots per unit, the reciprocal of the scale truncated to a signed 64-bit
// integer; "0 dpu" when it does not fit.
CString InfoZoomText(double scale);
// The time from start to finish, or "timer reset or not finished" when the
// stamps are equal.
CString InfoTimeText(const _timeb& start, const _timeb& finish);
// A signed decimal without fill characters.
CString DecimalText(std::int32_t value);
