// The restart that every change of the set goes through.

#include "view/quirl32_view.h"

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
