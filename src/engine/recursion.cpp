// Recursive subdivision: a rectangle with a uniform border is filled in one
// stroke, a narrow one is computed pixel by pixel, any other is split into
// four quadrants. One rectangle per step, depth first, top-left first.

#include "view/quirl32_view.h"

#include <cstdlib>

void CQuirl32View::StepRecursion() {
    int x0, y0, x1, y1;
    PopRect(x0, y0, x1, y1);

    if (std::abs(x1 - x0) < 5 || std::abs(y1 - y0) < 5) {
        FillBlock(x0, y0, x1, y1);
        return;
    }

    int k = 0;
    if (IsBorderUniform(x0, y0, x1, y1, k)) {
        CBrush brush;
        brush.CreateSolidBrush(PaletteIndexColor(k));
        const RECT r{x0, y0, x1 + 1, y1 + 1};
        if (m_pWindowDC != nullptr)
            m_pWindowDC->FillRect(&r, &brush);
        if (m_pMemDC != nullptr)
            m_pMemDC->FillRect(&r, &brush);
        return;
    }

    const int mx = (x0 + x1) / 2;
    const int my = (y0 + y1) / 2;
    // Pushed so that top-left comes off first, then bottom-right,
    // bottom-left and top-right.
    PushRect(mx, y0, x1, my - 1);     // top-right
    PushRect(x0, my, mx - 1, y1);     // bottom-left
    PushRect(mx, my, x1, y1);         // bottom-right
    PushRect(x0, y0, mx - 1, my - 1); // top-left
}

BOOL CQuirl32View::IsBorderUniform(int x0, int y0, int x1, int y1, int& index) {
    const int tl = PixelIndex(x0, y0);
    const int tr = PixelIndex(x1, y0);
    const int bl = PixelIndex(x0, y1);
    const int br = PixelIndex(x1, y1);
    if (tl != tr || tr != bl || bl != br)
        return FALSE;

    for (int x = x0 + 1; x <= x1 - 1; ++x) {
        if (PixelIndex(x, y0) != tl)
            return FALSE;
        if (PixelIndex(x, y1) != tl)
            return FALSE;
    }
    for (int y = y0 + 1; y <= y1 - 1; ++y) {
        if (PixelIndex(x0, y) != tl)
            return FALSE;
        if (PixelIndex(x1, y) != tl)
            return FALSE;
    }
    index = tl;
    return TRUE;
}

void CQuirl32View::FillBlock(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            WritePixel(x, y);
}
