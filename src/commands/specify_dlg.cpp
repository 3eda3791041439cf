#include "commands/specify_dlg.h"

#include "commands/resource_ids.h"

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
