#pragma once
// The rubber-band tracker: a modal drag from a point; no idle work runs
// while it tracks.

#include "platform/framework/wnd.h"

class CRectTracker {
public:
    enum StyleFlags { solidLine = 1, dottedLine = 2, hatchedBorder = 4, resizeInside = 8 };
    CRectTracker(const RECT* pRect, UINT nStyle) : m_rect(*pRect), m_nStyle(nStyle) {}
    // Nonzero when the rectangle changed; m_rect then holds it in client
    // coordinates, normalised unless inversion is allowed. Esc or the right
    // button cancel with 0.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

    CRect m_rect;
    UINT m_nStyle;
};
