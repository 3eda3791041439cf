// The iteration limit: six presets and "other...", with their check marks, and
// the Specify dialog that "other..." asks the number in.

#include "commands/info_text.h"
#include "commands/resource_ids.h"
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

CSpecifyDlg::CSpecifyDlg() : CDialog(IDD_SPECIFY) {}

CSpecifyDlg::~CSpecifyDlg() = default;

void CSpecifyDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_ITERATIONS, m_strIterations);
}

DialogTemplate SpecifyDialogTemplate() {
    DialogTemplate t;
    t.id = IDD_SPECIFY;
    t.title = "Specify";
    t.x = 100;
    t.y = 90;
    t.cx = 186;
    t.cy = 39;
    t.controls = {
        {ControlKind::DefPushButton, IDOK, "OK", 130, 6, 50, 14, CS_TABSTOP},
        {ControlKind::PushButton, IDCANCEL, "Cancel", 130, 23, 50, 14, CS_TABSTOP},
        {ControlKind::Static, IDC_STATIC, "Number of iterations:", 4, 16, 71, 9, CS_GROUP},
        {ControlKind::Edit, IDC_ITERATIONS, "", 75, 15, 40, 13,
         CS_BORDER | CS_TABSTOP | CS_AUTOHSCROLL},
    };
    return t;
}
