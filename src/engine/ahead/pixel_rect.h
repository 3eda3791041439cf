#pragma once
// An inclusive pixel rectangle of the recursion, and how the recursion
// treats one: computed pixel by pixel when narrow, else split in four.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// Whether the recursion computes the rectangle pixel by pixel: fewer than 5
// between its first and last column or row.
inline bool IsNarrowRect(const PixelRect& r) {
    return std::abs(r.right - r.left) < 5 || std::abs(r.bottom - r.top) < 5;
}

// The most pixels the recursion's step of r evaluates: all of a narrow one,
// the border of any other.
inline std::int64_t StepPixels(const PixelRect& r) {
    const std::int64_t w = std::max<std::int64_t>(std::int64_t(r.right) - r.left + 1, 1);
    const std::int64_t h = std::max<std::int64_t>(std::int64_t(r.bottom) - r.top + 1, 1);
    return IsNarrowRect(r) ? w * h : 2 * (w + h);
}

// The four quadrants of a rectangle, in the order they are pushed: top-right,
// bottom-left, bottom-right, top-left (so top-left comes off first, then
// bottom-right, bottom-left and top-right).
inline void SplitRect(const PixelRect& r, PixelRect quadrants[4]) {
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    quadrants[0] = {mx, r.top, r.right, my - 1};    // top-right
    quadrants[1] = {r.left, my, mx - 1, r.bottom};  // bottom-left
    quadrants[2] = {mx, my, r.right, r.bottom};     // bottom-right
    quadrants[3] = {r.left, r.top, mx - 1, my - 1}; // top-left
}
