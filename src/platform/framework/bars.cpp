#include "platform/framework/bars.h"

#include "platform/framework/host.h"

BOOL CToolBar::CreateEx(CWnd* pParentWnd, UINT, UINT, CRect, UINT) {
    if (!AfxGetHost().CreateToolBar(this, pParentWnd))
        return FALSE;
    SetParent(pParentWnd);
    SetCreated(true);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource) {
    m_nIDResource = nIDResource;
    return AfxGetHost().LoadToolBar(this, nIDResource);
}

void CToolBar::EnableDocking(UINT) {}

BOOL CStatusBar::Create(CWnd* pParentWnd, UINT, UINT) {
    if (!AfxGetHost().CreateStatusBar(this, pParentWnd))
        return FALSE;
    SetParent(pParentWnd);
    SetCreated(true);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (lpIDArray == nullptr || nIDCount < 0)
        return FALSE;
    return AfxGetHost().SetIndicators(this, lpIDArray, nIDCount);
}
