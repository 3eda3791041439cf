// Fitting the document's rectangle of the plane to the client area so that
// pixels are square: the imaginary range decides the scale, the real maximum
// follows from the window's aspect ratio. And the restart that every change
// of the set goes through, which fits the rectangle anew.

#include "view/quirl32_view.h"

#include <cmath>

void CQuirl32View::FitToClient() {
    GetClientRect(&m_rcClient);
    if (m_pDoc == nullptr)
        return;
    const int h = m_rcClient.bottom - m_rcClient.top;
    const int w = m_rcClient.right - m_rcClient.left;
    // A window without height (minimised) has no scale: keep the previous
    // one and the extents, so nothing non-finite reaches the document.
    if (h <= 0)
        return;
    // Otherwise the arithmetic holds whatever the extents: an infinite or NaN
    // range gives an infinite or NaN scale, every pixel index 0 and Info's
    // zoom "0 dpu", and Info shows the real maximum the picture was drawn with.
    SetExtents& e = m_pDoc->m_extents;
    const double s = std::fabs(e.yMax - e.yMin) / h;
    m_dScaleY = s;
    m_dScaleX = s;
    e.xMax = e.xMin + w * s;
}

void CQuirl32View::RestartComputation() {
    m_nScanX = 0;
    m_nScanY = 0;
    FitToClient();
    ClearRects();
    // Nothing worked out ahead belongs to the new computation.
    DropWorkAhead();
    _ftime(&m_tStart);
    m_tFinish = m_tStart;
}
