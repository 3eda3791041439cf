#include "app/main_frame.h"

#include "commands/resource_ids.h"
#include "platform/docview/winapp.h"

const UINT indicators[4] = {
    ID_SEPARATOR,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

CMainFrame::CMainFrame() {
    OnMessage(WM_PALETTECHANGED, [this](WPARAM wParam, LPARAM) {
        OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return LRESULT(0);
    });
    OnMessage(WM_QUERYNEWPALETTE, [this](WPARAM, LPARAM) { return LRESULT(OnQueryNewPalette()); });
    OnCommand(ID_HELP_INDEX, [this] { OnHelpIndex(); });
    OnCommand(ID_HELP_USING, [this] { OnHelpUsing(); });
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CMDIFrameWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}

int CMainFrame::OnCreate(void* lpCreateStruct) {
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                   CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                               CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

void CMainFrame::OnPaletteChanged(CWnd*) {
    DefWindowProc(WM_PALETTECHANGED, 0, 0);
    CMDIChildWnd* child = MDIGetActive();
    if (child == nullptr)
        return;
    CView* view = child->GetActiveView();
    if (view == nullptr)
        return;
    SendMessageToDescendants(WM_USER, reinterpret_cast<WPARAM>(view->GetSafeHwnd()), 0, TRUE,
                             FALSE);
}

BOOL CMainFrame::OnQueryNewPalette() {
    CMDIChildWnd* child = MDIGetActive();
    if (child == nullptr)
        return FALSE;
    CView* view = child->GetActiveView();
    if (view == nullptr)
        return FALSE;
    view->SendMessage(WM_USER, reinterpret_cast<WPARAM>(view->GetSafeHwnd()), 0);
    return TRUE;
}

void CMainFrame::OnHelpIndex() {
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(0, HELP_INDEX);
}

void CMainFrame::OnHelpUsing() {
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(0, HELP_HELPONHELP);
}
