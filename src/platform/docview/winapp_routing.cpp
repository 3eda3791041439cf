#include "platform/docview/winapp.h"
#include "platform/files/exceptions.h"
#include "platform/framework/msgbox.h"

BOOL CWinApp::RouteCmdMsg(UINT nID, CCmdUI* pCmdUI) {
    auto* main = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
    CMDIChildWnd* child = main != nullptr ? main->MDIGetActive() : nullptr;
    if (child != nullptr) {
        CView* view = child->GetActiveView();
        if (view != nullptr && view->OnCmdMsg(nID, pCmdUI))
            return TRUE;
        CDocument* doc = view != nullptr ? view->GetDocument() : nullptr;
        if (doc != nullptr && doc->OnCmdMsg(nID, pCmdUI))
            return TRUE;
        if (child->OnCmdMsg(nID, pCmdUI))
            return TRUE;
        if (OnCmdMsg(nID, pCmdUI))
            return TRUE;
        return m_pMainWnd->OnCmdMsg(nID, pCmdUI);
    }
    if (m_pMainWnd != nullptr && m_pMainWnd->OnCmdMsg(nID, pCmdUI))
        return TRUE;
    return OnCmdMsg(nID, pCmdUI);
}

void CWinApp::UpdateCommandUI(UINT nID, CCmdUI& ui) {
    ui.m_nID = nID;
    if (!RouteCmdMsg(nID, &ui))
        ui.Enable(FALSE);
}

BOOL CWinApp::ExecuteCommand(UINT nID) {
    CCmdUI ui(nID);
    UpdateCommandUI(nID, ui);
    if (!ui.m_bEnabled)
        return FALSE;
    try {
        return RouteCmdMsg(nID, nullptr);
    } catch (...) {
        AfxMessageBox(AfxHandledExceptionText("Command failed."));
    }
    return FALSE;
}
