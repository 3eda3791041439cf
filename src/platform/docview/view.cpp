#include "platform/docview/view.h"

#include "platform/docview/document.h"
#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"
#include "platform/framework/window_peer.h"

CView::CView() {
    // A view has no panes to move between: both commands stay disabled.
    OnUpdateCommandUI(ID_NEXT_PANE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); });
    OnUpdateCommandUI(ID_PREV_PANE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); });
}

CView::~CView() {
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}

void CView::OnPaint() {
    CDC dc(Peer() != nullptr ? Peer()->WindowSurface() : nullptr);
    dc.SetOwnerWindow(this);
    OnDraw(&dc);
}
