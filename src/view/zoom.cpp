// The rubber-band zoom: the dragged rectangle becomes the new extents, and
// the chosen part of the old picture, stretched over the whole window,
// stands as a preview until the new computation paints over it.

#include "platform/framework/tracker.h"
#include "view/quirl32_view.h"

#include <climits>

namespace {

// The column of the old picture at which the fitted real maximum falls,
// truncated toward zero; the tracked edge when it has no such column.
int PreviewRight(double xMax, double oldXMin, double oldScale, int trackedRight) {
    const double column = (xMax - oldXMin) / oldScale;
    if (!(column > double(INT_MIN) && column < double(INT_MAX)))
        return trackedRight;
    return int(column);
}

} // namespace

void CQuirl32View::OnLButtonDown(UINT, CPoint point) {
    if (m_pDoc == nullptr)
        return;
    const RECT start{point.x, point.y, point.x, point.y};
    CRectTracker tracker(&start, CRectTracker::solidLine);
    if (!tracker.TrackRubberBand(this, point, FALSE))
        return;
    const CRect r = tracker.m_rect;

    SetExtents& e = m_pDoc->m_extents;
    const double sx = m_dScaleX;
    const double sy = m_dScaleY;
    const double xMin = r.left * sx + e.xMin;
    const double xMax = r.right * sx + e.xMin;
    const double yMin = r.top * sy + e.yMin;
    const double yMax = r.bottom * sy + e.yMin;
    const double oldXMin = e.xMin;

    m_pDoc->SaveUndo();
    e.xMin = xMin;
    e.xMax = xMax;
    e.yMin = yMin;
    e.yMax = yMax;
    FitToClient();
    const int right = PreviewRight(e.xMax, oldXMin, sx, r.right);

    InvalidateRgn(nullptr, FALSE);
    GetClientRect(&m_rcClient);
    const int w = m_rcClient.right - m_rcClient.left;
    const int h = m_rcClient.bottom - m_rcClient.top;
    m_pWindowDC = GetDC();
    if (m_pWindowDC != nullptr)
        m_pWindowDC->StretchBlt(0, 0, w, h, m_pMemDC, r.left, r.top, right - r.left,
                                r.bottom - r.top, SRCCOPY);
    if (m_pMemDC != nullptr)
        m_pMemDC->StretchBlt(0, 0, w, h, m_pMemDC, r.left, r.top, right - r.left, r.bottom - r.top,
                             SRCCOPY);
    ReleaseDC(m_pWindowDC);
    m_pWindowDC = nullptr;

    m_pDoc->m_bPictureValid = 0;
    RestartComputation();
    m_bWorking = 1;
    UpdateWindow();
}
