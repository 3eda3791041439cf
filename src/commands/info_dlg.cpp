// Info: a summary of the active set in a dialog.

#include "commands/info_dlg.h"

#include "commands/info_text.h"
#include "commands/resource_ids.h"
#include "view/quirl32_view.h"

CInfoDlg::CInfoDlg() : CDialog(IDD_INFO) {}

CInfoDlg::~CInfoDlg() = default;

void CInfoDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_INFO_FROM, m_strFrom);
    DDX_Text(pDX, IDC_INFO_TIME, m_strTime);
    DDX_Text(pDX, IDC_INFO_ITERATIONS, m_strIterations);
    DDX_Text(pDX, IDC_INFO_TO, m_strTo);
    DDX_Text(pDX, IDC_INFO_ZOOM, m_strZoom);
}

DialogTemplate InfoDialogTemplate() {
    DialogTemplate t;
    t.id = IDD_INFO;
    t.title = "The current set";
    t.x = 130;
    t.y = 100;
    t.cx = 189;
    t.cy = 151;
    t.controls = {
        {ControlKind::DefPushButton, IDOK, "That's it!", 69, 131, 50, 14, CS_TABSTOP},
        {ControlKind::Static, IDC_STATIC, "From:", 12, 20, 20, 8, CS_GROUP},
        {ControlKind::GroupBox, IDC_STATIC, "Range", 6, 8, 180, 44, 0},
        {ControlKind::Static, IDC_STATIC, "To:", 12, 36, 20, 8, CS_GROUP},
        {ControlKind::Static, IDC_INFO_FROM, "?", 36, 20, 145, 8, CS_NOPREFIX | CS_GROUP},
        {ControlKind::Static, IDC_INFO_TO, "?", 36, 36, 145, 8, CS_NOPREFIX | CS_GROUP},
        {ControlKind::Static, IDC_STATIC, "Zoom:", 12, 76, 30, 8, CS_GROUP},
        {ControlKind::Static, IDC_STATIC, "Iterations:", 12, 60, 33, 8, CS_GROUP},
        {ControlKind::Static, IDC_INFO_ITERATIONS, "?", 51, 60, 40, 8, CS_GROUP},
        {ControlKind::Static, IDC_INFO_ZOOM, "?", 51, 76, 96, 8, CS_GROUP},
        {ControlKind::Static, IDC_STATIC, "Time used:", 12, 92, 37, 8, CS_GROUP},
        {ControlKind::Static, IDC_INFO_TIME, "?", 51, 93, 101, 7, CS_GROUP},
    };
    return t;
}

void CQuirl32View::OnSetInfo() {
    const SetExtents& e = m_pDoc->m_extents;
    CInfoDlg dlg;
    dlg.m_strFrom = InfoPointText(e.xMin, e.yMin);
    dlg.m_strTo = InfoPointText(e.xMax, e.yMax);
    dlg.m_strIterations = DecimalText(m_pDoc->m_nIterations);
    dlg.m_strZoom = InfoZoomText(m_dScaleX);
    dlg.m_strTime = InfoTimeText(m_tStart, m_tFinish);
    dlg.DoModal();
}
