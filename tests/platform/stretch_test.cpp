// StretchBlt onto its own surface, as the zoom preview does it, gives what a
// copy from an untouched picture gives, for enlargements, reductions,
// shifts, mirrors and rectangles partly outside.

#include "platform/drawing/dc.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

Surface Numbered(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Set(x, y, PaletteIndexColor(y * w + x));
    return s;
}

} // namespace

TEST(StretchOntoItself, EqualsAStretchFromACopy) {
    std::uint32_t state = 12345;
    auto next = [&](int lo, int hi) {
        state = state * 1103515245u + 12345u;
        return lo + int((state >> 8) % std::uint32_t(hi - lo + 1));
    };
    for (int round = 0; round < 2000; ++round) {
        const int w = next(1, 24), h = next(1, 24);
        const int x = next(-4, w), y = next(-4, h);
        const int width = next(1, 30), height = next(1, 30);
        const int xSrc = next(-4, w), ySrc = next(-4, h);
        int srcWidth = next(1, 30), srcHeight = next(1, 30);
        if (round % 5 == 0)
            srcHeight = -srcHeight;
        if (round % 7 == 0)
            srcWidth = -srcWidth;

        Surface copy = Numbered(w, h);
        const Surface original = copy;
        Surface expected = copy;
        CDC from(&copy), to(&expected);
        to.StretchBlt(x, y, width, height, &from, xSrc, ySrc, srcWidth, srcHeight, SRCCOPY);
        ASSERT_EQ(copy.Pixels(), original.Pixels());

        Surface self = Numbered(w, h);
        CDC dc(&self);
        dc.StretchBlt(x, y, width, height, &dc, xSrc, ySrc, srcWidth, srcHeight, SRCCOPY);
        ASSERT_EQ(self.Pixels(), expected.Pixels())
            << w << "x" << h << ": (" << x << ", " << y << ", " << width << ", " << height
            << ") from (" << xSrc << ", " << ySrc << ", " << srcWidth << ", " << srcHeight << ")";
    }
}
