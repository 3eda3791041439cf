#include "platform/framework/tracker.h"

#include "platform/framework/host.h"

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
    CRect result;
    if (!AfxGetHost().TrackRubberBand(pWnd, point, bAllowInvert, result))
        return FALSE;
    CRect normal = result;
    normal.NormalizeRect();
    // A band without width or height selects nothing: it counts as a click.
    if (normal.IsRectEmpty())
        return FALSE;
    if (!bAllowInvert)
        result = normal;
    if (result == m_rect)
        return FALSE;
    m_rect = result;
    return TRUE;
}
