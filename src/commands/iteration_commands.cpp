// The iteration limit: six presets and "other...", with their check marks.

#include "commands/info_text.h"
#include "commands/specify_dlg.h"
#include "doc/number_text.h"
#include "view/quirl32_view.h"

void CQuirl32View::OnIterPreset(std::int32_t n) {
    m_pDoc->m_nIterations = n;
    RestartComputation();
}

void CQuirl32View::OnUpdateIterPreset(CCmdUI* pCmdUI, std::int32_t n) {
    pCmdUI->SetCheck(m_pDoc != nullptr && m_pDoc->m_nIterations == n);
}

void CQuirl32View::OnIterOther() {
    CSpecifyDlg dlg;
    dlg.m_strIterations = DecimalText(m_pDoc->m_nIterations);
    if (dlg.DoModal() != IDOK)
        return;
    m_pDoc->m_nIterations = crt::atoi(dlg.m_strIterations);
    RestartComputation();
}

void CQuirl32View::OnUpdateIterOther(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_pDoc != nullptr && m_pDoc->m_nIterations > 255);
}
