#include "doc/selection_dlg.h"

#include "commands/resource_ids.h"

CSelectionDlg::CSelectionDlg(CWnd* pParent) : CDialog(IDD_SELECTION, pParent) {}

CSelectionDlg::~CSelectionDlg() = default;

void CSelectionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_IMAG_FROM, m_strImagFrom);
    DDX_Text(pDX, IDC_REAL_FROM, m_strRealFrom);
    DDX_Text(pDX, IDC_RANDOM_POINTS, m_strRandomPoints);
    DDX_Text(pDX, IDC_IMAG_TO, m_strImagTo);
    DDX_Text(pDX, IDC_REAL_TO, m_strRealTo);
}
