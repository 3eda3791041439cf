#include "platform/docview/doctemplate.h"
#include "platform/docview/document.h"
#include "platform/framework/frame.h"
#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"

CMDIFrameWnd::CMDIFrameWnd() {
    auto whileChildOpen = [this](CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); };
    OnCommand(ID_WINDOW_CASCADE, [this] { OnWindowCascade(); });
    OnUpdateCommandUI(ID_WINDOW_CASCADE, whileChildOpen);
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { OnWindowTile(); });
    OnUpdateCommandUI(ID_WINDOW_TILE_HORZ, whileChildOpen);
    OnCommand(ID_WINDOW_ARRANGE, [this] { OnWindowArrange(); });
    OnUpdateCommandUI(ID_WINDOW_ARRANGE, whileChildOpen);
    OnCommand(ID_VIEW_TOOLBAR, [this] { OnViewToolbar(); });
    OnUpdateCommandUI(ID_VIEW_TOOLBAR, [](CCmdUI* pCmdUI) {
        pCmdUI->SetCheck(AfxGetHost().IsControlBarVisible(AFX_IDW_TOOLBAR) ? 1 : 0);
    });
    OnCommand(ID_VIEW_STATUS_BAR, [this] { OnViewStatusBar(); });
    OnUpdateCommandUI(ID_VIEW_STATUS_BAR, [](CCmdUI* pCmdUI) {
        pCmdUI->SetCheck(AfxGetHost().IsControlBarVisible(AFX_IDW_STATUS_BAR) ? 1 : 0);
    });
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, UINT, CWnd*, void*) {
    m_nIDResource = nIDResource;
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return FALSE;
    Host& host = AfxGetHost();
    if (!host.CreateMainFrame(this, nIDResource))
        return FALSE;
    SetCreated(true);
    if (OnCreate(&cs) == -1) {
        DestroyWindow();
        return FALSE;
    }
    OnUpdateFrameTitle();
    return TRUE;
}

int CMDIFrameWnd::OnCreate(void*) {
    return 0;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const {
    Host* host = AfxTryGetHost();
    return host != nullptr && IsCreated() ? host->GetActiveChildFrame() : nullptr;
}

CView* CMDIFrameWnd::GetActiveView() const {
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? child->GetActiveView() : nullptr;
}

void CMDIFrameWnd::OnActiveChildChanged() {
    if (!IsCreated())
        return;
    UINT menu = m_nIDResource;
    if (const CDocument* doc = GetActiveDocument())
        if (const CDocTemplate* t = doc->GetDocTemplate())
            menu = t->GetResourceId();
    AfxGetHost().SetMenu(this, menu);
    OnUpdateFrameTitle();
}

void CMDIFrameWnd::OnWindowCascade() {
    AfxGetHost().ArrangeChildren(ID_WINDOW_CASCADE);
}

void CMDIFrameWnd::OnWindowTile() {
    AfxGetHost().ArrangeChildren(ID_WINDOW_TILE_HORZ);
}

void CMDIFrameWnd::OnWindowArrange() {
    AfxGetHost().ArrangeChildren(ID_WINDOW_ARRANGE);
}

void CMDIFrameWnd::OnViewToolbar() {
    Host& host = AfxGetHost();
    host.ShowControlBar(AFX_IDW_TOOLBAR, !host.IsControlBarVisible(AFX_IDW_TOOLBAR));
}

void CMDIFrameWnd::OnViewStatusBar() {
    Host& host = AfxGetHost();
    host.ShowControlBar(AFX_IDW_STATUS_BAR, !host.IsControlBarVisible(AFX_IDW_STATUS_BAR));
}
