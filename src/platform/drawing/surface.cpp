#include "platform/drawing/surface.h"

#include <algorithm>

Surface::Surface(int width, int height, COLORREF fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(std::size_t(m_width) * std::size_t(m_height), fill) {}

void Surface::Fill(int left, int top, int right, int bottom, COLORREF c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width);
    bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y)
        std::fill(Row(y) + left, Row(y) + right, c);
}

void Surface::Resize(int width, int height, COLORREF fill) {
    Surface grown(width, height, fill);
    const int w = std::min(m_width, grown.m_width);
    const int h = std::min(m_height, grown.m_height);
    for (int y = 0; y < h; ++y)
        std::copy(Row(y), Row(y) + w, grown.Row(y));
    *this = std::move(grown);
}
