#pragma once
// The Selection dialog of Specify: the real and imaginary ranges and the
// random-point count as text.

#include "platform/framework/dialog.h"

class CSelectionDlg : public CDialog {
public:
    explicit CSelectionDlg(CWnd* pParent = nullptr);
    ~CSelectionDlg() override;

    CString m_strImagFrom;
    CString m_strRealFrom;
    CString m_strRandomPoints;
    CString m_strImagTo;
    CString m_strRealTo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// The template of IDD_SELECTION, for the resource table.
const DialogTemplate& SelectionDialogTemplate();
