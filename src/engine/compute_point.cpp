// The escape-time kernel and the pixel-writing convention of every method.

#include "view/quirl32_view.h"

int CQuirl32View::ComputePoint(double re, double im) {
    int count = 0;
    if (re * re + im * im < 4.0) {
        const int limit = m_pDoc->m_nIterations;
        // The orbit starts at z = c.
        double x = re;
        double y = im;
        while (count < limit) {
            const double xn = (x * x - y * y) + re;
            const double yn = y * (x + x) + im;
            ++count;
            x = xn;
            y = yn;
            if (x * x + y * y >= 4.0)
                break;
        }
    }
    // Points that never escaped share index 0 with those outside the disk.
    if (count == m_pDoc->m_nIterations)
        count = 0;
    if (m_nColors <= 0)
        return 0;
    return count % m_nColors;
}

int CQuirl32View::PixelIndex(int x, int y) {
    const SetExtents& e = m_pDoc->m_extents;
    return ComputePoint(x * m_dScaleX + e.xMin, y * m_dScaleY + e.yMin);
}

void CQuirl32View::WritePixel(int x, int y) {
    const COLORREF color = PaletteIndexColor(PixelIndex(x, y));
    if (m_pWindowDC != nullptr)
        m_pWindowDC->SetPixel(x, y, color);
    if (m_pMemDC != nullptr)
        m_pMemDC->SetPixel(x, y, color);
}
