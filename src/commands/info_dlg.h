#pragma once
// The Info dialog: a text summary of the active set.

#include "platform/framework/dialog.h"

class CInfoDlg : public CDialog {
public:
    CInfoDlg();
    ~CInfoDlg() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strFrom;
    CString m_strTime;
    CString m_strIterations;
    CString m_strTo;
    CString m_strZoom;
};

DialogTemplate InfoDialogTemplate();
