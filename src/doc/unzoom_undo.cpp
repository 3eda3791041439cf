// Unzoom doubles the rectangle about its centre; Undo goes back one step.

#include "doc/quirl32_doc.h"

#include <cmath>

namespace {

bool AllFinite(const SetExtents& e) {
    return std::isfinite(e.xMin) && std::isfinite(e.xMax) && std::isfinite(e.yMin) &&
           std::isfinite(e.yMax);
}

} // namespace

void CQuirl32Doc::OnSetUnzoom() {
    const SetExtents& cur = m_extents;
    const double w = cur.xMax - cur.xMin;
    const double h = cur.yMax - cur.yMin;
    SetExtents wider;
    wider.xMax = cur.xMax + 0.5 * w;
    wider.xMin = cur.xMin - 0.5 * w;
    wider.yMax = cur.yMax + 0.5 * h;
    wider.yMin = cur.yMin - 0.5 * h;
    // At the edge of the double range the rectangle cannot grow any further;
    // an infinite bound would leave nothing to compute.
    if (AllFinite(cur) && !AllFinite(wider))
        return;

    SaveUndo();
    m_bPictureValid = 0;
    m_extents = wider;
    UpdateAllViews(nullptr, 0, nullptr);
}

void CQuirl32Doc::OnEditUndo() {
    // The command table keeps Undo disabled without a snapshot; an empty one
    // would turn the rectangle into a point.
    if (!CanUndo())
        return;
    m_extents = m_undoExtents;
    ClearUndo();
    m_bPictureValid = 0;
    UpdateAllViews(nullptr, 0, nullptr);
}

void CQuirl32Doc::OnUpdateEditUndo(CCmdUI* pCmdUI) {
    pCmdUI->Enable(CanUndo() ? TRUE : FALSE);
}
