#include "app/about_dlg.h"

#include "app/quirl32_app.h"
#include "commands/resource_ids.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {
    OnMessage(WM_LBUTTONDBLCLK, [this](WPARAM wParam, LPARAM lParam) {
        OnLButtonDblClk(UINT(wParam),
                        CPoint(std::int16_t(LOWORD(lParam)), std::int16_t(HIWORD(lParam))));
        return LRESULT(0);
    });
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange*) {}

void CAboutDlg::OnLButtonDblClk(UINT, CPoint point) {
    CRect rect;
    if (!GetDlgItemRect(IDC_ABOUT_ICON, &rect))
        return;
    if (rect.PtInRect(point))
        SetDlgItemIcon(IDC_ABOUT_ICON, IDI_ABOUT_ALTERNATE);
}

DialogTemplate AboutDialogTemplate() {
    DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.title = "About Quirl32";
    t.x = 0;
    t.y = 0;
    t.cx = 235;
    t.cy = 55;
    t.systemMenu = true;
    t.centerOnOwner = true;
    using K = ControlKind;
    t.controls = {
        {K::Icon, IDC_ABOUT_ICON, std::to_string(IDR_MAINFRAME), 11, 17, 20, 20, 0},
        {K::Static, IDC_STATIC, "Quirl32 Version 1.0", 40, 10, 119, 8, CS_NOPREFIX | CS_GROUP},
        {K::Static, IDC_STATIC, "Copyright (C) 2026 Quirl32", 40, 25, 119, 8, CS_GROUP},
        {K::DefPushButton, IDOK, "OK", 178, 7, 50, 14, CS_GROUP | CS_TABSTOP},
    };
    return t;
}

void CQuirl32App::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
