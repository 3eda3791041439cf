#pragma once
// Modal dialogs built from template tables, with text exchange between
// string members and controls.

#include "platform/framework/resources.h"
#include "platform/framework/wnd.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlg, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlg) {}
    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// Member to control when opening; control to member when saving.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL, or -1 when the dialog cannot be created.
    virtual long DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }

    const DialogTemplate* GetTemplate() const;

    // Controls, while the dialog runs.
    CString GetDlgItemText(int nID) const;
    void SetDlgItemText(int nID, const CString& text);
    // The control's rectangle in the dialog's client coordinates.
    BOOL GetDlgItemRect(int nID, RECT* pRect) const;
    void SetDlgItemIcon(int nID, UINT nIconId);

private:
    UINT m_nIDTemplate;
};
