// Info: a summary of the active set in a dialog.

#include "commands/info_dlg.h"
#include "commands/info_text.h"
#include "view/quirl32_view.h"

void CQuirl32View::OnSetInfo() {
    const SetExtents& e = m_pDoc->m_extents;
    CInfoDlg dlg;
    dlg.m_strFrom = InfoPointText(e.xMin, e.yMin);
    dlg.m_strTo = InfoPointText(e.xMax, e.yMax);
    dlg.m_strIterations = DecimalText(m_pDoc->m_nIterations);
    dlg.m_strZoom = InfoZoomText(m_dScaleX);
    dlg.m_strTime = InfoTimeText(m_tStart, m_tFinish);
    dlg.DoModal();
}
