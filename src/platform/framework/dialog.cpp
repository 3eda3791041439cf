#include "platform/framework/dialog.h"

#include "platform/framework/host.h"

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX == nullptr || pDX->m_pDlgWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
    else
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, value);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* /*pParentWnd: modal dialogs sit over the active window*/)
    : m_nIDTemplate(nIDTemplate) {}

CDialog::~CDialog() = default;

const DialogTemplate* CDialog::GetTemplate() const {
    const auto& dialogs = AfxGetResources().dialogs;
    auto it = dialogs.find(m_nIDTemplate);
    return it != dialogs.end() ? &it->second : nullptr;
}

long CDialog::DoModal() {
    if (GetTemplate() == nullptr)
        return -1;
    SetCreated(true);
    long result = -1;
    try {
        result = AfxGetHost().RunModalDialog(*this);
    } catch (...) {
        SetCreated(false);
        throw;
    }
    SetCreated(false);
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    AfxGetHost().EndDialog(*this, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

CString CDialog::GetDlgItemText(int nID) const {
    return AfxGetHost().GetDialogItemText(*this, nID);
}

void CDialog::SetDlgItemText(int nID, const CString& text) {
    AfxGetHost().SetDialogItemText(*this, nID, text);
}

BOOL CDialog::GetDlgItemRect(int nID, RECT* pRect) const {
    if (pRect == nullptr)
        return FALSE;
    return AfxGetHost().GetDialogItemRect(*this, nID, *pRect);
}

void CDialog::SetDlgItemIcon(int nID, UINT nIconId) {
    AfxGetHost().SetDialogItemIcon(*this, nID, nIconId);
}
