#pragma once
// The About box: the program's icon, name and version. A double-click on
// the icon shows the other icon until the box closes.

#include "platform/framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // point in the dialog's client coordinates.
    void OnLButtonDblClk(UINT nFlags, CPoint point);
};

DialogTemplate AboutDialogTemplate();
