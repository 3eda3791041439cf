#include "platform/framework/frame.h"

#include "platform/docview/doctemplate.h"
#include "platform/docview/document.h"
#include "platform/docview/winapp.h"
#include "platform/framework/host.h"

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    CView* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void CFrameWnd::EnableDocking(UINT) {}

void CFrameWnd::DockControlBar(CToolBar*) {}

void CFrameWnd::OnUpdateFrameTitle() {
    const CWinApp* app = AfxGetApp();
    CString title = app != nullptr ? app->m_pszAppName : CString("Quirl32");
    if (const CDocument* doc = GetActiveDocument())
        title += " - " + doc->GetTitle();
    SetWindowText(title);
}

void CMDIChildWnd::MDIActivate() {
    AfxGetHost().ActivateChildFrame(this);
    if (auto* main = dynamic_cast<CMDIFrameWnd*>(GetParent()))
        main->OnActiveChildChanged();
}

void CMDIChildWnd::MDIDestroy() {
    CView* view = m_pView;
    CDocument* doc = view != nullptr ? view->GetDocument() : nullptr;
    auto* main = dynamic_cast<CMDIFrameWnd*>(GetParent());
    DestroyWindow();
    if (view != nullptr)
        view->DestroyWindow();
    m_pView = nullptr;
    delete view;
    // The document goes with its last view.
    if (doc != nullptr && doc->GetViews().empty())
        delete doc;
    delete this;
    if (main != nullptr)
        main->OnActiveChildChanged();
}
