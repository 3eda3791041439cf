#include "platform/drawing/dc.h"

#include <algorithm>
#include <cstdint>
#include <vector>

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height) {
    m_pOwner = pDC != nullptr ? pDC->GetOwnerWindow() : nullptr;
    m_surface = std::make_unique<Surface>(width, height, kBlack);
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    m_pSurface = nullptr;
    m_pOwner = pDC != nullptr ? pDC->GetOwnerWindow() : nullptr;
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    if (m_pSurface == nullptr || !m_pSurface->Contains(x, y))
        return COLORREF(-1);
    m_pSurface->Set(x, y, color);
    return color;
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (m_pSurface == nullptr || !m_pSurface->Contains(x, y))
        return COLORREF(-1);
    return m_pSurface->Get(x, y);
}

int CDC::FillRect(const RECT* pRect, CBrush* pBrush) {
    if (m_pSurface == nullptr || pRect == nullptr || pBrush == nullptr || !pBrush->IsCreated())
        return 0;
    m_pSurface->Fill(pRect->left, pRect->top, pRect->right, pRect->bottom, pBrush->GetColor());
    return 1;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    if (m_pSurface == nullptr)
        return FALSE;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (m_brush == WHITE_BRUSH || m_brush == BLACK_BRUSH)
        m_pSurface->Fill(left, top, right, bottom, m_brush == WHITE_BRUSH ? kWhite : kBlack);
    if (m_pen == WHITE_PEN || m_pen == BLACK_PEN) {
        const COLORREF c = m_pen == WHITE_PEN ? kWhite : kBlack;
        m_pSurface->Fill(left, top, right, top + 1, c);
        m_pSurface->Fill(left, bottom - 1, right, bottom, c);
        m_pSurface->Fill(left, top, left + 1, bottom, c);
        m_pSurface->Fill(right - 1, top, right, bottom, c);
    }
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc, DWORD) {
    if (m_pSurface == nullptr || pSrc == nullptr || pSrc->m_pSurface == nullptr)
        return FALSE;
    return StretchBlt(x, y, width, height, pSrc, xSrc, ySrc, width, height, SRCCOPY);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD) {
    if (m_pSurface == nullptr || pSrc == nullptr || pSrc->m_pSurface == nullptr)
        return FALSE;
    if (width <= 0 || height <= 0 || srcWidth == 0 || srcHeight == 0)
        return FALSE;
    const Surface& src = *pSrc->m_pSurface;
    // Sample at pixel centres; a negative source extent mirrors.
    auto offset = [](int d, int dst, int srcExtent) {
        const std::int64_t num = (2 * std::int64_t(d) + 1) * srcExtent;
        const std::int64_t den = 2 * std::int64_t(dst);
        std::int64_t q = num / den;
        if ((num % den != 0) && ((num < 0) != (den < 0)))
            --q;
        return int(q);
    };
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int dx = 0; dx < width; ++dx)
        columns[std::size_t(dx)] = xSrc + offset(dx, width, srcWidth);
    auto sourceRow = [&](int dy) { return ySrc + offset(dy, height, srcHeight); };
    std::vector<COLORREF> row(static_cast<std::size_t>(width));
    // A whole source row is read before its destination row is written.
    auto copyRow = [&](int dy) {
        const int sy = sourceRow(dy);
        for (int dx = 0; dx < width; ++dx)
            row[std::size_t(dx)] = src.Get(columns[std::size_t(dx)], sy);
        for (int dx = 0; dx < width; ++dx)
            m_pSurface->Set(x + dx, y + dy, row[std::size_t(dx)]);
    };
    if (&src != m_pSurface) {
        for (int dy = 0; dy < height; ++dy)
            copyRow(dy);
        return TRUE;
    }
    if (srcHeight > 0) {
        // Onto the same surface, with one row at a time: the distance from a
        // destination row to the row it reads changes in one direction only.
        // So the rows that read above themselves, taken from the bottom up,
        // then the others from the top down, never read a row already
        // overwritten.
        for (int dy = height - 1; dy >= 0; --dy)
            if (sourceRow(dy) < y + dy)
                copyRow(dy);
        for (int dy = 0; dy < height; ++dy)
            if (sourceRow(dy) >= y + dy)
                copyRow(dy);
        return TRUE;
    }
    // Mirrored onto the same surface: read everything first.
    std::vector<COLORREF> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int dy = 0; dy < height; ++dy) {
        const int sy = sourceRow(dy);
        for (int dx = 0; dx < width; ++dx)
            out[std::size_t(dy) * width + dx] = src.Get(columns[std::size_t(dx)], sy);
    }
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < width; ++dx)
            m_pSurface->Set(x + dx, y + dy, out[std::size_t(dy) * width + dx]);
    return TRUE;
}

int CDC::SelectStockObject(int nIndex) {
    int previous = -1;
    if (nIndex == WHITE_BRUSH || nIndex == BLACK_BRUSH || nIndex == NULL_BRUSH) {
        previous = m_brush;
        m_brush = nIndex;
    } else if (nIndex == WHITE_PEN || nIndex == BLACK_PEN || nIndex == NULL_PEN) {
        previous = m_pen;
        m_pen = nIndex;
    }
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    CBitmap* previous = m_pBitmap;
    m_pBitmap = pBitmap;
    m_pSurface = pBitmap != nullptr ? pBitmap->GetSurface() : nullptr;
    return previous;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    if (pPalette == nullptr)
        return nullptr;
    CPalette* previous = m_pPalette;
    m_pPalette = pPalette;
    m_bForeground = !bForceBackground;
    // The first selection replaces the context's default palette.
    static CPalette s_defaultPalette;
    return previous != nullptr ? previous : &s_defaultPalette;
}

UINT CDC::RealizePalette() {
    return 0;
}
