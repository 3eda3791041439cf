#pragma once
// An in-memory picture of colour values. Both a set window's client area and
// its off-screen picture are surfaces; writes outside the surface are clipped.

#include "platform/framework/types.h"

#include <cstddef>
#include <vector>

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, COLORREF fill = kWhite);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    COLORREF Get(int x, int y) const { return Contains(x, y) ? m_pixels[Index(x, y)] : kWhite; }
    void Set(int x, int y, COLORREF c) {
        if (Contains(x, y))
            m_pixels[Index(x, y)] = c;
    }
    // Fills [left, right) x [top, bottom), clipped.
    void Fill(int left, int top, int right, int bottom, COLORREF c);
    // Changes the size; the old content stays at the top-left, new area gets fill.
    void Resize(int width, int height, COLORREF fill = kWhite);

    const COLORREF* Row(int y) const { return m_pixels.data() + std::size_t(y) * m_width; }
    COLORREF* Row(int y) { return m_pixels.data() + std::size_t(y) * m_width; }
    const std::vector<COLORREF>& Pixels() const { return m_pixels; }

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(m_width) + x; }

    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
