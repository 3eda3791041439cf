// The escape-time kernel and the pixel-writing convention of every method.

#include "engine/kernel/kernel.h"
#include "engine/pixel_work.h"
#include "view/quirl32_view.h"

int CQuirl32View::ComputePoint(double re, double im) {
    // The plain loop, with exact cycle detection: see engine/kernel.
    return ComputeIndex(ViewKernelParams(*this), re, im, &m_nKernelIterations);
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
