#pragma once
// The Specify dialog: the iteration limit typed as text.

#include "platform/framework/dialog.h"

class CSpecifyDlg : public CDialog {
public:
    CSpecifyDlg();
    ~CSpecifyDlg() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strIterations;
};

DialogTemplate SpecifyDialogTemplate();
