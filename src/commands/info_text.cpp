#include "commands/info_text.h"

#include "doc/number_text.h"

#include <cmath>
#include <string>

CString InfoPointText(double re, double im) {
    CString text = FormatG(re, 15);
    if (im > 0.0 || (im == 0.0 && !std::signbit(im)))
        text += "+";
    text += FormatG(im, 15);
    text += "i";
    return text;
}

CString InfoZoomText(double scale) {
    const double z = 1.0 / scale;
    // [-2^63, 2^63): exactly the doubles whose truncation fits.
    constexpr double kLimit = 9223372036854775808.0;
    std::int64_t dpu = 0;
    if (z >= -kLimit && z < kLimit)
        dpu = std::int64_t(z);
    return std::to_string(dpu) + " dpu";
}

CString InfoTimeText(const _timeb& start, const _timeb& finish) {
    // Seconds subtract as 32-bit integers, wrapping as they would there.
    const auto seconds = std::int32_t(std::uint32_t(finish.time) - std::uint32_t(start.time));
    const double t = double(seconds) + finish.millitm * 0.001 - start.millitm * 0.001;
    if (t == 0.0)
        return "timer reset or not finished";
    return FormatG(t, 5) + " sec";
}

CString DecimalText(std::int32_t value) {
    return std::to_string(value);
}
