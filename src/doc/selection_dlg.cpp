// The Selection dialog: its text exchange and its template, two boxes for the
// real and imaginary ranges, the random-point count, OK and Cancel. Template
// order is tab order.

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

namespace {

constexpr UINT kEditFlags = CS_BORDER | CS_TABSTOP | CS_AUTOHSCROLL;

DialogTemplate MakeSelectionTemplate() {
    DialogTemplate t;
    t.id = IDD_SELECTION;
    t.title = "Selection";
    t.x = 110;
    t.y = 80;
    t.cx = 224;
    t.cy = 127;
    t.fontName = "MS Sans Serif";
    t.fontPointSize = 8;
    t.systemMenu = false;
    t.centerOnOwner = false;
    using K = ControlKind;
    t.controls = {
        {K::DefPushButton, IDOK, "OK", 164, 72, 50, 14, CS_TABSTOP},
        {K::PushButton, IDCANCEL, "Cancel", 164, 96, 50, 14, CS_TABSTOP},
        {K::Edit, IDC_REAL_FROM, "", 32, 20, 60, 13, kEditFlags},
        {K::Static, IDC_STATIC, "From:", 12, 20, 20, 8, CS_GROUP},
        {K::Edit, IDC_REAL_TO, "", 32, 40, 60, 13, kEditFlags},
        {K::Static, IDC_STATIC, "To:", 12, 41, 16, 9, CS_GROUP},
        {K::GroupBox, IDC_STATIC, "Real", 4, 4, 100, 56, 0},
        {K::GroupBox, IDC_STATIC, "Imaginary", 116, 4, 100, 56, 0},
        {K::Edit, IDC_IMAG_FROM, "", 144, 20, 60, 13, kEditFlags},
        {K::Static, IDC_STATIC, "From:", 124, 20, 20, 8, CS_GROUP},
        {K::Edit, IDC_IMAG_TO, "", 144, 40, 60, 13, kEditFlags},
        {K::Static, IDC_STATIC, "To:", 124, 41, 12, 9, CS_GROUP},
        {K::Static, IDC_STATIC, "Random points:", 4, 74, 52, 8, CS_GROUP},
        {K::Edit, IDC_RANDOM_POINTS, "", 56, 72, 22, 13, kEditFlags},
    };
    return t;
}

} // namespace

const DialogTemplate& SelectionDialogTemplate() {
    static const DialogTemplate t = MakeSelectionTemplate();
    return t;
}
